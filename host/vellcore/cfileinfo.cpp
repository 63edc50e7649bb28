#include "cfileinfo.h"

#include <QFileInfo>

namespace vio {

vucs::cString cFileInfo::fileName() const { return qstr(QFileInfo(qstr(mPath)).fileName()); }

vucs::cString cFileInfo::fileBaseName() const
{
    // Everything before the last dot, so that "a.b.dlg" gives "a.b".
    return qstr(QFileInfo(qstr(mPath)).completeBaseName());
}

vucs::cString cFileInfo::fileExtension() const { return qstr(QFileInfo(qstr(mPath)).suffix()); }

vucs::cString cFileInfo::directory() const { return qstr(QFileInfo(qstr(mPath)).path()); }

bool cFileInfo::exists() const { return QFileInfo::exists(qstr(mPath)); }

bool cFileInfo::isFile() const { return QFileInfo(qstr(mPath)).isFile(); }

bool cFileInfo::isDirectory() const { return QFileInfo(qstr(mPath)).isDir(); }

__int64 cFileInfo::size() const { return QFileInfo(qstr(mPath)).size(); }

} // namespace vio
