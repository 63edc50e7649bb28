#pragma once

#include "cabstractiodevice.h"

#include <memory>

class QFile;

namespace vio {

// A file opened on construction. Open mode: 0 read, 1 write, 2 read and write. Create mode:
// 0 must exist, 1 must not exist, 2 create or truncate. Write mode: 0 unbuffered, 1 buffered.
// Failures throw cRuntimeException naming the file.
class cFile : public cAbstractIODevice
{
public:
    cFile(const vucs::cString &path, int openMode, int createMode, int writeMode);
    ~cFile() override;

    void writeTextLine(const vucs::cString &line, const vucs::cString &lineEnd = "\n") override;
    void write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    void close() override;
    const vucs::cString &path() const { return mPath; }

    // The whole content of the file at `path`; throws cRuntimeException naming it on failure.
    static QByteArray readWholeFile(const vucs::cString &path);

private:
    vucs::cString mPath;
    std::unique_ptr<QFile> mFile;
};

} // namespace vio
