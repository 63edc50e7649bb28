#pragma once

#include "cqdialogundocontext.h"

#include <QUndoCommand>

class cQAbstractDialogLayoutItem;

// One step of the document's undo history. A step is recorded once its change has been made,
// so the first redo (QUndoStack::push) does nothing; later ones make the change again and tell
// the editor which element to select. A step that fails is noted in the context, never thrown
// into the undo stack.
class cQDialogUndoCommand : public QUndoCommand
{
public:
    cQDialogUndoCommand(cQDialogUndoContext &context, const QString &text);

    void undo() final;
    void redo() final;

    // The bytes this step holds for its change (what the history costs per step).
    virtual qsizetype dataBytes() const = 0;

protected:
    // Make the change backwards or forwards; return the element to select (null: keep). One
    // that throws has changed nothing.
    virtual cQAbstractDialogLayoutItem *applyUndo() = 0;
    virtual cQAbstractDialogLayoutItem *applyRedo() = 0;
    // What undoing (`undo`) or redoing the step does to the tree.
    virtual cQDialogUndoContext::Change change(bool undo) const
    {
        Q_UNUSED(undo);
        return cQDialogUndoContext::Values;
    }
    cQDialogUndoContext &context() const { return mContext; }

private:
    void apply(bool undo);

    cQDialogUndoContext &mContext;
    bool mRecorded = true;
};
