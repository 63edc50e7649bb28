#include "cqdialogundocommand.h"

#include "vellcore/cabstractexception.h"
#include "vellcore/cerrorreporter.h"

cQDialogUndoCommand::cQDialogUndoCommand(cQDialogUndoContext &context, const QString &text)
    : QUndoCommand(text), mContext(context)
{
}

void cQDialogUndoCommand::undo()
{
    apply(true);
}

void cQDialogUndoCommand::redo()
{
    if (mRecorded) {
        mRecorded = false;
        return;
    }
    apply(false);
}

void cQDialogUndoCommand::apply(bool undo)
{
    if (mContext.failure.step)
        return;
    cQAbstractDialogLayoutItem *select = nullptr;
    try {
        select = undo ? applyUndo() : applyRedo();
    } catch (const vstd::cAbstractException &e) {
        vstd::cRuntimeException failed(
            vucs::cLIMessage(undo ? "$VTR$Unable to undo \"%step%\"!"
                                  : "$VTR$Unable to redo \"%step%\"!")
            << text());
        failed.link(e);
        mContext.failure = {this, undo, failed.clone()};
        return;
    }
    // The document has changed: a view that cannot follow reports that on its own.
    if (mContext.changed)
        vpi::cErrorReporter::guard([&] { mContext.changed(select, change(undo)); });
}
