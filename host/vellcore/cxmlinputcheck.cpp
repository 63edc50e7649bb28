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

// Walks the input one character at a time, counting lines and columns; every method returns
// false once a fault is recorded.
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
        qsizetype length = 0;
        quint32 line = 0, column = 0;
        const uchar *start = mP;
        while (mP < mEnd) {
            if (*mP == '<') {
                if (mInBytes && mRuns && mP - start >= cXmlInputCheck::longRun)
                    mRuns->push_back({start - mBegin, mP - mBegin});
                if (!markup())
                    return false;
                length = 0;
                continue;
            }
            if (length == 0) {
                line = mLine;
                column = mColumn + 1;
                start = mP;
            }
            if (mClosed && !isBlank(*mP))
                return fail(mLine, mColumn + 1, QStringLiteral("text after the end of the "
                                                               "document"));
            if (mInBytes && !isBlank(*mP) && *mP != '=' && !isBase64(*mP))
                return fail(mLine, mColumn + 1, QStringLiteral("invalid bytes value"));
            if (!(*mP == '&' ? entity() : next()))
                return false;
            if (++length > mTextLimit)
                return fail(line, column, mTextTooLong);
        }
        return true;
    }

private:
    bool fail(quint32 line, quint32 column, const QString &reason)
    {
        mFault.line = line;
        mFault.column = column;
        mFault.reason = reason;
        return false;
    }
    bool at(const char *text) const
    {
        const size_t n = std::strlen(text);
        return size_t(mEnd - mP) >= n && std::memcmp(mP, text, n) == 0;
    }
    quint32 column() const { return mColumn + 1; }

    // Steps over one character; false for bytes that are no UTF-8.
    bool next()
    {
        const uchar b = *mP;
        if (b < 0x80) {
            ++mP;
            if (b == '\n' || (b == '\r' && (mP == mEnd || *mP != '\n'))) {
                ++mLine;
                mColumn = 0;
            } else if (b != '\r') {
                ++mColumn;
            }
            return true;
        }
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
            return fail(mLine, column(), QStringLiteral("invalid UTF-8 (byte 0x%1)")
                                             .arg(uint(b), 2, 16, QLatin1Char('0')));
        mP += size;
        mColumn += code >= 0x10000 ? 2 : 1;
        return true;
    }
    // Steps over "&...;" (or a bare "&", which the parser refuses) as one character.
    bool entity()
    {
        if (!next())
            return false;
        for (int i = 0; i < 12 && mP < mEnd && *mP != '<'; ++i) {
            const bool last = *mP == ';';
            if (!next())
                return false;
            if (last)
                break;
        }
        return true;
    }
    // Steps up to and over `terminator`, failing with `tooLong` beyond `limit` characters.
    bool skipTo(const char *terminator, qsizetype limit, quint32 line, quint32 column,
                const QString &tooLong)
    {
        for (qsizetype n = 0; mP < mEnd; ++n) {
            if (at(terminator)) {
                mP += std::strlen(terminator);
                mColumn += quint32(std::strlen(terminator));
                return true;
            }
            if (n > limit)
                return fail(line, column, tooLong);
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
        return fail(1, quint32(from + 2), QStringLiteral("encoding \"%1\" is not accepted; a "
                                                         "document is UTF-8")
                                              .arg(Limits::cut(QString::fromLatin1(name))));
    }

    bool markup()
    {
        const quint32 line = mLine, column = this->column();
        if (at("<!--"))
            return skipTo("-->", Limits::maxTextLength, line, column,
                          QStringLiteral("comment longer than %1 characters")
                              .arg(Limits::maxTextLength));
        if (at("<![CDATA["))
            return skipTo("]]>", mTextLimit, line, column, mTextTooLong);
        if (at("<!DOCTYPE"))
            return fail(line, column, QStringLiteral("document type declarations are not "
                                                     "accepted"));
        if (at("<!"))
            return fail(line, column, QStringLiteral("declarations are not accepted"));
        if (at("<?"))
            return skipTo("?>", Limits::maxTextLength, line, column,
                          QStringLiteral("processing instruction longer than %1 characters")
                              .arg(Limits::maxTextLength));
        return tag(line, column);
    }

    // Counts a name from the cursor; false when it is longer than a name may be.
    bool name(QByteArray &start, const char *what)
    {
        const quint32 line = mLine, column = this->column();
        const uchar *const from = mP;
        int length = 0;
        while (mP < mEnd && !isBlank(*mP) && *mP != '/' && *mP != '>' && *mP != '<'
               && *mP != '=' && *mP != '"' && *mP != '\'') {
            if (++length > Limits::maxNameLength)
                return fail(line, column, QStringLiteral("%1 longer than %2 characters")
                                              .arg(QLatin1String(what))
                                              .arg(Limits::maxNameLength));
            if (!next())
                return false;
        }
        start = QByteArray(reinterpret_cast<const char *>(from), qMin<qsizetype>(mP - from, 8));
        return true;
    }

    bool tag(quint32 line, quint32 column)
    {
        // Fed in pieces, the XML parser stops at the end of the document element.
        if (mClosed)
            return fail(line, column, QStringLiteral("an element after the end of the document"));
        const uchar *const from = mP;
        next();
        const bool endTag = mP < mEnd && *mP == '/';
        if (endTag)
            next();
        QByteArray element, attribute;
        if (!name(element, "element name"))
            return false;
        int attributes = 0;
        bool escaped = false;
        bool empty = false;
        while (mP < mEnd && *mP != '>') {
            if (*mP == '<')
                return true; // malformed: the parser says so
            if (mP - from > cXmlInputCheck::maxTagLength)
                return fail(line, column, QStringLiteral("tag longer than %1 characters")
                                              .arg(cXmlInputCheck::maxTagLength));
            if (*mP == '"' || *mP == '\'') {
                if (!value(attribute, escaped))
                    return false;
            } else if (*mP == '=') {
                if (++attributes > cXmlInputCheck::maxAttributes)
                    return fail(line, column, QStringLiteral("more than %1 attributes in one tag")
                                                  .arg(cXmlInputCheck::maxAttributes));
                next();
            } else if (isBlank(*mP) || *mP == '/') {
                empty = *mP == '/';
                next();
            } else if (!name(attribute, "attribute name")) {
                return false;
            }
        }
        if (mP < mEnd)
            next();
        mInBytes = false;
        mTextLimit = Limits::maxTextLength;
        mTextTooLong = QStringLiteral("text longer than %1 characters").arg(mTextLimit);
        mDepth += endTag ? -1 : empty ? 0 : 1;
        mClosed = mDepth <= 0;
        if (endTag || empty)
            return true;
        if (element == "bytes" && !escaped) {
            mInBytes = true;
            // Base64 takes four characters for three bytes; line breaks are allowed.
            mTextLimit = Limits::maxBytesLength / 3 * 4 * 9 / 8;
            mTextTooLong = QStringLiteral("byte value longer than %1 bytes")
                               .arg(Limits::maxBytesLength);
        } else if (escaped) {
            mTextLimit *= cXmlInputCheck::escapeGrowth;
        }
        return true;
    }

    // A quoted attribute value; notes whether it marks the element as escaped.
    bool value(const QByteArray &attribute, bool &escaped)
    {
        const quint32 line = mLine, column = this->column();
        const uchar quote = *mP;
        next();
        const uchar *const from = mP;
        qsizetype length = 0;
        while (mP < mEnd && *mP != quote && *mP != '<') {
            if (!(*mP == '&' ? entity() : next()))
                return false;
            if (++length > qsizetype(Limits::maxNameLength) * cXmlInputCheck::escapeGrowth)
                return fail(line, column, QStringLiteral("%1 longer than %2 characters")
                                              .arg(QString::fromLatin1(attribute))
                                              .arg(Limits::maxNameLength));
        }
        if (attribute == "esc" && mP - from == 1 && *from == '1')
            escaped = true;
        if (mP < mEnd && *mP == quote)
            next();
        return true;
    }

    const uchar *const mBegin;
    const uchar *mP;
    const uchar *const mEnd;
    cXmlInputCheck::tFaultSet &mFault;
    std::vector<cXmlInputCheck::tRunSet> *mRuns;
    bool mInBytes = false;
    int mDepth = 0;         // elements open
    bool mClosed = false;   // the document element has ended
    quint32 mLine = 1;
    quint32 mColumn = 0;
    qsizetype mTextLimit = Limits::maxTextLength;
    QString mTextTooLong = QStringLiteral("text longer than %1 characters")
                               .arg(Limits::maxTextLength);
};

} // namespace

bool cXmlInputCheck::check(const QByteArray &data, tFaultSet &fault,
                           std::vector<tRunSet> *longByteRuns)
{
    return tScanner(data, fault, longByteRuns).run();
}

} // namespace vsa
