#pragma once

#include "cstring.h"

namespace vio {

// A folder or file path with "/" separators.
class cPath
{
public:
    cPath() = default;
    explicit cPath(const vucs::cString &path);
    const vucs::cString &toString() const { return mPath; }
    // This path with `name` appended as the last element.
    cPath operator/(const vucs::cString &name) const;
    bool exists() const;
    // Creates the folder with all missing parents; returns false on failure.
    bool mkpath() const;

private:
    vucs::cString mPath;
};

} // namespace vio
