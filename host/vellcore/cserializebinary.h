#pragma once

#include "cabstractserializer.h"

namespace vsa {

// Writes a document compactly into memory (kind "Binary"): what the previews and the clipboard
// are built from, read back by cDeserializeBinary.
class cSerializeBinary : public cAbstractSerializer
{
public:
    explicit cSerializeBinary(const vucs::cString &documentName = vucs::cString());

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
    // The document written so far; throws cBugException while a context is open.
    QByteArray data() const;

private:
    void startEntry(unsigned char kind);
    void appendText(const char *data, qsizetype size);
    void appendString(const QString &text);

    QByteArray mData;
    int mDepth = 0;
};

} // namespace vsa
