#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds splitters, which share their space between their children.
class cVQ4SplitterBuilder final : public cVQ4VMVElementBuilder
{
public:
    cVQ4SplitterBuilder();
    // Gives the parts their sizes once they exist.
    void finish(QObject &object, vmva::cDVAbstractStdDMViewProperties *properties,
                cVQ4VMVBuildContext &context) const override;

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;
};
