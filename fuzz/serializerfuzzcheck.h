#pragma once

#include "vellcore/vsa.h"

#include <cstdio>
#include <cstdlib>

// What every serializer fuzz target checks once a reader accepted its input: the document can
// be walked completely, and whatever was read survives writing and reading again in both
// formats unchanged. Anything else thrown after the input was accepted is a fault.
class cSerializerFuzzCheck
{
public:
    static void check(vsa::cAbstractDeserializer &reader)
    {
        try {
            reader.setPreferNoLabels(false);
            const QByteArray binary = toBinary(reader);
            vsa::cDeserializeBinary fromBinary(binary);
            expectSame(toBinary(fromBinary), binary, "binary");

            vsa::cDeserializeBinary again(binary);
            const QByteArray xml = toXml(again);
            vsa::cDeserializeXML fromXml(xml, "memory");
            expectSame(toXml(fromXml), xml, "XML");
        } catch (const vstd::cAbstractException &e) {
            std::fprintf(stderr, "accepted input failed later: %s\n",
                         qPrintable(vstd::describe(e).text()));
            std::abort();
        }
    }

private:
    static QByteArray toBinary(vsa::cAbstractDeserializer &reader)
    {
        reader.setPreferNoLabels(false);
        vsa::cSerializeBinary out(reader.documentName());
        out.setPreferNoLabels(false);
        vsa::cDocumentCopy::copyRest(reader, out);
        return out.data();
    }
    static QByteArray toXml(vsa::cAbstractDeserializer &reader)
    {
        reader.setPreferNoLabels(false);
        vsa::cSerializeXML out(reader.documentName());
        out.setPreferNoLabels(false);
        vsa::cDocumentCopy::copyRest(reader, out);
        return out.data();
    }
    static void expectSame(const QByteArray &again, const QByteArray &first, const char *format)
    {
        if (again == first)
            return;
        std::fprintf(stderr, "%s round trip changed the document:\n%s\n---\n%s\n", format,
                     first.toHex().constData(), again.toHex().constData());
        std::abort();
    }
};
