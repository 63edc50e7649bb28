#include "cdeserializebinary.h"

#include "cbinaryformat.h"

#include <QtEndian>
#include <cstring>

namespace vsa {

cDeserializeBinary::cDeserializeBinary(const QByteArray &data, const vucs::cString &source)
    : cTreeDeserializer(source)
{
    parse(data);
}

std::unique_ptr<cDeserializeBinary> cDeserializeBinary::fromFile(const vucs::cString &path)
{
    return std::make_unique<cDeserializeBinary>(readFile(path), path);
}

QString cDeserializeBinary::positionText(quint64 position) const
{
    return QStringLiteral("byte %1").arg(position);
}

void cDeserializeBinary::parse(const QByteArray &data)
{
    if (data.size() > cDocumentTree::maxInputSize)
        malformed(0, QStringLiteral("the document is too large"));
    cDocumentTree &t = tree();
    // Texts are read where they are: the input is the pool.
    t.bytes() = data;
    const uchar *const begin = reinterpret_cast<const uchar *>(data.constData());
    const uchar *const end = begin + data.size();
    const uchar *p = begin;
    const auto offset = [&](const uchar *at) { return quint32(at - begin); };
    const auto truncated = [&]() { malformed(offset(end), QStringLiteral("the data ends early")); };

    const auto readVarint = [&]() {
        quint64 value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (p == end)
                truncated();
            const uchar b = *p++;
            if (shift == 63 && b > 1)
                malformed(offset(p - 1), QStringLiteral("a number is too large"));
            value |= quint64(b & 0x7F) << shift;
            if (!(b & 0x80))
                return value;
        }
        malformed(offset(p - 1), QStringLiteral("a number is too large"));
    };
    const auto readText = [&](quint32 &at, quint32 &size) {
        const quint64 n = readVarint();
        if (n > quint64(end - p))
            truncated();
        at = offset(p);
        size = quint32(n);
        p += n;
    };
    const auto readString = [&](quint32 &at, quint32 &size) {
        const quint64 n = readVarint();
        if (n > quint64(end - p) / 2)
            truncated();
        QString &strings = t.strings();
        at = quint32(strings.size());
        size = quint32(n);
        strings.resize(strings.size() + qsizetype(n));
        qFromLittleEndian<quint16>(p, qsizetype(n), strings.data() + at);
        p += 2 * n;
    };

    if (data.size() < qsizetype(sizeof cBinaryFormat::magic)
        || std::memcmp(begin, cBinaryFormat::magic, sizeof cBinaryFormat::magic) != 0)
        malformed(0, QStringLiteral("not a binary document"));
    p += sizeof cBinaryFormat::magic;
    quint32 nameAt = 0, nameSize = 0;
    readString(nameAt, nameSize);
    t.setDocumentName(t.strings().mid(nameAt, nameSize));
    t.strings().clear();
    t.reserve(data.size() / 16 + 8);

    while (p < end) {
        const quint32 at = offset(p);
        const uchar tag = *p++;
        if (tag == cBinaryFormat::endTag) {
            if (t.depth() == 0)
                malformed(at, QStringLiteral("a context ends that was not begun"));
            t.closeContext();
            continue;
        }
        // Checked before the conversion: the kinds do not cover every byte.
        const int kindValue = tag & ~cBinaryFormat::labelledFlag;
        if (kindValue < cAbstractDeserializer::ContextEntry
            || kindValue > cAbstractDeserializer::BytesEntry)
            malformed(at, QStringLiteral("unknown entry kind %1").arg(tag));
        const auto kind = cAbstractDeserializer::EntryKind(kindValue);
        if (!t.add(kind, at))
            tooDeep(at);
        cDocumentTree::tEntrySet &e = t.last();
        if (tag & cBinaryFormat::labelledFlag)
            readText(e.label, e.labelSize);
        switch (kind) {
        case cAbstractDeserializer::ContextEntry:
        case cAbstractDeserializer::AsciiEntry:
        case cAbstractDeserializer::BytesEntry:
            readText(e.text, e.textSize);
            break;
        case cAbstractDeserializer::StringEntry:
            readString(e.text, e.textSize);
            break;
        case cAbstractDeserializer::UIntEntry:
            e.value.u = readVarint();
            if (e.value.u > 0xFFFFFFFFu)
                malformed(at, QStringLiteral("a uint is too large"));
            break;
        case cAbstractDeserializer::Int64Entry:
            e.value.i = cBinaryFormat::unzigzag(readVarint());
            break;
        case cAbstractDeserializer::BoolEntry:
            if (p == end)
                truncated();
            if (*p > 1)
                malformed(at, QStringLiteral("a bool is neither true nor false"));
            e.value.u = *p++;
            break;
        case cAbstractDeserializer::DoubleEntry:
            if (end - p < 8)
                truncated();
        {
            const quint64 bits = qFromLittleEndian<quint64>(p);
            std::memcpy(&e.value.d, &bits, sizeof bits);
            p += 8;
        }
            break;
        case cAbstractDeserializer::NoEntry:
            break;
        }
    }
    if (t.depth() > 0)
        truncated();
    startReading();
}

} // namespace vsa
