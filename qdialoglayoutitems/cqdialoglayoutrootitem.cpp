#include "cqdialoglayoutrootitem.h"

#include "vellmva2/cdvabstractstddmviewproperties.h"

cQDialogLayoutRootItem::cQDialogLayoutRootItem(cVQ4VMVDataViewMgr *dataViewMgr)
    : cQAbstractDialogLayoutItem(nullptr, dataViewMgr)
{
}

int cQDialogLayoutRootItem::viewCategory() const
{
    return children().empty() ? 0 : children().front()->viewCategory();
}

std::unique_ptr<vmva::cDVAbstractStdDMViewProperties>
cQDialogLayoutRootItem::createProperties() const
{
    return nullptr;
}

bool cQDialogLayoutRootItem::canAccept(int, int, bool childIsTopLevel) const
{
    return childIsTopLevel && children().empty();
}
