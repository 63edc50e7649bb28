#pragma once

#include <cstdint>

// The host's fixed-size integer and empty result types.
using __int64 = std::int64_t;

// The empty result of every slot called through a host signal, and the value type of command nodes.
struct piVoid
{
    bool operator==(const piVoid &) const { return true; }
    bool operator!=(const piVoid &) const { return false; }
};

// The host's 8-bit character.
using piChar = char;
