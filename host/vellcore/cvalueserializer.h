#pragma once

#include "cabstractdeserializer.h"
#include "cabstractserializer.h"

#include <QString>

namespace vsa {

// The base of the document formats: the typed write functions all arrive at writeValue(), with
// the value's kind, its label and its content, so that a format writes values in one place and
// a new kind of value is added here once.
class cValueSerializer : public cAbstractSerializer
{
public:
    // One value as it is written: its kind and the field that kind uses.
    struct tValueSet
    {
        cAbstractDeserializer::EntryKind kind;
        const QByteArray *bytes = nullptr; // ascii (Latin-1), bytes
        const QString *text = nullptr;     // string
        quint64 u = 0;                     // uint, bool (0 or 1)
        qint64 i = 0;                      // int64
        double d = 0;                      // double

        // The entry's kind as the formats name it ("ascii", "string", "uint", ...).
        const char *kindName() const;
        // The value as readable text: numbers in decimal (doubles in their shortest exact
        // form), flags as "true" or "false", texts as they are. Bytes have no plain text: each
        // format encodes them itself; null for them.
        QString plainText() const;
    };

    void writeAscii(const vstd::cAsciiString &value) final;
    void writeString(const vucs::cString &value) final;
    void writeUInt(unsigned int value) final;
    void writeInt64(__int64 value) final;
    void writeBool(bool value) final;
    void writeDouble(double value) final;
    void writeBytes(const QByteArray &value) final;

protected:
    // Writes one value; `label` is empty when the value has none or labels are not wanted.
    virtual void writeValue(const vstd::cAsciiString &label, const tValueSet &value) = 0;

private:
    void write(tValueSet value) { writeValue(takeLabelIfWanted(), value); }
};

} // namespace vsa
