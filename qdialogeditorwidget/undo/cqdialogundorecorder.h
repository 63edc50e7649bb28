#pragma once

#include "cqdialogundopropertycommand.h"

#include "formdialog/cqvmvformdialog.h"

#include <QObject>
#include <QUndoStack>

#include <vector>

class cQDialogUndoCommand;

// Turns every change of the document into a step of its undo history. The editing code makes
// its change and reports it here; property editors and the form information panel are
// watched by comparing what they show with what was there before.
class cQDialogUndoRecorder : public QObject
{
    Q_OBJECT
public:
    // The newest steps kept; older ones are dropped as new ones come. A step holds a few
    // hundred bytes, an element record or one picture (shared with its neighbours), so this
    // bounds the history to what a long session of editing needs.
    static constexpr int kMaxSteps = 500;

    // `panel` may be null (no form information steps).
    cQDialogUndoRecorder(cQDialogUndoContext &context, cQVMVFormDialog *panel);
    ~cQDialogUndoRecorder() override;

    QUndoStack &stack() { return mStack; }
    const QUndoStack &stack() const { return mStack; }
    // What the steps of the history hold, in bytes.
    qsizetype dataBytes() const;

    // `item` was just added (appended, inserted, pasted); `verb` names how. `record`, when
    // given, is its element record already written (a clipboard entry).
    void recordAdded(const cQAbstractDialogLayoutItem &item, const QString &verb,
                     const QByteArray &record = QByteArray());
    // `item` is about to be taken out (removed, cut), not yet marked.
    void recordTakingOut(const cQAbstractDialogLayoutItem &item, const QString &verb);
    // `item` was just moved, with its subtree, from `from` to where it stands; `verb` names
    // how.
    void recordRelocated(const cQAbstractDialogLayoutItem &item,
                         const cQDialogUndoContext::tPath &from, const QString &verb);
    // `item` was just exchanged with its previous (`up`) or next sibling.
    void recordMoved(const cQAbstractDialogLayoutItem &item, bool up);

    // The property table now shows `item` (null: nothing); its values are remembered so that a
    // commit can tell what changed. Ends merging.
    void track(const cQAbstractDialogLayoutItem *item);
    // A property editor of the table committed a change to the tracked element.
    void propertiesCommitted();
    // `property` of `item`, which held `before`, was changed outside the table.
    void recordProperty(const cQAbstractDialogLayoutItem &item,
                        const vmva::cDVIAbstractProperty &property,
                        const cQDialogUndoPropertyCommand::tValueSet &before);
    // The form information panel shows a change that is not a step yet (typing goes on).
    bool hasPendingFormEdit() const;
    // The next commit is a step of its own (a step was undone or redone).
    void endMerging() { ++mSession; }

public slots:
    void formEdited();
    // The document was written: the next edit is a new step.
    void documentSaved();
    // Another document replaced this one: its history is gone.
    void documentReplaced();

private:
    void push(cQDialogUndoCommand *command);
    void pushProperty(const cQAbstractDialogLayoutItem &item,
                      const vmva::cDVIAbstractProperty &property,
                      const cQDialogUndoPropertyCommand::tValueSet &before,
                      const cQDialogUndoPropertyCommand::tValueSet &after);

    cQDialogUndoContext &mContext;
    cQVMVFormDialog *mpPanel;
    QUndoStack mStack;
    const cQAbstractDialogLayoutItem *mpTracked = nullptr;
    // The tracked element's values, in the order of its properties.
    std::vector<cQDialogUndoPropertyCommand::tValueSet> mTrackedValues;
    cQVMVFormDialog::tEditSet mFormFields;
    int mSession = 0;
};
