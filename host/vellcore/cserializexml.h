#pragma once

#include "cabstractserializer.h"

#include <QXmlStreamWriter>

namespace vsa {

// Writes a document as readable UTF-8 XML (kind "XML-Config"): a <document> element named after
// the document, <context> elements with name and label attributes, and one element per value
// (<ascii>, <string>, <uint>, <int64>, <bool>, <double>, <bytes>) holding its text.
class cSerializeXML : public cAbstractSerializer
{
public:
    explicit cSerializeXML(const vucs::cString &documentName);

    void beginContext(const vstd::cAsciiString &name) override;
    void endContext() override;

    void writeAscii(const vstd::cAsciiString &value) override;
    void writeString(const vucs::cString &value) override;
    void writeUInt(unsigned int value) override;
    void writeInt64(__int64 value) override;
    void writeBool(bool value) override;
    void writeDouble(double value) override;
    void writeBytes(const QByteArray &value) override;

    void writeToFile(const vucs::cString &path) override;
    // The complete document; like writeToFile(), completes it.
    QByteArray data();

private:
    void startEntry(const char *element, const vstd::cAsciiString &label, bool escaped);
    void writeValue(const char *element, const QString &text);
    void writeLatin1Value(const char *element, const QByteArray &text);
    void finish();

    QByteArray mBuffer;
    QXmlStreamWriter mWriter;
    int mDepth = 0;
    bool mFinished = false;
};

} // namespace vsa
