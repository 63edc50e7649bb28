#pragma once

#include "vellcore/cstring.h"

class QDateTime;
namespace vsa {
class cAbstractSerializer;
class cAbstractDeserializer;
}

// The fields of a document's "FormInfo" section, read and written without any widget.
class cFormInfoRecord
{
public:
    vstd::cAsciiString type = "none";
    vstd::cAsciiString name = "Form";
    vucs::cString author;
    unsigned int versionMajor = 0;
    unsigned int versionMinor = 1;
    vstd::cAsciiString lastModified = "-";
    // False after load() of a document without the section.
    bool present = true;

    // Writes the labelled context "FormInfo": Type, Name, Author, VH, VL, LastModified.
    void store(vsa::cAbstractSerializer &serializer) const;
    // Reads the section when the document has one (Type is not read: it follows the tree);
    // fields missing from it keep their values. Returns whether there was a section.
    bool load(vsa::cAbstractDeserializer &deserializer);

    // "d/m/yyyy-h:m.s" without leading zeros, for example "4/12/2026-20:5.3".
    static vstd::cAsciiString lastModifiedText(const QDateTime &time);
    // lastModifiedText() of the current local time. Stamped on every preview and save: the
    // text of a second is made once (the local time costs a look at the time zone).
    static vstd::cAsciiString lastModifiedNow();
};
