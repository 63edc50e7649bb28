#pragma once

#include "cabstractdeserializer.h"
#include "cabstractserializer.h"

#include <memory>

namespace vce {

// Creates serializers and deserializers by kind: "XML-Config" (readable files), "Binary"
// (compact, in memory or in a file) and "Debug" (a readable dump to the debug stream; writing
// only).
class cCoreExtensionMgr
{
public:
    // A serializer of `kind` for a document called `documentName`. Throws cRuntimeException for
    // an unknown kind.
    std::unique_ptr<vsa::cAbstractSerializer> createSerializer(const vstd::cAsciiString &kind,
                                                               const vucs::cString &documentName);
    // Reads the document in the file at `path`. Throws cRuntimeException naming the file and
    // line for a missing, unreadable or malformed document, and for an unknown kind.
    std::unique_ptr<vsa::cAbstractDeserializer> createDeserializer(const vstd::cAsciiString &kind,
                                                                   const vucs::cString &path);
};

} // namespace vce
