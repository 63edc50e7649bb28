#include "cvq4vmvelementbuilder.h"

#include "cvq4vmvbuildcontext.h"
#include "cvq4vmvpropertybinding.h"

#include "q4support/cvq4signalblocker.h"
#include "vellcore/cdebugstream.h"

#include "vellmva2/cdvitypedproperties.h"

#include "cvq4layoutcells.h"

#include <QAction>
#include <QBoxLayout>
#include <QFrame>
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace {

QSizePolicy::Policy policyOf(vmva::cDVLayoutParameter::LayoutMode mode)
{
    switch (mode) {
    case vmva::cDVLayoutParameter::Minimum: return QSizePolicy::Minimum;
    case vmva::cDVLayoutParameter::MinimumExpanding: return QSizePolicy::MinimumExpanding;
    case vmva::cDVLayoutParameter::Fixed: return QSizePolicy::Fixed;
    default: return QSizePolicy::Preferred;
    }
}

// The layout parameter acts along the direction of the box the element sits in; elsewhere (a
// window, a tab page) in both directions.
void applyLayout(QObject &object, QObject *parent, vmva::cDVIAbstractProperty &property)
{
    vmva::cDVILayoutProperty *view = property.layoutView();
    if (!view)
        return;
    const vmva::cDVLayoutParameter &lp = view->value();
    auto *box = qobject_cast<QBoxLayout *>(parent);
    const bool horizontal = box
        && (box->direction() == QBoxLayout::LeftToRight
            || box->direction() == QBoxLayout::RightToLeft);
    const bool vertical = box && !horizontal;
    // A multiplier of 1 leaves the sharing of space to the size policies, as Qt does.
    const int stretch = lp.multiplier() > 1 ? int(lp.multiplier()) : 0;
    if (auto *layout = qobject_cast<QLayout *>(&object)) {
        if (box && stretch)
            box->setStretchFactor(layout, stretch);
        return;
    }
    auto *widget = qobject_cast<QWidget *>(&object);
    if (!widget)
        return;
    if (lp.mode() != vmva::cDVLayoutParameter::Default) {
        QSizePolicy policy = widget->sizePolicy();
        if (!vertical)
            policy.setHorizontalPolicy(policyOf(lp.mode()));
        if (!horizontal)
            policy.setVerticalPolicy(policyOf(lp.mode()));
        widget->setSizePolicy(policy);
    }
    if (lp.hasMinimum()) {
        const int min = int(qMin(lp.minimum(), unsigned(QWIDGETSIZE_MAX)));
        if (!vertical)
            widget->setMinimumWidth(min);
        if (!horizontal)
            widget->setMinimumHeight(min);
    }
    if (lp.hasMaximum()) {
        const int max = int(qMin(lp.maximum(), unsigned(QWIDGETSIZE_MAX)));
        if (!vertical)
            widget->setMaximumWidth(max);
        if (!horizontal)
            widget->setMaximumHeight(max);
    }
    if (box && stretch)
        box->setStretchFactor(widget, stretch);
}

void setEnabled(QObject &object, bool enabled)
{
    // A menu is shown through its entry in the parent menu or bar.
    if (auto *menu = qobject_cast<QMenu *>(&object)) {
        menu->setEnabled(enabled);
        menu->menuAction()->setEnabled(enabled);
    } else if (auto *widget = qobject_cast<QWidget *>(&object))
        widget->setEnabled(enabled);
    else if (auto *action = qobject_cast<QAction *>(&object))
        action->setEnabled(enabled);
}

void setVisible(QObject &object, bool visible)
{
    // A window is shown by its owner, never by a property.
    if (auto *menu = qobject_cast<QMenu *>(&object)) {
        menu->menuAction()->setVisible(visible);
    } else if (auto *widget = qobject_cast<QWidget *>(&object)) {
        // A child not hidden shows with its parent: showing it again would only cost. One built
        // into a shown parent is hidden until shown, and must be hidden for good all the same.
        if (!widget->isWindow() && (!visible || widget->isHidden()))
            widget->setHidden(!visible);
    } else if (auto *action = qobject_cast<QAction *>(&object)) {
        action->setVisible(visible);
    }
}

void setToolTip(QObject &object, const QString &text)
{
    if (auto *widget = qobject_cast<QWidget *>(&object))
        widget->setToolTip(text);
    else if (auto *action = qobject_cast<QAction *>(&object))
        action->setToolTip(text);
}

// The font a description names, or null when it names none. Parsing a description costs more
// than applying the font, and a form uses a few: the last ones are kept. What a description
// leaves open stays unresolved, so a kept font fits whatever the application font is by then.
// Only the GUI thread builds; the cache lives as long as the process, so that no font outlives
// the application it was made with.
const QFont *fontOf(const QString &description)
{
    static auto *fonts = new QHash<QString, std::optional<QFont>>;
    const auto known = fonts->constFind(description);
    if (known != fonts->constEnd())
        return known->has_value() ? &**known : nullptr;
    if (fonts->size() >= 32)
        fonts->clear();
    QFont font;
    std::optional<QFont> parsed;
    if (description.isEmpty() || font.fromString(description))
        parsed = font;
    const auto added = fonts->insert(description, parsed);
    return added->has_value() ? &**added : nullptr;
}

void setFont(QObject &object, const QString &description)
{
    const QFont *font = fontOf(description);
    if (!font)
        return;
    if (auto *widget = qobject_cast<QWidget *>(&object))
        widget->setFont(*font);
    else if (auto *action = qobject_cast<QAction *>(&object))
        action->setFont(*font);
}

// The property `name` of `properties`, or null; compared with the literal as it is, as builders
// ask for a few properties of every element.
vmva::cDVIAbstractProperty *findProperty(vmva::cDVAbstractStdDMViewProperties *properties,
                                         const char *name)
{
    if (!properties)
        return nullptr;
    const QByteArrayView wanted(name);
    for (vmva::cDVIAbstractProperty *property : properties->properties())
        if (property->name().bytes() == wanted)
            return property;
    return nullptr;
}

// A widget created inside a splitter joined it at the end already; adding it again would only
// measure every sibling once more (2.5 % of the instructions of a generated form's build). A
// shown splitter is still told, as it shows what is added to it.
void appendTo(QSplitter &splitter, QWidget &widget)
{
    if (splitter.isVisible() || splitter.indexOf(&widget) != splitter.count() - 1)
        splitter.addWidget(&widget);
}

} // namespace

