#pragma once

#include "cvalueserializer.h"

#include <vector>

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
    char *grow(qsizetype size)
    {
        if (mSize + size > mData.size())
            enlarge(size);
        char *at = mBuffer + mSize;
        mSize += size;
        return at;
    }
    // Makes room for `size` more bytes, at least doubling the buffer.
    void enlarge(qsizetype size);
    void startEntry(unsigned char kind, const vstd::cAsciiString &label);
    void appendLabel(const vstd::cAsciiString &label);
    void appendVarint(quint64 value);
    void appendText(const char *data, qsizetype size);
    void appendString(const QString &text);

    // The buffer, written up to mSize; never shared, so that mBuffer stays its data.
    QByteArray mData;
    char *mBuffer = nullptr;
    qsizetype mSize = 0;
    // A label defined for reference and its place; the same text met at another address is
    // kept as well, so that a label written from a literal is found by its address alone.
    // Held, so that the texts stay where they are.
    struct tLabelSet
    {
        vstd::cAsciiString text;
        quint32 place;
    };
    std::vector<tLabelSet> mLabels;
    quint32 mDefinedLabels = 0;
    int mDepth = 0;
};

} // namespace vsa
