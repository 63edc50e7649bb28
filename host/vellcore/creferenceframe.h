#pragma once

#include "casciistring.h"

namespace vsa {

// Reference frame a component is created in; the address space of its components.
class cReferenceFrame
{
public:
    explicit cReferenceFrame(const vstd::cAsciiString &name = "local") : mName(name) {}
    const vstd::cAsciiString &name() const { return mName; }

private:
    vstd::cAsciiString mName;
};

} // namespace vsa
