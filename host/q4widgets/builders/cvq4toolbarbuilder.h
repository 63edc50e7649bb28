#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds tool bars; their buttons are built by the action builder.
class cVQ4ToolBarBuilder final : public cVQ4VMVElementBuilder
{
public:
    cVQ4ToolBarBuilder();

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;
};
