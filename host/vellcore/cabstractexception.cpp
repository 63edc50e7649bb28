#include "cabstractexception.h"

namespace vstd {

cAbstractException::cAbstractException(const vucs::cLIMessage &message, const char *file, int line)
    : mMessage(message), mFile(file ? file : ""), mLine(line),
      mWhat(message.toQString().toStdString())
{
    // A compiler cache may hand the compiler paths relative to the build folder, which lies in
    // the project folder: positions are named from the project folder all the same.
    if (mFile.compare(0, 3, "../") == 0)
        mFile.erase(0, 3);
}

cAbstractException::cAbstractException(const cAbstractException &other)
    : std::exception(other), mMessage(other.mMessage), mFile(other.mFile), mLine(other.mLine),
      mWhat(other.mWhat), mCause(other.mCause ? other.mCause->clone() : nullptr)
{
}

cAbstractException &cAbstractException::operator=(const cAbstractException &other)
{
    if (this != &other) {
        mMessage = other.mMessage;
        mFile = other.mFile;
        mLine = other.mLine;
        mWhat = other.mWhat;
        mCause = other.mCause ? other.mCause->clone() : nullptr;
    }
    return *this;
}

cAbstractException::~cAbstractException() = default;

const char *cAbstractException::what() const noexcept
{
    return mWhat.c_str();
}

cAbstractException &cAbstractException::link(const cAbstractException &cause)
{
    mCause = cause.clone();
    return *this;
}

vucs::cString describe(const cAbstractException &e, bool withSource)
{
    QString out;
    int depth = 0;
    for (const cAbstractException *c = &e; c; c = c->cause(), ++depth) {
        if (depth > 0)
            out += QLatin1Char('\n') + QString(depth * 2, QLatin1Char(' '));
        out += c->message().toQString();
        if (withSource && c->file())
            out += QStringLiteral(" (%1:%2)").arg(QString::fromUtf8(c->file())).arg(c->line());
    }
    return vucs::cString(out);
}

} // namespace vstd
