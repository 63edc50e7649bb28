#include "cstdelementproperties.h"

void cStdElementProperties::createProperties()
{
    if (mPrototype) {
        reserveProperties(mPrototype->properties().size());
        for (const vmva::cDVIAbstractProperty *property : mPrototype->properties())
            addProperty(property->clone());
    } else if (mCreate) {
        mCreate(*this);
    }
}
