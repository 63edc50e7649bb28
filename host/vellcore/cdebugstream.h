#pragma once

#include "cstring.h"
#include "climessage.h"

#include <functional>

namespace vpi {

// The host's debug stream. Trace lines go to a sink the application chooses; without one they
// are dropped. A trace line is written as: file ":" line " " text "\n".
class cDebugStream
{
public:
    using tSink = std::function<void(const QString &line)>;

    // Installs `sink` (an empty function silences the stream); returns the previous sink.
    tSink setSink(tSink sink);
    bool enabled() const { return bool(mSink); }

    // Writes one complete trace line tagged with a source position.
    void trace(const char *file, int line, const QString &text);
    // Writes raw text; a sink receives whole lines only.
    cDebugStream &operator<<(const QString &text);
    cDebugStream &operator<<(const char *text);
    cDebugStream &operator<<(const vstd::cAsciiString &text);
    cDebugStream &operator<<(const vucs::cString &text);
    cDebugStream &operator<<(long long value);

private:
    void flushLines();
    tSink mSink;
    QString mPending;
};

// The process-wide debug stream.
cDebugStream &system();

} // namespace vpi

// Writes a trace line tagged with the current source file and line; the text is not even
// built while nobody listens.
#define VELL_TRACE(text)                                                                      \
    do {                                                                                       \
        vpi::cDebugStream &vellTraceStream_ = vpi::system();                                   \
        if (vellTraceStream_.enabled())                                                        \
            vellTraceStream_.trace(__FILE__, __LINE__, (text));                                \
    } while (false)

// A trace line tagged with `file` instead of the current source file: for a class whose code is
// spread over several files, so that its lines always name the class's own source.
#define VELL_TRACE_AT(file, text)                                                              \
    do {                                                                                       \
        vpi::cDebugStream &vellTraceStream_ = vpi::system();                                   \
        if (vellTraceStream_.enabled())                                                        \
            vellTraceStream_.trace((file), __LINE__, (text));                                  \
    } while (false)