cVQ4VMVElementBuilder::cVQ4VMVElementBuilder() = default;

cVQ4VMVElementBuilder::~cVQ4VMVElementBuilder() = default;

QObject *cVQ4VMVElementBuilder::build(vmva::cDVAbstractStdDMViewProperties *properties,
                                      const vstd::cAsciiString &debugInfo, QObject *parent,
                                      cVQ4VMVBuildContext &context) const
{
    context.setPlacing(properties);
    QObject *object = create(properties, parent, context);
    context.setPlacing(nullptr);
    if (!object)
        return nullptr;
    if (!debugInfo.empty())
        setName(*object, parent, qstr(debugInfo));
    if (!properties)
        return object;
    // Applying values must not look like user input to bindings made a moment before.
    cVQ4SignalBlocker blocker(*object);
    const std::vector<vmva::cDVIAbstractProperty *> &list = properties->properties();
    if (mPlacedAspects.size() < list.size())
        mPlacedAspects.resize(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        vmva::cDVIAbstractProperty *property = list[i];
        const vstd::cAsciiString &name = property->name();
        tPlacedAspectSet &placed = mPlacedAspects[i];
        if (placed.name.data() != name.data() || placed.name.size() != name.size()) {
            placed.name = name;
            placed.aspect = this->aspect(name);
        }
        const tAspectSet *aspect = placed.aspect;
        if (aspect && aspect->apply)
            aspect->apply(*object, parent, *property);
        if (property->modelLocation().isEmpty()
            || (property->flags() & vmva::cDVIAbstractProperty::NotConnectable))
            continue;
        if (aspect)
            context.bind(*object, *property, *aspect);
        else if (!property->modelLocationView())
            VELL_TRACE(QStringLiteral("+++ WARNING: Property %1 cannot be bound!")
                           .arg(qstr(property->name())));
    }
    return object;
}

void cVQ4VMVElementBuilder::finish(QObject &, vmva::cDVAbstractStdDMViewProperties *,
                                   cVQ4VMVBuildContext &) const
{
}

const cVQ4VMVElementBuilder::tAspectSet *cVQ4VMVElementBuilder::aspect(
    const vstd::cAsciiString &propertyName) const
{
    const auto it = mAspects.constFind(propertyName.bytes());
    return it == mAspects.constEnd() ? nullptr : &it.value();
}

void cVQ4VMVElementBuilder::setName(QObject &object, QObject *parent, const QString &name) const
{
    object.setObjectName(name);
    auto *action = qobject_cast<QAction *>(&object);
    auto *toolBar = qobject_cast<QToolBar *>(parent);
    if (action && toolBar) {
        if (QWidget *button = toolBar->widgetForAction(action))
            button->setObjectName(name);
    }
}

