#pragma once

#include "cvalueserializer.h"

#include <QXmlStreamWriter>

namespace vsa {

// Writes a document as readable UTF-8 XML (kind "XML-Config"): a <document> element named after
// the document, <context> elements with name and label attributes, and one element per value
// (<ascii>, <string>, <uint>, <int64>, <bool>, <double>, <bytes>) holding its text.
class cSerializeXML : public cValueSerializer
{
public:
    explicit cSerializeXML(const vucs::cString &documentName);

    void beginContext(const vstd::cAsciiString &name) override;
    void endContext() override;

    void writeToFile(const vucs::cString &path) override;
    // The complete document; like writeToFile(), completes it.
    QByteArray data();

protected:
    void writeValue(const vstd::cAsciiString &label, const tValueSet &value) override;

private:
    void startEntry(const char *element, const vstd::cAsciiString &label, bool escaped);
    void finish();

    QByteArray mBuffer;
    QXmlStreamWriter mWriter;
    int mDepth = 0;
    bool mFinished = false;
};

} // namespace vsa
