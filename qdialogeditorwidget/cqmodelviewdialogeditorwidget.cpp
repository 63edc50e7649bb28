#include "cqmodelviewdialogeditorwidget.h"
#include "ui_uicqmodelviewdialogeditorsetup.h"

#include "undo/cqdialogundorecorder.h"
#include "undo/cqdialogundowiring.h"
#include "cqmodelviewdialogeditoredit.h"
#include "cqmodelviewdialogeditorviewitems.h"
#include "cqmodelviewdialoglayouttreewidget.h"
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
#include <QStackedWidget>

cQModelViewDialogEditorWidget::cQModelViewDialogEditorWidget(cVQ4VMVDataViewMgr &dataViewMgr,
                                                             vucs::cLILocale &locale,
                                                             vmva::cDVDataViewArgList *arguments,
                                                             QWidget *parent)
    : QMainWindow(parent), mDataViewMgr(dataViewMgr), mLocale(locale),
      mGlobalArguments(arguments), mModuleMgr(dataViewMgr.moduleMgr()),
      mpUi(std::make_unique<Ui::uiCQModelViewDialogEditorSetup>()), mpArguments(arguments),
      mFactoryRegistry(&dataViewMgr), mpFileDialogs(std::make_unique<cFileDialogProvider>())
{
    VELL_ASSERT(arguments != nullptr);
    mpUi->setupUi(this);
    setupDocks();
    setupModelPanels();
    setupPreviewArea();
    setupEditing();
    mpUndoWiring = std::make_unique<cQDialogUndoWiring>(*this);
    mpUndo = &mpUndoWiring->recorder();

    mpUi->mpActEmbeddedPreview->setChecked(true);
    connectActions();
    watchFormInformation();

    refreshLayoutTree(nullptr);
    mFactoryRegistry.rebuildFactories();
    mpViewItems->rebuildMenus();
    mFileName.clear();
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
    delete mpPreviewView;
    mpPreviewView = nullptr;
}

void cQModelViewDialogEditorWidget::setFileDialogProvider(
    std::unique_ptr<cFileDialogProvider> provider)
{
    mpFileDialogs = provider ? std::move(provider) : std::make_unique<cFileDialogProvider>();
}

vstd::cAsciiString cQModelViewDialogEditorWidget::documentType() const
{
    return mpDocument->documentType();
}

void cQModelViewDialogEditorWidget::updateTitle()
{
    const QString shown = mFileName.isEmpty() ? QStringLiteral("untitled.dlg") : mFileName;
    setWindowTitle(tr("VELL model based dialog editor (")
                   + qstr(vio::cFileInfo(qstr(shown)).fileBaseName()) + QStringLiteral(")"));
}

QString cQModelViewDialogEditorWidget::startFolder() const
{
    if (!mFileName.isEmpty())
        return QFileInfo(mFileName).absolutePath();
    return qstr(mDataViewMgr.uiRootPath());
}

void cQModelViewDialogEditorWidget::uiNewDocument(bool)
{
    releaseDocument();
    mFileName.clear();
    mpDocument->newDocument();
    refreshLayoutTree(nullptr);
    emit documentReplaced();
    uiCreateEmbeddedPreview(false);
    updateTitle();
}

void cQModelViewDialogEditorWidget::releaseDocument()
{
    emit documentAboutToBeReplaced();
    // The table's rows and the tree's rows refer to the items about to go.
    mpConnectorTable->setProperties(nullptr);
    mpUndo->track(nullptr);
    mpLayoutTree->clear();
}

void cQModelViewDialogEditorWidget::uiLoadDocument(bool)
{
    const QString path = mpFileDialogs->openFileName(this, tr("Choose a Form"), startFolder(),
                                                     tr("Forms (*)"));
    if (!path.isEmpty())
        loadDocument(path, true);
}

