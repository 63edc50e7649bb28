#include "celementplacement.h"

#include "qdialoglayoutitems/cabstractdialogitemfactory.h"
#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"

namespace {
vucs::cLIMessage refusalOf(const cElementPlacement::tChildSet &child,
                           const cQAbstractDialogLayoutItem &parent)
{
    return parent.refusal(child.kind, child.category, child.topLevel, child.name);
}

bool within(const cQAbstractDialogLayoutItem *item, const cQAbstractDialogLayoutItem *outer)
{
    for (; item; item = item->parentOrNull())
        if (item == outer)
            return true;
    return false;
}
} // namespace

cElementPlacement::tChildSet cElementPlacement::typeOf(const cAbstractDialogItemFactory &factory)
{
    return {factory.elementKind(), factory.viewCategory(), factory.isTopLevelElement(),
            factory.displayName(), nullptr};
}

cElementPlacement::tChildSet cElementPlacement::moving(const cQAbstractDialogLayoutItem &item)
{
    return {item.elementKind(), item.viewCategory(), item.isTopLevelElement(),
            item.displayName(), &item};
}

vucs::cLIMessage cElementPlacement::find(const tChildSet &child,
                                         cQAbstractDialogLayoutItem &target, Position position,
                                         tPlacePair &place)
{
    place = tPlacePair();
    cQAbstractDialogLayoutItem *parent = target.parentOrNull();
    tPlacePair found;
    vucs::cLIMessage why;
    if (position == Into) {
        why = refusalOf(child, target);
        if (why.rawText().isEmpty())
            found = {&target, nullptr};
        else if (parent && refusalOf(child, *parent).rawText().isEmpty())
            found = {parent, &target};
    } else if (!parent) {
        why = "$VTR$Nothing stands beside the form itself: append to it instead";
    } else {
        why = refusalOf(child, *parent);
        if (why.rawText().isEmpty())
            found = {parent, position == Before ? &target : target.nextSibling()};
    }
    if (!found.parent)
        return why;
    if (child.moving) {
        if (within(found.parent, child.moving))
            return "$VTR$An element cannot go into itself";
        if (found.parent == child.moving->parentOrNull()
            && (found.before == child.moving || found.before == child.moving->nextSibling()))
            return "$VTR$The element stands there already";
    }
    place = found;
    return vucs::cLIMessage();
}
