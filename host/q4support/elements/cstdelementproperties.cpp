#include "cstdelementproperties.h"

void cStdElementProperties::createProperties()
{
    if (mPrototype) {
        for (const vmva::cDVIAbstractProperty *property : mPrototype->properties())
            addProperty(property->clone());
    } else if (mCreate) {
        mCreate(*this);
    }
}
