#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds the elements that hold one layout: the dialog window, plain widgets, group boxes,
// frames, scroll areas and pages; and lines, which are frames without content.
class cVQ4ContainerBuilder final : public cVQ4VMVElementBuilder
{
public:
    enum Kind { Dialog, Widget, GroupBox, Frame, ScrollArea, TabPage, Line };
    explicit cVQ4ContainerBuilder(Kind kind);

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;

private:
    Kind mKind;
};
