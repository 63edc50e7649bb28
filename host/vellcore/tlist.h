#pragma once

#include <vector>

namespace vstd {

// The host's ordered list, appended to by the receivers of collecting signals.
template <class T>
using tList = std::vector<T>;

} // namespace vstd
