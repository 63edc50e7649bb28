#include "cvq4abstractcomponent.h"

cVQ4AbstractComponent::~cVQ4AbstractComponent() = default;

void cVQ4AbstractComponent::openDocument(const vucs::cString &path)
{
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Component \"%name%\" opens no documents such as %file%!")
                   << info().name() << path);
}
