#include "cqdialoglayoutviewitem.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "vellcore/vsa.h"
#include "vellmva2/cdvitypedproperties.h"

cQDialogLayoutViewItem::cQDialogLayoutViewItem(cQAbstractDialogLayoutItem *pParent,
                                               cVQ4VMVDataViewMgr *dataViewMgr,
                                               cVQ4VMVAbstractMVItemFactory *itemFactory)
    : cQAbstractDialogLayoutItem(pParent, dataViewMgr), mItemFactory(itemFactory)
{
    VELL_ASSERT(pParent != 0);
    VELL_ASSERT(itemFactory != nullptr);
    std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> properties
        = mItemFactory->createProperties();
    if (properties) {
        properties->initialize();
        mProperties = std::move(properties);
    }
}

cQDialogLayoutViewItem::~cQDialogLayoutViewItem()
{
    // The properties go before the children, which the base destroys.
    mProperties.reset();
}

int cQDialogLayoutViewItem::elementKind() const
{
    return mItemFactory->elementKind();
}

int cQDialogLayoutViewItem::viewCategory() const
{
    return mItemFactory->viewCategory();
}

std::unique_ptr<vmva::cDVAbstractStdDMViewProperties>
cQDialogLayoutViewItem::createProperties() const
{
    return mItemFactory->createProperties();
}

bool cQDialogLayoutViewItem::canAccept(int childKind, int childCategory, bool) const
{
    if (childCategory != viewCategory())
        return false;
    switch (elementKind()) {
    case vq4::KindContainer:
    case vq4::KindTabPage:
        return childKind == vq4::KindLayout && children().empty();
    case vq4::KindLayout:
        return childKind != vq4::KindTabPage;
    case vq4::KindTabContainer:
        return childKind == vq4::KindTabPage;
    case vq4::KindMenu:
        return childKind == vq4::KindEntry || childKind == vq4::KindMenu;
    default:
        return false;
    }
}

bool cQDialogLayoutViewItem::isTopLevelElement() const
{
    return mItemFactory->isTopLevelElement();
}

vstd::cAsciiString cQDialogLayoutViewItem::displayName() const
{
    return mItemFactory->displayName();
}

vstd::cAsciiString cQDialogLayoutViewItem::elementName() const
{
    return mItemFactory->elementName();
}

void cQDialogLayoutViewItem::store(vsa::cAbstractSerializer &serializer) const
{
    if (!mProperties)
        return;
    if (!debugInfo().empty()) {
        serializer.setLabel(vstd::cAsciiString::fromStatic("DebugInfo"));
        serializer.writeAscii(debugInfo());
    }
    mProperties->store(serializer);
}

void cQDialogLayoutViewItem::load(vsa::cAbstractDeserializer &deserializer)
{
    if (mProperties)
        mProperties->load(deserializer);
}

vstd::cAsciiString cQDialogLayoutViewItem::label() const
{
    vmva::cDVIAbstractProperty *property = findProperty("Label");
    if (!property)
        return vstd::cAsciiString();
    const vmva::cDVIAsciiStringProperty *text = property->asciiStringView();
    return text ? text->value() : vstd::cAsciiString();
}
