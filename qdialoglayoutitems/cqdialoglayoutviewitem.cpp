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

namespace {
// "A Group Box", "An Item": the start of a sentence about an element.
QString withArticle(const vstd::cAsciiString &name)
{
    const QString text = qstr(name);
    const bool vowel = QStringLiteral("AEIOU").contains(text.left(1).toUpper());
    return (vowel ? QStringLiteral("An ") : QStringLiteral("A ")) + text;
}

QString categoryWord(int category)
{
    switch (category) {
    case vq4::CategoryDialog: return QStringLiteral("dialog");
    case vq4::CategoryMenu: return QStringLiteral("menu");
    case vq4::CategoryToolBar: return QStringLiteral("tool bar");
    default: return QStringLiteral("form");
    }
}
} // namespace

vucs::cLIMessage cQDialogLayoutViewItem::refusal(int childKind, int childCategory, bool,
                                                 const vstd::cAsciiString &childName) const
{
    using vucs::cLIMessage;
    if (childCategory != viewCategory())
        return cLIMessage("$VTR$%element% belongs in a %category%, not in a %form%")
               << withArticle(childName) << categoryWord(childCategory)
               << categoryWord(viewCategory());
    switch (elementKind()) {
    case vq4::KindContainer:
    case vq4::KindTabPage:
        if (!children().empty())
            return cLIMessage("$VTR$%element% holds one layout and has it already: add to that "
                              "layout")
                   << withArticle(displayName());
        if (childKind != vq4::KindLayout)
            return cLIMessage("$VTR$%element% holds one layout: append a layout first")
                   << withArticle(displayName());
        return cLIMessage();
    case vq4::KindLayout:
        if (childKind == vq4::KindTabPage)
            return cLIMessage("$VTR$%element% goes into a tab widget or a stacked widget, not "
                              "into a layout")
                   << withArticle(childName);
        return cLIMessage();
    case vq4::KindTabContainer:
        if (childKind != vq4::KindTabPage)
            return cLIMessage("$VTR$%element% holds pages only: append a page first")
                   << withArticle(displayName());
        return cLIMessage();
    case vq4::KindMenu:
        if (childKind != vq4::KindEntry && childKind != vq4::KindMenu)
            return cLIMessage("$VTR$%element% holds entries and submenus only")
                   << withArticle(displayName());
        return cLIMessage();
    default:
        return cLIMessage("$VTR$%element% holds no other elements") << withArticle(displayName());
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
