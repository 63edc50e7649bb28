#pragma once

#include "cqdialogundocommand.h"

// An element with its subtree that was added (append, insert, paste) or taken out (remove,
// cut): its position and its record, written once.
class cQDialogUndoStructureCommand : public cQDialogUndoCommand
{
public:
    // `added`: the element at `path` was added; otherwise it was taken out from there.
    cQDialogUndoStructureCommand(cQDialogUndoContext &context, const QString &text,
                                 cQDialogUndoContext::tPath path, QByteArray record, bool added);

    qsizetype dataBytes() const override;

protected:
    cQAbstractDialogLayoutItem *applyUndo() override;
    cQAbstractDialogLayoutItem *applyRedo() override;
    cQDialogUndoContext::Change change(bool undo) const override
    {
        return undo == mAdded ? cQDialogUndoContext::Removed : cQDialogUndoContext::Added;
    }

private:
    cQAbstractDialogLayoutItem *put();
    cQAbstractDialogLayoutItem *take();

    cQDialogUndoContext::tPath mPath;
    QByteArray mRecord;
    bool mAdded;
};
