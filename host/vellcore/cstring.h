#pragma once

#include "casciistring.h"

#include <QString>

namespace vucs {

// The host's Unicode string: user-visible texts and file names.
class cString
{
public:
    cString() = default;
    cString(const char *utf8) : mText(QString::fromUtf8(utf8)) {}
    cString(const char16_t *text) : mText(QString::fromUtf16(text)) {}
    explicit cString(const QString &text) : mText(text) {}

    // Each character without an 8-bit (Latin-1) form becomes `replacement`.
    vstd::cAsciiString ascii(char replacement = '?') const;
    static cString fromAscii(const vstd::cAsciiString &text);

    const QString &text() const { return mText; }
    int size() const { return int(mText.size()); }
    bool empty() const { return mText.isEmpty(); }
    bool isEmpty() const { return mText.isEmpty(); }
    void clear() { mText.clear(); }

    cString &operator+=(const cString &o) { mText += o.mText; return *this; }
    friend cString operator+(cString a, const cString &b) { return a += b; }
    friend bool operator==(const cString &a, const cString &b) { return a.mText == b.mText; }
    friend bool operator!=(const cString &a, const cString &b) { return a.mText != b.mText; }
    friend bool operator<(const cString &a, const cString &b) { return a.mText < b.mText; }

private:
    QString mText;
};

} // namespace vucs

// Conversions between the host strings and QString.
inline QString qstr(const vucs::cString &s) { return s.text(); }
inline QString qstr(const vstd::cAsciiString &s) { return QString::fromLatin1(s.bytes()); }
inline vucs::cString qstr(const QString &s) { return vucs::cString(s); }
