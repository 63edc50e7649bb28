#pragma once

#include "vsa.h"

#include <memory>

namespace vce {

// Creates serializers and deserializers by kind: "XML-Config" (files), "Binary" (memory),
// "Debug" (a readable dump to the debug stream).
class cCoreExtensionMgr
{
public:
    // Throws cRuntimeException for an unknown kind.
    std::unique_ptr<vsa::cAbstractSerializer> createSerializer(const vstd::cAsciiString &kind,
                                                               const vucs::cString &documentName);
    // Reads the document at `path` (a file for "XML-Config"). Throws cRuntimeException naming the
    // file and line for a missing, unreadable or malformed document.
    std::unique_ptr<vsa::cAbstractDeserializer> createDeserializer(const vstd::cAsciiString &kind,
                                                                   const vucs::cString &path);
};

} // namespace vce
