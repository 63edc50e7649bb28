#include "cqdialogundocommand.h"

#include "cqdialogundocontext.h"

cQDialogUndoCommand::cQDialogUndoCommand(cQDialogUndoContext &context, const QString &text)
    : QUndoCommand(text), mContext(context)
{
}

void cQDialogUndoCommand::undo()
{
    applied(applyUndo());
}

void cQDialogUndoCommand::redo()
{
    if (mRecorded) {
        mRecorded = false;
        return;
    }
    applied(applyRedo());
}

void cQDialogUndoCommand::applied(cQAbstractDialogLayoutItem *select)
{
    if (mContext.changed)
        mContext.changed(select, structural());
}
