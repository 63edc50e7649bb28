#include "cserializebinary.h"

#include "cabstractdeserializer.h"
#include "cbinaryformat.h"

#include <QtEndian>
#include <cstring>

namespace vsa {

cSerializeBinary::cSerializeBinary(const vucs::cString &documentName)
    : cSerializeBinary(documentName, QByteArray())
{
}

cSerializeBinary::cSerializeBinary(const vucs::cString &documentName, QByteArray room)
    : mData(std::move(room))
{
    // Growing within the capacity keeps the memory; a shared room is left to its sharers.
    if (!mData.isDetached())
        mData = QByteArray();
    mData.resize(qMax<qsizetype>(mData.capacity(), 4096));
    mBuffer = mData.data();
    std::memcpy(grow(sizeof cBinaryFormat::magic), cBinaryFormat::magic,
                sizeof cBinaryFormat::magic);
    *grow(1) = cBinaryFormat::version;
    appendString(documentName.text());
}

void cSerializeBinary::enlarge(qsizetype size)
{
    mData.resize(qMax(mSize + size, 2 * mData.size()));
    mBuffer = mData.data();
}

void cSerializeBinary::appendLabel(const vstd::cAsciiString &label)
{
    // Labels are mostly literals: the same text at the same address, found without comparing.
    const char *const text = label.data();
    const int size = label.size();
    // Not in its slot (startEntry() looked): the slot is filled with what is found here.
    tLabelSlotSet &slot = labelSlot(text, size);
    for (const tLabelSet &known : mLabels) {
        if (known.text.data() == text && known.text.size() == size) {
            slot = {text, size, known.place};
            appendVarint(known.place);
            return;
        }
    }
    for (const tLabelSet &known : mLabels) {
        if (known.text.size() == size && std::memcmp(known.text.data(), text, size_t(size)) == 0) {
            // Taken before mLabels grows, which moves `known`.
            const quint32 place = known.place;
            appendVarint(place);
            // A few addresses per text; texts built anew each time are only compared.
            if (mLabels.size() < size_t(4 * cBinaryFormat::maxLabels)) {
                mLabels.push_back({label, place});
                slot = {text, size, place};
            }
            return;
        }
    }
    appendVarint(mDefinedLabels);
    appendText(text, size);
    if (mDefinedLabels < quint32(cBinaryFormat::maxLabels)) {
        mLabels.push_back({label, mDefinedLabels});
        slot = {text, size, mDefinedLabels};
        ++mDefinedLabels;
    }
}

void cSerializeBinary::appendLongVarint(quint64 value)
{
    char buffer[cBinaryFormat::maxVarintSize];
    const int n = cBinaryFormat::encodeVarint(value, buffer);
    std::memcpy(grow(n), buffer, size_t(n));
}

void cSerializeBinary::appendText(const char *data, qsizetype size)
{
    appendVarint(quint64(size));
    if (size > 0)
        std::memcpy(grow(size), data, size_t(size));
}

void cSerializeBinary::appendString(const QString &text)
{
    appendVarint(quint64(text.size()));
    qToLittleEndian<quint16>(text.utf16(), text.size(), grow(text.size() * 2));
}

void cSerializeBinary::beginContext(const vstd::cAsciiString &name)
{
    startEntry(cAbstractDeserializer::ContextEntry, takeLabelIfWanted());
    appendText(name.data(), name.size());
    ++mDepth;
}

void cSerializeBinary::endContext()
{
    if (mDepth == 0)
        VELL_THROW(vstd::cBugException, "$VTR$No context is open!");
    *grow(1) = char(cBinaryFormat::endTag);
    --mDepth;
}

void cSerializeBinary::writeValue(const vstd::cAsciiString &label, const tValueSet &value)
{
    startEntry(value.kind, label);
    switch (value.kind) {
    case cAbstractDeserializer::AsciiEntry:
    case cAbstractDeserializer::BytesEntry:
        appendText(value.bytes->constData(), value.bytes->size());
        break;
    case cAbstractDeserializer::StringEntry:
        appendString(*value.text);
        break;
    case cAbstractDeserializer::UIntEntry:
        appendVarint(value.u);
        break;
    case cAbstractDeserializer::Int64Entry:
        appendVarint(cBinaryFormat::zigzag(value.i));
        break;
    case cAbstractDeserializer::BoolEntry:
        *grow(1) = value.u ? '\1' : '\0';
        break;
    case cAbstractDeserializer::DoubleEntry: {
        quint64 bits;
        std::memcpy(&bits, &value.d, sizeof bits);
        qToLittleEndian(bits, grow(8));
        break;
    }
    default:
        VELL_THROW(vstd::cBugException, "$VTR$Unknown kind of value!");
    }
}

QByteArray cSerializeBinary::data() const
{
    if (mDepth > 0)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$%count% contexts are still open!") << mDepth);
    return QByteArray(mBuffer, mSize);
}

QByteArray cSerializeBinary::takeData()
{
    if (mDepth > 0)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$%count% contexts are still open!") << mDepth);
    mData.resize(mSize);
    mBuffer = nullptr;
    mSize = 0;
    return std::move(mData);
}

void cSerializeBinary::writeToFile(const vucs::cString &path)
{
    saveFile(path, data());
}

} // namespace vsa
