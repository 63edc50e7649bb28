#include "cqmodelviewdialogeditorwidget.h"
#include "ui_uicqmodelviewdialogeditorsetup.h"

#include "undo/cqdialogundorecorder.h"
#include "undo/cqdialogundowiring.h"
#include "cqdialogdocumentcommands.h"
#include "cqmodelviewdialogeditoredit.h"
#include "cqmodelviewdialogeditorviewitems.h"
#include "cqmodelviewdialoglayouttreewidget.h"
#include "cqemptypreview.h"
#include "cqpreviewupdater.h"
#include "cqpreviewwidgetview.h"
#include "cqveconnectortreewidget.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "q4widgets/cvq4vmvdialogfactory.h"
#include "q4widgets/cvq4vmvmenufactory.h"
#include "q4widgets/cvq4vmvtoolbarfactory.h"
#include "qdialoglayoutitems/cabstractforminfostore.h"
#include "qvmvdialogparameterdlg/cqvmvdialogprmdialog.h"
#include "qvmvtreeviewwidget/cqmodelviewtreewidget.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/cmodulemgr.h"
#include "vellcore/vsa.h"

#include <QCursor>
#include <QDockWidget>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>

cQModelViewDialogEditorWidget::cQModelViewDialogEditorWidget(cVQ4VMVDataViewMgr &dataViewMgr,
                                                             vucs::cLILocale &locale,
                                                             vmva::cDVDataViewArgList *arguments,
                                                             QWidget *parent)
    : QMainWindow(parent), mDataViewMgr(dataViewMgr), mLocale(locale),
      mGlobalArguments(arguments), mModuleMgr(dataViewMgr.moduleMgr()),
      mpUi(std::make_unique<Ui::uiCQModelViewDialogEditorSetup>()), mpArguments(arguments),
      mFactoryRegistry(&dataViewMgr), mpCommands(new cQDialogDocumentCommands(*this))
{
    VELL_ASSERT(arguments != nullptr);
    mpUi->setupUi(this);
    setupDocks();
    setupModelPanels();
    setupPreviewArea();
    mpPreviewUpdater = std::make_unique<cQPreviewUpdater>(mDataViewMgr, mFactoryRegistry,
                                                          *mpArguments, mSearchPaths);
    setupEditing();
    setupElementsDock();
    mpUndoWiring = std::make_unique<cQDialogUndoWiring>(*this);
    mpUndo = &mpUndoWiring->recorder();

    mpUi->mpActEmbeddedPreview->setChecked(true);
    connectActions();
    watchFormInformation();

    refreshLayoutTree(nullptr);
    mFactoryRegistry.rebuildFactories();
    mpViewItems->rebuildMenus();
    updateEmptyHint();
    updateTitle();
    mpParameterDialog->refresh();
}

cQModelViewDialogEditorWidget::~cQModelViewDialogEditorWidget()
{
    delete mpDataModelsWindow;
    mpDataModelsWindow = nullptr;
    delete mpEdit;
    mpEdit = nullptr;
    mpUndo = nullptr;
    mpUndoWiring.reset();
    mpConnectorTable->setProperties(nullptr);
    mpLayoutTree->clear();
    mpDocument.reset();
    delete mpPropertyStack;
    mpPropertyStack = nullptr;
    delete mpParameterDialog;
    mpParameterDialog = nullptr;
    delete mpTopLevelPreview;
    mpTopLevelPreview = nullptr;
    delete mpViewItems;
    mpViewItems = nullptr;
    mpPreviewUpdater.reset();
    delete mpPreviewView;
    mpPreviewView = nullptr;
}

void cQModelViewDialogEditorWidget::setFileDialogProvider(
    std::unique_ptr<cFileDialogProvider> provider)
{
    mpCommands->setFileDialogProvider(std::move(provider));
}

vstd::cAsciiString cQModelViewDialogEditorWidget::documentType() const
{
    return mpDocument->documentType();
}

void cQModelViewDialogEditorWidget::updateTitle()
{
    const QString &name = fileName();
    const QString shown = name.isEmpty() ? QStringLiteral("untitled.dlg") : name;
    setWindowTitle(tr("VELL model based dialog editor (")
                   + qstr(vio::cFileInfo(qstr(shown)).fileBaseName()) + QStringLiteral(")"));
}

void cQModelViewDialogEditorWidget::uiNewDocument(bool)
{
    mpCommands->newDocument();
}

void cQModelViewDialogEditorWidget::uiLoadDocument(bool)
{
    mpCommands->chooseAndLoad();
}

void cQModelViewDialogEditorWidget::loadDocument(const QString &path, bool ignoreUnknown)
{
    mpCommands->loadDocument(path, ignoreUnknown);
}

void cQModelViewDialogEditorWidget::uiSaveDocument(bool)
{
    mpCommands->saveAs();
}

void cQModelViewDialogEditorWidget::uiSaveCurrentDocument(bool)
{
    mpCommands->save();
}

bool cQModelViewDialogEditorWidget::saveCurrentDocument()
{
    return mpCommands->save();
}

