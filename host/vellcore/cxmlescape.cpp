#include "cxmlescape.h"

namespace vsa {

namespace {

// A character XML cannot carry as it is (tab and line feed survive in text and, as character
// references, in attributes).
inline bool isUnsafeControl(ushort c)
{
    return c < 0x20 && c != '\t' && c != '\n';
}

inline bool isNonCharacter(ushort c)
{
    return c == 0xFFFE || c == 0xFFFF;
}

// Length of a valid surrogate pair at `i`, else 0.
inline int pairAt(QStringView text, qsizetype i)
{
    return i + 1 < text.size() && QChar::isHighSurrogate(text[i].unicode())
                   && QChar::isLowSurrogate(text[i + 1].unicode())
               ? 2
               : 0;
}

inline int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool readHex(QStringView text, qsizetype at, int digits, ushort &value)
{
    if (at + digits > text.size())
        return false;
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int h = hexValue(text[at + i]);
        if (h < 0)
            return false;
        value = ushort(value * 16 + h);
    }
    return true;
}

} // namespace

bool cXmlEscape::needsEscape(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const ushort c = text[i].unicode();
        if (c < 0x20) {
            if (isUnsafeControl(c))
                return true;
        } else if (QChar::isSurrogate(c)) {
            if (!pairAt(text, i))
                return true;
            ++i;
        } else if (isNonCharacter(c)) {
            return true;
        }
    }
    return false;
}

bool cXmlEscape::needsEscape(const QByteArray &latin1)
{
    for (const char c : latin1) {
        if (isUnsafeControl(uchar(c)))
            return true;
    }
    return false;
}

QString cXmlEscape::escape(QStringView text)
{
    static const char digits[] = "0123456789abcdef";
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const ushort c = text[i].unicode();
        if (c == '\\') {
            out += QLatin1String("\\\\");
        } else if (isUnsafeControl(c)) {
            out += QLatin1String("\\x");
            out += QLatin1Char(digits[c >> 4]);
            out += QLatin1Char(digits[c & 15]);
        } else if ((QChar::isSurrogate(c) && !pairAt(text, i)) || isNonCharacter(c)) {
            out += QLatin1String("\\u");
            for (int shift = 12; shift >= 0; shift -= 4)
                out += QLatin1Char(digits[(c >> shift) & 15]);
        } else if (QChar::isSurrogate(c)) {
            out += text[i];
            out += text[++i];
        } else {
            out += text[i];
        }
    }
    return out;
}

bool cXmlEscape::unescape(QStringView escaped, QString &out)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != QLatin1Char('\\'))
            continue;
        out += escaped.mid(from, i - from);
        if (i + 1 >= escaped.size())
            return false;
        const QChar kind = escaped[i + 1];
        ushort value = 0;
        if (kind == QLatin1Char('\\')) {
            out += kind;
            i += 1;
        } else if (kind == QLatin1Char('x') && readHex(escaped, i + 2, 2, value)) {
            out += QChar(value);
            i += 3;
        } else if (kind == QLatin1Char('u') && readHex(escaped, i + 2, 4, value)) {
            out += QChar(value);
            i += 5;
        } else {
            return false;
        }
        from = i + 1;
    }
    out += escaped.mid(from);
    return true;
}

} // namespace vsa
