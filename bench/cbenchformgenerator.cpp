#include "cbenchformgenerator.h"

#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "qdialoglayoutitems/cqdialoglayoutviewitem.h"

#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdvitypedproperties.h"

#include <deque>

namespace {
struct tFactorySet
{
    const cAbstractDialogItemFactory *dialog = nullptr;
    const cAbstractDialogItemFactory *page = nullptr;
    std::vector<const cAbstractDialogItemFactory *> containers;
    std::vector<const cAbstractDialogItemFactory *> tabs;
    std::vector<const cAbstractDialogItemFactory *> layouts;
    std::vector<const cAbstractDialogItemFactory *> widgets;
};

tFactorySet dialogFactories(const cDialogItemFactoryRegistry &registry)
{
    tFactorySet set;
    for (const cAbstractDialogItemFactory *f : registry.factories()) {
        if (f->viewCategory() != 1)
            continue;
        if (f->elementKind() == 0 && f->isTopLevelElement() && !set.dialog)
            set.dialog = f;
        else if (f->elementKind() == 0 && !f->isTopLevelElement())
            set.containers.push_back(f);
        else if (f->elementKind() == 5)
            set.tabs.push_back(f);
        else if (f->elementKind() == 4 && !set.page)
            set.page = f;
        else if (f->elementKind() == 1)
            set.layouts.push_back(f);
        else if (f->elementKind() == 2)
            set.widgets.push_back(f);
    }
    if (!set.dialog || set.layouts.empty() || set.widgets.empty())
        VELL_THROW(vstd::cRuntimeException, "$VTR$No dialog, layout or widget elements!");
    return set;
}

// One of `factories` after the other.
const cAbstractDialogItemFactory *next(const std::vector<const cAbstractDialogItemFactory *> &f,
                                       size_t &at)
{
    return f[at++ % f.size()];
}

// A display format that fits the part of the element's value.
const char *displayFormat(const vmva::cDVAbstractStdDMViewProperties &properties)
{
    vmva::cDVIAbstractProperty *value =
        const_cast<vmva::cDVAbstractStdDMViewProperties &>(properties).tryFindProperty("Value");
    vmva::cDVIDateTimeProperty *moment = value ? value->dateTimeView() : nullptr;
    if (moment && moment->part() == vmva::cDVIDateTimeProperty::Time)
        return "HH:mm";
    if (moment && moment->part() == vmva::cDVIDateTimeProperty::Date)
        return "dd.MM.yyyy";
    return "dd.MM.yyyy HH:mm";
}

// A real 4 x 4 PNG picture, so that previews built from the form decode it like any icon.
QByteArray pictureBytes()
{
    static const char png[] =
        "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52"
        "\x00\x00\x00\x04\x00\x00\x00\x04\x08\x06\x00\x00\x00\xa9\xf1\x9e"
        "\x7e\x00\x00\x00\x2b\x49\x44\x41\x54\x78\xda\x15\xc8\x31\x01\x00"
        "\x30\x0c\xc3\xb0\x00\x2b\x30\x9f\x05\x15\x7e\x9b\x7b\xe8\x51\x92"
        "\x7d\x23\x54\x25\x63\x08\x75\x2e\x30\x84\xca\x45\x0d\xa1\xea\x03"
        "\x39\xc8\x23\x31\x09\x03\x0c\x07\x00\x00\x00\x00\x49\x45\x4e\x44"
        "\xae\x42\x60\x82";
    return QByteArray(png, sizeof(png) - 1);
}
} // namespace

cBenchFormGenerator::cBenchFormGenerator(const cDialogItemFactoryRegistry &registry)
    : mRegistry(registry)
{
}

cQAbstractDialogLayoutItem &cBenchFormGenerator::add(cQAbstractDialogLayoutItem &parent,
                                                     const cAbstractDialogItemFactory &factory)
{
    std::unique_ptr<cQDialogLayoutViewItem> item
        = factory.createItem(&parent, mRegistry.dataViewMgr());
    cQDialogLayoutViewItem &ref = *item;
    parent.insertChild(nullptr, std::move(item));
    ++mCount;
    setProperties(ref);
    return ref;
}

