#pragma once

#include "cpath.h"

#include <vector>

namespace vio {

// An ordered list of folders in which files are looked up by relative name.
class cSearchPaths
{
public:
    void append(const cPath &path) { mPaths.push_back(path); }
    const std::vector<cPath> &paths() const { return mPaths; }
    // The first existing file `relative` inside one of the folders, or an empty string.
    vucs::cString find(const vucs::cString &relative) const;

private:
    std::vector<cPath> mPaths;
};

} // namespace vio
