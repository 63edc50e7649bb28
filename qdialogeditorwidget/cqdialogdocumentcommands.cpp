#include "cqdialogdocumentcommands.h"

#include "cqmodelviewdialogeditorviewitems.h"
#include "cqmodelviewdialogeditorwidget.h"
#include "cqmodelviewdialoglayouttreewidget.h"
#include "cqpreviewwidgetview.h"
#include "cqveconnectortreewidget.h"
#include "undo/cqdialogundorecorder.h"

#include "cquiconversionreportdialog.h"

#include "q4support/cvq4qtboundary.h"
#include "qdialoglayoutitems/cabstractforminfostore.h"
#include "qdialoglayoutitems/cforminforecord.h"
#include "qdialoguiconverter/cuiformfiles.h"
#include "qdialoguiconverter/cuiformwriter.h"
#include "vellcore/cplatform.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStackedWidget>

#include <algorithm>

cQDialogDocumentCommands::cQDialogDocumentCommands(cQModelViewDialogEditorWidget &window)
    : QObject(&window), mWindow(window),
      mpFileDialogs(std::make_unique<cFileDialogProvider>())
{
    setObjectName(QStringLiteral("mpDocumentCommands"));
}

void cQDialogDocumentCommands::setFileDialogProvider(
    std::unique_ptr<cFileDialogProvider> provider)
{
    mpFileDialogs = provider ? std::move(provider) : std::make_unique<cFileDialogProvider>();
}

QString cQDialogDocumentCommands::startFolder() const
{
    if (!mFileName.isEmpty())
        return QFileInfo(mFileName).absolutePath();
    return qstr(mWindow.mDataViewMgr.uiRootPath());
}

void cQDialogDocumentCommands::releaseDocument()
{
    emit mWindow.documentAboutToBeReplaced();
    // The table's rows and the tree's rows refer to the items about to go.
    mWindow.mpConnectorTable->setProperties(nullptr);
    mWindow.mpUndo->track(nullptr);
    mWindow.mpLayoutTree->clear();
}

void cQDialogDocumentCommands::newDocument()
{
    releaseDocument();
    mFileName.clear();
    mWindow.mpDocument->newDocument();
    mWindow.refreshLayoutTree(nullptr);
    emit mWindow.documentReplaced();
    mWindow.uiCreateEmbeddedPreview(false);
    mWindow.updateTitle();
}

void cQDialogDocumentCommands::chooseAndLoad()
{
    const QString path = mpFileDialogs->openFileName(&mWindow, tr("Choose a Form"),
                                                     startFolder(), tr("Forms (*)"));
    if (!path.isEmpty())
        loadDocument(path, true);
}

void cQDialogDocumentCommands::loadDocument(const QString &path, bool ignoreUnknown)
{
    // The document changes only once the whole file was read; from then on the window shows
    // the new one, under its name, whatever fails later. A file that cannot be read leaves
    // the window as it was, table and selection included.
    mWindow.mpDocument->loadDocument(qstr(path), ignoreUnknown, [this] { releaseDocument(); });
    // Kept absolute: a name given relative to the folder the editor started in would, once
    // recovery reopens the form in an editor started elsewhere, save into another file.
    mFileName = QFileInfo(path).absoluteFilePath();
    mWindow.updateTitle();
    mWindow.refreshLayoutTree(nullptr);
    emit mWindow.documentReplaced();
    cAbstractFormInfoStore &formInfo = mWindow.mpDocument->formInfoStore();
    formInfo.updateTranslationList();
    formInfo.setFormType(mWindow.documentType());
    try {
        mWindow.uiCreateEmbeddedPreview(false);
    } catch (const vstd::cAbstractException &e) {
        // The old document's preview must not stay; the load itself stands.
        mWindow.mpPreviewView->showEmptyPreview();
        vstd::cRuntimeException failed(
            vucs::cLIMessage("$VTR$Form %file% was loaded, but its preview failed!") << path,
            __FILE__, __LINE__);
        failed.link(e);
        throw failed;
    }
}

