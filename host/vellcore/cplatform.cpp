#include "cplatform.h"

#include <QDir>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace vpi {

vucs::cString cPlatform::homeDirectory()
{
    return qstr(QDir::homePath());
}

vucs::cString cPlatform::userName()
{
    // The account database first: environment variables may be unset in services and tests.
    if (const passwd *pw = getpwuid(geteuid()); pw && pw->pw_name && *pw->pw_name)
        return vucs::cString(QString::fromLocal8Bit(pw->pw_name));
    for (const char *var : {"USER", "LOGNAME"}) {
        const QString v = qEnvironmentVariable(var);
        if (!v.isEmpty())
            return qstr(v);
    }
    return qstr(QFileInfo(QDir::homePath()).fileName());
}

} // namespace vpi
