#include "csearchpaths.h"

#include <QFileInfo>

namespace vio {

vucs::cString cSearchPaths::find(const vucs::cString &relative) const
{
    for (const cPath &folder : mPaths) {
        const cPath candidate = folder / relative;
        if (QFileInfo(qstr(candidate.toString())).isFile())
            return candidate.toString();
    }
    return vucs::cString();
}

} // namespace vio
