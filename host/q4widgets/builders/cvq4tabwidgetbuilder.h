#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds the widgets that show one of their pages: tab widgets and stacked widgets; their
// pages are built by the container builder.
class cVQ4TabWidgetBuilder final : public cVQ4VMVElementBuilder
{
public:
    enum Kind { Tabs, Stack };
    explicit cVQ4TabWidgetBuilder(Kind kind);
    // Shows the chosen page once the pages exist.
    void finish(QObject &object, vmva::cDVAbstractStdDMViewProperties *properties,
                cVQ4VMVBuildContext &context) const override;

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;

private:
    Kind mKind;
};