const QString &cQModelViewDialogEditorWidget::fileName() const
{
    return mpCommands->fileName();
}

bool cQModelViewDialogEditorWidget::hasUnsavedChanges() const
{
    return !mpUndo->stack().isClean() || mpUndo->hasPendingFormEdit();
}

void cQModelViewDialogEditorWidget::markUnsaved()
{
    mpUndo->stack().resetClean();
}

void cQModelViewDialogEditorWidget::setFileName(const QString &path)
{
    mpCommands->setFileName(path);
    updateTitle();
}

void cQModelViewDialogEditorWidget::saveDocument(const QString &path)
{
    mpDocument->saveDocument(qstr(path));
}

void cQModelViewDialogEditorWidget::saveRecoveryCopy(const QString &path)
{
    mpDocument->saveCopy(qstr(path));
}

void cQModelViewDialogEditorWidget::uiLoadUiPlugIn(bool)
{
    mpCommands->loadUiPlugIn();
}

std::unique_ptr<QWidget> cQModelViewDialogEditorWidget::createPreview(QWidget *parent,
                                                                      bool topLevel)
{
    // Written into the memory of the previous copy: one allocation while the form grows, not
    // one or more per rebuild.
    vsa::cSerializeBinary serializer("Form", std::move(mPreviewRoom));
    serializer.setPreferNoLabels(false);
    mpDocument->storePreview(serializer);
    QByteArray copy = serializer.takeData();
    std::unique_ptr<QWidget> preview;
    {
        vsa::cDeserializeBinary document(copy);
        document.setPreferNoLabels(false);
        preview = buildPreview(document, parent, topLevel);
    }
    mPreviewRoom = std::move(copy);
    return preview;
}

std::unique_ptr<QWidget> cQModelViewDialogEditorWidget::buildPreview(
    vsa::cAbstractDeserializer &document, QWidget *parent, bool topLevel)
{
    switch (mpDocument->root().viewCategory()) {
    case vq4::CategoryDialog: {
        cVQ4VMVDialogFactory factory(mDataViewMgr, mSearchPaths);
        std::unique_ptr<cVQ4AppWidget> window(
            factory.createDialog(parent, *mpArguments, document, nullptr));
        if (window) {
            window->linkLocale(mLocale);
            window->setCloseAllowed(topLevel);
        }
        return window;
    }
    case vq4::CategoryMenu: {
        cVQ4VMVMenuFactory factory(mDataViewMgr, mLocale, mSearchPaths);
        if (parent) {
            auto container = std::make_unique<QWidget>(parent);
            auto *layout = new QHBoxLayout(container.get());
            auto *menuBar = new QMenuBar(container.get());
            layout->addWidget(menuBar);
            QMenu *menu = factory.createMenu(menuBar, *mpArguments, document);
            if (!menu)
                return nullptr;
            menuBar->addMenu(menu);
            return container;
        }
        QMenu popup;
        QMenu *menu = factory.createMenu(&popup, *mpArguments, document);
        if (menu) {
            popup.addMenu(menu);
            popup.exec(QCursor::pos());
        }
        return nullptr;
    }
    case vq4::CategoryToolBar: {
        cVQ4VMVToolbarFactory factory(mDataViewMgr, mLocale, mSearchPaths);
        auto container = std::make_unique<QWidget>(parent);
        auto *layout = new QHBoxLayout(container.get());
        QToolBar *toolBar = factory.createToolBar(container.get(), *mpArguments, document);
        if (!toolBar)
            return nullptr;
        QSizePolicy policy = toolBar->sizePolicy();
        policy.setHorizontalStretch(10);
        toolBar->setSizePolicy(policy);
        layout->addWidget(toolBar);
        return container;
    }
    default:
        return nullptr;
    }
}

void cQModelViewDialogEditorWidget::uiCreateEmbeddedPreview(bool)
{
    if (!mpPreviewView)
        return;
    mpPreviewUpdater->forget();
    mPreviewBehind = false;
    VELL_TRACE_AT(kTraceSource, "CreatePreview...");
    VELL_TRACE_AT(kTraceSource, "DebugDump");
    // The dump only costs time when somebody reads the debug stream.
    if (vpi::system().enabled()) {
        vsa::cSerializeDebug dump("Form");
        mpDocument->storeElements(dump);
    }
    // Switched off, the view shows its placeholder: nothing is built to be thrown away.
    std::unique_ptr<QWidget> preview;
    if (mpPreviewView->isEnabled())
        preview = createPreview(mpPreviewView->pagesWidget(), false);
    if (preview) {
        rebuildPreviewOnNodeLoss(*preview);
        mpPreviewView->setPreview(preview.release());
    } else {
        mpPreviewView->showEmptyPreview();
    }
    cQAbstractDialogLayoutItem *current = currentLayoutItem();
    if (current && mpPreviewView->isEnabled())
        mpPreviewView->selectElement(current->debugInfo());
    refreshTopLevelPreview();
}

