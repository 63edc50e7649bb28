#include "cserializebinary.h"

#include "cabstractdeserializer.h"
#include "cbinaryformat.h"

#include <QtEndian>
#include <cstring>

namespace vsa {

cSerializeBinary::cSerializeBinary(const vucs::cString &documentName)
{
    mData.reserve(4096);
    mData.append(cBinaryFormat::magic, sizeof cBinaryFormat::magic);
    appendString(documentName.text());
}

void cSerializeBinary::startEntry(unsigned char kind)
{
    const vstd::cAsciiString label = takeLabelIfWanted();
    if (label.empty()) {
        mData.append(char(kind));
    } else {
        mData.append(char(kind | cBinaryFormat::labelledFlag));
        appendText(label.data(), label.size());
    }
}

void cSerializeBinary::appendText(const char *data, qsizetype size)
{
    cBinaryFormat::appendVarint(mData, quint64(size));
    mData.append(data, size);
}

void cSerializeBinary::appendString(const QString &text)
{
    cBinaryFormat::appendVarint(mData, quint64(text.size()));
    const qsizetype at = mData.size();
    mData.resize(at + text.size() * 2);
    qToLittleEndian<quint16>(text.utf16(), text.size(), mData.data() + at);
}

void cSerializeBinary::beginContext(const vstd::cAsciiString &name)
{
    startEntry(cAbstractDeserializer::ContextEntry);
    appendText(name.data(), name.size());
    ++mDepth;
}

void cSerializeBinary::endContext()
{
    if (mDepth == 0)
        VELL_THROW(vstd::cBugException, "$VTR$No context is open!");
    mData.append(char(cBinaryFormat::endTag));
    --mDepth;
}

void cSerializeBinary::writeAscii(const vstd::cAsciiString &value)
{
    startEntry(cAbstractDeserializer::AsciiEntry);
    appendText(value.data(), value.size());
}

void cSerializeBinary::writeString(const vucs::cString &value)
{
    startEntry(cAbstractDeserializer::StringEntry);
    appendString(value.text());
}

void cSerializeBinary::writeUInt(unsigned int value)
{
    startEntry(cAbstractDeserializer::UIntEntry);
    cBinaryFormat::appendVarint(mData, value);
}

void cSerializeBinary::writeInt64(__int64 value)
{
    startEntry(cAbstractDeserializer::Int64Entry);
    cBinaryFormat::appendVarint(mData, cBinaryFormat::zigzag(value));
}

void cSerializeBinary::writeBool(bool value)
{
    startEntry(cAbstractDeserializer::BoolEntry);
    mData.append(value ? '\1' : '\0');
}

void cSerializeBinary::writeDouble(double value)
{
    startEntry(cAbstractDeserializer::DoubleEntry);
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    char buffer[8];
    qToLittleEndian(bits, buffer);
    mData.append(buffer, sizeof buffer);
}

void cSerializeBinary::writeBytes(const QByteArray &value)
{
    startEntry(cAbstractDeserializer::BytesEntry);
    appendText(value.constData(), value.size());
}

QByteArray cSerializeBinary::data() const
{
    if (mDepth > 0)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$%count% contexts are still open!") << mDepth);
    return mData;
}

void cSerializeBinary::writeToFile(const vucs::cString &path)
{
    saveFile(path, data());
}

} // namespace vsa
