#pragma once

#include "cabstractdialogitemfactory.h"

class cVQ4VMVAbstractMVItemFactory;
namespace vmva { class cDVAbstractStdDMViewProperties; }

// An item factory for an element type that a host data-view element extension provides.
class cExternalDialogItemFactory final : public cAbstractDialogItemFactory
{
public:
    // `hostFactory` stays owned by its extension.
    explicit cExternalDialogItemFactory(cVQ4VMVAbstractMVItemFactory *hostFactory);

    std::unique_ptr<cQDialogLayoutViewItem> createItem(
        cQAbstractDialogLayoutItem *parent, cVQ4VMVDataViewMgr *dataViewMgr) const override;
    int elementKind() const override;
    int viewCategory() const override;
    bool isTopLevelElement() const override;
    vstd::cAsciiString displayName() const override;
    vstd::cAsciiString elementName() const override;
    vstd::cAsciiString groupName() const override;
    // A fresh, not yet initialised properties object of the element type, or null.
    virtual std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const;

    cVQ4VMVAbstractMVItemFactory *hostFactory() const { return mHostFactory; }

private:
    cVQ4VMVAbstractMVItemFactory *mHostFactory;
};
