#pragma once

#include <QByteArray>
#include <QString>

namespace vsa {

// The reversible escape for texts that XML cannot carry as they are: control characters, a
// carriage return (XML turns it into a line feed), unpaired surrogates and U+FFFE/U+FFFF. An
// escaped text writes "\\" for a backslash, "\xHH" for a control character and
// "\uHHHH" for a lone UTF-16 unit; the element carrying it is marked, so that texts without such
// characters stay exactly as written.
class cXmlEscape
{
public:
    static bool needsEscape(QStringView text);
    static bool needsEscape(const QByteArray &latin1);
    static QString escape(QStringView text);
    // Appends the plain text of `escaped` to `out`; false for a malformed escape.
    static bool unescape(QStringView escaped, QString &out);
};

} // namespace vsa
