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

vucs::cLIMessage cQDialogLayoutRootItem::refusal(int, int, bool childIsTopLevel,
                                                 const vstd::cAsciiString &) const
{
    if (!childIsTopLevel)
        return "$VTR$A form begins with a dialog, a menu or a tool bar: append one of those "
               "first";
    if (!children().empty())
        return vucs::cLIMessage("$VTR$A form holds one dialog, menu or tool bar, and this one "
                                "has its %name% already")
               << children().front()->displayName();
    return vucs::cLIMessage();
}
