#pragma once

#include "cqdialogundocommand.h"
#include "cqdialogundocontext.h"

// An element with its subtree that was added (append, insert, paste) or taken out (remove,
// cut): its position and its record, written once.
class cQDialogUndoStructureCommand : public cQDialogUndoCommand
{
public:
    // `added`: the element at `path` was added; otherwise it was taken out from there.
    cQDialogUndoStructureCommand(cQDialogUndoContext &context, const QString &text,
                                 cQDialogUndoContext::tPath path, QByteArray record, bool added);

    qsizetype dataBytes() const override;

protected:
    cQAbstractDialogLayoutItem *applyUndo() override;
    cQAbstractDialogLayoutItem *applyRedo() override;
    bool structural() const override { return true; }

private:
    cQAbstractDialogLayoutItem *put();
    cQAbstractDialogLayoutItem *take();

    cQDialogUndoContext::tPath mPath;
    QByteArray mRecord;
    bool mAdded;
};
