#include "cdialogrecoveryfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

cDialogRecoveryFolder::cDialogRecoveryFolder(const QString &folder) : mFolder(folder) {}

cDialogRecoveryFolder::~cDialogRecoveryFolder() = default;

QString cDialogRecoveryFolder::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
           + QStringLiteral("/recovery");
}

QString cDialogRecoveryFolder::filePath(const QString &id, const char *extension) const
{
    return mFolder + QLatin1Char('/') + id + QLatin1Char('.') + QLatin1String(extension);
}

bool cDialogRecoveryFolder::lock(const QString &id)
{
    auto lockFile = std::make_unique<QLockFile>(filePath(id, "lock"));
    // Only a lock whose process is gone is stale, however old it is.
    lockFile->setStaleLockTime(0);
    if (!lockFile->tryLock(0))
        return false;
    mLocks[id] = std::move(lockFile);
    return true;
}

QString cDialogRecoveryFolder::createEntry()
{
    if (!QDir().mkpath(mFolder))
        return QString();
    const QString id = QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-')
                       + QUuid::createUuid().toString(QUuid::Id128).left(12);
    return lock(id) ? id : QString();
}

bool cDialogRecoveryFolder::writeOriginalName(const QString &id, const QString &originalName)
{
    const auto written = mWrittenNames.find(id);
    if (written != mWrittenNames.end() && written->second == originalName)
        return true;
    QSaveFile file(filePath(id, "info"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(originalName.toUtf8());
    if (!file.commit())
        return false;
    mWrittenNames[id] = originalName;
    return true;
}

void cDialogRecoveryFolder::stampLastChange(const QString &path, const QDateTime &when)
{
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(when, QFileDevice::FileModificationTime);
}

QString cDialogRecoveryFolder::readOriginalName(const QString &id) const
{
    QFile file(filePath(id, "info"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.read(64 * 1024)).trimmed();
}

std::vector<cDialogRecoveryFolder::tRecoveryFileSet> cDialogRecoveryFolder::takeOrphans()
{
    std::vector<tRecoveryFileSet> orphans;
    const QFileInfoList documents =
        QDir(mFolder).entryInfoList({QStringLiteral("*.dlg")}, QDir::Files);
    for (const QFileInfo &document : documents) {
        const QString id = document.completeBaseName();
        // A held entry is this editor's own file or an orphan offered already.
        if (holds(id) || !lock(id))
            continue;
        tRecoveryFileSet orphan;
        orphan.id = id;
        orphan.path = document.absoluteFilePath();
        orphan.originalName = readOriginalName(id);
        orphan.lastChange = document.lastModified();
        orphans.push_back(orphan);
    }
    // A lock or a name left by an editor that died before its first document: nothing to
    // offer. Taking the lock of a dead editor and letting go of it removes the lock file.
    const QFileInfoList leftovers = QDir(mFolder).entryInfoList(
        {QStringLiteral("*.info"), QStringLiteral("*.lock")}, QDir::Files);
    for (const QFileInfo &leftover : leftovers) {
        const QString id = leftover.completeBaseName();
        if (!QFile::exists(documentPath(id)) && !holds(id) && lock(id))
            remove(id);
    }
    std::sort(orphans.begin(), orphans.end(), [](const auto &a, const auto &b) {
        return a.lastChange < b.lastChange;
    });
    return orphans;
}

void cDialogRecoveryFolder::remove(const QString &id)
{
    QFile::remove(filePath(id, "dlg"));
    QFile::remove(filePath(id, "info"));
    mWrittenNames.erase(id);
    mLocks.erase(id);
}

void cDialogRecoveryFolder::release(const QString &id)
{
    mWrittenNames.erase(id);
    mLocks.erase(id);
}
