#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds tab widgets; their pages are built by the container builder.
class cVQ4TabWidgetBuilder final : public cVQ4VMVElementBuilder
{
public:
    cVQ4TabWidgetBuilder();
    // Shows the chosen page once the pages exist.
    void finish(QObject &object, vmva::cDVAbstractStdDMViewProperties *properties,
                cVQ4VMVBuildContext &context) const override;

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;
};
