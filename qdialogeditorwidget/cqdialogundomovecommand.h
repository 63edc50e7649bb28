#pragma once

#include "cqdialogundocommand.h"
#include "cqdialogundocontext.h"

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
    bool structural() const override { return true; }

private:
    cQDialogUndoContext::tPath mPath;
    bool mUp;
};
