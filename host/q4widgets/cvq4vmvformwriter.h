#pragma once

#include "vellcore/vsa.h"
#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdvlayoutparameter.h"

#include <memory>
#include <vector>

class cVQ4VMVDataViewMgr;

// Writes a form document in code: element records with their properties, nested as opened and
// closed, in the structure the factories read. For generated example forms and for tests.
//
//   writer.open("Dialog").set("Title", "Machine");
//   writer.open("VBoxLayout");
//   writer.open("Label").bind("Text", "Machine.name").close();
//   writer.close().close();
class cVQ4VMVFormWriter
{
public:
    // Writes into `serializer` (labels preferred); element types are looked up in `mgr`.
    cVQ4VMVFormWriter(cVQ4VMVDataViewMgr &mgr, vsa::cAbstractSerializer &serializer);
    ~cVQ4VMVFormWriter();
    cVQ4VMVFormWriter(const cVQ4VMVFormWriter &) = delete;
    cVQ4VMVFormWriter &operator=(const cVQ4VMVFormWriter &) = delete;

    // The "FormInfo" section the editor reads; write it before the first element.
    void writeFormInfo(const vstd::cAsciiString &type, const vstd::cAsciiString &name,
                       const vucs::cString &author, unsigned int major, unsigned int minor);

    // Starts the record of an element inside the open one (or at top level), with default
    // properties. An element type `mgr` does not know gets a record without properties.
    cVQ4VMVFormWriter &open(const vstd::cAsciiString &elementName,
                            const vstd::cAsciiString &debugInfo = vstd::cAsciiString());
    // Set a property of the element opened last, before its first child is opened. Texts go
    // to Unicode, 8-bit string and font properties, as ISO text to dates and times, as names to
    // flags and one entry per line to lists; a property the element lacks, or of another kind,
    // is a cBugException.
    cVQ4VMVFormWriter &set(const char *property, const char *text);
    cVQ4VMVFormWriter &set(const char *property, const QString &text);
    cVQ4VMVFormWriter &set(const char *property, __int64 value);
    cVQ4VMVFormWriter &set(const char *property, int value)
    {
        return set(property, __int64(value));
    }
    cVQ4VMVFormWriter &set(const char *property, double value);
    cVQ4VMVFormWriter &set(const char *property, bool value);
    cVQ4VMVFormWriter &set(const char *property, const QByteArray &picture);
    cVQ4VMVFormWriter &set(const char *property, const vmva::cDVLayoutParameter &layout);
    // Binds a property to a "parameter.path" location.
    cVQ4VMVFormWriter &bind(const char *property, const vstd::cAsciiString &location);
    // Ends the element opened last.
    cVQ4VMVFormWriter &close();
    int depth() const { return int(mOpen.size()); }
    // The serializer written into, for records written by hand between elements; what is open
    // is written out first.
    vsa::cAbstractSerializer &serializer()
    {
        flush();
        return mSerializer;
    }

private:
    struct tOpenSet
    {
        vstd::cAsciiString elementName;
        vstd::cAsciiString debugInfo;
        std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> properties;
        bool written = false;
    };
    vmva::cDVIAbstractProperty &property(const char *name);
    // Writes the header and properties of every open element not yet written.
    void flush();

    cVQ4VMVDataViewMgr &mMgr;
    vsa::cAbstractSerializer &mSerializer;
    std::vector<tOpenSet> mOpen;
};
