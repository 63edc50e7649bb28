#include "cdebugstream.h"

namespace vpi {

cDebugStream::tSink cDebugStream::setSink(tSink sink)
{
    std::swap(sink, mSink);
    mPending.clear();
    return sink;
}

void cDebugStream::trace(const char *file, int line, const QString &text)
{
    if (!mSink)
        return;
    *this << QStringLiteral("%1:%2 %3\n").arg(QString::fromUtf8(file)).arg(line).arg(text);
}

cDebugStream &cDebugStream::operator<<(const QString &text)
{
    if (mSink) {
        mPending += text;
        flushLines();
    }
    return *this;
}

cDebugStream &cDebugStream::operator<<(const char *text) { return *this << QString::fromUtf8(text); }
cDebugStream &cDebugStream::operator<<(const vstd::cAsciiString &text) { return *this << qstr(text); }
cDebugStream &cDebugStream::operator<<(const vucs::cString &text) { return *this << text.text(); }
cDebugStream &cDebugStream::operator<<(long long value) { return *this << QString::number(value); }

void cDebugStream::flushLines()
{
    int nl;
    while ((nl = int(mPending.indexOf(QLatin1Char('\n')))) >= 0) {
        const QString line = mPending.left(nl + 1);
        mPending.remove(0, nl + 1);
        mSink(line);
    }
}

cDebugStream &system()
{
    static cDebugStream stream;
    return stream;
}

} // namespace vpi
