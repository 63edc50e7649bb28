#include "cdeserializexml.h"

#include "cxmlescape.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <charconv>

namespace vsa {

namespace {

using Kind = cAbstractDeserializer::EntryKind;

// The entry kind an element name stands for; NoEntry for an unknown one.
Kind kindOf(QStringView name)
{
    static const struct { const char16_t *name; Kind kind; } kinds[] = {
        {u"context", cAbstractDeserializer::ContextEntry},
        {u"string", cAbstractDeserializer::StringEntry},
        {u"ascii", cAbstractDeserializer::AsciiEntry},
        {u"uint", cAbstractDeserializer::UIntEntry},
        {u"int64", cAbstractDeserializer::Int64Entry},
        {u"bool", cAbstractDeserializer::BoolEntry},
        {u"double", cAbstractDeserializer::DoubleEntry},
        {u"bytes", cAbstractDeserializer::BytesEntry},
    };
    for (const auto &k : kinds) {
        if (name == QStringView(k.name))
            return k.kind;
    }
    return cAbstractDeserializer::NoEntry;
}

// Appends `text` to `pool` as 8-bit characters; false (pool unchanged) when a character has no
// 8-bit form.
bool appendLatin1(QByteArray &pool, QStringView text)
{
    const qsizetype at = pool.size();
    pool.resize(at + text.size());
    char *out = pool.data() + at;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const ushort c = text[i].unicode();
        if (c > 0xFF) {
            pool.resize(at);
            return false;
        }
        out[i] = char(c);
    }
    return true;
}

// Copies a number's text (surrounding blanks dropped) into `buffer`; false when it cannot be one.
bool numberText(QStringView text, char (&buffer)[64], int &size)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() >= qsizetype(sizeof buffer))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const ushort c = text[i].unicode();
        if (c > 0x7F)
            return false;
        buffer[i] = char(c);
    }
    size = int(text.size());
    return true;
}

template<typename T>
bool parseNumber(QStringView text, T &value)
{
    char buffer[64];
    int size = 0;
    if (!numberText(text, buffer, size))
        return false;
    const auto result = std::from_chars(buffer, buffer + size, value);
    return result.ec == std::errc() && result.ptr == buffer + size;
}

} // namespace

cDeserializeXML::cDeserializeXML(const vucs::cString &path) : cTreeDeserializer(path)
{
    parse(readFile(path));
}

cDeserializeXML::cDeserializeXML(const QByteArray &data, const vucs::cString &source)
    : cTreeDeserializer(source)
{
    parse(data);
}

QString cDeserializeXML::positionText(quint64 position) const
{
    return QStringLiteral("line %1").arg(position);
}

