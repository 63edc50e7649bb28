#pragma once

#include "ctreedeserializer.h"

#include <memory>

namespace vsa {

// Reads a document written by cSerializeBinary. The input is checked completely on construction:
// every count and length against what is left of it, so that a truncated or hostile input is
// refused with a cRuntimeException naming the byte at fault, never read beyond its end.
class cDeserializeBinary : public cTreeDeserializer
{
public:
    // Reads `data`; `source` names the document in messages.
    explicit cDeserializeBinary(const QByteArray &data,
                                const vucs::cString &source = vucs::cString("memory"));
    // Reads the file at `path`.
    static std::unique_ptr<cDeserializeBinary> fromFile(const vucs::cString &path);

protected:
    QString positionText(quint32 line, quint32 column) const override;

private:
    void parse(const QByteArray &data);
};

} // namespace vsa
