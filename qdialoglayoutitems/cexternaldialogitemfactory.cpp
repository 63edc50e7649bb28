#include "cexternaldialogitemfactory.h"

#include "cqdialoglayoutviewitem.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"

cExternalDialogItemFactory::cExternalDialogItemFactory(cVQ4VMVAbstractMVItemFactory *hostFactory)
    : mHostFactory(hostFactory)
{
    VELL_ASSERT(hostFactory != nullptr);
}

std::unique_ptr<cQDialogLayoutViewItem> cExternalDialogItemFactory::createItem(
    cQAbstractDialogLayoutItem *parent, cVQ4VMVDataViewMgr *dataViewMgr) const
{
    return std::make_unique<cQDialogLayoutViewItem>(parent, dataViewMgr, mHostFactory);
}

int cExternalDialogItemFactory::elementKind() const
{
    return mHostFactory->elementKind();
}

int cExternalDialogItemFactory::viewCategory() const
{
    return mHostFactory->viewCategory();
}

bool cExternalDialogItemFactory::isTopLevelElement() const
{
    return mHostFactory->isTopLevelElement();
}

vstd::cAsciiString cExternalDialogItemFactory::displayName() const
{
    return mHostFactory->displayName();
}

vstd::cAsciiString cExternalDialogItemFactory::elementName() const
{
    return mHostFactory->elementName();
}

vstd::cAsciiString cExternalDialogItemFactory::groupName() const
{
    return mHostFactory->groupName();
}

std::unique_ptr<vmva::cDVAbstractStdDMViewProperties>
cExternalDialogItemFactory::createProperties() const
{
    return mHostFactory->createProperties();
}
