#pragma once

#include "cbinaryformat.h"
#include "cvalueserializer.h"

#include <vector>

namespace vsa {

// Writes a document compactly into memory (kind "Binary"): what the previews and the clipboard
// are built from, read back by cDeserializeBinary.
class cSerializeBinary : public cValueSerializer
{
public:
    explicit cSerializeBinary(const vucs::cString &documentName = vucs::cString());
    // Writes into the memory of `room` (a document taken earlier with takeData(), say) when
    // nothing else shares it: a writer made again and again allocates once.
    cSerializeBinary(const vucs::cString &documentName, QByteArray room);

    void beginContext(const vstd::cAsciiString &name) override;
    void endContext() override;

    void writeToFile(const vucs::cString &path) override;
    bool prefersCompactRecords() const override { return true; }
    // The document written so far; throws cBugException while a context is open.
    QByteArray data() const;
    // The document, handed over without a copy; nothing may be written afterwards.
    QByteArray takeData();

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
    void startEntry(unsigned char kind, const vstd::cAsciiString &label)
    {
        if (label.empty()) {
            *grow(1) = char(kind);
            return;
        }
        *grow(1) = char(kind | cBinaryFormat::labelledFlag);
        const tLabelSlotSet &slot = labelSlot(label.data(), label.size());
        if (slot.text == label.data() && slot.size == label.size())
            appendVarint(slot.place);
        else
            appendLabel(label);
    }
    void appendLabel(const vstd::cAsciiString &label);
    void appendVarint(quint64 value)
    {
        if (value < 0x80)
            *grow(1) = char(value);
        else
            appendLongVarint(value);
    }
    void appendLongVarint(quint64 value);
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
    // Where a label text of mLabels was met last, by its address: most labels are found here
    // without walking mLabels. Only held texts are entered, so an address is never reused.
    struct tLabelSlotSet
    {
        const char *text = nullptr;
        int size = 0;
        quint32 place = 0;
    };
    static constexpr size_t labelSlots = 128;
    tLabelSlotSet mLabelSlots[labelSlots];
    tLabelSlotSet &labelSlot(const char *text, int size)
    {
        return mLabelSlots[((reinterpret_cast<quintptr>(text) >> 3) ^ quintptr(size))
                           % labelSlots];
    }
    quint32 mDefinedLabels = 0;
    int mDepth = 0;
};

} // namespace vsa
