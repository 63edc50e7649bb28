#include "cxmlinputcheck.h"

#include "cdocumentlimits.h"

#include <cstring>

namespace vsa {

namespace {

using Limits = cDocumentLimits;

bool isBlank(uchar c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isBase64(uchar c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+'
           || c == '/';
}

// What a text run is, for its limit and its message.
enum class TextKind { Text, EscapedText, Bytes };

// Walks the input once. Lines and columns are not counted on the way: a fault records where it
// begins, and only then is its line and column worked out from the start.
class tScanner
{
public:
    tScanner(const QByteArray &data, cXmlInputCheck::tFaultSet &fault,
             std::vector<cXmlInputCheck::tRunSet> *runs)
        : mBegin(reinterpret_cast<const uchar *>(data.constData())), mP(mBegin),
          mEnd(mP + data.size()), mFault(fault), mRuns(runs)
    {
    }

    bool run()
    {
        if (!checkDeclaration())
            return false;
        while (mP < mEnd) {
            const void *lt = std::memchr(mP, '<', size_t(mEnd - mP));
            const uchar *const stop = lt ? static_cast<const uchar *>(lt) : mEnd;
            const uchar *const start = mP;
            if (mP < stop && !text(stop))
                return false;
            if (mP == mEnd)
                break;
            if (mTextKind == TextKind::Bytes && mRuns && mP - start >= cXmlInputCheck::longRun)
                mRuns->push_back({start - mBegin, mP - mBegin});
            if (!markup())
                return false;
        }
        return true;
    }

private:
    // Records the fault at `at` with its line and column.
    bool fail(const uchar *at, const QString &reason)
    {
        quint32 line = 1, column = 0;
        for (const uchar *p = mBegin; p < at; ++p) {
            const uchar b = *p;
            if (b == '\n' || (b == '\r' && (p + 1 == mEnd || p[1] != '\n'))) {
                ++line;
                column = 0;
            } else if (b != '\r' && (b & 0xC0) != 0x80) {
                // One unit per character, two for those beyond the 16-bit range.
                column += b >= 0xF0 ? 2 : 1;
            }
        }
        mFault.line = line;
        mFault.column = column + 1;
        mFault.reason = reason;
        return false;
    }
    bool at(const char *text) const
    {
        const size_t n = std::strlen(text);
        return size_t(mEnd - mP) >= n && std::memcmp(mP, text, n) == 0;
    }

    // Steps over one character; false for bytes that are no UTF-8.
    bool next()
    {
        if (*mP < 0x80) {
            ++mP;
            return true;
        }
        return nextMultiByte();
    }
    bool nextMultiByte()
    {
        const uchar b = *mP;
        int size = 0;
        quint32 code = 0, least = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            size = 2; code = b & 0x1F; least = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            size = 3; code = b & 0x0F; least = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            size = 4; code = b & 0x07; least = 0x10000;
        }
        bool valid = size > 0 && mEnd - mP >= size;
        for (int i = 1; valid && i < size; ++i) {
            valid = (mP[i] & 0xC0) == 0x80;
            code = (code << 6) | (mP[i] & 0x3F);
        }
        if (!valid || code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return fail(mP, QStringLiteral("invalid UTF-8 (byte 0x%1)")
                                .arg(uint(b), 2, 16, QLatin1Char('0')));
        mP += size;
        return true;
    }
    // Steps over "&...;" (or a bare "&", which the parser refuses) as one character.
    bool entity()
    {
        ++mP;
        for (int i = 0; i < 12 && mP < mEnd && *mP != '<'; ++i) {
            const bool last = *mP == ';';
            if (!next())
                return false;
            if (last)
                break;
        }
        return true;
    }

    qsizetype textLimit() const
    {
        switch (mTextKind) {
        case TextKind::Bytes:
            // Base64 takes four characters for three bytes; line breaks are allowed.
            return Limits::maxBytesLength / 3 * 4 * 9 / 8;
        case TextKind::EscapedText:
            return Limits::maxTextLength * cXmlInputCheck::escapeGrowth;
        case TextKind::Text:
            break;
        }
        return Limits::maxTextLength;
    }
    QString tooLongReason() const
    {
        if (mTextKind == TextKind::Bytes)
            return QStringLiteral("byte value longer than %1 bytes").arg(Limits::maxBytesLength);
        return QStringLiteral("text longer than %1 characters").arg(Limits::maxTextLength);
    }
    bool textTooLong(const uchar *start) { return fail(start, tooLongReason()); }

    // The characters up to `stop`, where the next markup begins.
    bool text(const uchar *stop)
    {
        const uchar *const start = mP;
        if (mClosed) {
            for (; mP < stop; ++mP) {
                if (!isBlank(*mP))
                    return fail(mP, QStringLiteral("text after the end of the document"));
            }
            return true;
        }
        const qsizetype limit = textLimit();
        if (mTextKind == TextKind::Bytes) {
            // All of it ASCII, so characters are bytes.
            const uchar *const end = stop - start > limit ? start + limit : stop;
            for (; mP < end; ++mP) {
                if (!isBase64(*mP) && *mP != '=' && !isBlank(*mP))
                    return fail(mP, QStringLiteral("invalid bytes value"));
            }
            if (stop - start > limit)
                return textTooLong(start);
            mP = stop;
            return true;
        }
        for (qsizetype length = 1; mP < stop; ++length) {
            if (length > limit)
                return textTooLong(start);
            if (*mP == '&') {
                if (!entity())
                    return false;
            } else if (!next()) {
                return false;
            }
        }
        return true;
    }

    // Steps up to and over `terminator`, failing with `tooLong` beyond `limit` characters.
    bool skipTo(const char *terminator, qsizetype limit, const uchar *start,
                const QString &tooLong)
    {
        for (qsizetype n = 0; mP < mEnd; ++n) {
            if (at(terminator)) {
                mP += std::strlen(terminator);
                return true;
            }
            if (n > limit)
                return fail(start, tooLong);
            if (!next())
                return false;
        }
        return true;
    }

    bool checkDeclaration()
    {
        if (!at("<?xml"))
            return true;
        const QByteArray head(reinterpret_cast<const char *>(mP),
                              qMin<qsizetype>(mEnd - mP, 256));
        const qsizetype close = head.indexOf("?>");
        const qsizetype key = head.indexOf("encoding");
        if (close < 0 || key < 0 || key > close)
            return true;
        qsizetype from = key + 8;
        while (from < close && (isBlank(uchar(head[from])) || head[from] == '='))
            ++from;
        if (from >= close || (head[from] != '"' && head[from] != '\''))
            return true;
        const qsizetype to = head.indexOf(head[from], from + 1);
        if (to < 0 || to > close)
            return true;
        const QByteArray name = head.mid(from + 1, to - from - 1);
        if (name.compare("UTF-8", Qt::CaseInsensitive) == 0)
            return true;
        return fail(mP + from + 1, QStringLiteral("encoding \"%1\" is not accepted; a "
                                                  "document is UTF-8")
                                       .arg(Limits::cut(QString::fromLatin1(name))));
    }

    bool markup()
    {
        const uchar *const start = mP;
        if (mP + 1 < mEnd && (mP[1] == '!' || mP[1] == '?')) {
            if (at("<!--"))
                return skipTo("-->", Limits::maxTextLength, start,
                              QStringLiteral("comment longer than %1 characters")
                                  .arg(Limits::maxTextLength));
            if (at("<![CDATA["))
                return skipTo("]]>", textLimit(), start, tooLongReason());
            if (at("<!DOCTYPE"))
                return fail(start, QStringLiteral("document type declarations are not "
                                                  "accepted"));
            if (at("<!"))
                return fail(start, QStringLiteral("declarations are not accepted"));
            return skipTo("?>", Limits::maxTextLength, start,
                          QStringLiteral("processing instruction longer than %1 characters")
                              .arg(Limits::maxTextLength));
        }
        return tag();
    }

    static bool endsName(uchar c)
    {
        return isBlank(c) || c == '/' || c == '>' || c == '<' || c == '=' || c == '"'
               || c == '\'';
    }
    // Steps over a name; false when it is longer than a name may be. `name` is its text.
    bool name(QByteArrayView &name, const char *what)
    {
        const uchar *const from = mP;
        int length = 0;
        while (mP < mEnd && !endsName(*mP)) {
            if (++length > Limits::maxNameLength)
                return fail(from, QStringLiteral("%1 longer than %2 characters")
                                      .arg(QLatin1String(what))
                                      .arg(Limits::maxNameLength));
            if (!next())
                return false;
        }
        name = QByteArrayView(from, mP - from);
        return true;
    }

    bool tag()
    {
        const uchar *const from = mP;
        // Fed in pieces, the XML parser stops at the end of the document element.
        if (mClosed)
            return fail(from, QStringLiteral("an element after the end of the document"));
        ++mP;
        const bool endTag = mP < mEnd && *mP == '/';
        if (endTag)
            ++mP;
        QByteArrayView element, attribute;
        if (!name(element, "element name"))
            return false;
        int attributes = 0;
        bool escaped = false;
        bool empty = false;
        while (mP < mEnd && *mP != '>') {
            if (*mP == '<')
                return true; // malformed: the parser says so
            if (mP - from > cXmlInputCheck::maxTagLength)
                return fail(from, QStringLiteral("tag longer than %1 characters")
                                      .arg(cXmlInputCheck::maxTagLength));
            if (*mP == '"' || *mP == '\'') {
                if (!value(attribute, escaped))
                    return false;
            } else if (*mP == '=') {
                if (++attributes > cXmlInputCheck::maxAttributes)
                    return fail(from, QStringLiteral("more than %1 attributes in one tag")
                                          .arg(cXmlInputCheck::maxAttributes));
                ++mP;
            } else if (isBlank(*mP) || *mP == '/') {
                empty = *mP == '/';
                ++mP;
            } else if (!name(attribute, "attribute name")) {
                return false;
            }
        }
        if (mP < mEnd)
            ++mP;
        mTextKind = TextKind::Text;
        mDepth += endTag ? -1 : empty ? 0 : 1;
        mClosed = mDepth <= 0;
        if (endTag || empty)
            return true;
        if (escaped)
            mTextKind = TextKind::EscapedText;
        else if (element == "bytes")
            mTextKind = TextKind::Bytes;
        return true;
    }

    // A quoted attribute value; notes whether it marks the element as escaped.
    bool value(QByteArrayView attribute, bool &escaped)
    {
        const uchar *const start = mP;
        const uchar quote = *mP;
        ++mP;
        const uchar *const from = mP;
        const qsizetype limit = qsizetype(Limits::maxNameLength) * cXmlInputCheck::escapeGrowth;
        for (qsizetype length = 1; mP < mEnd && *mP != quote && *mP != '<'; ++length) {
            if (length > limit)
                return fail(start, QStringLiteral("%1 longer than %2 characters")
                                       .arg(QString::fromLatin1(attribute))
                                       .arg(Limits::maxNameLength));
            if (!(*mP == '&' ? entity() : next()))
                return false;
        }
        if (attribute == "esc" && mP - from == 1 && *from == '1')
            escaped = true;
        if (mP < mEnd && *mP == quote)
            ++mP;
        return true;
    }

    const uchar *const mBegin;
    const uchar *mP;
    const uchar *const mEnd;
    cXmlInputCheck::tFaultSet &mFault;
    std::vector<cXmlInputCheck::tRunSet> *mRuns;
    TextKind mTextKind = TextKind::Text;
    int mDepth = 0;         // elements open
    bool mClosed = false;   // the document element has ended
};

} // namespace

bool cXmlInputCheck::check(const QByteArray &data, tFaultSet &fault,
                           std::vector<tRunSet> *longByteRuns)
{
    return tScanner(data, fault, longByteRuns).run();
}

} // namespace vsa
