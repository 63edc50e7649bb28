#pragma once

#include "cqabstractdialoglayoutitem.h"

// The document itself: the root of the layout item tree, above the top-level element.
class cQDialogLayoutRootItem final : public cQAbstractDialogLayoutItem
{
public:
    explicit cQDialogLayoutRootItem(cVQ4VMVDataViewMgr *dataViewMgr);

    int elementKind() const override { return 0; }
    // The category of the top-level element, 0 for an empty document.
    int viewCategory() const override;
    std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const override;
    // One child only, and only one that may stand at the top level.
    vucs::cLIMessage refusal(int childKind, int childCategory, bool childIsTopLevel,
                             const vstd::cAsciiString &childName) const override;
    bool isTopLevelElement() const override { return false; }
    vstd::cAsciiString displayName() const override { return "/"; }
    vstd::cAsciiString elementName() const override { return "Dialog"; }
    bool isRoot() const override { return true; }
    void store(vsa::cAbstractSerializer &) const override {}
    void load(vsa::cAbstractDeserializer &) override {}
    vstd::cAsciiString label() const override { return vstd::cAsciiString(); }
    vmva::cDVAbstractStdDMViewProperties *properties() const override { return nullptr; }
};
