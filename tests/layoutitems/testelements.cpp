#include "testelements.h"

#include "vellmva2/cdvitypedproperties.h"

int cTestProperties::live = 0;
int cTestProperties::created = 0;
bool cTestProperties::failStore = false;

void cTestProperties::store(vsa::cAbstractSerializer &serializer) const
{
    if (failStore)
        VELL_THROW(vstd::cRuntimeException, "$VTR$Test store failure!");
    vmva::cDVAbstractStdDMViewProperties::store(serializer);
}

void cTestProperties::createProperties()
{
    using namespace vmva;
    ++created;
    const unsigned int fixed = cDVIAbstractProperty::NotConnectable;
    addProperty(std::make_unique<cDVIAsciiStringProperty>("Label", "General", "Name", fixed,
                                                          vstd::cAsciiString()));
    addProperty(std::make_unique<cDVIIntProperty>("Count", "Data", "A number",
                                                  cDVIAbstractProperty::DirectionIn, 0));
    addProperty(std::make_unique<cDVIBoolProperty>("Checked", "State", "A flag",
                                                   cDVIAbstractProperty::DirectionInOut, false));
    addProperty(std::make_unique<cDVIPixmapProperty>("Picture", "Look", "An image", fixed,
                                                     QByteArray()));
    addProperty(std::make_unique<cDVIUCStringProperty>("Text", "General", "A text",
                                                       cDVIAbstractProperty::DirectionIn,
                                                       vucs::cString("Text")));
    addProperty(std::make_unique<cDVILayoutProperty>("Layout", "Layout", "Space", fixed,
                                                     cDVLayoutParameter()));
    addProperty(std::make_unique<cDVIFontProperty>("Font", "Look", "A font", fixed,
                                                   vucs::cString()));
    addProperty(std::make_unique<cDVIModelLocationProperty>("Model", "Data", "A model",
                                                            cDVIAbstractProperty::DirectionIn));
}

cTestItemFactory::cTestItemFactory(const char *name, int kind, int category, bool topLevel,
                                   bool withProperties, const char *display)
    : mName(name), mDisplay(display ? display : name), mKind(kind), mCategory(category),
      mTopLevel(topLevel), mWithProperties(withProperties)
{
}

std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> cTestItemFactory::createProperties() const
{
    if (!mWithProperties)
        return nullptr;
    return std::make_unique<cTestProperties>();
}

cTestHost::cTestHost(bool withElements) : dataViewMgr(moduleMgr), registry(&dataViewMgr)
{
    if (!withElements)
        return;
    addElement("TDialog", 0, 1, true);
    addElement("TGroup", 0, 1, false);
    addElement("TLayout", 1, 1, false);
    addElement("TButton", 2, 1, false);
    addElement("TTabs", 5, 1, false);
    addElement("TPage", 4, 1, false);
    addElement("TMenu", 6, 2, true);
    addElement("TEntry", 3, 2, false);
    addElement("TBar", 6, 3, true);
    addElement("TTool", 3, 3, false);
    addElement("TBare", 2, 1, false, false);
    registry.rebuildFactories();
}

cTestHost::~cTestHost() = default;

void cTestHost::addElement(const char *name, int kind, int category, bool topLevel,
                           bool withProperties, const char *display)
{
    dataViewMgr.addExtension(std::make_unique<cQUIDataViewItemExtension>(
        std::make_unique<cTestItemFactory>(name, kind, category, topLevel, withProperties,
                                           display)));
}

std::unique_ptr<cQDialogLayoutViewItem> cTestHost::create(cQAbstractDialogLayoutItem &parent,
                                                          const char *name)
{
    cAbstractDialogItemFactory *factory = registry.findFactory(name);
    VELL_ASSERT(factory != nullptr);
    return factory->createItem(&parent, &dataViewMgr);
}

cQDialogLayoutViewItem &cTestHost::append(cQAbstractDialogLayoutItem &parent, const char *name)
{
    std::unique_ptr<cQDialogLayoutViewItem> item = create(parent, name);
    cQDialogLayoutViewItem &ref = *item;
    parent.insertChild(nullptr, std::move(item));
    return ref;
}

