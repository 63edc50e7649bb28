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

QString cDeserializeBinary::positionText(quint32 line, quint32) const
{
    return QStringLiteral("byte %1").arg(line);
}

void cDeserializeBinary::parse(const QByteArray &data)
{
    if (data.size() > cDocumentLimits::maxDocumentSize)
        malformed(0, 0, QStringLiteral("larger than %1 MiB, the most a document may take")
                            .arg(cDocumentLimits::maxDocumentSize / (1024 * 1024)));
    cDocumentTree &t = tree();
    // Texts are read where they are: the input is the pool.
    t.bytes() = data;
    const uchar *const begin = reinterpret_cast<const uchar *>(data.constData());
    const uchar *const end = begin + data.size();
    const uchar *p = begin;
    const auto offset = [&](const uchar *at) { return quint32(at - begin); };
    const auto fail = [&](const uchar *at, const QString &reason) {
        malformed(offset(at), 0, reason);
    };
    const auto truncated = [&]() { fail(end, QStringLiteral("the data ends early")); };
    // Refuses a text of `n` units where at most `limit` may be, before anything is taken.
    const auto checkLength = [&](const uchar *at, quint64 n, qsizetype limit, const char *what) {
        if (n > quint64(limit))
            fail(at, QStringLiteral("%1 longer than %2 %3")
                         .arg(QLatin1String(what))
                         .arg(limit)
                         .arg(QLatin1String(limit == cDocumentLimits::maxBytesLength
                                                ? "bytes" : "characters")));
    };

    const auto readVarint = [&]() {
        quint64 value = 0;
        const cBinaryFormat::VarintRead read = cBinaryFormat::decodeVarint(p, end, value);
        if (read == cBinaryFormat::VarintRead_Truncated)
            truncated();
        if (read == cBinaryFormat::VarintRead_TooLarge)
            fail(p, QStringLiteral("a number is too large"));
        return value;
    };
    const auto readText = [&](quint32 &at, quint32 &size, qsizetype limit, const char *what) {
        const uchar *const start = p;
        const quint64 n = readVarint();
        checkLength(start, n, limit, what);
        if (n > quint64(end - p))
            truncated();
        at = offset(p);
        size = quint32(n);
        p += n;
    };
    const auto readString = [&](quint32 &at, quint32 &size, qsizetype limit, const char *what) {
        const uchar *const start = p;
        const quint64 n = readVarint();
        checkLength(start, n, limit, what);
        if (n > quint64(end - p) / 2)
            truncated();
        QString &strings = t.strings();
        at = quint32(strings.size());
        size = quint32(n);
        strings.resize(strings.size() + qsizetype(n));
        qFromLittleEndian<quint16>(p, qsizetype(n), strings.data() + at);
        p += 2 * n;
    };

    if (data.size() <= qsizetype(sizeof cBinaryFormat::magic)
        || std::memcmp(begin, cBinaryFormat::magic, sizeof cBinaryFormat::magic) != 0
        || (begin[sizeof cBinaryFormat::magic] != uchar(cBinaryFormat::version)
            && begin[sizeof cBinaryFormat::magic] != uchar(cBinaryFormat::textLabelsVersion)))
        malformed(0, 0, QStringLiteral("not a binary document"));
    p += sizeof cBinaryFormat::magic;
    const bool textLabels = *p++ == uchar(cBinaryFormat::textLabelsVersion);
    // The labels defined for reference, where their texts are.
    cDocumentTree::tTextSet labels[cBinaryFormat::maxLabels];
    quint32 labelCount = 0;
    const auto readLabel = [&](cDocumentTree::tEntrySet &e) {
        if (!textLabels) {
            const uchar *const start = p;
            const quint64 ref = readVarint();
            if (ref < labelCount) {
                e.label = labels[ref].at;
                e.labelSize = labels[ref].size;
                return;
            }
            if (ref > labelCount)
                fail(start, QStringLiteral("label %1 is not defined").arg(ref));
        }
        readText(e.label, e.labelSize, cDocumentLimits::maxNameLength, "label");
        if (!textLabels && labelCount < quint32(cBinaryFormat::maxLabels))
            labels[labelCount++] = {e.label, e.labelSize};
    };
    quint32 nameAt = 0, nameSize = 0;
    readString(nameAt, nameSize, cDocumentLimits::maxNameLength, "document name");
    t.setDocumentName(t.strings().mid(nameAt, nameSize));
    t.strings().resize(0);
    // The smallest entry takes two bytes.
    t.setMaxEntries(
        cDocumentLimits::maxEntries(data.size(), cDocumentLimits::binaryBytesPerEntry));
    // Entries take 2 to 12 bytes, and a block of property records as many as its properties
    // take: a guess the vector outgrows by doubling, not a bound that wastes a large block.
    t.reserve(qMin<qsizetype>(data.size() / 16 + 8, t.maxEntries() + 1));

    while (p < end) {
        const quint32 at = offset(p);
        const uchar tag = *p++;
        if (tag == cBinaryFormat::endTag) {
            if (t.depth() == 0)
                malformed(at, 0, QStringLiteral("a context ends that was not begun"));
            t.closeContext();
            continue;
        }
        // Checked before the conversion: the kinds do not cover every byte.
        const int kindValue = tag & ~cBinaryFormat::labelledFlag;
        if (kindValue < cAbstractDeserializer::ContextEntry
            || kindValue > cAbstractDeserializer::BytesEntry)
            malformed(at, 0, QStringLiteral("unknown entry kind %1").arg(tag));
        const auto kind = cAbstractDeserializer::EntryKind(kindValue);
        cDocumentTree::tEntrySet &e = addEntry(kind, at);
        if (tag & cBinaryFormat::labelledFlag)
            readLabel(e);
        cDocumentTree::tTextSet &text = e.value.text;
        switch (kind) {
        case cAbstractDeserializer::ContextEntry:
            readText(text.at, text.size, cDocumentLimits::maxNameLength, "context name");
            break;
        case cAbstractDeserializer::AsciiEntry:
            readText(text.at, text.size, cDocumentLimits::maxTextLength, "text");
            break;
        case cAbstractDeserializer::BytesEntry:
            readText(text.at, text.size, cDocumentLimits::maxBytesLength, "byte value");
            break;
        case cAbstractDeserializer::StringEntry:
            readString(text.at, text.size, cDocumentLimits::maxTextLength, "text");
            break;
        case cAbstractDeserializer::UIntEntry:
            e.value.u = readVarint();
            if (e.value.u > 0xFFFFFFFFu)
                malformed(at, 0, QStringLiteral("a uint is too large"));
            break;
        case cAbstractDeserializer::Int64Entry:
            e.value.i = cBinaryFormat::unzigzag(readVarint());
            break;
        case cAbstractDeserializer::BoolEntry:
            if (p == end)
                truncated();
            if (*p > 1)
                malformed(at, 0, QStringLiteral("a bool is neither true nor false"));
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
