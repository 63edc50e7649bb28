#pragma once

#include <QDateTime>
#include <QString>

#include <map>
#include <memory>
#include <vector>

class QLockFile;

// The folder of recovery files: per edited document "<id>.dlg" (a normal dialog document),
// "<id>.info" (the document's own file name) and "<id>.lock", which the editor writing that
// document holds while it runs. A recovery file whose lock nobody holds is an orphan, left
// behind by an editor that ended without cleaning up.
class cDialogRecoveryFolder
{
public:
    // An orphan as offered to the user; `error` is set when the file cannot be read.
    struct tRecoveryFileSet
    {
        QString id;
        QString path;          // the recovery document
        QString originalName;  // the document's own file, empty for an untitled one
        QDateTime lastChange;
        QString error;
    };

    explicit cDialogRecoveryFolder(const QString &folder);
    ~cDialogRecoveryFolder();
    cDialogRecoveryFolder(const cDialogRecoveryFolder &) = delete;
    cDialogRecoveryFolder &operator=(const cDialogRecoveryFolder &) = delete;

    // "recovery" in the application's local data folder.
    static QString defaultFolder();
    const QString &folder() const { return mFolder; }

    // A fresh id, locked by this object; empty when the folder or lock cannot be made.
    QString createEntry();
    QString documentPath(const QString &id) const { return filePath(id, "dlg"); }
    // Writes the original file name of `id` when it differs from what was written last.
    bool writeOriginalName(const QString &id, const QString &originalName);
    // Sets the recovery document's modification time, which is the time of the last change.
    static void stampLastChange(const QString &path, const QDateTime &when);

    // Every recovery document whose lock could be taken now, oldest change first; the locks
    // stay with this object until the entry is removed or released. Entries this object
    // holds already are not listed again.
    std::vector<tRecoveryFileSet> takeOrphans();
    // Deletes the entry's files and its lock.
    void remove(const QString &id);
    // Lets go of the lock and keeps the files: the entry becomes an orphan.
    void release(const QString &id);
    bool holds(const QString &id) const { return mLocks.count(id) != 0; }

private:
    QString filePath(const QString &id, const char *extension) const;
    bool lock(const QString &id);
    QString readOriginalName(const QString &id) const;

    QString mFolder;
    std::map<QString, std::unique_ptr<QLockFile>> mLocks;
    std::map<QString, QString> mWrittenNames;
};
