#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds the entries of menus and tool bars: menu items, tool buttons and separators, each an
// action added to its menu or tool bar.
class cVQ4ActionBuilder final : public cVQ4VMVElementBuilder
{
public:
    enum Kind { MenuItem, ToolButton, Separator };
    explicit cVQ4ActionBuilder(Kind kind);

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;

private:
    Kind mKind;
};
