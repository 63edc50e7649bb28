#pragma once

#include "cstring.h"

#include <QByteArray>

namespace vio {

// A device bytes and text lines are written to and read from.
class cAbstractIODevice
{
public:
    virtual ~cAbstractIODevice() = default;
    // Writes `line` in UTF-8 followed by `lineEnd`. Throws cRuntimeException on failure.
    virtual void writeTextLine(const vucs::cString &line, const vucs::cString &lineEnd = "\n") = 0;
    virtual void write(const QByteArray &bytes) = 0;
    // Reads everything from the current position to the end.
    virtual QByteArray readAll() = 0;
    virtual void close() = 0;
};

} // namespace vio
