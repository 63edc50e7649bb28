#include "cqdialogundorelocatecommand.h"

cQDialogUndoRelocateCommand::cQDialogUndoRelocateCommand(cQDialogUndoContext &context,
                                                         const QString &text,
                                                         cQDialogUndoContext::tPath from,
                                                         cQDialogUndoContext::tPath to)
    : cQDialogUndoCommand(context, text), mFrom(std::move(from)), mTo(std::move(to))
{
}

qsizetype cQDialogUndoRelocateCommand::dataBytes() const
{
    return qsizetype(sizeof(*this) + (mFrom.size() + mTo.size()) * sizeof(int));
}

cQAbstractDialogLayoutItem *cQDialogUndoRelocateCommand::move(
    const cQDialogUndoContext::tPath &from, const cQDialogUndoContext::tPath &to)
{
    // Through the element's record, as the other steps put elements back: the element is read
    // in anew where the tree stands without it, so that `to` counts the places right.
    const QByteArray record = context().storeSubtree(context().itemAt(from));
    context().removeSubtree(from);
    try {
        return &context().insertSubtree(to, record);
    } catch (...) {
        // Back where it was, so that a failed step has changed nothing.
        context().insertSubtree(from, record);
        throw;
    }
}
