#pragma once

#include "cstring.h"

#include <QStringList>

namespace vucs {

// A translatable message: a text with %placeholders% and the values that fill them in order.
// The "$VTR$" marker only flags the text for translation and is not shown.
class cLIMessage
{
public:
    cLIMessage() = default;
    cLIMessage(const char *text) : mText(QString::fromUtf8(text)) {}
    explicit cLIMessage(const cString &text) : mText(text.text()) {}

    cLIMessage &operator<<(const cString &value) { mArgs << value.text(); return *this; }
    cLIMessage &operator<<(const vstd::cAsciiString &value) { mArgs << qstr(value); return *this; }
    cLIMessage &operator<<(const char *value) { mArgs << QString::fromUtf8(value); return *this; }
    cLIMessage &operator<<(const QString &value) { mArgs << value; return *this; }
    cLIMessage &operator<<(long long value) { mArgs << QString::number(value); return *this; }
    cLIMessage &operator<<(int value) { mArgs << QString::number(value); return *this; }
    cLIMessage &operator<<(unsigned value) { mArgs << QString::number(value); return *this; }

    // The text as written, marker and placeholders included.
    const QString &rawText() const { return mText; }
    const QStringList &arguments() const { return mArgs; }
    // The text as shown: marker stripped, placeholders replaced by the values in order.
    cString text() const;
    QString toQString() const { return text().text(); }

private:
    QString mText;
    QStringList mArgs;
};

} // namespace vucs
