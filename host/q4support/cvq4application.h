#pragma once

#include "cvq4vmvdataviewmgr.h"

#include "vellmva2/cdvdataviewarglist.h"

#include <memory>

namespace vucs {
// The user's locale: language and country, for translated texts.
class cLILocale
{
public:
    cLILocale() = default;
    explicit cLILocale(const vstd::cAsciiString &name) : mName(name) {}
    const vstd::cAsciiString &name() const { return mName; }

private:
    vstd::cAsciiString mName = "en_US";
};
} // namespace vucs

// The host application object: the module manager's data-view manager, the locale and the
// global dialog argument list. One per process; components reach it through app().
class cVQ4Application
{
public:
    explicit cVQ4Application(vcs::cModuleMgr &moduleMgr);
    ~cVQ4Application();
    cVQ4Application(const cVQ4Application &) = delete;
    cVQ4Application &operator=(const cVQ4Application &) = delete;

    // The application of this process; throws cBugException when none exists.
    static cVQ4Application &instance();
    static cVQ4Application *tryInstance();

    vcs::cModuleMgr &moduleMgr() const { return mModuleMgr; }
    cVQ4VMVDataViewMgr &vmvMgr() { return *mVmvMgr; }
    vucs::cLILocale &locale() { return mLocale; }
    vmva::cDVDataViewArgList &dialogArguments() { return mArguments; }

private:
    vcs::cModuleMgr &mModuleMgr;
    std::unique_ptr<cVQ4VMVDataViewMgr> mVmvMgr;
    vucs::cLILocale mLocale;
    vmva::cDVDataViewArgList mArguments;
};