void cQModelViewDialogEditorWidget::loadDocument(const QString &path, bool ignoreUnknown)
{
    // The document changes only once the whole file was read; from then on the window shows
    // the new one, under its name, whatever fails later. A file that cannot be read leaves
    // the window as it was, table and selection included.
    mpDocument->loadDocument(qstr(path), ignoreUnknown, [this] { releaseDocument(); });
    mFileName = path;
    updateTitle();
    refreshLayoutTree(nullptr);
    emit documentReplaced();
    cAbstractFormInfoStore &formInfo = mpDocument->formInfoStore();
    formInfo.updateTranslationList();
    formInfo.setFormType(documentType());
    try {
        uiCreateEmbeddedPreview(false);
    } catch (const vstd::cAbstractException &e) {
        // The old document's preview must not stay; the load itself stands.
        mpPreviewView->showEmptyPreview();
        vstd::cRuntimeException failed(
            vucs::cLIMessage("$VTR$Form %file% was loaded, but its preview failed!") << path,
            __FILE__, __LINE__);
        failed.link(e);
        throw failed;
    }
}

void cQModelViewDialogEditorWidget::uiSaveDocument(bool)
{
    saveDocumentAs();
}

bool cQModelViewDialogEditorWidget::saveDocumentAs()
{
    // The dialog adds the suffix itself, so that it asks before replacing the file that will
    // really be written.
    QString path = mpFileDialogs->saveFileName(this, tr("Specify a name for the Form"),
                                               startFolder(), tr("Forms (*)"),
                                               QStringLiteral("dlg"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".dlg");
    // The name is taken only once the document is in the file.
    saveDocument(path);
    mFileName = path;
    savedDocument();
    return true;
}

void cQModelViewDialogEditorWidget::uiSaveCurrentDocument(bool)
{
    saveCurrentDocument();
}

bool cQModelViewDialogEditorWidget::saveCurrentDocument()
{
    // Save as saves too, once it has a name.
    if (mFileName.isEmpty())
        return saveDocumentAs();
    saveDocument(mFileName);
    savedDocument();
    return true;
}

bool cQModelViewDialogEditorWidget::hasUnsavedChanges() const
{
    return !mpUndo->stack().isClean() || mpUndo->hasPendingFormEdit();
}

void cQModelViewDialogEditorWidget::markUnsaved()
{
    mpUndo->stack().resetClean();
}

void cQModelViewDialogEditorWidget::savedDocument()
{
    if (mpPropertyStack->count() > 0)
        mpPropertyStack->setCurrentIndex(0);
    updateTitle();
    emit documentSaved();
}

void cQModelViewDialogEditorWidget::setFileName(const QString &path)
{
    mFileName = path;
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
    const QString path = mpFileDialogs->openFileName(this, tr("Choose a Component"), QString(),
                                                     tr("Components (*)"));
    if (path.isEmpty())
        return;
    vsa::cReferenceFrame frame;
    mDataViewMgr.loadDataViewElement(qstr(path), frame);
    mFactoryRegistry.rebuildFactories();
    mpViewItems->rebuildMenus();
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
}

void cQModelViewDialogEditorWidget::uiCreateTopLevelPreview(bool)
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
    if (hadPreview) {
        preview->resize(previous.size());
        preview->move(previous.topLeft());
    }
    preview->show();
    mpTopLevelPreview = preview.release();
}

void cQModelViewDialogEditorWidget::uiEmbeddedPreviewEnabled(bool checked)
{
    mpPreviewView->setEnabled(checked);
    if (checked)
        uiCreateEmbeddedPreview(false);
    else
        mpPreviewView->showEmptyPreview();
}

void cQModelViewDialogEditorWidget::previewChanged()
{
    if (!mpUi->mpActAutoUpdatePreview->isChecked())
        return;
    VELL_TRACE_AT(kTraceSource, "Preview changed.");
    cAbstractFormInfoStore &formInfo = mpDocument->formInfoStore();
    formInfo.updateTranslationList();
    formInfo.setFormType(documentType());
    uiCreateEmbeddedPreview(false);
}
