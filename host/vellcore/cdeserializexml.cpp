#include "cdeserializexml.h"

#include "cxmlescape.h"
#include "cxmlinputcheck.h"

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

// The value of a base64 character; -1 for any other.
int base64Value(ushort c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// Decodes the base64 characters at `at` of `pool` in place (the bytes are never longer than
// their characters) and drops what is left; false for misplaced or missing padding.
bool decodeBase64InPlace(QByteArray &pool, qsizetype at)
{
    char *const data = pool.data() + at;
    qsizetype n = pool.size() - at;
    int padding = 0;
    while (n > 0 && data[n - 1] == '=' && padding < 2) {
        --n;
        ++padding;
    }
    if ((padding > 0 && (n + padding) % 4 != 0) || n % 4 == 1)
        return false;
    qsizetype out = 0;
    quint32 bits = 0;
    int count = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const int v = base64Value(uchar(data[i]));
        if (v < 0)
            return false;
        bits = (bits << 6) | quint32(v);
        if (++count == 4) {
            data[out++] = char(bits >> 16);
            data[out++] = char(bits >> 8);
            data[out++] = char(bits);
            bits = 0;
            count = 0;
        }
    }
    if (count == 2) {
        data[out++] = char(bits >> 4);
    } else if (count == 3) {
        data[out++] = char(bits >> 10);
        data[out++] = char(bits >> 2);
    }
    pool.resize(at + out);
    return true;
}