void cDeserializeXML::parse(const QByteArray &data)
{
    if (data.size() > cDocumentTree::maxInputSize)
        malformed(1, QStringLiteral("the document is too large"));
    cDocumentTree &t = tree();
    t.reserve(data.size() / 40 + 8);
    QByteArray &bytes = t.bytes();
    QString &strings = t.strings();
    // Fed through a device the reader decodes in chunks, about twice as fast as from one array.
    QBuffer device;
    device.setData(data);
    device.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&device);

    QString text;        // the text of the value being read
    QString unescaped;
    bool inValue = false;
    bool escaped = false;
    bool started = false;
    const auto line = [&reader]() {
        return quint32(qBound<qint64>(0, reader.lineNumber(), 0xFFFFFFFF));
    };
    // The plain form of an attribute or value text.
    const auto plain = [&](QStringView raw, const char *what) -> QStringView {
        if (!escaped)
            return raw;
        unescaped.resize(0);
        if (!cXmlEscape::unescape(raw, unescaped))
            malformed(line(), QStringLiteral("invalid escape in %1").arg(QLatin1String(what)));
        return unescaped;
    };
    const auto storeLatin1 = [&](QStringView text, const char *what, quint32 &at, quint32 &size) {
        at = quint32(bytes.size());
        if (!appendLatin1(bytes, text))
            malformed(line(), QStringLiteral("%1 is not an 8-bit text").arg(QLatin1String(what)));
        size = quint32(bytes.size()) - at;
    };

    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (inValue)
                malformed(line(), QStringLiteral("a value holds an element"));
            const QStringView name = reader.name();
            const QXmlStreamAttributes attributes = reader.attributes();
            QStringView labelText, nameText;
            escaped = false;
            for (const QXmlStreamAttribute &a : attributes) {
                const QStringView n = a.name();
                if (n == u"label")
                    labelText = a.value();
                else if (n == u"name")
                    nameText = a.value();
                else if (n == u"esc")
                    escaped = a.value() == u"1";
            }
            if (!started) {
                if (name != u"document")
                    malformed(line(), QStringLiteral("the document element is missing"));
                started = true;
                t.setDocumentName(plain(nameText, "the document name").toString());
                break;
            }
            const Kind kind = kindOf(name);
            if (kind == cAbstractDeserializer::NoEntry)
                malformed(line(), QStringLiteral("unknown element <%1>").arg(name));
            if (!t.add(kind, line()))
                tooDeep(line());
            cDocumentTree::tEntrySet &e = t.last();
            storeLatin1(plain(labelText, "a label"), "a label", e.label, e.labelSize);
            if (kind == cAbstractDeserializer::ContextEntry) {
                storeLatin1(plain(nameText, "a context name"), "a context name", e.text,
                            e.textSize);
            } else {
                inValue = true;
                text.resize(0);
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (inValue)
                text += reader.text();
            else if (!reader.isWhitespace())
                malformed(line(), QStringLiteral("text outside a value"));
            break;
        case QXmlStreamReader::EndElement: {
            if (!inValue) {
                if (t.depth() > 0)
                    t.closeContext();
                break;
            }
            inValue = false;
            cDocumentTree::tEntrySet &e = t.last();
            const QStringView value = plain(text, "a value");
            bool ok = true;
            switch (e.kind) {
            case cAbstractDeserializer::AsciiEntry:
                storeLatin1(value, "an ascii value", e.text, e.textSize);
                break;
            case cAbstractDeserializer::StringEntry:
                e.text = quint32(strings.size());
                e.textSize = quint32(value.size());
                strings += value;
                break;
            case cAbstractDeserializer::UIntEntry: {
                quint32 v = 0;
                ok = parseNumber(value, v);
                e.value.u = v;
                break;
            }
            case cAbstractDeserializer::Int64Entry:
                ok = parseNumber(value, e.value.i);
                break;
            case cAbstractDeserializer::DoubleEntry:
                ok = parseNumber(value, e.value.d);
                break;
            case cAbstractDeserializer::BoolEntry: {
                const QStringView b = value.trimmed();
                ok = b == u"true" || b == u"false";
                e.value.u = b == u"true";
                break;
            }
            case cAbstractDeserializer::BytesEntry: {
                QByteArray base64;
                if (!appendLatin1(base64, value)) {
                    ok = false;
                    break;
                }
                base64 = base64.simplified().replace(' ', QByteArray());
                const auto decoded = QByteArray::fromBase64Encoding(
                    base64, QByteArray::AbortOnBase64DecodingErrors);
                ok = decoded.decodingStatus == QByteArray::Base64DecodingStatus::Ok;
                e.text = quint32(bytes.size());
                e.textSize = quint32(decoded.decoded.size());
                bytes += decoded.decoded;
                break;
            }
            default:
                break;
            }
            if (!ok)
                malformed(e.line, QStringLiteral("invalid %1 value \"%2\"")
                                      .arg(QLatin1String(cDocumentTree::kindName(e.kind)),
                                           value.left(40)));
            break;
        }
        case QXmlStreamReader::DTD:
            malformed(line(), QStringLiteral("document type declarations are not accepted"));
        case QXmlStreamReader::EntityReference:
            malformed(line(), QStringLiteral("unknown entity &%1;").arg(reader.name()));
        default:
            break;
        }
    }
    if (reader.hasError()) {
        QString reason = reader.errorString();
        if (reason.endsWith(QLatin1Char('.')))
            reason.chop(1);
        malformed(line(), reason);
    }
    startReading();
}

} // namespace vsa
