#pragma once

#include "cstring.h"

namespace vpi {

// Facts about the machine and the user.
class cPlatform
{
public:
    static vucs::cString homeDirectory();
    static vucs::cString userName();
};

} // namespace vpi
