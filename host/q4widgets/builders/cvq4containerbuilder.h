#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds the elements that hold one layout: the dialog window, group boxes and tab pages.
class cVQ4ContainerBuilder final : public cVQ4VMVElementBuilder
{
public:
    enum Kind { Dialog, GroupBox, TabPage };
    explicit cVQ4ContainerBuilder(Kind kind);

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;

private:
    Kind mKind;
};
