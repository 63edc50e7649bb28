#pragma once

#include "cqdialogundocommand.h"

#include "vellmva2/cdmdatamodeldescriptor.h"

namespace vmva { class cDVIAbstractProperty; }

// A property of one element changed: its value (any editor, revert to default included) or its
// binding (typed, from the location panel or the assignment menu). Repeated commits by the same
// editor to the same property while it stays selected make one step; a step that ends where it
// began goes away.
class cQDialogUndoPropertyCommand : public cQDialogUndoCommand
{
public:
    // A property's value as written into documents, or a picture's bytes shared with the
    // property (so that a step, its neighbours and the document hold a picture once), and its
    // model location.
    struct tValueSet
    {
        QByteArray value;
        QByteArray picture;
        vmva::cDMDataModelDescriptor location;
        bool sameValue(const tValueSet &other) const
        {
            return value == other.value && picture == other.picture;
        }
        bool operator==(const tValueSet &other) const
        {
            return sameValue(other) && location == other.location;
        }
        bool operator!=(const tValueSet &other) const { return !(*this == other); }
    };
    enum Kind { Value, Binding };

    static tValueSet capture(const vmva::cDVIAbstractProperty &property);
    static void restore(vmva::cDVIAbstractProperty &property, const tValueSet &state);

    // `session` tells edits apart that must not merge (another selection, a save in between).
    // The step is named after what it does.
    cQDialogUndoPropertyCommand(cQDialogUndoContext &context, cQDialogUndoContext::tPath path,
                                vstd::cAsciiString name, tValueSet before, tValueSet after,
                                int session);

    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override;
    qsizetype dataBytes() const override;

protected:
    cQAbstractDialogLayoutItem *applyUndo() override;
    cQAbstractDialogLayoutItem *applyRedo() override;

private:
    cQAbstractDialogLayoutItem *apply(const tValueSet &state);
    // What going from mBefore to mAfter does: a value change, a bind, an unbind or a rebind.
    QString describe() const;

    cQDialogUndoContext::tPath mPath;
    vstd::cAsciiString mName;
    Kind mKind;
    tValueSet mBefore, mAfter;
    int mSession;
};
