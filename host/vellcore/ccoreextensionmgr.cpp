#include "ccoreextensionmgr.h"

#include "cdeserializebinary.h"
#include "cdeserializexml.h"
#include "cserializebinary.h"
#include "cserializedebug.h"
#include "cserializexml.h"

namespace vce {

namespace {

[[noreturn]] void unknownKind(const vstd::cAsciiString &kind)
{
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Unknown serializer kind \"%kind%\"!") << kind);
}

} // namespace

std::unique_ptr<vsa::cAbstractSerializer>
cCoreExtensionMgr::createSerializer(const vstd::cAsciiString &kind,
                                    const vucs::cString &documentName)
{
    if (kind == "XML-Config")
        return std::make_unique<vsa::cSerializeXML>(documentName);
    if (kind == "Binary")
        return std::make_unique<vsa::cSerializeBinary>(documentName);
    if (kind == "Debug")
        return std::make_unique<vsa::cSerializeDebug>(documentName);
    unknownKind(kind);
}

std::unique_ptr<vsa::cAbstractDeserializer>
cCoreExtensionMgr::createDeserializer(const vstd::cAsciiString &kind, const vucs::cString &path)
{
    if (kind == "XML-Config")
        return std::make_unique<vsa::cDeserializeXML>(path);
    if (kind == "Binary")
        return vsa::cDeserializeBinary::fromFile(path);
    unknownKind(kind);
}

} // namespace vce