void cQModelViewDialogEditorWidget::uiCreateTopLevelPreview(bool)
{
    openTopLevelPreview(true);
}

void cQModelViewDialogEditorWidget::openTopLevelPreview(bool activate)
{
    QRect previous;
    const bool hadPreview = mpTopLevelPreview != nullptr;
    if (hadPreview) {
        previous = QRect(mpTopLevelPreview->pos(), mpTopLevelPreview->size());
        delete mpTopLevelPreview;
        mpTopLevelPreview = nullptr;
    }
    std::unique_ptr<QWidget> preview = createPreview(nullptr, true);
    if (!preview)
        return;
    // A dialog window of the editor's: window managers keep a dialog in front of the window
    // it belongs to (on X11 only dialogs and tools are transient; a plain window of the
    // editor's went behind it as soon as the editor was clicked).
    preview->setParent(this, (preview->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    if (hadPreview) {
        preview->resize(previous.size());
        preview->move(previous.topLeft());
    } else {
        placeBesideEditor(*preview);
    }
    // Rebuilt while the user types, it must not take the keyboard away from the editor.
    const bool editorActive = isActiveWindow();
    preview->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    preview->show();
    mpTopLevelPreview = preview.release();
    // Some platforms activate every new window all the same, after this returns.
    if (!activate && editorActive)
        activateWindow();
}

void cQModelViewDialogEditorWidget::refreshTopLevelPreview()
{
    if (!mpTopLevelPreview || !mpTopLevelPreview->isVisible())
        return;
    const int category = mpDocument->root().viewCategory();
    // A menu previews as a popup that would open at every edit; nothing to show stays empty.
    if ((category != vq4::CategoryDialog && category != vq4::CategoryToolBar)
        || mpDocument->root().children().empty()) {
        delete mpTopLevelPreview;
        mpTopLevelPreview = nullptr;
        return;
    }
    openTopLevelPreview(false);
}

void cQModelViewDialogEditorWidget::placeBesideEditor(QWidget &preview) const
{
    preview.adjustSize();
    const QRect editor = frameGeometry();
    const QSize size = preview.size();
    const int gap = 8;
    const QRect room = screen() ? screen()->availableGeometry() : QRect();
    QPoint at(editor.right() + 1 + gap, editor.top());
    if (room.isValid() && at.x() + size.width() > room.right()) {
        at.setX(editor.left() - gap - size.width());
        if (at.x() < room.left()) {
            // No room on either side: over the editor's right part, below its menu bar.
            at.setX(std::max(room.left(), room.right() - size.width()));
            at.setY(mapToGlobal(QPoint(0, menuBar()->geometry().bottom() + 1 + gap)).y());
        }
    }
    preview.move(at);
}

void cQModelViewDialogEditorWidget::uiEmbeddedPreviewEnabled(bool checked)
{
    mpPreviewView->setEnabled(checked);
    if (checked)
        uiCreateEmbeddedPreview(false);
    else
        mpPreviewView->showEmptyPreview();
}

void cQModelViewDialogEditorWidget::previewChanged(const cQAbstractDialogLayoutItem *touched)
{
    if (touched)
        mpPreviewUpdater->noteValues(*touched);
    if (!mpUi->mpActAutoUpdatePreview->isChecked()) {
        // What the previews show is behind now, so the next change rebuilds them whole.
        mpPreviewUpdater->forget();
        mPreviewBehind = true;
        return;
    }
    VELL_TRACE_AT(kTraceSource, "Preview changed.");
    cAbstractFormInfoStore &formInfo = mpDocument->formInfoStore();
    formInfo.updateTranslationList();
    formInfo.setFormType(documentType());
    const bool updated = !mPreviewBehind && mpPreviewUpdater->hasNotes() && updatePreviews();
    mpPreviewUpdater->forget();
    if (!updated)
        uiCreateEmbeddedPreview(false);
}

bool cQModelViewDialogEditorWidget::updatePreviews()
{
    // The placeholder shown while the embedded preview is off, or after a failed build, holds
    // nothing to update.
    QWidget *embedded = mpPreviewView->isEnabled() ? mpPreviewView->currentPreview() : nullptr;
    if (!embedded || qobject_cast<cQEmptyPreview *>(embedded))
        return false;
    // Elements added since the last preview get their identities as a whole rebuild gives them.
    cQDialogLayoutRootItem &root = mpDocument->root();
    root.assignDebugInfo();
    const auto adopt = [this](QObject &built) {
        rebuildPreviewOnNodeLoss(built);
        if (built.isWidgetType())
            mpPreviewView->watchPresses(static_cast<QWidget &>(built));
    };
    if (!mpPreviewUpdater->apply(*embedded, root, adopt))
        return false;
    const cQAbstractDialogLayoutItem *current = currentLayoutItem();
    mpPreviewView->selectElement(current ? current->debugInfo() : vstd::cAsciiString());
    if (mpTopLevelPreview && mpTopLevelPreview->isVisible()
        && !mpPreviewUpdater->apply(*mpTopLevelPreview, root, {}))
        refreshTopLevelPreview();
    return true;
}
