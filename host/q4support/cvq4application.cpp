#include "cvq4application.h"

namespace {
cVQ4Application *gInstance = nullptr;
}

cVQ4Application::cVQ4Application(vcs::cModuleMgr &moduleMgr)
    : mModuleMgr(moduleMgr), mVmvMgr(std::make_unique<cVQ4VMVDataViewMgr>(moduleMgr))
{
    if (gInstance)
        VELL_THROW(vstd::cBugException, "$VTR$There is an application object already!");
    gInstance = this;
}

cVQ4Application::~cVQ4Application()
{
    if (gInstance == this)
        gInstance = nullptr;
}

cVQ4Application &cVQ4Application::instance()
{
    if (!gInstance)
        VELL_THROW(vstd::cBugException, "$VTR$There is no application object!");
    return *gInstance;
}

cVQ4Application *cVQ4Application::tryInstance()
{
    return gInstance;
}
