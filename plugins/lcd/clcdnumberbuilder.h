#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds the LCD number element's QLCDNumber.
class cLcdNumberBuilder final : public cVQ4VMVElementBuilder
{
public:
    cLcdNumberBuilder();

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;
};
