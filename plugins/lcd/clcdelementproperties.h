#pragma once

#include "vellmva2/cdvabstractstddmviewproperties.h"

// The properties of the LCD number element: what it shows and how its digits look.
class cLcdElementProperties final : public vmva::cDVAbstractStdDMViewProperties
{
protected:
    void createProperties() override;
};
