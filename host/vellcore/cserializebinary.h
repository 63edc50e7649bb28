#pragma once

#include "cvalueserializer.h"

namespace vsa {

// Writes a document compactly into memory (kind "Binary"): what the previews and the clipboard
// are built from, read back by cDeserializeBinary.
class cSerializeBinary : public cValueSerializer
{
public:
    explicit cSerializeBinary(const vucs::cString &documentName = vucs::cString());

    void beginContext(const vstd::cAsciiString &name) override;
    void endContext() override;

    void writeToFile(const vucs::cString &path) override;
    // The document written so far; throws cBugException while a context is open.
    QByteArray data() const;

protected:
    void writeValue(const vstd::cAsciiString &label, const tValueSet &value) override;

private:
    // Room for `size` more bytes at the end; returns where they go.
    char *grow(qsizetype size);
    void startEntry(unsigned char kind, const vstd::cAsciiString &label);
    void appendVarint(quint64 value);
    void appendText(const char *data, qsizetype size);
    void appendString(const QString &text);

    QByteArray mData;
    int mDepth = 0;
};

} // namespace vsa
