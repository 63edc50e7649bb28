#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds dialog button boxes: Qt's standard buttons, whose roles trigger command nodes.
class cVQ4ButtonBoxBuilder final : public cVQ4VMVElementBuilder
{
public:
    cVQ4ButtonBoxBuilder();

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;
};