void cVQ4VMVElementBuilder::addAspect(const char *propertyName, const tAspectSet &aspect)
{
    mAspects.insert(QByteArray(propertyName), aspect);
}

void cVQ4VMVElementBuilder::addFrameAspects()
{
    using vmva::cDVIAbstractProperty;
    addAspect("FrameShape", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                  if (auto *w = qobject_cast<QFrame *>(&o))
                      w->setFrameShape(QFrame::Shape(std::clamp<__int64>(intOf(p), 0, 6)));
              }});
    addAspect("FrameShadow", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                  const __int64 v = intOf(p);
                  if (auto *w = qobject_cast<QFrame *>(&o); w && (v == 0x10 || v == 0x20
                                                                  || v == 0x30))
                      w->setFrameShadow(QFrame::Shadow(v));
              }});
    addAspect("LineWidth", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                  if (auto *w = qobject_cast<QFrame *>(&o))
                      w->setLineWidth(int(std::clamp<__int64>(intOf(p), 0, 64)));
              }});
}

void cVQ4VMVElementBuilder::addCommonAspects()
{
    addAspect("Enabled",
              {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                   if (!boolOf(p))
                       setEnabled(o, false);
               },
               [](QObject &o, const QVariant &v) { setEnabled(o, v.toBool()); }});
    addAspect("Visible",
              {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                   if (!boolOf(p))
                       setVisible(o, false);
               },
               [](QObject &o, const QVariant &v) { setVisible(o, v.toBool()); }});
    addAspect("ToolTip",
              {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                   const QString text = textOf(p);
                   if (!text.isEmpty())
                       setToolTip(o, text);
               },
               [](QObject &o, const QVariant &v) { setToolTip(o, v.toString()); }});
    addAspect("Font",
              {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                   const QString text = textOf(p);
                   if (!text.isEmpty())
                       setFont(o, text);
               },
               [](QObject &o, const QVariant &v) { setFont(o, v.toString()); }});
    addAspect("Layout", {applyLayout});
}

void cVQ4VMVElementBuilder::refreshBindings(QObject &object)
{
    const auto bindings =
        object.findChildren<cVQ4VMVPropertyBinding *>(Qt::FindDirectChildrenOnly);
    for (cVQ4VMVPropertyBinding *binding : bindings)
        binding->showNode();
}

QString cVQ4VMVElementBuilder::displayText(const QVariant &value)
{
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 12);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value.toString();
}

QWidget *cVQ4VMVElementBuilder::widgetOf(QObject *parent)
{
    if (auto *widget = qobject_cast<QWidget *>(parent))
        return widget;
    if (auto *layout = qobject_cast<QLayout *>(parent))
        return layout->parentWidget();
    return nullptr;
}

bool cVQ4VMVElementBuilder::placeWidget(QWidget &widget, QObject *parent,
                                        const cVQ4VMVBuildContext &context)
{
    if (context.atTopLevel())
        return true;
    parent = contentOf(parent);
    if (auto *layout = qobject_cast<QLayout *>(parent)) {
        // The cell is looked for only where it counts: most layouts are boxes.
        if (cVQ4LayoutCells::takesCells(*layout))
            cVQ4LayoutCells::place(*layout, &widget, nullptr, context.placingCell());
        else
            layout->addWidget(&widget);
        return true;
    }
    if (auto *tabs = qobject_cast<QTabWidget *>(parent)) {
        tabs->addTab(&widget, QString());
        return true;
    }
    if (auto *stack = qobject_cast<QStackedWidget *>(parent)) {
        stack->addWidget(&widget);
        return true;
    }
    if (auto *splitter = qobject_cast<QSplitter *>(parent)) {
        appendTo(*splitter, widget);
        return true;
    }
    if (auto *toolBar = qobject_cast<QToolBar *>(parent)) {
        toolBar->addWidget(&widget);
        return true;
    }
    auto *container = qobject_cast<QWidget *>(parent);
    if (!container || qobject_cast<QMenu *>(parent))
        return false;
    if (!container->layout())
        new QVBoxLayout(container);
    container->layout()->addWidget(&widget);
    return true;
}

bool cVQ4VMVElementBuilder::placeLayout(QLayout &layout, QObject *parent)
{
    return placeLayout(layout, parent, tLayoutCellSet());
}

