#pragma once

#include "cdialogrecoveryfolder.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>

class cQDialogRecoveryDialog;
class cQModelViewDialogEditorWidget;

// Keeps an editor's unsaved work in a recovery file: a few seconds after the last change the
// document is written, as a normal dialog document, to the recovery folder. The file goes when
// the work is saved, when the document is back at its saved state (undo), when a saved document
// is replaced and when the editor ends with nothing unsaved or its work given up (finish());
// anything else leaves it to be offered at the next start. At start it offers the orphans that
// editors ended without cleaning up (offerOrphans()).
class cQDialogRecovery : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDefaultDelayMs = 3000;

    // Watches `editor`, whose child it becomes; files go to `folder`.
    cQDialogRecovery(cQModelViewDialogEditorWidget &editor, const QString &folder);
    ~cQDialogRecovery() override;

    // The quiet time after the last change before the document is written.
    void setDelay(int milliseconds) { mTimer.setInterval(milliseconds); }
    // True while the document holds changes that no save has taken.
    bool hasUnsavedChanges() const { return mUnsaved; }
    // The recovery document of this editor, empty until it was first written.
    QString recoveryPath() const;

    // Lists the orphans in a dialog beside the editor (not modal); none: no dialog. Returns
    // the dialog, or null.
    cQDialogRecoveryDialog *offerOrphans();
    // The first error reading `path` as a document of this editor, or empty.
    QString readError(const QString &path) const;
    // Loads an orphan into the editor under its own file name, as a changed document, writes
    // it as this editor's recovery file and removes the orphan. Throws when it cannot be read;
    // the editor then keeps its document.
    void reopen(const cDialogRecoveryFolder::tRecoveryFileSet &orphan);
    void discard(const QString &id) { mFolder.remove(id); }
    // Lets go of the orphans offered and not taken: they are offered again at the next start.
    void releaseOrphans(const std::vector<QString> &ids);

    // The editor is about to go: unsaved work is written now and its file left to be offered
    // at the next start, unless `discard` (the user gave it up) or nothing is unsaved, which
    // removes the file.
    void finish(bool discard);

public slots:
    // Writes the pending change now (the timer does it otherwise).
    void writeNow();

private:
    void documentModified();
    void documentSaved();
    void documentAboutToBeReplaced();
    void documentReplaced();
    // Follows whether the document holds unsaved work: a write is due, or the file goes (the
    // document is back at its saved state).
    void updateState();
    void removeOwnFile();

    cQModelViewDialogEditorWidget &mEditor;
    cDialogRecoveryFolder mFolder;
    QTimer mTimer;
    QString mId;
    // Kept here: the editor's history is gone while its children end.
    bool mUnsaved = false;
    bool mWritten = false;
    bool mFinished = false;
    QDateTime mLastChange;
    QPointer<cQDialogRecoveryDialog> mpDialog;
};
