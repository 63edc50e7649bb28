#include "cfile.h"

#include "cabstractexception.h"

#include <QFile>

namespace vio {

namespace {

[[noreturn]] void fail(const char *text, const vucs::cString &path, const QFile &file, int line)
{
    throw vstd::cRuntimeException(vucs::cLIMessage(text) << path << file.errorString(), __FILE__,
                                  line);
}

} // namespace

cFile::cFile(const vucs::cString &path, int openMode, int createMode, int writeMode)
    : mPath(path), mFile(std::make_unique<QFile>(qstr(path)))
{
    if (openMode < 0 || openMode > 2 || createMode < 0 || createMode > 2)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$Invalid open mode %open%/%create% for file \"%file%\"!")
                       << openMode << createMode << path);
    const bool exists = mFile->exists();
    if (createMode == 0 && !exists)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$File \"%file%\" does not exist!") << path);
    if (createMode == 1 && exists)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$File \"%file%\" exists already!") << path);

    QIODevice::OpenMode mode = openMode == 0   ? QIODevice::ReadOnly
                               : openMode == 1 ? QIODevice::WriteOnly
                                               : QIODevice::ReadWrite;
    if (openMode != 0 && createMode == 2)
        mode |= QIODevice::Truncate;
    if (openMode != 0 && writeMode == 0)
        mode |= QIODevice::Unbuffered;
    if (!mFile->open(mode))
        fail("$VTR$Unable to open file \"%file%\": %reason%", path, *mFile, __LINE__);
}

cFile::~cFile() = default;

void cFile::writeTextLine(const vucs::cString &line, const vucs::cString &lineEnd)
{
    write((qstr(line) + qstr(lineEnd)).toUtf8());
}

void cFile::write(const QByteArray &bytes)
{
    if (!mFile->isOpen() || mFile->write(bytes) != bytes.size())
        fail("$VTR$Unable to write file \"%file%\": %reason%", mPath, *mFile, __LINE__);
}

QByteArray cFile::readAll()
{
    if (!mFile->isOpen() || !mFile->isReadable())
        fail("$VTR$Unable to read file \"%file%\": %reason%", mPath, *mFile, __LINE__);
    return mFile->readAll();
}

void cFile::close()
{
    if (!mFile->isOpen())
        return;
    const bool flushed = mFile->flush();
    mFile->close();
    if (!flushed)
        fail("$VTR$Unable to write file \"%file%\": %reason%", mPath, *mFile, __LINE__);
}

QByteArray cFile::readWholeFile(const vucs::cString &path)
{
    return cFile(path, 0, 0, 1).readAll();
}

} // namespace vio
