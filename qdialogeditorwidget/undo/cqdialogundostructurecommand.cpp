#include "cqdialogundostructurecommand.h"

cQDialogUndoStructureCommand::cQDialogUndoStructureCommand(cQDialogUndoContext &context,
                                                           const QString &text,
                                                           cQDialogUndoContext::tPath path,
                                                           QByteArray record, bool added)
    : cQDialogUndoCommand(context, text), mPath(std::move(path)), mRecord(std::move(record)),
      mAdded(added)
{
}

qsizetype cQDialogUndoStructureCommand::dataBytes() const
{
    return qsizetype(sizeof(*this)) + mRecord.size() + qsizetype(mPath.size() * sizeof(int));
}

cQAbstractDialogLayoutItem *cQDialogUndoStructureCommand::applyUndo()
{
    return mAdded ? take() : put();
}

cQAbstractDialogLayoutItem *cQDialogUndoStructureCommand::applyRedo()
{
    return mAdded ? put() : take();
}

cQAbstractDialogLayoutItem *cQDialogUndoStructureCommand::put()
{
    return &context().insertSubtree(mPath, mRecord);
}

cQAbstractDialogLayoutItem *cQDialogUndoStructureCommand::take()
{
    return &context().removeSubtree(mPath);
}
