#include "cvalueserializer.h"

#include "cdocumenttree.h"
#include "cnumberconversion.h"

namespace vsa {

const char *cValueSerializer::tValueSet::kindName() const
{
    return cDocumentTree::kindName(kind);
}

QString cValueSerializer::tValueSet::plainText() const
{
    switch (kind) {
    case cAbstractDeserializer::AsciiEntry:
        return QString::fromLatin1(*bytes);
    case cAbstractDeserializer::StringEntry:
        return *text;
    case cAbstractDeserializer::UIntEntry:
        return QString::number(u);
    case cAbstractDeserializer::Int64Entry:
        return QString::number(i);
    case cAbstractDeserializer::BoolEntry:
        return u ? QStringLiteral("true") : QStringLiteral("false");
    case cAbstractDeserializer::DoubleEntry:
        return qstr(vstd::cNumberConversion::toString(d));
    default:
        return QString();
    }
}

void cValueSerializer::writeAscii(const vstd::cAsciiString &value)
{
    tValueSet v{cAbstractDeserializer::AsciiEntry};
    v.bytes = &value.bytes();
    write(v);
}

void cValueSerializer::writeString(const vucs::cString &value)
{
    tValueSet v{cAbstractDeserializer::StringEntry};
    v.text = &value.text();
    write(v);
}

void cValueSerializer::writeUInt(unsigned int value)
{
    tValueSet v{cAbstractDeserializer::UIntEntry};
    v.u = value;
    write(v);
}

void cValueSerializer::writeInt64(__int64 value)
{
    tValueSet v{cAbstractDeserializer::Int64Entry};
    v.i = value;
    write(v);
}

void cValueSerializer::writeBool(bool value)
{
    tValueSet v{cAbstractDeserializer::BoolEntry};
    v.u = value ? 1 : 0;
    write(v);
}

void cValueSerializer::writeDouble(double value)
{
    tValueSet v{cAbstractDeserializer::DoubleEntry};
    v.d = value;
    write(v);
}

void cValueSerializer::writeBytes(const QByteArray &value)
{
    tValueSet v{cAbstractDeserializer::BytesEntry};
    v.bytes = &value;
    write(v);
}

} // namespace vsa