bool cQDialogDocumentCommands::saveAs()
{
    // The dialog adds the suffix itself, so that it asks before replacing the file that will
    // really be written.
    QString path = mpFileDialogs->saveFileName(&mWindow, tr("Specify a name for the Form"),
                                               startFolder(), tr("Forms (*)"),
                                               QStringLiteral("dlg"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".dlg");
    // The name is taken only once the document is in the file.
    mWindow.saveDocument(path);
    mFileName = path;
    saved();
    return true;
}

bool cQDialogDocumentCommands::save()
{
    // Save as saves too, once it has a name.
    if (mFileName.isEmpty())
        return saveAs();
    mWindow.saveDocument(mFileName);
    saved();
    return true;
}

void cQDialogDocumentCommands::saved()
{
    QStackedWidget *stack = mWindow.mpPropertyStack;
    if (stack->count() > 0)
        stack->setCurrentIndex(0);
    mWindow.updateTitle();
    emit mWindow.documentSaved();
}

void cQDialogDocumentCommands::loadUiPlugIn()
{
    // The folder the host keeps its UI plug-ins in, in the build and when installed.
    const QString path = mpFileDialogs->openFileName(
        &mWindow, tr("Choose a Component"), qstr(mWindow.mDataViewMgr.uiPlugInPath()),
        tr("Components (*)"));
    if (path.isEmpty())
        return;
    vsa::cReferenceFrame frame;
    mWindow.mDataViewMgr.loadDataViewElement(qstr(path), frame);
    mWindow.mFactoryRegistry.rebuildFactories();
    mWindow.mpViewItems->rebuildMenus();
}

void cQDialogDocumentCommands::addUiFormActions(QMenu &file)
{
    file.addSeparator();
    QAction *import = file.addAction(tr("Import Qt Designer form..."));
    import->setObjectName(QStringLiteral("mpActImportUiForm"));
    cVQ4QtBoundary::connect(import, &QAction::triggered, this,
                            &cQDialogDocumentCommands::uiImportUiForm);
    QAction *exportAs = file.addAction(tr("Export as Qt Designer form..."));
    exportAs->setObjectName(QStringLiteral("mpActExportUiForm"));
    cVQ4QtBoundary::connect(exportAs, &QAction::triggered, this,
                            &cQDialogDocumentCommands::uiExportUiForm);
}

void cQDialogDocumentCommands::uiExportUiForm(bool)
{
    // Proposed: the form's own name with the other suffix, in its folder.
    const QString proposed = mFileName.isEmpty()
                                 ? startFolder()
                                 : QFileInfo(mFileName).dir().filePath(
                                       QFileInfo(mFileName).completeBaseName() + ".ui");
    QString path = mpFileDialogs->saveFileName(&mWindow, tr("Export as Qt Designer form"),
                                               proposed, tr("Qt Designer forms (*.ui)"),
                                               QStringLiteral("ui"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".ui");
    cUiConversionReport report;
    cUiFormWriter(mWindow.mFactoryRegistry).writeFile(mWindow.document(), qstr(path), report);
    showReport(tr("Export to %1").arg(QFileInfo(path).fileName()),
               report.lines(QFileInfo(path).fileName()) << report.summary());
}

void cQDialogDocumentCommands::uiImportUiForm(bool)
{
    const QString path = mpFileDialogs->openFileName(&mWindow, tr("Choose a Qt Designer form"),
                                                     startFolder(),
                                                     tr("Qt Designer forms (*.ui)"));
    if (!path.isEmpty())
        importUiForm(path);
}

void cQDialogDocumentCommands::importUiForm(const QString &path)
{
    cUiConversionReport report;
    std::vector<cUiFormReader::tFormSet> forms
        = cUiFormReader(mWindow.mFactoryRegistry).readFile(qstr(path), report);
    if (forms.empty())
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$File %file% holds no form!") << path);
    // Everything was read: only now does the window change. The dialog's title names the
    // file, so its lines carry only the file's name: a whole path on each hid the text.
    QStringList lines = report.lines(QFileInfo(path).fileName());
    writeExtraForms(forms, path, lines);
    lines << report.summary();
    mWindow.mpDocument->adoptDocument(std::move(forms.front().root),
                                      [this] { releaseDocument(); });
    // An import is a new form: untitled, so that "Save" asks where the ".dlg" goes, and
    // unsaved from the start, so that recovery keeps it as it keeps any unsaved form.
    mFileName.clear();
    mWindow.refreshLayoutTree(nullptr);
    emit mWindow.documentReplaced();
    mWindow.markUnsaved();
    emit mWindow.documentModified();
    cAbstractFormInfoStore &formInfo = mWindow.mpDocument->formInfoStore();
    // Its information starts afresh as for "New" (no name, author or version of the form
    // shown before), named after the file when its name can be a form's name.
    formInfo.reset();
    cFormInfoRecord info;
    const QByteArray base = QFileInfo(path).completeBaseName().toUtf8();
    if (!base.isEmpty() && std::all_of(base.begin(), base.end(), [](char c) { return c > ' '; }))
        info.name = vstd::cAsciiString(base);
    info.author = vpi::cPlatform::userName();
    formInfo.applyFormInfo(info);
    formInfo.updateTranslationList();
    formInfo.setFormType(mWindow.documentType());
    mWindow.updateTitle();
    showReport(tr("Import of %1").arg(QFileInfo(path).fileName()), lines);
    try {
        mWindow.uiCreateEmbeddedPreview(false);
    } catch (const vstd::cAbstractException &e) {
        mWindow.mpPreviewView->showEmptyPreview();
        vstd::cRuntimeException failed(
            vucs::cLIMessage("$VTR$Form %file% was imported, but its preview failed!") << path,
            __FILE__, __LINE__);
        failed.link(e);
        throw failed;
    }
}

void cQDialogDocumentCommands::writeExtraForms(std::vector<cUiFormReader::tFormSet> &forms,
                                               const QString &path, QStringList &lines)
{
    // The editor holds one form at a time. A main window's menus and tool bars belong to it
    // as much as its central widget, so they are not left behind: each goes beside the ".ui"
    // as the file dlgtool would write, ready for "Load...". The editor replaces no file
    // without asking, so one that is there already is kept, and the report says so.
    const QString file = QFileInfo(path).fileName();
    for (size_t i = 1; i < forms.size(); ++i) {
        const QString target = cUiFormFiles::formPath(path, forms[i].name);
        const QString name = forms[i].name;
        if (QFileInfo::exists(target)) {
            lines << tr("%1: form \"%2\" not written: %3 exists already")
                         .arg(file, name, target);
            continue;
        }
        try {
            cUiFormFiles::saveForm(mWindow.mFactoryRegistry, std::move(forms[i].root), target);
            lines << tr("%1: form \"%2\" written to %3").arg(file, name, target);
        } catch (const vstd::cAbstractException &e) {
            lines << tr("%1: form \"%2\" not written: %3")
                         .arg(file, name, e.message().toQString());
        }
    }
}

void cQDialogDocumentCommands::showReport(const QString &title, const QStringList &lines)
{
    // Beside the editor, not modal: the report is read while looking at the form.
    auto *dialog = new cQUiConversionReportDialog(title, lines, &mWindow);
    dialog->show();
}