// Appends `text` as UTF-8, lone surrogates as their three-byte forms, so that every string
// reads back unit for unit.
void appendUtf8(QByteArray &pool, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        if (QChar::isHighSurrogate(code) && i + 1 < text.size()
            && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(char16_t(code), text[++i].unicode());
        if (code < 0x80) {
            pool += char(code);
        } else if (code < 0x800) {
            pool += char(0xC0 | (code >> 6));
            pool += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            pool += char(0xE0 | (code >> 12));
            pool += char(0x80 | ((code >> 6) & 0x3F));
            pool += char(0x80 | (code & 0x3F));
        } else {
            pool += char(0xF0 | (code >> 18));
            pool += char(0x80 | ((code >> 12) & 0x3F));
            pool += char(0x80 | ((code >> 6) & 0x3F));
            pool += char(0x80 | (code & 0x3F));
        }
    }
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

QString notAForm()
{
    return QStringLiteral("not a form document: no XML found");
}

// True when the input does not begin with markup, so that it is no XML at all; `line` and
// `column` are then those of its first character other than blanks (1, 1 when it has none).
bool beginsWithoutMarkup(const QByteArray &data, quint32 &line, quint32 &column)
{
    line = 1;
    column = 1;
    qsizetype i = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (; i < data.size(); ++i) {
        const char c = data[i];
        if (c == '\n') {
            ++line;
            column = 1;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++column;
        } else {
            return c != '<';
        }
    }
    line = 1;
    column = 1;
    return true;
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

QString cDeserializeXML::positionText(quint32 line, quint32 column) const
{
    if (column == 0)
        return QStringLiteral("line %1").arg(line);
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

void cDeserializeXML::parse(const QByteArray &data)
{
    using Limits = cDocumentLimits;
    if (data.size() > Limits::maxDocumentSize)
        malformed(1, 0, QStringLiteral("larger than %1 MiB, the most a document may take")
                            .arg(Limits::maxDocumentSize / (1024 * 1024)));
    // Bounds every piece the XML parser will hold before it holds any.
    cXmlInputCheck::tFaultSet fault;
    std::vector<cXmlInputCheck::tRunSet> runs;
    if (!cXmlInputCheck::check(data, fault, &runs)) {
        // A picture or an archive opened by mistake fails as bytes that are no UTF-8.
        quint32 line, column;
        if (beginsWithoutMarkup(data, line, column))
            malformed(line, column, notAForm());
        malformed(fault.line, fault.column, fault.reason);
    }

    cDocumentTree &t = tree();
    t.setUtf8Strings(true);
    // Everything pooled is shorter than its text in the input: reserved once, used as read.
    QByteArray &bytes = t.bytes();
    bytes.reserve(data.size());
    // The smallest entry, "<ascii/>", takes eight characters.
    t.setMaxEntries(Limits::maxEntries(data.size(), Limits::xmlBytesPerEntry));
    t.reserve(qMin<qsizetype>(data.size() / 8 + 8, t.maxEntries() + 1));
    // The parser gets the input in pieces, all but the long byte values: those it would hold
    // whole, twice as large as in the input; they are decoded from the input instead.
    QXmlStreamReader reader;
    qsizetype fed = 0;
    size_t nextRun = 0;
    const auto feed = [&]() {
        const qsizetype until = nextRun < runs.size() ? runs[nextRun].begin : data.size();
        const qsizetype n = qMin<qsizetype>(until - fed, 1024 * 1024);
        if (n <= 0)
            return false;
        reader.addData(QByteArray(data.constData() + fed, n));
        fed += n;
        return true;
    };
    // Where a skipped value moved the parser's idea of lines and columns.
    qint64 lineShift = 0, columnShift = 0, shiftedLine = -1;

    QString text;        // an escaped value or a number, gathered until its end
    QByteArray picture;  // the base64 text of a bytes value, decoded in place at its end
    QString unescaped;
    bool inValue = false;
    bool escaped = false;
    bool started = false;
    qsizetype valueLength = 0;   // characters of the value read so far
    const auto line = [&]() {
        return quint32(qBound<qint64>(0, reader.lineNumber() + lineShift, 0xFFFFFFFF));
    };
    const auto column = [&]() {
        const qint64 shift = reader.lineNumber() == shiftedLine ? columnShift : 0;
        return quint32(qBound<qint64>(1, reader.columnNumber() + shift, 0xFFFFFFFF));
    };
    const auto fail = [&](const QString &reason) { malformed(line(), column(), reason); };
    const auto tooLong = [](const char *what, qsizetype limit, const char *unit) {
        return QStringLiteral("%1 longer than %2 %3")
            .arg(QLatin1String(what))
            .arg(limit)
            .arg(QLatin1String(unit));
    };
    // The plain form of an attribute or value text.
    const auto plain = [&](QStringView raw, const char *what) -> QStringView {
        if (!escaped)
            return raw;
        unescaped.resize(0);
        if (!cXmlEscape::unescape(raw, unescaped))
            fail(QStringLiteral("invalid escape in %1").arg(QLatin1String(what)));
        return unescaped;
    };
    const auto storeName = [&](QStringView raw, const char *what, quint32 &at, quint32 &size) {
        const QStringView name = plain(raw, what);
        if (name.size() > Limits::maxNameLength)
            fail(tooLong(what, Limits::maxNameLength, "characters"));
        at = quint32(bytes.size());
        if (!appendLatin1(bytes, name))
            fail(QStringLiteral("%1 \"%2\" is not an 8-bit text")
                     .arg(QLatin1String(what), Limits::cut(name)));
        size = quint32(bytes.size()) - at;
    };
    // Adds a piece of a value's text to the pool as it arrives: nothing is held twice.
    const auto takePiece = [&](cDocumentTree::tEntrySet &e, QStringView piece) {
        valueLength += piece.size();
        switch (e.kind) {
        case cAbstractDeserializer::AsciiEntry:
            if (valueLength > Limits::maxTextLength)
                malformed(e.line, e.column, tooLong("text", Limits::maxTextLength, "characters"));
            if (!appendLatin1(bytes, piece))
                malformed(e.line, e.column, QStringLiteral("an ascii value is not an 8-bit text"));
            break;
        case cAbstractDeserializer::StringEntry:
            if (valueLength > Limits::maxTextLength)
                malformed(e.line, e.column, tooLong("text", Limits::maxTextLength, "characters"));
            appendUtf8(bytes, piece);
            break;
        case cAbstractDeserializer::BytesEntry:
            for (const QChar c : piece) {
                const ushort u = c.unicode();
                if (u == ' ' || u == '\t' || u == '\n' || u == '\r')
                    continue;
                if (base64Value(u) < 0 && u != '=')
                    malformed(e.line, e.column, QStringLiteral("invalid bytes value"));
                picture += char(u);
            }
            if (picture.size() > Limits::maxBytesLength / 3 * 4 + 4)
                malformed(e.line, e.column,
                          tooLong("byte value", Limits::maxBytesLength, "bytes"));
            break;
        default:
            // A number: nothing valid is longer than this.
            if (text.size() + piece.size() > 64)
                malformed(e.line, e.column,
                          QStringLiteral("invalid %1 value \"%2\"")
                              .arg(QLatin1String(cDocumentTree::kindName(e.kind)),
                                   Limits::cut(text + piece.toString())));
            text += piece;
            break;
        }
    };

    // Takes the long byte value at the next run straight from the input (checked to be base64).
    const auto skipRun = [&]() {
        const cXmlInputCheck::tRunSet &run = runs[nextRun++];
        cDocumentTree::tEntrySet &e = t.last();
        if (!inValue || escaped || e.kind != cAbstractDeserializer::BytesEntry)
            return; // not where it was expected: the parser reads it after all
        qint64 lines = 0, tail = 0;
        for (qsizetype i = run.begin; i < run.end; ++i) {
            const char c = data[i];
            ++tail;
            if (c == '\n') {
                ++lines;
                tail = 0;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                picture += c;
            }
        }
        if (picture.size() > Limits::maxBytesLength / 3 * 4 + 4)
            malformed(e.line, e.column, tooLong("byte value", Limits::maxBytesLength, "bytes"));
        const qint64 readerLine = reader.lineNumber();
        columnShift = lines > 0 ? tail - reader.columnNumber()
                                : tail + (readerLine == shiftedLine ? columnShift : 0);
        shiftedLine = readerLine;
        lineShift += lines;
        fed = run.end;
    };

    for (bool more = true; more;) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (reader.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
            if (feed())
                continue;
            if (nextRun < runs.size() && fed == runs[nextRun].begin) {
                skipRun();
                continue;
            }
            break;
        }
        switch (token) {
        case QXmlStreamReader::StartElement: {
            if (inValue)
                fail(QStringLiteral("a value holds an element"));
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
                    fail(QStringLiteral("the document element is missing"));
                started = true;
                const QStringView documentName = plain(nameText, "document name");
                if (documentName.size() > Limits::maxNameLength)
                    fail(tooLong("document name", Limits::maxNameLength, "characters"));
                t.setDocumentName(documentName.toString());
                break;
            }
            const Kind kind = kindOf(name);
            if (kind == cAbstractDeserializer::NoEntry)
                fail(QStringLiteral("unknown element <%1>").arg(Limits::cut(name)));
            cDocumentTree::tEntrySet &e = addEntry(kind, line(), column());
            storeName(labelText, "label", e.label, e.labelSize);
            if (kind == cAbstractDeserializer::ContextEntry) {
                storeName(nameText, "context name", e.value.text.at, e.value.text.size);
            } else {
                inValue = true;
                text.resize(0);
                valueLength = 0;
                if (kind == cAbstractDeserializer::AsciiEntry
                    || kind == cAbstractDeserializer::StringEntry
                    || kind == cAbstractDeserializer::BytesEntry)
                    e.value.text = {quint32(bytes.size()), 0};
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (!inValue) {
                if (!reader.isWhitespace())
                    fail(QStringLiteral("text outside a value"));
            } else if (escaped) {
                // Unescaped as a whole at its end; each escape takes at most six characters.
                if (text.size() + reader.text().size()
                    > Limits::maxTextLength * cXmlInputCheck::escapeGrowth) {
                    const cDocumentTree::tEntrySet &e = t.last();
                    malformed(e.line, e.column,
                              tooLong("text", Limits::maxTextLength, "characters"));
                }
                text += reader.text();
            } else {
                takePiece(t.last(), reader.text());
            }
            break;
        case QXmlStreamReader::EndElement: {
            if (!inValue) {
                if (t.depth() > 0)
                    t.closeContext();
                break;
            }
            inValue = false;
            cDocumentTree::tEntrySet &e = t.last();
            if (escaped) {
                const QString whole = std::move(text);
                text = QString();
                takePiece(e, plain(whole, "a value"));
            }
            const QStringView value = text;
            bool ok = true;
            switch (e.kind) {
            case cAbstractDeserializer::AsciiEntry:
            case cAbstractDeserializer::StringEntry:
                e.value.text.size = quint32(bytes.size()) - e.value.text.at;
                break;
            case cAbstractDeserializer::BytesEntry: {
                // Decoded where it was gathered and kept as it is: the reader hands that array
                // on without copying it again.
                ok = decodeBase64InPlace(picture, 0);
                const quint32 size = quint32(picture.size());
                if (ok && size > quint32(Limits::maxBytesLength))
                    malformed(e.line, e.column,
                              tooLong("byte value", Limits::maxBytesLength, "bytes"));
                picture.squeeze();
                e.value.text = {t.addByteValue(std::move(picture)), size};
                picture = QByteArray();
                break;
            }
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
            default:
                break;
            }
            if (!ok)
                malformed(e.line, e.column,
                          e.kind == cAbstractDeserializer::BytesEntry
                              ? QStringLiteral("invalid bytes value")
                              : QStringLiteral("invalid %1 value \"%2\"")
                                    .arg(QLatin1String(cDocumentTree::kindName(e.kind)),
                                         Limits::cut(value)));
            break;
        }
        case QXmlStreamReader::DTD:
            fail(QStringLiteral("document type declarations are not accepted"));
            break;
        case QXmlStreamReader::EntityReference:
            fail(QStringLiteral("unknown entity &%1;").arg(Limits::cut(reader.name())));
            break;
        case QXmlStreamReader::EndDocument:
        case QXmlStreamReader::Invalid:
            more = false;
            break;
        default:
            break;
        }
    }
    if (reader.hasError()) {
        // The parser's own texts speak of tags and documents ending, which says nothing to
        // whoever opened a picture or a text file by mistake.
        quint32 textLine, textColumn;
        if (!started && beginsWithoutMarkup(data, textLine, textColumn))
            malformed(textLine, textColumn, notAForm());
        if (reader.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            fail(started ? QStringLiteral("the document ends before its last element is closed")
                         : QStringLiteral("not a form document: no element found"));
        QString reason = reader.errorString();
        if (reason.endsWith(QLatin1Char('.')))
            reason.chop(1);
        fail(reason);
    }
    startReading();
}

} // namespace vsa
