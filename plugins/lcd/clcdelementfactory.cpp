#include "clcdelementfactory.h"

#include "clcdelementproperties.h"

std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> cLcdElementFactory::createProperties() const
{
    return std::make_unique<cLcdElementProperties>();
}
