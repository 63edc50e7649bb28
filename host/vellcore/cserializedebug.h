#pragma once

#include "cabstractserializer.h"

#include <QString>

namespace vsa {

// Writes a readable, indented dump of a document to the debug stream, one line per entry as it
// is written (kind "Debug"); writeToFile() saves the same dump.
class cSerializeDebug : public cAbstractSerializer
{
public:
    explicit cSerializeDebug(const vucs::cString &documentName);

    void beginContext(const vstd::cAsciiString &name) override;
    void endContext() override;

    void writeAscii(const vstd::cAsciiString &value) override;
    void writeString(const vucs::cString &value) override;
    void writeUInt(unsigned int value) override;
    void writeInt64(__int64 value) override;
    void writeBool(bool value) override;
    void writeDouble(double value) override;
    void writeBytes(const QByteArray &value) override;

    void writeToFile(const vucs::cString &path) override;
    // The dump written so far.
    const QString &text() const { return mText; }

private:
    void writeEntry(const char *kind, const QString &value);
    void writeLine(int indent, const QString &line);

    QString mText;
    int mDepth = 0;
    bool mFinished = false;
};

} // namespace vsa
