#pragma once

#include "cqdialogundocommand.h"

#include "formdialog/cqvmvformdialog.h"

// The form information edited: name, author or a requested version change.
class cQDialogUndoFormInfoCommand : public cQDialogUndoCommand
{
public:
    cQDialogUndoFormInfoCommand(cQDialogUndoContext &context, const QString &text,
                                cQVMVFormDialog &panel, cQVMVFormDialog::tEditSet before,
                                cQVMVFormDialog::tEditSet after);

    qsizetype dataBytes() const override;

protected:
    cQAbstractDialogLayoutItem *applyUndo() override;
    cQAbstractDialogLayoutItem *applyRedo() override;

private:
    cQVMVFormDialog &mPanel;
    cQVMVFormDialog::tEditSet mBefore, mAfter;
};
