#include "cstdelementfactory.h"

std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> cStdElementFactory::createProperties() const
{
    if (!mPrototype) {
        auto prototype = std::make_shared<cStdElementProperties>(mInfo.createProperties);
        prototype->initialize();
        mPrototype = std::move(prototype);
    }
    return std::make_unique<cStdElementProperties>(mPrototype);
}
