#include "cstdelementfactory.h"

std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> cStdElementFactory::createProperties() const
{
    return std::make_unique<cStdElementProperties>(mInfo.createProperties);
}
