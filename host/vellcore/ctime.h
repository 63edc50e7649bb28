#pragma once

#include "cstring.h"
#include "vtypes.h"

namespace vstd {

// A point in time, UTC, with millisecond resolution.
class cTime
{
public:
    cTime() = default;
    static cTime now();
    __int64 msecsSinceEpoch() const { return mMsecs; }
    // ISO 8601 text, for example "2026-12-05T20:55:25Z".
    vucs::cString toString() const;

private:
    explicit cTime(__int64 msecs) : mMsecs(msecs) {}
    __int64 mMsecs = 0;
};

} // namespace vstd
