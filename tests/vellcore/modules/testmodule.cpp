// A deliberately faulty module library; MODULE_VARIANT selects the fault.
#include "vellcore/cmodulemgr.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

#define VARIANT_OLD_HOST 1      // built for another host major version
#define VARIANT_NO_INIT 2       // lacks moduleInitComponent
#define VARIANT_NO_COMPONENT 3  // creates no component
#define VARIANT_THROWS 4        // the component's creation fails

#if MODULE_VARIANT != VARIANT_NO_INIT
EXPORT void moduleInitComponent(vcs::cAbstractComponent **component, vcs::cModuleMgr &,
                                vsa::cReferenceFrame &)
{
    *component = nullptr;
#if MODULE_VARIANT == VARIANT_THROWS
    throw vstd::cRuntimeException("$VTR$Out of widgets!", __FILE__, __LINE__);
#endif
}
#endif

EXPORT void moduleVersion(unsigned int *major, unsigned int *minor)
{
    *major = 7;
    *minor = 3;
}

EXPORT void vellVersion(unsigned int *major, unsigned int *minor)
{
    *major = MODULE_VARIANT == VARIANT_OLD_HOST ? 1 : 2;
    *minor = 0;
}