QString treeText(const cQAbstractDialogLayoutItem &item)
{
    QStringList children;
    for (const cQAbstractDialogLayoutItem *child : item.children()) {
        QString text = qstr(child->elementName());
        if (!child->label().empty())
            text += QLatin1Char('[') + qstr(child->label()) + QLatin1Char(']');
        if (!child->children().empty())
            text += QLatin1Char('(') + treeText(*child) + QLatin1Char(')');
        children << text;
    }
    return children.join(QLatin1Char(','));
}

namespace {
QString valueText(vmva::cDVIAbstractProperty &p)
{
    if (auto *v = p.asciiStringView())
        return qstr(v->value());
    if (auto *v = p.intView())
        return QString::number(v->value());
    if (auto *v = p.boolView())
        return v->value() ? QStringLiteral("true") : QStringLiteral("false");
    if (auto *v = p.pixmapView())
        return QString::fromLatin1(v->value().toHex());
    if (auto *v = p.ucStringView())
        return qstr(v->value());
    if (auto *v = p.layoutView())
        return qstr(v->value().toString());
    if (auto *v = p.fontView())
        return qstr(v->value());
    return QString();
}

void collectLines(const cQAbstractDialogLayoutItem &item, const QString &path, QStringList &out)
{
    int index = 0;
    for (const cQAbstractDialogLayoutItem *child : item.children()) {
        const QString childPath = path + QLatin1Char('/') + QString::number(index++)
                                  + qstr(child->elementName());
        if (child->properties()) {
            for (vmva::cDVIAbstractProperty *p : child->properties()->properties())
                out << childPath + QLatin1Char(':') + qstr(p->name()) + QLatin1Char('=')
                           + valueText(*p) + QLatin1Char('@')
                           + qstr(p->modelLocation().parameterName()) + QLatin1Char('.')
                           + qstr(p->modelLocation().elementName());
        }
        collectLines(*child, childPath, out);
    }
}
} // namespace

QStringList propertyLines(const cQAbstractDialogLayoutItem &item)
{
    QStringList lines;
    collectLines(item, QString(), lines);
    return lines;
}

void setAllProperties(cQAbstractDialogLayoutItem &item, int seed, const char *parameter)
{
    if (!item.properties())
        return;
    const QByteArray n = QByteArray::number(seed);
    for (vmva::cDVIAbstractProperty *p : item.properties()->properties()) {
        if (auto *v = p->asciiStringView())
            v->setValue(vstd::cAsciiString("L" + n));
        else if (auto *v = p->intView())
            v->setValue(-1000000000000LL * seed - 7);
        else if (auto *v = p->boolView())
            v->setValue(!v->defaultValue());
        else if (auto *v = p->pixmapView())
            v->setValue(QByteArray("\x89PNG\r\n\x1a\n\0\xff<&>", 14) + n);
        else if (auto *v = p->ucStringView())
            v->setValue(vucs::cString(u"Gr\u00fc\u00dfe \u20ac <&> \"'")
                        + vucs::cString(n.data()));
        else if (auto *v = p->layoutView()) {
            vmva::cDVLayoutParameter layout;
            layout.setMode(vmva::cDVLayoutParameter::Fixed);
            layout.setMinimum(unsigned(seed));
            layout.setMaximum(unsigned(seed) + 100);
            layout.setMultiplier(3);
            v->setValue(layout);
        } else if (auto *v = p->fontView())
            v->setValue(vucs::cString(("Sans Serif," + n + ",-1,5,50,0,0,0,0,0").data()));
        if (parameter && !(p->flags() & vmva::cDVIAbstractProperty::NotConnectable))
            p->setModelLocation(
                vmva::cDMDataModelDescriptor(parameter, vstd::cAsciiString("path" + n)));
    }
}

QStringList messageChain(const vstd::cAbstractException &e)
{
    QStringList chain;
    for (const vstd::cAbstractException *x = &e; x; x = x->cause())
        chain << x->message().toQString();
    return chain;
}
