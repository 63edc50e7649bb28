#include "cqdialogundomovecommand.h"

#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"

cQDialogUndoMoveCommand::cQDialogUndoMoveCommand(cQDialogUndoContext &context,
                                                 const QString &text,
                                                 cQDialogUndoContext::tPath path, bool up)
    : cQDialogUndoCommand(context, text), mPath(std::move(path)), mUp(up)
{
}

qsizetype cQDialogUndoMoveCommand::dataBytes() const
{
    return qsizetype(sizeof(*this) + mPath.size() * sizeof(int));
}

cQAbstractDialogLayoutItem *cQDialogUndoMoveCommand::applyUndo()
{
    cQAbstractDialogLayoutItem &item = context().itemAt(mPath);
    if (mUp)
        item.moveDown();
    else
        item.moveUp();
    return &item;
}

cQAbstractDialogLayoutItem *cQDialogUndoMoveCommand::applyRedo()
{
    cQDialogUndoContext::tPath before = mPath;
    before.back() += mUp ? 1 : -1;
    cQAbstractDialogLayoutItem &item = context().itemAt(before);
    if (mUp)
        item.moveUp();
    else
        item.moveDown();
    return &item;
}
