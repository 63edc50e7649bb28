#pragma once

#include "cqdialogundocommand.h"

// An element with its subtree moved from one place of the tree to another (dragged in the
// layout tree): both positions, each as the tree stands with the element there.
class cQDialogUndoRelocateCommand : public cQDialogUndoCommand
{
public:
    cQDialogUndoRelocateCommand(cQDialogUndoContext &context, const QString &text,
                                cQDialogUndoContext::tPath from, cQDialogUndoContext::tPath to);

    qsizetype dataBytes() const override;

protected:
    cQAbstractDialogLayoutItem *applyUndo() override { return move(mTo, mFrom); }
    cQAbstractDialogLayoutItem *applyRedo() override { return move(mFrom, mTo); }
    cQDialogUndoContext::Change change(bool) const override
    {
        return cQDialogUndoContext::Moved;
    }

private:
    // Takes the element at `from` out and puts it back so that it stands at `to`.
    cQAbstractDialogLayoutItem *move(const cQDialogUndoContext::tPath &from,
                                     const cQDialogUndoContext::tPath &to);

    cQDialogUndoContext::tPath mFrom;
    cQDialogUndoContext::tPath mTo;
};
