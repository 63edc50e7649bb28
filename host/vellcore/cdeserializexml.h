#pragma once

#include "ctreedeserializer.h"

namespace vsa {

// Reads a document written by cSerializeXML (kind "XML-Config"). The whole input is parsed and
// checked on construction; a malformed, truncated or oversized document, or one beyond a limit
// of cDocumentLimits, is refused with a cRuntimeException naming the file, line and column.
class cDeserializeXML : public cTreeDeserializer
{
public:
    // Reads the file at `path`.
    explicit cDeserializeXML(const vucs::cString &path);
    // Reads `data`; `source` names the document in messages.
    cDeserializeXML(const QByteArray &data, const vucs::cString &source);

protected:
    QString positionText(quint32 line, quint32 column) const override;

private:
    void parse(const QByteArray &data);
};

} // namespace vsa
