#pragma once

#include "cqdialogundocontext.h"

#include <QObject>

#include <memory>

class QMenu;
class QUndoStack;
class cQDialogUndoRecorder;
class cQModelViewDialogEditorWidget;

// The editor window's undo history: the Undo, Redo and History entries of the "&Edit" menu,
// the History dock, and showing the document again after a step was undone or redone.
class cQDialogUndoWiring : public QObject
{
    Q_OBJECT
public:
    explicit cQDialogUndoWiring(cQModelViewDialogEditorWidget &window);
    ~cQDialogUndoWiring() override;

    cQDialogUndoRecorder &recorder() const { return *mpRecorder; }

private:
    QMenu *editMenu() const;
    void addActions(QUndoStack &stack);
    void addHistoryDock(QUndoStack &stack);
    // After a move through the history in which a step failed: the history goes back to where
    // the document stands, over the steps that did nothing, and the error is reported.
    void stopAtFailure(QUndoStack &stack);
    // After an undone or redone step: tree, table and preview show the document again, the
    // selection on `select` (null: where it is).
    void applied(cQAbstractDialogLayoutItem *select, cQDialogUndoContext::Change change);

    cQModelViewDialogEditorWidget &mWindow;
    std::unique_ptr<cQDialogUndoContext> mpContext;
    std::unique_ptr<cQDialogUndoRecorder> mpRecorder;
    bool mStopping = false;
    // Steps were applied whose changes the preview has yet to show: once the history stands
    // still, so that a jump over many steps updates it once.
    bool mPreviewDue = false;
};
