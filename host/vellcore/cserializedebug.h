#pragma once

#include "cvalueserializer.h"

#include <QString>

namespace vsa {

// Writes a readable, indented dump of a document to the debug stream, one line per entry as it
// is written (kind "Debug"); writeToFile() saves the same dump.
class cSerializeDebug : public cValueSerializer
{
public:
    explicit cSerializeDebug(const vucs::cString &documentName);

    void beginContext(const vstd::cAsciiString &name) override;
    void endContext() override;

    void writeToFile(const vucs::cString &path) override;
    // The dump written so far.
    const QString &text() const { return mText; }

protected:
    void writeValue(const vstd::cAsciiString &label, const tValueSet &value) override;

private:
    void writeEntry(const vstd::cAsciiString &label, const char *kind, const QString &value);
    void writeLine(int indent, const QString &line);

    QString mText;
    int mDepth = 0;
    bool mFinished = false;
};

} // namespace vsa
