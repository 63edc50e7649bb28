#pragma once

#include "q4support/cvq4vmvabstractmvitemfactory.h"

// Describes the LCD number element: a widget of dialogs, kept in the "Displays" group.
class cLcdElementFactory final : public cVQ4VMVAbstractMVItemFactory
{
public:
    static constexpr const char *kElementName = "LcdNumber";

    int elementKind() const override { return vq4::KindWidget; }
    int viewCategory() const override { return vq4::CategoryDialog; }
    bool isTopLevelElement() const override { return false; }
    vstd::cAsciiString displayName() const override { return "LCD Number"; }
    vstd::cAsciiString elementName() const override { return kElementName; }
    vstd::cAsciiString groupName() const override { return "Displays"; }
    std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const override;
};
