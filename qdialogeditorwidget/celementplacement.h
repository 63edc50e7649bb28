#pragma once

#include "vellcore/casciistring.h"
#include "vellcore/climessage.h"

class cAbstractDialogItemFactory;
class cQAbstractDialogLayoutItem;

// Where the editor puts an element that is added or moved at an element of the form, by the
// acceptance rules of the items, and why it may not go there when it may not: the one answer
// the menus, the "Elements" dock and the layout tree's drops share.
class cElementPlacement
{
public:
    // Into: as the target's last child, else in front of it when the target's parent takes it
    // (as append and paste do); Before, After: beside the target.
    enum Position { Into, Before, After };

    // What is placed: an element type, or an element of the form that moves.
    struct tChildSet
    {
        int kind = 0;
        int category = 0;
        bool topLevel = false;
        vstd::cAsciiString name;
        const cQAbstractDialogLayoutItem *moving = nullptr;
    };
    // A place in the form: a parent and the child it goes in front of (null: at the end).
    struct tPlacePair
    {
        cQAbstractDialogLayoutItem *parent = nullptr;
        cQAbstractDialogLayoutItem *before = nullptr;
    };

    static tChildSet typeOf(const cAbstractDialogItemFactory &factory);
    static tChildSet moving(const cQAbstractDialogLayoutItem &item);

    // The place for `child` at `target` in `position`, in `place`; when there is none, the
    // reason, and `place` is left empty.
    static vucs::cLIMessage find(const tChildSet &child, cQAbstractDialogLayoutItem &target,
                                 Position position, tPlacePair &place);
};
