#include "cqdialogrecovery.h"

#include "cqdialogrecoverydialog.h"

#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"
#include "qdialogeditorwidget/undo/cqdialogundorecorder.h"

#include "qdialoglayoutitems/cdialogdocument.h"
#include "vellmva2/cdvdataviewarglist.h"

#include "vellcore/cabstractexception.h"
#include "vellcore/cdebugstream.h"

#include <QFileInfo>
#include <QStringList>

cQDialogRecovery::cQDialogRecovery(cQModelViewDialogEditorWidget &editor, const QString &folder)
    : QObject(&editor), mEditor(editor), mFolder(folder)
{
    setObjectName(QStringLiteral("mpRecovery"));
    mTimer.setSingleShot(true);
    mTimer.setInterval(kDefaultDelayMs);
    connect(&mTimer, &QTimer::timeout, this, &cQDialogRecovery::writeNow);
    using W = cQModelViewDialogEditorWidget;
    using R = cQDialogRecovery;
    connect(&editor, &W::documentModified, this, &R::documentModified);
    connect(&editor, &W::documentSaved, this, &R::documentSaved);
    connect(&editor, &W::documentAboutToBeReplaced, this, &R::documentAboutToBeReplaced);
    connect(&editor, &W::documentReplaced, this, &R::documentReplaced);
    connect(&editor.undoRecorder().stack(), &QUndoStack::cleanChanged, this, &R::updateState);
    mUnsaved = editor.hasUnsavedChanges();
}

cQDialogRecovery::~cQDialogRecovery()
{
    // The dialog hands back its orphans as long as this object is there to take them.
    delete mpDialog.data();
    // Not finished: the editor went without being asked (a test, a crash of the caller). What
    // was written of unsaved work stays; the folder lets go of its lock with itself.
    if (!mFinished && !mUnsaved)
        removeOwnFile();
}

QString cQDialogRecovery::recoveryPath() const
{
    return mWritten ? mFolder.documentPath(mId) : QString();
}

void cQDialogRecovery::documentModified()
{
    mLastChange = QDateTime::currentDateTime();
    updateState();
}

void cQDialogRecovery::updateState()
{
    mUnsaved = mEditor.hasUnsavedChanges();
    if (mUnsaved) {
        mTimer.start();
        return;
    }
    // The saved file holds this state: nothing to recover.
    mTimer.stop();
    removeOwnFile();
}

void cQDialogRecovery::documentSaved()
{
    mTimer.stop();
    mUnsaved = false;
    removeOwnFile();
}

void cQDialogRecovery::documentAboutToBeReplaced()
{
    // Up to the last keystroke: the replaced work is written while it is still there.
    if (mUnsaved)
        writeNow();
    mTimer.stop();
    if (mUnsaved && mWritten) {
        // The replaced document was never saved: its last state stays for the next start.
        mFolder.release(mId);
        mId.clear();
        mWritten = false;
    } else {
        removeOwnFile();
    }
}

void cQDialogRecovery::documentReplaced()
{
    mTimer.stop();
    mUnsaved = mEditor.hasUnsavedChanges();
}

void cQDialogRecovery::finish(bool discard)
{
    if (mFinished)
        return;
    mFinished = true;
    if (discard || !mUnsaved) {
        mTimer.stop();
        removeOwnFile();
        return;
    }
    writeNow();
    if (mWritten)
        mFolder.release(mId);
    mId.clear();
    mWritten = false;
}

void cQDialogRecovery::removeOwnFile()
{
    if (!mId.isEmpty())
        mFolder.remove(mId);
    mId.clear();
    mWritten = false;
}

void cQDialogRecovery::writeNow()
{
    mTimer.stop();
    if (!mUnsaved)
        return;
    if (mId.isEmpty())
        mId = mFolder.createEntry();
    if (mId.isEmpty() || !mFolder.writeOriginalName(mId, mEditor.fileName())) {
        VELL_TRACE("+++ WARNING: No recovery file in " + mFolder.folder() + "!");
        return;
    }
    const QString path = mFolder.documentPath(mId);
    try {
        mEditor.saveRecoveryCopy(path);
    } catch (const vstd::cAbstractException &) {
        // Called by a timer: the next change tries again; the last good file stays.
        VELL_TRACE("+++ WARNING: Recovery file " + path + " not written!");
        return;
    }
    cDialogRecoveryFolder::stampLastChange(path, mLastChange);
    mWritten = true;
}

cQDialogRecoveryDialog *cQDialogRecovery::offerOrphans()
{
    std::vector<cDialogRecoveryFolder::tRecoveryFileSet> orphans = mFolder.takeOrphans();
    if (orphans.empty())
        return nullptr;
    for (auto &orphan : orphans)
        orphan.error = readError(orphan.path);
    mpDialog = new cQDialogRecoveryDialog(*this, orphans, &mEditor);
    mpDialog->show();
    return mpDialog;
}

QString cQDialogRecovery::readError(const QString &path) const
{
    // Read into a document of its own: the editor's document and arguments stay untouched.
    cDialogItemFactoryRegistry &registry = mEditor.factoryRegistry();
    vmva::cDVDataViewArgList arguments;
    cDialogDocument scratch(registry.dataViewMgr(), registry, arguments);
    try {
        scratch.loadDocument(qstr(path), true);
    } catch (const vstd::cAbstractException &e) {
        QStringList messages;
        for (const vstd::cAbstractException *c = &e; c; c = c->cause())
            messages << c->message().toQString();
        // The row names the form: the folder of the recovery file would only crowd it.
        return messages.join(QLatin1Char('\n')).replace(path, QFileInfo(path).fileName());
    }
    return QString();
}

void cQDialogRecovery::reopen(const cDialogRecoveryFolder::tRecoveryFileSet &orphan)
{
    // Work typed meanwhile goes to its file first; replaced, that file stays as an orphan.
    writeNow();
    try {
        mEditor.loadDocument(orphan.path, true);
    } catch (const vstd::cAbstractException &e) {
        // Only a preview that failed once the form was read leaves the form in the editor; it
        // is taken over all the same and the preview stays empty.
        if (mEditor.fileName() != orphan.path)
            throw;
        VELL_TRACE(QStringLiteral("+++ WARNING: ") + QString::fromUtf8(e.what()));
    }
    mEditor.setFileName(orphan.originalName);
    // Unsaved until saved, whatever is undone.
    mEditor.markUnsaved();
    documentModified();
    mLastChange = orphan.lastChange;
    writeNow();
    if (mWritten)
        mFolder.remove(orphan.id);
}

void cQDialogRecovery::releaseOrphans(const std::vector<QString> &ids)
{
    for (const QString &id : ids)
        mFolder.release(id);
}
