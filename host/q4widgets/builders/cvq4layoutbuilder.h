#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds box, grid and form layouts.
class cVQ4LayoutBuilder final : public cVQ4VMVElementBuilder
{
public:
    enum Kind { Vertical, Horizontal, Grid, Form };
    explicit cVQ4LayoutBuilder(Kind kind);

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;

private:
    Kind mKind;
};
