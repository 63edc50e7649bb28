#include "cstring.h"

#include <QList>

namespace vucs {

vstd::cAsciiString cString::ascii(char replacement) const
{
    // One pass over the UTF-16 units, without the code point list toUcs4() allocates: every
    // key of a large form's translation list comes through here after each of its edits.
    const qsizetype size = mText.size();
    const QChar *units = mText.constData();
    QByteArray out(size, Qt::Uninitialized);
    char *to = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = units[i].unicode();
        if (c <= 0xff) {
            *to++ = char(c);
            continue;
        }
        // A character beyond the 16-bit plane is one character, so one replacement.
        if (QChar::isHighSurrogate(c) && i + 1 < size && units[i + 1].isLowSurrogate())
            ++i;
        *to++ = replacement;
    }
    out.truncate(to - out.constData());
    return vstd::cAsciiString(out);
}

cString cString::fromAscii(const vstd::cAsciiString &text)
{
    return cString(QString::fromLatin1(text.bytes()));
}

} // namespace vucs
