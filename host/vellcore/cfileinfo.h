#pragma once

#include "cstring.h"
#include "vtypes.h"

namespace vio {

// Parts of a file path and facts about the file.
class cFileInfo
{
public:
    explicit cFileInfo(const vucs::cString &path) : mPath(path) {}
    vucs::cString fileName() const;        // "form.dlg"
    vucs::cString fileBaseName() const;    // "form"
    vucs::cString fileExtension() const;   // "dlg" (empty when none)
    vucs::cString directory() const;       // the folder part
    bool exists() const;
    bool isFile() const;
    bool isDirectory() const;
    __int64 size() const;

private:
    vucs::cString mPath;
};

} // namespace vio
