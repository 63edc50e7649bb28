// The window's undo history: the "&Edit" menu's Undo, Redo and History entries, the History
// dock, and showing the document again after a step was undone or redone.
#include "cqmodelviewdialogeditorwidget.h"
#include "ui_uicqmodelviewdialogeditorsetup.h"

#include "cqdialogundocontext.h"
#include "cqdialogundorecorder.h"
#include "cqmodelviewdialogeditoredit.h"
#include "cqmodelviewdialogeditorviewitems.h"
#include "cqmodelviewdialoglayouttreewidget.h"
#include "cqveconnectortreewidget.h"
#include "propertywidgets/cqmvviewlocationdialog.h"

#include "formdialog/cqvmvformdialog.h"
#include "vellcore/cerrorreporter.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QStyle>
#include <QUndoView>

void cQModelViewDialogEditorWidget::setupUndo()
{
    using W = cQModelViewDialogEditorWidget;
    mpUndoContext = std::make_unique<cQDialogUndoContext>(*mpDocument, mFactoryRegistry);
    mpUndoContext->releaseItems = [this](const cQAbstractDialogLayoutItem &item) {
        mpConnectorTable->setProperties(nullptr);
        mpUndo->track(nullptr);
        // The rows of the element go with it; all of them when they cannot be told apart.
        if (!mpLayoutTree->removeRows(item))
            mpLayoutTree->clear();
    };
    mpUndoContext->changed = [this](cQAbstractDialogLayoutItem *select,
                                    cQDialogUndoContext::Change change) {
        undoApplied(select, change);
    };
    mpUndo = std::make_unique<cQDialogUndoRecorder>(*mpUndoContext, mpFormDialog);
    mpEdit->setUndoRecorder(mpUndo.get());
    mpViewItems->setUndoRecorder(mpUndo.get());
    connect(this, &W::documentSaved, mpUndo.get(), &cQDialogUndoRecorder::documentSaved);
    connect(this, &W::documentReplaced, mpUndo.get(), &cQDialogUndoRecorder::documentReplaced);

    QUndoStack &stack = mpUndo->stack();
    auto *undo = new QAction(tr("Undo"), this);
    undo->setObjectName(QStringLiteral("mpActUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto *redo = new QAction(tr("Redo"), this);
    redo->setObjectName(QStringLiteral("mpActRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                        QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // A step that fails to apply reports its error; the history stays where it was.
    connect(undo, &QAction::triggered, &stack,
            [&stack] { vpi::cErrorReporter::guard([&stack] { stack.undo(); }); });
    connect(redo, &QAction::triggered, &stack,
            [&stack] { vpi::cErrorReporter::guard([&stack] { stack.redo(); }); });
    const auto updateActions = [&stack, undo, redo] {
        undo->setEnabled(stack.canUndo());
        redo->setEnabled(stack.canRedo());
        const QString undoText = stack.undoText(), redoText = stack.redoText();
        undo->setText(undoText.isEmpty() ? tr("Undo") : tr("Undo %1").arg(undoText));
        redo->setText(redoText.isEmpty() ? tr("Redo") : tr("Redo %1").arg(redoText));
    };
    connect(&stack, &QUndoStack::indexChanged, this, updateActions);
    connect(&stack, &QUndoStack::cleanChanged, this, updateActions);
    updateActions();

    mpHistoryDock = new QDockWidget(tr("History"), this);
    mpHistoryDock->setObjectName(QStringLiteral("mpDockHistory"));
    auto *view = new QUndoView(&stack, mpHistoryDock);
    view->setObjectName(QStringLiteral("mpHistoryView"));
    // The state last saved is marked.
    view->setCleanIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    mpHistoryDock->setWidget(view);
    addDockWidget(Qt::RightDockWidgetArea, mpHistoryDock);
    mpHistoryDock->hide();
    QAction *history = mpHistoryDock->toggleViewAction();
    history->setObjectName(QStringLiteral("mpActHistory"));

    QMenu *edit = mpUi->mpMnuEdit;
    edit->addSeparator();
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addAction(history);
}

void cQModelViewDialogEditorWidget::undoApplied(cQAbstractDialogLayoutItem *select,
                                                cQDialogUndoContext::Change change)
{
    using C = cQDialogUndoContext;
    if (change == C::Values)
        mpLayoutTree->refreshTexts();
    if (change != C::Values || (select && select != currentLayoutItem())) {
        // Rows are added or taken where the elements changed; a large form is not refilled.
        const bool rowsKept = mpLayoutTree->topLevelItemCount() > 0 && change != C::Moved
                              && (change != C::Added || mpLayoutTree->insertRows(*select));
        if (rowsKept)
            mpLayoutTree->setCurrentLayoutItem(select);
        else
            refreshLayoutTree(select);
        // The table, the location panel and the menus follow the new selection at once.
        mpLayoutTree->sigItemActivated.emitSignal(mpLayoutTree->currentItem());
    } else if (select) {
        mpConnectorTable->updateInfo();
        mpUndo->track(select);
        if (mpViewLocationDialog->isEnabled())
            sltNotifyDialogConnectorSelected(mpConnectorTable->currentPropertyName());
    }
    mpUndo->endMerging();
    emit documentModified();
    previewChanged();
}
