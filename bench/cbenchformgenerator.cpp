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
    const cAbstractDialogItemFactory *container = nullptr;
    const cAbstractDialogItemFactory *tabs = nullptr;
    const cAbstractDialogItemFactory *page = nullptr;
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
        else if (f->elementKind() == 0 && !f->isTopLevelElement() && !set.container)
            set.container = f;
        else if (f->elementKind() == 5 && !set.tabs)
            set.tabs = f;
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

// A small picture's worth of bytes; the document never decodes it.
QByteArray pictureBytes(int n)
{
    QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
    for (int i = 0; i < 120; ++i)
        bytes += char((i * 37 + n) & 0xff);
    return bytes;
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
    // (a layout, a group box with its layout, in every third layout a tab widget with two
    // pages), so the tree deepens with log(N).
    std::deque<cQAbstractDialogLayoutItem *> open{&add(dialog, *factories.layouts[0])};
    size_t nextWidget = 0;
    size_t nextLayout = 1;
    auto nextLayoutFactory = [&] {
        return factories.layouts[nextLayout++ % factories.layouts.size()];
    };
    int filled = 0;
    while (mCount < elements && !open.empty()) {
        cQAbstractDialogLayoutItem &layout = *open.front();
        open.pop_front();
        const bool withTabs = factories.tabs && factories.page && ++filled % 3 == 0;
        for (int slot = 0; slot < 8 && mCount < elements; ++slot) {
            if (slot == 2) {
                open.push_back(&add(layout, *nextLayoutFactory()));
            } else if (slot == 5 && factories.container && mCount + 2 <= elements) {
                cQAbstractDialogLayoutItem &box = add(layout, *factories.container);
                open.push_back(&add(box, *nextLayoutFactory()));
            } else if (slot == 7 && withTabs && mCount + 5 <= elements) {
                cQAbstractDialogLayoutItem &tabs = add(layout, *factories.tabs);
                for (int page = 0; page < 2; ++page)
                    open.push_back(&add(add(tabs, *factories.page), *nextLayoutFactory()));
            } else {
                add(layout, *factories.widgets[nextWidget++ % factories.widgets.size()]);
            }
        }
    }
    return mCount;
}

void cBenchFormGenerator::setProperties(cQAbstractDialogLayoutItem &item)
{
    if (!item.properties())
        return;
    const int n = mCount;
    const QByteArray number = QByteArray::number(n);
    for (vmva::cDVIAbstractProperty *p : item.properties()->properties()) {
        if (auto *v = p->asciiStringView()) {
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
            v->setValue(pictureBytes(n));
        } else if (auto *v = p->ucStringView()) {
            v->setValue(vucs::cString(u"Text \u00e4\u00f6\u00fc <&> ") + vucs::cString(number.data()));
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
        if (!(p->flags() & vmva::cDVIAbstractProperty::NotConnectable))
            p->setModelLocation(vmva::cDMDataModelDescriptor(
                vstd::cAsciiString("prm" + QByteArray::number(n % 3)),
                vstd::cAsciiString("node" + number)));
    }
}
