#pragma once

#include "cdmdatamodel.h"

namespace vmva {

// The data-view manager: the root data model, the module manager and path rules.
class cDVAbstractDataViewMgr
{
public:
    explicit cDVAbstractDataViewMgr(vcs::cModuleMgr &moduleMgr) : mModuleMgr(moduleMgr) {}
    virtual ~cDVAbstractDataViewMgr() = default;

    cDMDataModel &root() const { return cDMDataModel::root(mModuleMgr); }
    vcs::cModuleMgr &moduleMgr() const { return mModuleMgr; }

    // Splits "parameter.path" at the first ".": `first` gets the parameter, `rest` the element
    // path (which may hold further dots); either part may come out empty, the caller judges.
    // Throws cRuntimeException for a text without a "." or with characters other than
    // letters, digits, "_", "$", "(", ")" and ".".
    static void splitPath(const vstd::cAsciiString &text, vstd::cAsciiString &first,
                          vstd::cAsciiString &rest);

private:
    vcs::cModuleMgr &mModuleMgr;
};

} // namespace vmva
