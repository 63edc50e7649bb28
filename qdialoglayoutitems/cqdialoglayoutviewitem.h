#pragma once

#include "cqabstractdialoglayoutitem.h"

class cVQ4VMVAbstractMVItemFactory;

// One data-view element of a document: what the host's element type says about it, and the
// element's own property values and connectors.
class cQDialogLayoutViewItem final : public cQAbstractDialogLayoutItem
{
public:
    // Made by the item factories only. The item is not inserted into `pParent`; the creator
    // does that with insertChild. A null parent raises the host assertion failure.
    cQDialogLayoutViewItem(cQAbstractDialogLayoutItem *pParent, cVQ4VMVDataViewMgr *dataViewMgr,
                           cVQ4VMVAbstractMVItemFactory *itemFactory);
    ~cQDialogLayoutViewItem() override;

    int elementKind() const override;
    int viewCategory() const override;
    std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const override;
    vucs::cLIMessage refusal(int childKind, int childCategory, bool childIsTopLevel,
                             const vstd::cAsciiString &childName) const override;
    bool isTopLevelElement() const override;
    vstd::cAsciiString displayName() const override;
    vstd::cAsciiString elementName() const override;
    bool isRoot() const override { return false; }
    // "DebugInfo" while it is set, then the properties; nothing without properties.
    void store(vsa::cAbstractSerializer &serializer) const override;
    void load(vsa::cAbstractDeserializer &deserializer) override;
    vstd::cAsciiString label() const override;
    vmva::cDVAbstractStdDMViewProperties *properties() const override { return mProperties.get(); }

    cVQ4VMVAbstractMVItemFactory *itemFactory() const { return mItemFactory; }

private:
    std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> mProperties;
    cVQ4VMVAbstractMVItemFactory *mItemFactory;
};
