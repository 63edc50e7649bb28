// The three functions through which the host's module manager uses this library.
#include "ccomponent.h"

#include <new>

#define VELL_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

VELL_MODULE_EXPORT void moduleInitComponent(vcs::cAbstractComponent **component,
                                            vcs::cModuleMgr &moduleMgr,
                                            vsa::cReferenceFrame &frame)
{
    *component = new (std::nothrow) cComponent(moduleMgr, frame);
}

VELL_MODULE_EXPORT void moduleVersion(unsigned int *major, unsigned int *minor)
{
    *major = 0;
    *minor = 1;
}

VELL_MODULE_EXPORT void vellVersion(unsigned int *major, unsigned int *minor)
{
    *major = 2;
    *minor = 0;
}