int cBenchFormGenerator::generate(cQAbstractDialogLayoutItem &root, int elements)
{
    const tFactorySet factories = dialogFactories(mRegistry);
    mCount = 0;
    cQAbstractDialogLayoutItem &dialog = add(root, *factories.dialog);
    // Layouts are filled breadth first, eight children each: two or three of them nest further
    // (a layout, a container with its layout, in every third layout a tab or stacked widget
    // with two pages), so the tree deepens with log(N). Each kind takes its element types in
    // turn, so that every type the registry offers is used once the form has a few dozen.
    std::deque<cQAbstractDialogLayoutItem *> open{&add(dialog, *factories.layouts[0])};
    size_t nextWidget = 0, nextLayout = 1, nextContainer = 0, nextTabs = 0;
    int filled = 0;
    while (mCount < elements && !open.empty()) {
        cQAbstractDialogLayoutItem &layout = *open.front();
        open.pop_front();
        const bool withTabs = !factories.tabs.empty() && factories.page && ++filled % 3 == 0;
        for (int slot = 0; slot < 8 && mCount < elements; ++slot) {
            if (slot == 2) {
                open.push_back(&add(layout, *next(factories.layouts, nextLayout)));
            } else if (slot == 5 && !factories.containers.empty() && mCount + 2 <= elements) {
                cQAbstractDialogLayoutItem &box = add(layout, *next(factories.containers,
                                                                    nextContainer));
                open.push_back(&add(box, *next(factories.layouts, nextLayout)));
            } else if (slot == 7 && withTabs && mCount + 5 <= elements) {
                cQAbstractDialogLayoutItem &tabs = add(layout, *next(factories.tabs, nextTabs));
                for (int page = 0; page < 2; ++page)
                    open.push_back(
                        &add(add(tabs, *factories.page), *next(factories.layouts, nextLayout)));
            } else {
                add(layout, *next(factories.widgets, nextWidget));
            }
        }
    }
    return mCount;
}

void cBenchFormGenerator::setProperties(cQAbstractDialogLayoutItem &item)
{
    if (!item.properties())
        return;
    // As dense as the forms people build (examples/ holds 1.4 to 1.5 kB per element in its
    // file): every value set but tool tips and layout parameters in one element in four and
    // pictures in one in 16, two bindings per element, so that the most elements a form may
    // hold also fit in the largest document.
    const int n = mCount;
    const QByteArray number = QByteArray::number(n);
    int bindings = 0;
    for (vmva::cDVIAbstractProperty *p : item.properties()->properties()) {
        if ((p->layoutView() || p->name() == "ToolTip") && n % 4 != 0) {
        } else if (auto *v = p->asciiStringView()) {
            if (!v->predefinedValues().empty())
                v->setValue(v->predefinedValues().back().value);
            else
                v->setValue(vstd::cAsciiString("element" + number));
        } else if (auto *v = p->intView()) {
            __int64 value = n;
            if (v->hasRange())
                value = v->minimum() + n % (v->maximum() - v->minimum() + 1);
            if (value == v->defaultValue())
                value = v->hasRange() && value == v->maximum() ? v->minimum() : value + 1;
            v->setValue(value);
        } else if (auto *v = p->boolView()) {
            v->setValue(!v->defaultValue());
        } else if (auto *v = p->pixmapView()) {
            if (n % 16 == 0)
                v->setValue(pictureBytes());
        } else if (auto *v = p->ucStringView(); v && p->name() == "DisplayFormat") {
            v->setValue(vucs::cString(displayFormat(*item.properties())));
        } else if (auto *v = p->ucStringView()) {
            v->setValue(vucs::cString(u"Text \u00e4\u00f6\u00fc <&> ")
                        + vucs::cString(number.data()));
        } else if (auto *v = p->doubleView()) {
            double value = v->defaultValue() + 0.25 * (1 + n % 40);
            if (v->hasRange() && value > v->maximum())
                value = v->minimum();
            v->setValue(value);
        } else if (auto *v = p->dateTimeView()) {
            // Away from the end of the range the value bounds.
            const int step = p->name() == "Maximum" ? -1 : 1;
            const QDateTime &from = v->defaultValue();
            v->setValue(v->part() == vmva::cDVIDateTimeProperty::Time
                            ? vmva::cDVIDateTimeProperty::make(
                                  from.date(), from.time().addSecs(step * (60 + n % 3600)))
                            : from.addDays(step * (1 + n % 365)));
        } else if (auto *v = p->flagsView()) {
            const quint64 flag = v->names()[size_t(n) % v->names().size()].second;
            v->setValue(v->defaultValue() & flag ? v->defaultValue() & ~flag
                                                 : v->defaultValue() | flag);
        } else if (auto *v = p->textListView()) {
            v->setValue({QStringLiteral("Entry ") + QString::number(n), QStringLiteral("Other"),
                         QStringLiteral("Last")});
        } else if (auto *v = p->layoutView()) {
            vmva::cDVLayoutParameter layout;
            layout.setMode(vmva::cDVLayoutParameter::Preferred);
            layout.setMinimum(10);
            layout.setMaximum(200);
            layout.setMultiplier(2);
            v->setValue(layout);
        } else if (auto *v = p->fontView()) {
            v->setValue(vucs::cString("Sans Serif,10,-1,5,50,0,0,0,0,0"));
        }
        if (!(p->flags() & vmva::cDVIAbstractProperty::NotConnectable) && bindings++ < 2)
            p->setModelLocation(vmva::cDMDataModelDescriptor(
                vstd::cAsciiString("prm" + QByteArray::number(n % 3)),
                vstd::cAsciiString("node" + number)));
    }
}
