#include "cstdelementproperties.h"

void cStdElementProperties::createProperties()
{
    if (mCreate)
        mCreate(*this);
}
