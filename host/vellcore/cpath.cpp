#include "cpath.h"

#include <QDir>
#include <QFileInfo>

namespace vio {

cPath::cPath(const vucs::cString &path) : mPath(qstr(QDir::fromNativeSeparators(qstr(path)))) {}

cPath cPath::operator/(const vucs::cString &name) const
{
    if (mPath.empty())
        return cPath(name);
    QString base = qstr(mPath);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    QString tail = QDir::fromNativeSeparators(qstr(name));
    while (tail.startsWith(QLatin1Char('/')))
        tail.remove(0, 1);
    return cPath(qstr(base + tail));
}

bool cPath::exists() const { return !mPath.empty() && QFileInfo::exists(qstr(mPath)); }

bool cPath::mkpath() const { return !mPath.empty() && QDir().mkpath(qstr(mPath)); }

} // namespace vio
