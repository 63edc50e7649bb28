#pragma once

#include "casciistring.h"
#include "vtypes.h"

namespace vstd {

// Conversions between numbers and their decimal text; parsing reports success.
class cNumberConversion
{
public:
    static cAsciiString toString(__int64 value);
    static cAsciiString toString(unsigned long long value);
    static cAsciiString toString(int value) { return toString(static_cast<__int64>(value)); }
    static cAsciiString toString(unsigned int value)
    {
        return toString(static_cast<unsigned long long>(value));
    }
    // Shortest text that reads back as exactly the same double.
    static cAsciiString toString(double value);

    static bool toInt64(const cAsciiString &text, __int64 &value);
    static bool toUInt(const cAsciiString &text, unsigned int &value);
    static bool toDouble(const cAsciiString &text, double &value);
};

} // namespace vstd
