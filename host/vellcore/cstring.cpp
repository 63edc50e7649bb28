#include "cstring.h"

#include <QList>

namespace vucs {

vstd::cAsciiString cString::ascii(char replacement) const
{
    QByteArray out;
    out.reserve(mText.size());
    for (const uint c : mText.toUcs4())
        out.append(c <= 0xff ? char(c) : replacement);
    return vstd::cAsciiString(out);
}

cString cString::fromAscii(const vstd::cAsciiString &text)
{
    return cString(QString::fromLatin1(text.bytes()));
}

} // namespace vucs
