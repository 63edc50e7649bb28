#include "ctime.h"

#include <QDateTime>

namespace vstd {

cTime cTime::now()
{
    return cTime(QDateTime::currentMSecsSinceEpoch());
}

vucs::cString cTime::toString() const
{
    return qstr(QDateTime::fromMSecsSinceEpoch(mMsecs, Qt::UTC).toString(Qt::ISODate));
}

} // namespace vstd
