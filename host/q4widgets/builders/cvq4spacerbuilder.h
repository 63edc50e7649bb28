#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds spacers: empty widgets that take the free space along one direction, so that the
// preview can find and mark them like any other element.
class cVQ4SpacerBuilder final : public cVQ4VMVElementBuilder
{
public:
    cVQ4SpacerBuilder();

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;
};
