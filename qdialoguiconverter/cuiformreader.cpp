#include "cuiformreader.h"

#include "cuielementmap.h"
#include "cuipropertyreader.h"
#include "cuivaluecodec.h"
#include "cuixmlnode.h"

#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "qdialoglayoutitems/cqdialoglayoutviewitem.h"
#include "vellcore/cdocumentlimits.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <functional>

using namespace vmva;

namespace {

using Limits = vsa::cDocumentLimits;
using Item = cQAbstractDialogLayoutItem;
using eDirection = cUiPropertyReader::eDirection;
// The layout margin Qt's styles give a widget that is not a window.
constexpr int kChildMargin = 9;

bool isContainer(const QString &element)
{
    static const QSet<QString> containers = {"Dialog", "Widget", "Frame", "GroupBox",
                                             "ScrollArea", "TabPage"};
    return containers.contains(element);
}

// One reading of a form: the input, the report and the actions and custom classes it names.
class cReading
{
public:
    cReading(const cDialogItemFactoryRegistry &registry, const vucs::cString &source,
             const QString &folder, cUiConversionReport &report)
        : mRegistry(registry), mSource(source), mReport(report), mProperties(folder, report) {}

    std::vector<cUiFormReader::tFormSet> run(const cUiXmlNode &ui);

private:
    std::unique_ptr<cQDialogLayoutRootItem> newRoot() const
    {
        return std::make_unique<cQDialogLayoutRootItem>(mRegistry.dataViewMgr());
    }
    void approximate(const cUiXmlNode &at, const QString &text)
    {
        mReport.add(cUiConversionReport::Approximated, at.line, text);
    }
    void drop(const cUiXmlNode &at, const QString &text)
    {
        mReport.add(cUiConversionReport::Dropped, at.line, text);
    }
    static QString nameOf(const cUiXmlNode &node) { return node.attribute("name"); }
    // A widget left out takes the widgets it holds with it: " holding "a", "b"" names them.
    static QString holding(const cUiXmlNode &node);

    Item *create(Item &parent, const QString &element, const cUiXmlNode &at);
    // A separator has no name of its own in a form: "separator" names them all.
    void createSeparator(Item &parent, const char *element, const cUiXmlNode &at)
    {
        if (Item *item = create(parent, QLatin1String(element), at))
            setText(*item, "Label", QString());
    }
    void collect(const cUiXmlNode &node);
    void readTopWidget(Item &root, const cUiXmlNode &widget);
    void keepChildMargin(Item &dialog);
    void readMainWindow(Item &root, const cUiXmlNode &window,
                        std::vector<cUiFormReader::tFormSet> &forms);
    Item *readWidget(Item &parent, const cUiXmlNode &node, eDirection direction);
    void readContent(Item &item, const QString &element, const cUiXmlNode &node);
    void readChildrenWithoutLayout(Item &item, const std::vector<const cUiXmlNode *> &widgets,
                                   const cUiXmlNode &at);
    void readPage(Item &tabs, const cUiXmlNode &node);
    Item *readLayout(Item &parent, const cUiXmlNode &node);
    Item *readSpacer(Item &parent, const cUiXmlNode &node);
    void readMenu(Item &parent, const cUiXmlNode &node);
    void readToolBar(Item &parent, const cUiXmlNode &node);
    void readAction(Item &parent, const char *element, const QString &name,
                    const cUiXmlNode &at);
    void readProperties(Item &item, const QString &element, const cUiXmlNode &node,
                        eDirection direction)
    {
        mProperties.read(item, element, node, direction);
    }
    bool readDynamic(Item &item, const QString &name, const cUiXmlNode &value)
    {
        return mProperties.readDynamic(item, name, value);
    }
    static void setText(Item &item, const char *property, const QString &text)
    {
        cUiPropertyReader::setText(item, property, text);
    }
    void setInt(Item &item, const char *property, qint64 value, const cUiXmlNode &at)
    {
        mProperties.setInt(item, property, value, at);
    }

