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
    // A compiler cache may hand the compiler paths relative to the build folder, which lies in
    // the project folder: positions are named from the project folder all the same.
    QString source = QString::fromUtf8(file);
    if (source.startsWith(QLatin1String("../")))
        source.remove(0, 3);
    *this << QStringLiteral("%1:%2 %3\n").arg(source).arg(line).arg(text);
}

cDebugStream &cDebugStream::operator<<(const QString &text)
{
    if (mSink) {
        mPending += text;
        flushLines();
    }
    return *this;
}

cDebugStream &cDebugStream::operator<<(const char *text)
{
    return *this << QString::fromUtf8(text);
}
cDebugStream &cDebugStream::operator<<(const vstd::cAsciiString &text)
{
    return *this << qstr(text);
}
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
