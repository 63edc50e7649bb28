#pragma once

#include "cqdialogundocommand.h"

// An element exchanged with its previous (Move Up) or next (Move Dn) sibling.
class cQDialogUndoMoveCommand : public cQDialogUndoCommand
{
public:
    // `path`: where the element stands after the move.
    cQDialogUndoMoveCommand(cQDialogUndoContext &context, const QString &text,
                            cQDialogUndoContext::tPath path, bool up);

    qsizetype dataBytes() const override;

protected:
    cQAbstractDialogLayoutItem *applyUndo() override;
    cQAbstractDialogLayoutItem *applyRedo() override;
    cQDialogUndoContext::Change change(bool) const override
    {
        return cQDialogUndoContext::Moved;
    }

private:
    cQDialogUndoContext::tPath mPath;
    bool mUp;
};
