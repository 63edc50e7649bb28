#include "cqdialogundowiring.h"

#include "cqdialogundorecorder.h"

#include "qdialogeditorwidget/cqmodelviewdialogeditoredit.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditorviewitems.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreewidget.h"
#include "qdialogeditorwidget/cqpreviewupdater.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "qdialogeditorwidget/propertywidgets/cqmvviewlocationdialog.h"

#include "formdialog/cqvmvformdialog.h"
#include "vellcore/cerrorreporter.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QStyle>
#include <QUndoView>

cQDialogUndoWiring::cQDialogUndoWiring(cQModelViewDialogEditorWidget &window)
    : mWindow(window),
      mpContext(std::make_unique<cQDialogUndoContext>(*window.mpDocument,
                                                      window.mFactoryRegistry))
{
    using W = cQModelViewDialogEditorWidget;
    mpContext->releaseItems = [this](const cQAbstractDialogLayoutItem &item) {
        mWindow.mpConnectorTable->setProperties(nullptr);
        mpRecorder->track(nullptr);
        // The rows of the element go with it; all of them when they cannot be told apart.
        if (!mWindow.mpLayoutTree->removeRows(item))
            mWindow.mpLayoutTree->clear();
        mWindow.mpPreviewUpdater->noteRemoval(item);
    };
    mpContext->changed = [this](cQAbstractDialogLayoutItem *select,
                                cQDialogUndoContext::Change change) { applied(select, change); };
    mpRecorder = std::make_unique<cQDialogUndoRecorder>(*mpContext, window.mpFormDialog);
    window.mpEdit->setUndoRecorder(mpRecorder.get());
    window.mpViewItems->setUndoRecorder(mpRecorder.get());
    connect(&window, &W::documentSaved, mpRecorder.get(), &cQDialogUndoRecorder::documentSaved);
    connect(&window, &W::documentReplaced, mpRecorder.get(),
            &cQDialogUndoRecorder::documentReplaced);
    // Every way into the stack (the entries, their shortcuts, the History view) ends here, and
    // before the view hears of the new index.
    QUndoStack &stack = mpRecorder->stack();
    connect(&stack, &QUndoStack::indexChanged, this, [this, &stack] { stopAtFailure(stack); });
    connect(&stack, &QUndoStack::indexChanged, this, [this] {
        if (!mPreviewDue)
            return;
        mPreviewDue = false;
        vpi::cErrorReporter::guard([this] { mWindow.previewChanged(); });
    });
    addActions(mpRecorder->stack());
    addHistoryDock(mpRecorder->stack());
}

cQDialogUndoWiring::~cQDialogUndoWiring()
{
    // The window may have let its editing parts go already.
    if (mWindow.mpEdit)
        mWindow.mpEdit->setUndoRecorder(nullptr);
    if (mWindow.mpViewItems)
        mWindow.mpViewItems->setUndoRecorder(nullptr);
}

QMenu *cQDialogUndoWiring::editMenu() const
{
    return mWindow.findChild<QMenu *>(QStringLiteral("mpMnuEdit"));
}

void cQDialogUndoWiring::addActions(QUndoStack &stack)
{
    auto *undo = new QAction(tr("Undo"), &mWindow);
    undo->setObjectName(QStringLiteral("mpActUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto *redo = new QAction(tr("Redo"), &mWindow);
    redo->setObjectName(QStringLiteral("mpActRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                        QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // A step fails without throwing; anything else that goes wrong is reported here.
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

    QMenu *edit = editMenu();
    edit->addSeparator();
    edit->addAction(undo);
    edit->addAction(redo);
}

void cQDialogUndoWiring::addHistoryDock(QUndoStack &stack)
{
    auto *dock = new QDockWidget(tr("History"), &mWindow);
    dock->setObjectName(QStringLiteral("mpDockHistory"));
    auto *view = new QUndoView(&stack, dock);
    view->setObjectName(QStringLiteral("mpHistoryView"));
    // The state last saved is marked.
    view->setCleanIcon(mWindow.style()->standardIcon(QStyle::SP_DialogSaveButton));
    dock->setWidget(view);
    mWindow.addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    QAction *history = dock->toggleViewAction();
    history->setObjectName(QStringLiteral("mpActHistory"));
    editMenu()->addAction(history);
}

void cQDialogUndoWiring::stopAtFailure(QUndoStack &stack)
{
    cQDialogUndoContext::tFailure &failure = mpContext->failure;
    if (!failure.step || mStopping)
        return;
    int at = 0;
    while (at < stack.count() && stack.command(at) != failure.step)
        ++at;
    mStopping = true;
    stack.setIndex(failure.undo ? at + 1 : at);
    mStopping = false;
    const std::unique_ptr<vstd::cAbstractException> error = std::move(failure.error);
    failure = {};
    vpi::cErrorReporter::report(*error);
}

void cQDialogUndoWiring::applied(cQAbstractDialogLayoutItem *select,
                                 cQDialogUndoContext::Change change)
{
    using C = cQDialogUndoContext;
    cQModelViewDialogLayoutTreeWidget &tree = *mWindow.mpLayoutTree;
    if (change == C::Values && select)
        tree.refreshTextsAround(*select);
    else if (change == C::Values)
        tree.refreshTexts();
    if (change != C::Values || (select && select != mWindow.currentLayoutItem())) {
        // Rows are added or taken where the elements changed; a large form is not refilled.
        const bool rowsKept = tree.topLevelItemCount() > 0 && change != C::Moved
                              && (change != C::Added || tree.insertRows(*select));
        if (rowsKept)
            tree.setCurrentLayoutItem(select);
        else
            mWindow.refreshLayoutTree(select);
        // The table, the location panel and the menus follow the new selection at once.
        tree.sigItemActivated.emitSignal(tree.currentItem());
    } else if (select) {
        mWindow.mpConnectorTable->updateInfo();
        mpRecorder->track(select);
        if (mWindow.mpViewLocationDialog->isEnabled())
            mWindow.sltNotifyDialogConnectorSelected(
                mWindow.mpConnectorTable->currentPropertyName());
    }
    mpRecorder->endMerging();
    emit mWindow.documentModified();
    cQPreviewUpdater &preview = *mWindow.mpPreviewUpdater;
    if (change == C::Values && select)
        preview.noteValues(*select);
    else if ((change == C::Added || change == C::Moved) && select && select->parentOrNull())
        preview.noteChildren(*select->parentOrNull());
    mPreviewDue = true;
}
