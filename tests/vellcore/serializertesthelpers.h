#pragma once

#include "vellcore/vsa.h"

#include <QtTest>
#include <memory>

// Shared by the serializer tests: the same document written and read in both formats.
namespace serializertest {

enum Format { Xml, Binary };

inline std::unique_ptr<vsa::cAbstractSerializer> createWriter(int format,
                                                              const vucs::cString &name = "Doc")
{
    std::unique_ptr<vsa::cAbstractSerializer> writer;
    if (format == Xml)
        writer = std::make_unique<vsa::cSerializeXML>(name);
    else
        writer = std::make_unique<vsa::cSerializeBinary>(name);
    writer->setPreferNoLabels(false);
    return writer;
}

inline QByteArray bytesOf(vsa::cAbstractSerializer &writer)
{
    if (auto *xml = dynamic_cast<vsa::cSerializeXML *>(&writer))
        return xml->data();
    return dynamic_cast<vsa::cSerializeBinary &>(writer).data();
}

inline std::unique_ptr<vsa::cAbstractDeserializer> createReader(int format,
                                                                const QByteArray &data)
{
    std::unique_ptr<vsa::cAbstractDeserializer> reader;
    if (format == Xml)
        reader = std::make_unique<vsa::cDeserializeXML>(data, "memory");
    else
        reader = std::make_unique<vsa::cDeserializeBinary>(data);
    reader->setPreferNoLabels(false);
    return reader;
}

inline std::unique_ptr<vsa::cAbstractDeserializer> reread(int format,
                                                          vsa::cAbstractSerializer &writer)
{
    return createReader(format, bytesOf(writer));
}

// The message of the `Exception` that `call` throws; anything else thrown fails the test.
template<typename Exception, typename Call>
QString messageOf(Call &&call)
{
    try {
        call();
    } catch (const Exception &e) {
        return e.message().toQString();
    }
    return QStringLiteral("<nothing thrown>");
}

} // namespace serializertest
