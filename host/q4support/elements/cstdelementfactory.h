#pragma once

#include "cstdelementproperties.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"

// The item factory of a standard element, answering from the element's description.
class cStdElementFactory final : public cVQ4VMVAbstractMVItemFactory
{
public:
    // What describes one standard element.
    struct tInfoSet
    {
        const char *elementName;
        const char *displayName;
        const char *groupName;
        int category;
        int kind;
        bool topLevel;
        cStdElementProperties::tCreateFunction createProperties;
    };

    explicit cStdElementFactory(const tInfoSet &info) : mInfo(info), mElementName(info.elementName)
    {
    }

    int elementKind() const override { return mInfo.kind; }
    int viewCategory() const override { return mInfo.category; }
    bool isTopLevelElement() const override { return mInfo.topLevel; }
    vstd::cAsciiString displayName() const override { return mInfo.displayName; }
    vstd::cAsciiString elementName() const override { return mElementName; }
    vstd::cAsciiString groupName() const override { return mInfo.groupName; }
    std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const override;

private:
    tInfoSet mInfo;
    // Asked for on every element read and written: made once, handed out shared.
    vstd::cAsciiString mElementName;
    // Made on the first request; every properties object of the element copies it.
    mutable std::shared_ptr<const cStdElementProperties> mPrototype;
};
