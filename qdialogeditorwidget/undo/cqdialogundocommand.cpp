#include "cqdialogundocommand.h"


cQDialogUndoCommand::cQDialogUndoCommand(cQDialogUndoContext &context, const QString &text)
    : QUndoCommand(text), mContext(context)
{
}

void cQDialogUndoCommand::undo()
{
    applied(applyUndo(), true);
}

void cQDialogUndoCommand::redo()
{
    if (mRecorded) {
        mRecorded = false;
        return;
    }
    applied(applyRedo(), false);
}

void cQDialogUndoCommand::applied(cQAbstractDialogLayoutItem *select, bool undo)
{
    if (mContext.changed)
        mContext.changed(select, change(undo));
}