bool cVQ4VMVElementBuilder::placeLayout(QLayout &layout, QObject *parent,
                                        const cVQ4VMVBuildContext &context)
{
    auto *parentLayout = qobject_cast<QLayout *>(contentOf(parent));
    const bool cells = parentLayout && cVQ4LayoutCells::takesCells(*parentLayout);
    return placeLayout(layout, parent, cells ? context.placingCell() : tLayoutCellSet());
}

bool cVQ4VMVElementBuilder::placeLayout(QLayout &layout, QObject *parent,
                                        const tLayoutCellSet &cell)
{
    parent = contentOf(parent);
    if (auto *parentLayout = qobject_cast<QLayout *>(parent)) {
        if (cVQ4LayoutCells::place(*parentLayout, nullptr, &layout, cell))
            return true;
        if (auto *box = qobject_cast<QBoxLayout *>(parent)) {
            box->addLayout(&layout);
            return true;
        }
        return false;
    }
    // A splitter holds widgets: the layout gets a plain one.
    if (auto *splitter = qobject_cast<QSplitter *>(parent)) {
        auto *holder = new QWidget(splitter);
        holder->setLayout(&layout);
        appendTo(*splitter, *holder);
        return true;
    }
    auto *container = qobject_cast<QWidget *>(parent);
    if (!container || qobject_cast<QTabWidget *>(parent) || qobject_cast<QStackedWidget *>(parent)
        || qobject_cast<QToolBar *>(parent) || qobject_cast<QMenu *>(parent))
        return false;
    if (!container->layout()) {
        container->setLayout(&layout);
        return true;
    }
    if (auto *box = qobject_cast<QBoxLayout *>(container->layout())) {
        box->addLayout(&layout);
        return true;
    }
    return false;
}

QObject *cVQ4VMVElementBuilder::contentOf(QObject *parent)
{
    if (auto *area = qobject_cast<QScrollArea *>(parent))
        return area->widget() ? area->widget() : parent;
    return parent;
}

QString cVQ4VMVElementBuilder::textOf(vmva::cDVIAbstractProperty &property)
{
    if (auto *v = property.ucStringView())
        return qstr(v->value());
    if (auto *v = property.asciiStringView())
        return qstr(v->value());
    if (auto *v = property.fontView())
        return qstr(v->value());
    if (auto *v = property.intView())
        return QString::number(v->value());
    if (auto *v = property.boolView())
        return v->value() ? QStringLiteral("true") : QStringLiteral("false");
    if (auto *v = property.layoutView())
        return qstr(v->value().toString());
    if (auto *v = property.doubleView())
        return QString::number(v->value(), 'g', 12);
    if (auto *v = property.dateTimeView())
        return v->text();
    return QString();
}

__int64 cVQ4VMVElementBuilder::intOf(vmva::cDVIAbstractProperty &property)
{
    if (auto *v = property.intView())
        return v->value();
    if (auto *v = property.doubleView())
        return __int64(qBound(-9.2e18, v->value(), 9.2e18));
    if (auto *v = property.boolView())
        return v->value() ? 1 : 0;
    return textOf(property).toLongLong();
}

double cVQ4VMVElementBuilder::doubleOf(vmva::cDVIAbstractProperty &property)
{
    if (auto *v = property.doubleView())
        return v->value();
    if (auto *v = property.intView())
        return double(v->value());
    return textOf(property).toDouble();
}

bool cVQ4VMVElementBuilder::boolOf(vmva::cDVIAbstractProperty &property)
{
    if (auto *v = property.boolView())
        return v->value();
    if (auto *v = property.intView())
        return v->value() != 0;
    const QString text = textOf(property);
    return text == QLatin1String("true") || text == QLatin1String("1");
}

QString cVQ4VMVElementBuilder::textOf(vmva::cDVAbstractStdDMViewProperties *properties,
                                      const char *name, const QString &fallback)
{
    vmva::cDVIAbstractProperty *property = findProperty(properties, name);
    return property ? textOf(*property) : fallback;
}

__int64 cVQ4VMVElementBuilder::intOf(vmva::cDVAbstractStdDMViewProperties *properties,
                                     const char *name, __int64 fallback)
{
    vmva::cDVIAbstractProperty *property = findProperty(properties, name);
    return property ? intOf(*property) : fallback;
}

double cVQ4VMVElementBuilder::doubleOf(vmva::cDVAbstractStdDMViewProperties *properties,
                                      const char *name, double fallback)
{
    vmva::cDVIAbstractProperty *property = findProperty(properties, name);
    return property ? doubleOf(*property) : fallback;
}
