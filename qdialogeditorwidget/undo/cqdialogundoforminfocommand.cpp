#include "cqdialogundoforminfocommand.h"

cQDialogUndoFormInfoCommand::cQDialogUndoFormInfoCommand(cQDialogUndoContext &context,
                                                         const QString &text,
                                                         cQVMVFormDialog &panel,
                                                         cQVMVFormDialog::tEditSet before,
                                                         cQVMVFormDialog::tEditSet after)
    : cQDialogUndoCommand(context, text), mPanel(panel), mBefore(std::move(before)),
      mAfter(std::move(after))
{
}

qsizetype cQDialogUndoFormInfoCommand::dataBytes() const
{
    const auto texts = [](const cQVMVFormDialog::tEditSet &s) {
        return qsizetype((s.name.size() + s.author.size()) * sizeof(QChar));
    };
    return qsizetype(sizeof(*this)) + texts(mBefore) + texts(mAfter);
}

cQAbstractDialogLayoutItem *cQDialogUndoFormInfoCommand::applyUndo()
{
    mPanel.applyEditSet(mBefore);
    return nullptr;
}

cQAbstractDialogLayoutItem *cQDialogUndoFormInfoCommand::applyRedo()
{
    mPanel.applyEditSet(mAfter);
    return nullptr;
}