    const cDialogItemFactoryRegistry &mRegistry;
    vucs::cString mSource;
    cUiConversionReport &mReport;
    QHash<QString, const cUiXmlNode *> mActions;
    QHash<QString, QString> mCustomBases;
    cUiPropertyReader mProperties;
    int mElements = 0;
};

QString cReading::holding(const cUiXmlNode &node)
{
    QStringList names;
    const std::function<void(const cUiXmlNode &)> walk = [&](const cUiXmlNode &at) {
        for (const cUiXmlNode &c : at.children) {
            if (c.tag == QLatin1String("widget") && !nameOf(c).isEmpty())
                names << '"' + nameOf(c) + '"';
            walk(c);
        }
    };
    walk(node);
    return names.isEmpty() ? QString() : QStringLiteral(" holding ") + names.join(", ");
}

Item *cReading::create(Item &parent, const QString &element, const cUiXmlNode &at)
{
    cAbstractDialogItemFactory *factory = mRegistry.findFactory(qstr(element).ascii());
    if (!factory) {
        drop(at, QStringLiteral("element %1: no such element here").arg(element));
        return nullptr;
    }
    if (++mElements > Limits::maxElements)
        cUiXmlNode::refuse(mSource, at.line, at.column,
                           QStringLiteral("more than %1 elements in a form")
                               .arg(Limits::maxElements));
    std::unique_ptr<cQDialogLayoutViewItem> item(factory->createItem(&parent,
                                                                     mRegistry.dataViewMgr()));
    Item *result = item.get();
    parent.insertChild(nullptr, std::move(item));
    mReport.countElement();
    const QString name = nameOf(at);
    if (name.size() > Limits::maxNameLength)
        cUiXmlNode::refuse(mSource, at.line, at.column,
                           QStringLiteral("element name longer than %1 characters")
                               .arg(Limits::maxNameLength));
    if (auto *label = result->findProperty("Label"))
        if (auto *view = label->asciiStringView())
            view->setValue(qstr(name).ascii());
    return result;
}

// Every action and custom widget class of the form, wherever it is declared.
void cReading::collect(const cUiXmlNode &node)
{
    for (const cUiXmlNode &c : node.children) {
        if (c.tag == QLatin1String("action"))
            mActions.insert(nameOf(c), &c);
        else if (c.tag == QLatin1String("customwidget"))
            mCustomBases.insert(c.childText("class").trimmed(), c.childText("extends").trimmed());
        collect(c);
    }
}

std::vector<cUiFormReader::tFormSet> cReading::run(const cUiXmlNode &ui)
{
    if (ui.tag != QLatin1String("ui"))
        cUiXmlNode::refuse(mSource, ui.line, ui.column,
                           QStringLiteral("not a Qt Designer form: the document element is <%1>")
                               .arg(Limits::cut(ui.tag)));
    collect(ui);
    std::vector<cUiFormReader::tFormSet> forms;
    forms.push_back({QString(), newRoot()});
    bool widget = false;
    for (const cUiXmlNode &c : ui.children) {
        const QString &tag = c.tag;
        if (tag == QLatin1String("widget") && !widget) {
            widget = true;
            if (c.attribute("class") == QLatin1String("QMainWindow"))
                readMainWindow(*forms.front().root, c, forms);
            else
                readTopWidget(*forms.front().root, c);
        } else if (tag == QLatin1String("class") || tag == QLatin1String("customwidgets")
                   || tag == QLatin1String("author") || tag == QLatin1String("comment")
                   || tag == QLatin1String("exportmacro") || tag == QLatin1String("includes")) {
            // Names and declarations only: nothing of the form's content.
        } else if ((tag == QLatin1String("resources") || tag == QLatin1String("connections")
                    || tag == QLatin1String("tabstops") || tag == QLatin1String("slots")
                    || tag == QLatin1String("buttongroups")) && c.children.empty()) {
        } else if (tag == QLatin1String("connections")) {
            for (const cUiXmlNode &connection : c.children)
                drop(connection, QStringLiteral("connection %1.%2 to %3.%4")
                                     .arg(connection.childText("sender"),
                                          connection.childText("signal"),
                                          connection.childText("receiver"),
                                          connection.childText("slot")));
        } else if (tag == QLatin1String("tabstops")) {
            drop(c, QStringLiteral("tab order"));
        } else if (tag == QLatin1String("resources")) {
            for (const cUiXmlNode &resource : c.children)
                drop(resource, QStringLiteral("resource file \"%1\"")
                                   .arg(resource.attribute("location")));
        } else {
            drop(c, QStringLiteral("element <%1>").arg(Limits::cut(tag)));
        }
    }
    if (!widget)
        cUiXmlNode::refuse(mSource, ui.line, ui.column, QStringLiteral("the form has no widget"));
    mProperties.applyExact();
    return forms;
}

void cReading::readTopWidget(Item &root, const cUiXmlNode &widget)
{
    const QString cls = widget.attribute("class");
    if (cls == QLatin1String("QMenu")) {
        readMenu(root, widget);
        return;
    }
    if (cls == QLatin1String("QToolBar")) {
        readToolBar(root, widget);
        return;
    }
    if (cls != QLatin1String("QDialog") && cls != QLatin1String("QWidget"))
        approximate(widget,
                    QStringLiteral("class %1 of \"%2\" as Dialog").arg(cls, nameOf(widget)));
    if (Item *dialog = create(root, QStringLiteral("Dialog"), widget)) {
        readProperties(*dialog, QStringLiteral("Dialog"), widget, eDirection::None);
        readContent(*dialog, QStringLiteral("Dialog"), widget);
        if (cls != QLatin1String("QDialog"))
            keepChildMargin(*dialog);
    }
}

void cReading::keepChildMargin(Item &dialog)
{
    // A dialog's layout has a window's margins; a widget form's, like a main window's central
    // widget, has those of a widget inside a window. Qt's styles give 9 pixels there.
    Item *layout = dialog.children().empty() ? nullptr : dialog.children().front();
    auto *margin = layout ? layout->findProperty("Margin") : nullptr;
    if (!margin || !margin->intView() || margin->intView()->value() >= 0)
        return;
    margin->intView()->setValue(kChildMargin);
}

void cReading::readMainWindow(Item &root, const cUiXmlNode &window,
                              std::vector<cUiFormReader::tFormSet> &forms)
{
    Item *dialog = create(root, QStringLiteral("Dialog"), window);
    if (!dialog)
        return;
    approximate(window, QStringLiteral("main window \"%1\" as a dialog of its central widget")
                            .arg(nameOf(window)));
    readProperties(*dialog, QStringLiteral("Dialog"), window, eDirection::None);
    const auto ownForm = [&](const cUiXmlNode &node, bool menu) {
        forms.push_back({nameOf(node), newRoot()});
        approximate(node, QStringLiteral("%1 \"%2\" as a form of its own")
                              .arg(menu ? QStringLiteral("menu") : QStringLiteral("tool bar"),
                                   nameOf(node)));
        if (menu)
            readMenu(*forms.back().root, node);
        else
            readToolBar(*forms.back().root, node);
    };
    bool central = false;
    for (const cUiXmlNode &c : window.children) {
        if (c.tag != QLatin1String("widget")) {
            if (c.tag != QLatin1String("property") && c.tag != QLatin1String("action")
                && c.tag != QLatin1String("actiongroup") && c.tag != QLatin1String("zorder"))
                drop(c, QStringLiteral("element <%1>").arg(Limits::cut(c.tag)));
            continue;
        }
        const QString cls = c.attribute("class");
        if (cls == QLatin1String("QMenuBar")) {
            approximate(c, QStringLiteral("menu bar \"%1\" as its menus, each a form of its own")
                               .arg(nameOf(c)));
            for (const cUiXmlNode &menu : c.children) {
                if (menu.tag == QLatin1String("widget")
                    && menu.attribute("class") == QLatin1String("QMenu"))
                    ownForm(menu, true);
            }
        } else if (cls == QLatin1String("QToolBar")) {
            ownForm(c, false);
        } else if (cls == QLatin1String("QStatusBar") || cls == QLatin1String("QDockWidget")) {
            drop(c, QStringLiteral("%1 \"%2\"%3").arg(cls, nameOf(c), holding(c)));
        } else if (!central) {
            // The central widget: its layout is the dialog's.
            central = true;
            readContent(*dialog, QStringLiteral("Dialog"), c);
            keepChildMargin(*dialog);
        } else {
            drop(c, QStringLiteral("%1 \"%2\" beside the central widget%3")
                        .arg(cls, nameOf(c), holding(c)));
        }
    }
}

Item *cReading::readWidget(Item &parent, const cUiXmlNode &node, eDirection direction)
{
    const QString cls = node.attribute("class");
    const cUiElementMap::tClassSet *row = cUiElementMap::findClass(cls);
    QString base = cls;
    for (int hops = 0; !row && hops < 8 && mCustomBases.contains(base); ++hops) {
        base = mCustomBases.value(base);
        row = cUiElementMap::findClass(base);
    }
    QString element;
    if (row && QLatin1String(row->element) != QLatin1String("Dialog")
        && QLatin1String(row->element) != QLatin1String("Menu")
        && QLatin1String(row->element) != QLatin1String("ToolBar")) {
        element = QLatin1String(row->element);
        if (!row->exact || base != cls)
            approximate(node, QStringLiteral("class %1 of \"%2\" as %3")
                                  .arg(cls, nameOf(node), element));
    } else if (node.child("layout") || node.child("widget")) {
        element = QStringLiteral("Widget");
        approximate(node, QStringLiteral("class %1 of \"%2\" as Widget").arg(cls, nameOf(node)));
    } else {
        drop(node, QStringLiteral("%1 \"%2\": no element for its class").arg(cls, nameOf(node)));
        return nullptr;
    }
    Item *item = create(parent, element, node);
    if (!item)
        return nullptr;
    readProperties(*item, element, node, direction);
    readContent(*item, element, node);
    return item;
}

void cReading::readContent(Item &item, const QString &element, const cUiXmlNode &node)
{
    std::vector<const cUiXmlNode *> widgets;
    QStringList entries;
    bool hasLayout = false;
    for (const cUiXmlNode &c : node.children) {
        const QString &tag = c.tag;
        if (tag == QLatin1String("property") || tag == QLatin1String("attribute")
            || tag == QLatin1String("zorder")) {
            continue;
        } else if (tag == QLatin1String("layout") && isContainer(element) && !hasLayout) {
            hasLayout = true;
            readLayout(item, c);
        } else if (tag == QLatin1String("widget")) {
            widgets.push_back(&c);
        } else if (tag == QLatin1String("item")
                   && (element == QLatin1String("ComboBox")
                       || element == QLatin1String("ListWidget"))) {
            const cUiXmlNode *text = nullptr;
            for (const cUiXmlNode &p : c.children)
                if (p.tag == QLatin1String("property") && nameOf(p) == QLatin1String("text"))
                    text = p.child("string");
            entries << (text ? text->text : QString());
        } else {
            drop(c, QStringLiteral("<%1> of \"%2\"").arg(Limits::cut(tag), nameOf(node)));
        }
    }
    if (!entries.isEmpty())
        setText(item, "Entries", entries.join(QLatin1Char('\n')));
    if (widgets.empty())
        return;
    if (element == QLatin1String("TabWidget") || element == QLatin1String("StackedWidget")) {
        for (const cUiXmlNode *w : widgets)
            readPage(item, *w);
    } else if (element == QLatin1String("Splitter")) {
        for (const cUiXmlNode *w : widgets)
            readWidget(item, *w, eDirection::None);
    } else if (element == QLatin1String("ScrollArea") && !hasLayout) {
        // The scrolled content widget holds the layout; a scroll area shows one.
        readContent(item, element, *widgets.front());
        for (size_t i = 1; i < widgets.size(); ++i)
            drop(*widgets[i], QStringLiteral("%1 \"%2\" beside the content of \"%3\"")
                                  .arg(widgets[i]->attribute("class"), nameOf(*widgets[i]),
                                       nameOf(node)));
    } else if (isContainer(element) && !hasLayout) {
        readChildrenWithoutLayout(item, widgets, node);
    } else {
        for (const cUiXmlNode *w : widgets)
            drop(*w, QStringLiteral("%1 \"%2\" outside a layout")
                         .arg(w->attribute("class"), nameOf(*w)));
    }
}

void cReading::readChildrenWithoutLayout(Item &item,
                                         const std::vector<const cUiXmlNode *> &widgets,
                                         const cUiXmlNode &at)
{
    approximate(at, QStringLiteral("widgets placed by position in \"%1\" as a vertical box")
                        .arg(nameOf(at)));
    cUiXmlNode box;
    box.line = at.line;
    box.column = at.column;
    Item *layout = create(item, QStringLiteral("VBoxLayout"), box);
    if (!layout)
        return;
    for (const cUiXmlNode *w : widgets)
        readWidget(*layout, *w, eDirection::Vertical);
}

void cReading::readPage(Item &tabs, const cUiXmlNode &node)
{
    Item *page = create(tabs, QStringLiteral("TabPage"), node);
    if (!page)
        return;
    readProperties(*page, QStringLiteral("TabPage"), node, eDirection::None);
    const QString cls = node.attribute("class");
    if (cls == QLatin1String("QWidget")) {
        readContent(*page, QStringLiteral("TabPage"), node);
        return;
    }
    approximate(node, QStringLiteral("page \"%1\" of class %2 in a vertical box")
                          .arg(nameOf(node), cls));
    cUiXmlNode box;
    box.line = node.line;
    if (Item *layout = create(*page, QStringLiteral("VBoxLayout"), box))
        readWidget(*layout, node, eDirection::Vertical);
}

Item *cReading::readLayout(Item &parent, const cUiXmlNode &node)
{
    const QString cls = node.attribute("class");
    const cUiElementMap::tClassSet *row = cUiElementMap::findClass(cls);
    QString element = row ? QLatin1String(row->element) : QString();
    if (!element.endsWith(QLatin1String("Layout"))) {
        approximate(node, QStringLiteral("layout %1 \"%2\" as VBoxLayout").arg(cls, nameOf(node)));
        element = QStringLiteral("VBoxLayout");
    }
    Item *layout = create(parent, element, node);
    if (!layout)
        return nullptr;
    const bool cells = element == QLatin1String("GridLayout")
        || element == QLatin1String("FormLayout");
    const eDirection direction = element == QLatin1String("HBoxLayout") ? eDirection::Horizontal
        : element == QLatin1String("VBoxLayout")                          ? eDirection::Vertical
                                                                          : eDirection::None;
    QList<int> stretch;
    QSet<int> autoCells;
    for (const auto &a : node.attributes) {
        if (a.first == QLatin1String("class") || a.first == QLatin1String("name"))
            continue;
        if (a.first == QLatin1String("stretch") && direction != eDirection::None) {
            for (const QString &s : a.second.split(QLatin1Char(',')))
                stretch << s.trimmed().toInt();
        } else if (a.first == QLatin1String("rowstretch") && cells) {
            setText(*layout, "RowStretch", a.second);
        } else if (a.first == QLatin1String("columnstretch") && cells) {
            setText(*layout, "ColumnStretch", a.second);
        } else if (!a.second.split(QLatin1Char(','))
                        .filter(QRegularExpression(QStringLiteral("[^0 ]")))
                        .isEmpty()) {
            drop(node, QStringLiteral("%1 of layout \"%2\"").arg(a.first, nameOf(node)));
        }
    }
    // Margins: the legacy single one, or four that may differ.
    QList<int> margins;
    for (const cUiXmlNode &c : node.children) {
        if (c.tag != QLatin1String("property"))
            continue;
        const QString name = nameOf(c);
        const cUiXmlNode *value = c.children.empty() ? nullptr : &c.children.front();
        const int number = value ? value->text.trimmed().toInt() : 0;
        if (!value) {
            drop(c, QStringLiteral("property \"%1\" without a value").arg(name));
        } else if (name == QLatin1String("objectName")) {
            // Qt 4's Designer named layouts so.
            if (nameOf(node).isEmpty())
                setText(*layout, "Label", value->text);
        } else if (name == QLatin1String("margin")) {
            margins = {number, number, number, number};
        } else if (name.endsWith(QLatin1String("Margin"))) {
            margins << number;
        } else if (name == QLatin1String("spacing") || name == QLatin1String("horizontalSpacing")
                   || name == QLatin1String("verticalSpacing")) {
            auto *spacing = layout->findProperty("Spacing");
            if (spacing && spacing->intView() && spacing->intView()->value() >= 0
                && spacing->intView()->value() != number)
                approximate(c, QStringLiteral("spacings of \"%1\" as one").arg(nameOf(node)));
            setInt(*layout, "Spacing", number, c);
        } else if (c.attribute("stdset") == QLatin1String("0")
                   && readDynamic(*layout, name, *value)) {
            if (name == QLatin1String("vellAutoCells"))
                for (const QString &s : value->text.split(QLatin1Char(','), Qt::SkipEmptyParts))
                    autoCells.insert(s.trimmed().toInt());
        } else {
            drop(c, QStringLiteral("property \"%1\" of layout \"%2\"").arg(name, nameOf(node)));
        }
    }
    if (!margins.isEmpty()) {
        const int first = margins.front();
        if (margins.count(first) != margins.size())
            approximate(node, QStringLiteral("margins of \"%1\" as one").arg(nameOf(node)));
        setInt(*layout, "Margin", first, node);
    }
    int index = 0;
    for (const cUiXmlNode &c : node.children) {
        if (c.tag == QLatin1String("property"))
            continue;
        if (c.tag != QLatin1String("item") || c.children.empty()) {
            drop(c, QStringLiteral("<%1> of layout \"%2\"").arg(Limits::cut(c.tag), nameOf(node)));
            continue;
        }
        const cUiXmlNode &content = c.children.front();
        Item *child = nullptr;
        if (content.tag == QLatin1String("widget"))
            child = readWidget(*layout, content, direction);
        else if (content.tag == QLatin1String("layout"))
            child = readLayout(*layout, content);
        else if (content.tag == QLatin1String("spacer"))
            child = readSpacer(*layout, content);
        else
            drop(content, QStringLiteral("<%1> in layout \"%2\"").arg(content.tag, nameOf(node)));
        if (c.hasAttribute("alignment"))
            drop(c, QStringLiteral("alignment of \"%1\" in its cell").arg(nameOf(content)));
        if (child && cells && c.hasAttribute("row") && !autoCells.contains(index)) {
            const int rs = c.attribute("rowspan", "1").toInt();
            const int cs = c.attribute("colspan", "1").toInt();
            QString cell = QStringLiteral("%1, %2").arg(c.attribute("row").toInt())
                               .arg(c.attribute("column", "0").toInt());
            if (rs != 1 || cs != 1)
                cell += QStringLiteral(", %1, %2").arg(rs).arg(cs);
            setText(*child, "Cell", cell);
        }
        if (child && index < stretch.size()) {
            if (auto *p = child->findProperty("Layout"))
                if (auto *view = p->layoutView()) {
                    cDVLayoutParameter lp = view->value();
                    lp.setMultiplier(unsigned(qMax(0, stretch[index])));
                    view->setValue(lp);
                }
        }
        ++index;
    }
    return layout;
}

Item *cReading::readSpacer(Item &parent, const cUiXmlNode &node)
{
    Item *spacer = create(parent, QStringLiteral("Spacer"), node);
    if (!spacer)
        return nullptr;
    bool vertical = false;
    int width = 0, height = 0;
    for (const cUiXmlNode &c : node.children) {
        const QString name = nameOf(c);
        const cUiXmlNode *value = c.children.empty() ? nullptr : &c.children.front();
        if (!value)
            continue;
        if (name == QLatin1String("objectName")) {
            if (nameOf(node).isEmpty())
                setText(*spacer, "Label", value->text);
        } else if (name == QLatin1String("orientation")) {
            vertical = value->text.trimmed().endsWith(QLatin1String("Vertical"));
            setInt(*spacer, "Orientation", vertical ? 2 : 1, c);
        } else if (name == QLatin1String("sizeHint")) {
            width = value->childText("width").trimmed().toInt();
            height = value->childText("height").trimmed().toInt();
        } else if (name == QLatin1String("sizeType")) {
            // Expanding is the spacer's own; the others are a layout mode of its own.
            const QString type = value->text.trimmed();
            const QString bare = type.section(QLatin1String("::"), -1);
            int mode = 0;
            if (bare != QLatin1String("Expanding")
                && cUiElementMap::enumValue(cUiElementMap::sizePolicies(), type, mode))
                if (auto *p = spacer->findProperty("Layout"); p && p->layoutView()) {
                    cDVLayoutParameter lp = p->layoutView()->value();
                    lp.setMode(cDVLayoutParameter::LayoutMode(mode));
                    p->layoutView()->setValue(lp);
                }
            if (bare == QLatin1String("Maximum") || bare == QLatin1String("Ignored")
                || (bare != QLatin1String("Expanding") && mode == 0))
                approximate(c, QStringLiteral("size type %1 of spacer \"%2\" as Preferred")
                                   .arg(type, nameOf(node)));
        } else if (!(c.attribute("stdset") == QLatin1String("0")
                     && readDynamic(*spacer, name, *value))) {
            drop(c, QStringLiteral("property \"%1\" of spacer \"%2\"").arg(name, nameOf(node)));
        }
    }
    setInt(*spacer, "Size", vertical ? height : width, node);
    setInt(*spacer, "Breadth", vertical ? width : height, node);
    return spacer;
}

void cReading::readMenu(Item &parent, const cUiXmlNode &node)
{
    Item *menu = create(parent, QStringLiteral("Menu"), node);
    if (!menu)
        return;
    readProperties(*menu, QStringLiteral("Menu"), node, eDirection::None);
    QHash<QString, const cUiXmlNode *> submenus;
    for (const cUiXmlNode &c : node.children) {
        if (c.tag == QLatin1String("widget") && c.attribute("class") == QLatin1String("QMenu"))
            submenus.insert(nameOf(c), &c);
        else if (c.tag == QLatin1String("widget"))
            drop(c, QStringLiteral("%1 \"%2\" in a menu").arg(c.attribute("class"), nameOf(c)));
    }
    for (const cUiXmlNode &c : node.children) {
        if (c.tag != QLatin1String("addaction"))
            continue;
        const QString name = nameOf(c);
        if (name == QLatin1String("separator"))
            createSeparator(*menu, "MenuSeparator", c);
        else if (submenus.contains(name))
            readMenu(*menu, *submenus.value(name));
        else
            readAction(*menu, "MenuItem", name, c);
    }
}

void cReading::readToolBar(Item &parent, const cUiXmlNode &node)
{
    Item *bar = create(parent, QStringLiteral("ToolBar"), node);
    if (!bar)
        return;
    readProperties(*bar, QStringLiteral("ToolBar"), node, eDirection::None);
    for (const cUiXmlNode &c : node.children) {
        if (c.tag == QLatin1String("addaction")) {
            if (nameOf(c) == QLatin1String("separator"))
                createSeparator(*bar, "ToolSeparator", c);
            else
                readAction(*bar, "ToolButton", nameOf(c), c);
        } else if (c.tag == QLatin1String("widget")) {
            drop(c, QStringLiteral("<%1> \"%2\" of tool bar \"%3\"")
                        .arg(c.tag, nameOf(c), nameOf(node)));
        }
    }
}

void cReading::readAction(Item &parent, const char *element, const QString &name,
                          const cUiXmlNode &at)
{
    const cUiXmlNode *action = mActions.value(name);
    if (!action) {
        drop(at, QStringLiteral("action \"%1\" that the form does not declare").arg(name));
        return;
    }
    if (Item *item = create(parent, QLatin1String(element), *action))
        readProperties(*item, QLatin1String(element), *action, eDirection::None);
}

} // namespace

cUiFormReader::cUiFormReader(const cDialogItemFactoryRegistry &registry) : mRegistry(registry)
{
}

std::vector<cUiFormReader::tFormSet> cUiFormReader::read(const QByteArray &data,
                                                         const vucs::cString &source,
                                                         const QString &folder,
                                                         cUiConversionReport &report) const
{
    const cUiXmlNode ui = cUiXmlNode::parse(data, source);
    cReading reading(mRegistry, source, folder, report);
    return reading.run(ui);
}

std::vector<cUiFormReader::tFormSet> cUiFormReader::readFile(const vucs::cString &path,
                                                             cUiConversionReport &report) const
{
    QFile file(qstr(path));
    const bool regular = QFileInfo(file).isFile();
    if (!regular || !file.open(QIODevice::ReadOnly))
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to open document %file%: %error%!")
                       << path << (regular ? file.errorString() : QStringLiteral("not a file")));
    if (file.size() > Limits::maxDocumentSize)
        cUiXmlNode::refuse(path, 1, 0, QStringLiteral("larger than %1 MiB, the most a document "
                                                      "may take")
                                           .arg(Limits::maxDocumentSize / (1024 * 1024)));
    return read(file.readAll(), path, QFileInfo(file).absolutePath(), report);
}
