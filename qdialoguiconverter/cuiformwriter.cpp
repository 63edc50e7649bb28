#include "cuiformwriter.h"

#include "cuielementmap.h"
#include "cuilayoutcells.h"
#include "cuiobjectnames.h"
#include "cuivaluecodec.h"

#include "q4support/elements/standardelements.h"
#include "vellcore/cabstractexception.h"
#include "vellcore/climessage.h"
#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamWriter>


using namespace vmva;

namespace {

using Item = cQAbstractDialogLayoutItem;
using Pictures = std::vector<cUiValueCodec::tPictureSet>;
enum class eDirection { None, Horizontal, Vertical };
// Qt's largest widget size, which a form names for "no maximum".
constexpr unsigned kWidgetSizeLimit = 16777215;

// Written beside the target and renamed over it only when complete.
void saveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok)
        ok = file.write(bytes) == bytes.size() && file.commit();
    if (!ok)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to write document %file%: %error%!")
                       << qstr(path) << file.errorString());
}

QString elementOf(const Item &item)
{
    return qstr(item.elementName());
}

bool isLayout(const QString &element)
{
    return element.endsWith(QLatin1String("Layout"));
}

// Where a child sits, as far as its properties are concerned.
struct tPlaceSet
{
    eDirection along = eDirection::None;
    // The parent's <item> gives the cell exactly (or names it automatic).
    bool cellWritten = false;
    // The parent's stretch attribute gives the multiplier.
    bool stretchWritten = false;
};

// What tells a menu and its entries from a tool bar and its entries.
struct tBarSet
{
    const char *qtClass;
    const char *element;
    bool nests;   // holds bars of its own kind as submenus
    const char *separator;
    const char *action;
    const char *where;
};
const tBarSet kMenu{"QMenu", "Menu", true, "MenuSeparator", "MenuItem", "a menu"};
const tBarSet kToolBar{"QToolBar", "ToolBar", false, "ToolSeparator", "ToolButton", "a tool bar"};

// One writing of a form: the XML, the names taken and the actions its menus and tool bars use.
class cWriting
{
public:
    cWriting(cUiConversionReport &report, const QString &pictureBase, Pictures *pictures)
        : mXml(&mBytes), mReport(report), mPictureBase(pictureBase), mPictures(pictures)
    {
        mXml.setAutoFormatting(true);
        mXml.setAutoFormattingIndent(1);
    }

    QByteArray run(const cQDialogLayoutRootItem &root);

private:
    void keep(const QString &owner, const QString &what, const QString &dynamic)
    {
        mReport.add(cUiConversionReport::Approximated, 0,
                    QStringLiteral("%1 of \"%2\" kept as the dynamic property %3")
                        .arg(what, owner, dynamic));
    }
    void drop(const QString &text) { mReport.add(cUiConversionReport::Dropped, 0, text); }
    QString nameFor(const Item &item, const QString &qtClass);
    void writeDynamic(const QString &name, const QString &text);
    void keepValue(const Item &item, const char *property, const QString &owner);
    void writeNumber(const char *name, qint64 value);

    void writeNode(const Item &item, const tPlaceSet &place);
    void writeWidget(const Item &item, const tPlaceSet &place);
    void writeContent(const Item &item, const QString &element, const QString &owner);
    void writeLayout(const Item &item, const tPlaceSet &place);
    void writeSpacer(const Item &item, const tPlaceSet &place);
    // A menu or a tool bar with its entries; returns its object name.
    QString writeBar(const Item &item, const tBarSet &bar, bool top);
    void writeActions();

    // The properties every element shares the handling of; `done` lists those written.
    void writeCommon(const Item &item, const QString &owner, const tPlaceSet &place,
                     QSet<QString> &done, bool hints);
    void writeRows(const Item &item, const QString &element, const QString &owner,
                   QSet<QString> &done);
    void writeHints(const Item &item, const QString &owner, const tPlaceSet &place);
    void writeRest(const Item &item, const QString &owner, const QSet<QString> &done);

    QByteArray mBytes;
    QXmlStreamWriter mXml;
    cUiConversionReport &mReport;
    QString mPictureBase;
    Pictures *mPictures;
    cUiObjectNames mNames;
    std::vector<std::pair<const Item *, QString>> mActions;
    QHash<QByteArray, QString> mPictureFiles;
};

QString cWriting::nameFor(const Item &item, const QString &qtClass)
{
    // Qt Designer's habit: the class without its "Q", starting in lower case.
    QString fallback = qtClass.startsWith(QLatin1Char('Q')) ? qtClass.mid(1) : qtClass;
    if (!fallback.isEmpty())
        fallback[0] = fallback[0].toLower();
    return mNames.take(qstr(item.label()), fallback);
}

void cWriting::writeDynamic(const QString &name, const QString &text)
{
    mXml.writeStartElement(QStringLiteral("property"));
    mXml.writeAttribute(QStringLiteral("name"), name);
    mXml.writeAttribute(QStringLiteral("stdset"), QStringLiteral("0"));
    mXml.writeStartElement(QStringLiteral("string"));
    mXml.writeAttribute(QStringLiteral("notr"), QStringLiteral("true"));
    mXml.writeCharacters(text);
    mXml.writeEndElement();
    mXml.writeEndElement();
}

void cWriting::keepValue(const Item &item, const char *property, const QString &owner)
{
    const cDVIAbstractProperty *p = item.findProperty(property);
    if (!p)
        return;
    const QString dynamic = QStringLiteral("vell_") + QLatin1String(property);
    writeDynamic(dynamic, cUiValueCodec::text(*p));
    keep(owner, QStringLiteral("property \"%1\"").arg(QLatin1String(property)), dynamic);
}

void cWriting::writeNumber(const char *name, qint64 value)
{
    mXml.writeStartElement(QStringLiteral("property"));
    mXml.writeAttribute(QStringLiteral("name"), QLatin1String(name));
    mXml.writeTextElement(QStringLiteral("number"), QString::number(value));
    mXml.writeEndElement();
}

QByteArray cWriting::run(const cQDialogLayoutRootItem &root)
{
    std::vector<const Item *> tops;
    for (const Item *child : root.children())
        if (!child->isMarkedForRemoval())
            tops.push_back(child);
    mXml.writeStartDocument();
    mXml.writeStartElement(QStringLiteral("ui"));
    mXml.writeAttribute(QStringLiteral("version"), QStringLiteral("4.0"));
    if (tops.empty()) {
        drop(QStringLiteral("an empty form: written as an empty widget"));
        mXml.writeTextElement(QStringLiteral("class"), QStringLiteral("Form"));
        mXml.writeEmptyElement(QStringLiteral("widget"));
        mXml.writeAttribute(QStringLiteral("class"), QStringLiteral("QWidget"));
        mXml.writeAttribute(QStringLiteral("name"), QStringLiteral("Form"));
    } else {
        const Item &top = *tops.front();
        const QString element = elementOf(top);
        // The generated class is named after the form: the top element's name is taken first.
        const char *cls = cUiElementMap::classOf(element);
        QString name = mNames.take(qstr(top.label()), QStringLiteral("Form"));
        mNames = cUiObjectNames();
        mXml.writeTextElement(QStringLiteral("class"), name);
        if (element == QLatin1String("Menu"))
            writeBar(top, kMenu, true);
        else if (element == QLatin1String("ToolBar"))
            writeBar(top, kToolBar, true);
        else if (cls)
            writeWidget(top, tPlaceSet());
        else
            drop(QStringLiteral("element %1 \"%2\": no Qt class").arg(element, name));
        for (size_t i = 1; i < tops.size(); ++i)
            drop(QStringLiteral("element %1 \"%2\" beside the form's top element")
                     .arg(elementOf(*tops[i]), qstr(tops[i]->label())));
    }
    mXml.writeEmptyElement(QStringLiteral("resources"));
    mXml.writeEmptyElement(QStringLiteral("connections"));
    mXml.writeEndElement();
    mXml.writeEndDocument();
    return mBytes;
}

void cWriting::writeNode(const Item &item, const tPlaceSet &place)
{
    const QString element = elementOf(item);
    if (isLayout(element))
        writeLayout(item, place);
    else if (element == QLatin1String("Spacer"))
        writeSpacer(item, place);
    else
        writeWidget(item, place);
}

void cWriting::writeCommon(const Item &item, const QString &owner, const tPlaceSet &place,
                           QSet<QString> &done, bool hints)
{
    done << QStringLiteral("Label");
    // A label the object name cannot spell is carried exactly and means nothing to a Qt
    // program, so it is kept without a report line: listing it would bury the lines that do.
    if (item.findProperty("Label") && qstr(item.label()) != owner)
        writeDynamic(QStringLiteral("vell_Label"), qstr(item.label()));
    if (const cDVAbstractStdDMViewProperties *properties = item.properties())
        for (const cDVIAbstractProperty *p : properties->properties()) {
            const cDMDataModelDescriptor &at = p->modelLocation();
            if (at.isEmpty())
                continue;
            const QString dynamic = QStringLiteral("vellBind_") + qstr(p->name());
            QString text = qstr(at.parameterName());
            if (!at.elementName().empty())
                text += QLatin1Char('.') + qstr(at.elementName());
            writeDynamic(dynamic, text);
            keep(owner, QStringLiteral("binding of \"%1\"").arg(qstr(p->name())), dynamic);
        }
    if (item.findProperty("Cell")) {
        done << QStringLiteral("Cell");
        if (!place.cellWritten && !qstr(item.findProperty("Cell")->asciiStringView()->value())
                                       .isEmpty())
            keepValue(item, "Cell", owner);
    }
    if (item.findProperty("Layout") && item.findProperty("Layout")->layoutView()) {
        done << QStringLiteral("Layout");
        if (hints) {
            writeHints(item, owner, place);
        } else {
            const cDVLayoutParameter lp = item.findProperty("Layout")->layoutView()->value();
            cDVLayoutParameter given;
            if (place.stretchWritten)
                given.setMultiplier(lp.multiplier());
            if (elementOf(item) == QLatin1String("Spacer") && int(lp.mode()) <= 4)
                given.setMode(lp.mode());
            if (given != lp)
                keepValue(item, "Layout", owner);
        }
    }
}

void cWriting::writeHints(const Item &item, const QString &owner, const tPlaceSet &place)
{
    const cDVLayoutParameter lp = item.findProperty("Layout")->layoutView()->value();
    const bool vertical = place.along == eDirection::Vertical;
    // What cUiFormReader derives from the hints written here; the rest goes along exactly.
    cDVLayoutParameter given;
    if (place.stretchWritten)
        given.setMultiplier(lp.multiplier());
    static const char *const modes[] = {nullptr, "Minimum", "MinimumExpanding", "Preferred",
                                        "Fixed"};
    if (lp.mode() != cDVLayoutParameter::Default && int(lp.mode()) <= 4) {
        const QString name = QLatin1String(modes[lp.mode()]);
        const QString across = place.along == eDirection::None ? name
                                                               : QStringLiteral("Preferred");
        const int stretch = lp.multiplier() > 1 ? int(lp.multiplier()) : 0;
        mXml.writeStartElement(QStringLiteral("property"));
        mXml.writeAttribute(QStringLiteral("name"), QStringLiteral("sizePolicy"));
        mXml.writeStartElement(QStringLiteral("sizepolicy"));
        mXml.writeAttribute(QStringLiteral("hsizetype"), vertical ? across : name);
        mXml.writeAttribute(QStringLiteral("vsizetype"), vertical ? name : across);
        const QString none = QStringLiteral("0"), factor = QString::number(stretch);
        mXml.writeTextElement(QStringLiteral("horstretch"), vertical ? none : factor);
        mXml.writeTextElement(QStringLiteral("verstretch"), vertical ? factor : none);
        mXml.writeEndElement();
        mXml.writeEndElement();
        given.setMode(lp.mode());
        if (stretch > 1)
            given.setMultiplier(unsigned(stretch));
    }
    const auto size = [&](const char *name, unsigned along, unsigned across) {
        mXml.writeStartElement(QStringLiteral("property"));
        mXml.writeAttribute(QStringLiteral("name"), QLatin1String(name));
        mXml.writeStartElement(QStringLiteral("size"));
        const unsigned width = vertical ? across : along, height = vertical ? along : across;
        mXml.writeTextElement(QStringLiteral("width"), QString::number(width));
        mXml.writeTextElement(QStringLiteral("height"), QString::number(height));
        mXml.writeEndElement();
        mXml.writeEndElement();
    };
    if (lp.hasMinimum() && lp.minimum() > 0 && lp.minimum() < kWidgetSizeLimit) {
        size("minimumSize", lp.minimum(), 0);
        given.setMinimum(lp.minimum());
    }
    if (lp.hasMaximum() && lp.maximum() < kWidgetSizeLimit) {
        size("maximumSize", lp.maximum(), kWidgetSizeLimit);
        given.setMaximum(lp.maximum());
    }
    if (given != lp)
        keepValue(item, "Layout", owner);
}

void cWriting::writeRows(const Item &item, const QString &element, const QString &owner,
                         QSet<QString> &done)
{
    int count = 0;
    const cUiElementMap::tPropertySet *rows = cUiElementMap::properties(count);
    cDVIAbstractProperty *rich = item.findProperty("RichText");
    const bool html = element == QLatin1String("TextEdit") && rich && rich->boolView()
        && rich->boolView()->value();
    // The element's own rows first: a date edit's value is "date", not the generic "value".
    std::vector<const cUiElementMap::tPropertySet *> order;
    for (bool own : {true, false})
        for (int i = 0; i < count; ++i)
            if (bool(*rows[i].element) == own && cUiElementMap::applies(rows[i], element))
                order.push_back(&rows[i]);
    for (const cUiElementMap::tPropertySet *next : order) {
        const cUiElementMap::tPropertySet &row = *next;
        const QString property = QLatin1String(row.property);
        cDVIAbstractProperty *p = item.findProperty(row.property);
        if (!p || done.contains(property))
            continue;
        const QString uiName = QLatin1String(row.uiName);
        if (element == QLatin1String("TextEdit")
            && uiName == (html ? QLatin1String("plainText") : QLatin1String("html")))
            continue;
        done << property;
        // Left out when reading the form without it gives the same value.
        std::unique_ptr<cDVIAbstractProperty> absent = p->clone();
        absent->resetToDefault();
        if (row.qtDefault && *row.element)
            cUiValueCodec::readDefault(*absent, row.enums, row.qtDefault);
        if (cUiValueCodec::text(*absent) == cUiValueCodec::text(*p))
            continue;
        cUiValueCodec::tPictureSet picture;
        // A picture used again is named by the file written for it first.
        QString *file = nullptr;
        if (mPictures && p->pixmapView() && !p->pixmapView()->value().isEmpty()) {
            file = &mPictureFiles[p->pixmapView()->value()];
            if (file->isEmpty())
                picture.file = QStringLiteral("%1_%2_%3").arg(mPictureBase, owner, uiName);
            else
                picture.file = file->section(QLatin1Char('.'), 0, -2);
        }
        if (!cUiValueCodec::write(mXml, row.attribute ? QStringLiteral("attribute")
                                                      : QStringLiteral("property"),
                                  uiName, *p, row.enums, picture)) {
            keepValue(item, row.property, owner);
            continue;
        }
        if (file && file->isEmpty()) {
            *file = picture.file;
            mPictures->push_back(picture);
        }
        if (uiName == QLatin1String("html"))
            done << QStringLiteral("RichText");
    }
}

void cWriting::writeRest(const Item &item, const QString &owner, const QSet<QString> &done)
{
    const cDVAbstractStdDMViewProperties *properties = item.properties();
    if (!properties)
        return;
    for (const cDVIAbstractProperty *p : properties->properties()) {
        if (p->isDefault() || done.contains(qstr(p->name()))
            || const_cast<cDVIAbstractProperty *>(p)->modelLocationView())
            continue;
        keepValue(item, p->name().data(), owner);
    }
}

void cWriting::writeWidget(const Item &item, const tPlaceSet &place)
{
    const QString element = elementOf(item);
    const bool page = element == QLatin1String("TabPage");
    const char *cls = page ? "QWidget" : cUiElementMap::classOf(element);
    if (!cls || element == QLatin1String("Menu") || element == QLatin1String("ToolBar")) {
        drop(QStringLiteral("element %1 \"%2\": no Qt class for it here")
                 .arg(element, qstr(item.label())));
        return;
    }
    mReport.countElement();
    const QString owner = nameFor(item, QLatin1String(cls));
    mXml.writeStartElement(QStringLiteral("widget"));
    mXml.writeAttribute(QStringLiteral("class"), QLatin1String(cls));
    mXml.writeAttribute(QStringLiteral("name"), owner);
    QSet<QString> done;
    writeCommon(item, owner, place, done, true);
    if (element == QLatin1String("Dialog")) {
        done << QStringLiteral("Width") << QStringLiteral("Height");
        const auto number = [&](const char *name) {
            cDVIAbstractProperty *p = item.findProperty(name);
            return p && p->intView() ? p->intView()->value() : 0;
        };
        if (number("Width") || number("Height")) {
            mXml.writeStartElement(QStringLiteral("property"));
            mXml.writeAttribute(QStringLiteral("name"), QStringLiteral("geometry"));
            mXml.writeStartElement(QStringLiteral("rect"));
            mXml.writeTextElement(QStringLiteral("x"), QStringLiteral("0"));
            mXml.writeTextElement(QStringLiteral("y"), QStringLiteral("0"));
            mXml.writeTextElement(QStringLiteral("width"), QString::number(number("Width")));
            mXml.writeTextElement(QStringLiteral("height"), QString::number(number("Height")));
            mXml.writeEndElement();
            mXml.writeEndElement();
        }
    }
    QStringList entries;
    if (cDVIAbstractProperty *p = item.findProperty("Entries"); p && p->textListView()) {
        done << QStringLiteral("Entries");
        entries = p->textListView()->value();
    }
    writeRows(item, element, owner, done);
    writeRest(item, owner, done);
    for (const QString &entry : entries) {
        mXml.writeStartElement(QStringLiteral("item"));
        mXml.writeStartElement(QStringLiteral("property"));
        mXml.writeAttribute(QStringLiteral("name"), QStringLiteral("text"));
        mXml.writeTextElement(QStringLiteral("string"), entry);
        mXml.writeEndElement();
        mXml.writeEndElement();
    }
    writeContent(item, element, owner);
    mXml.writeEndElement();
}

void cWriting::writeContent(const Item &item, const QString &element, const QString &owner)
{
    std::vector<const Item *> children;
    for (const Item *child : item.children())
        if (!child->isMarkedForRemoval())
            children.push_back(child);
    if (children.empty())
        return;
    if (element == QLatin1String("TabWidget") || element == QLatin1String("StackedWidget")
        || element == QLatin1String("Splitter")) {
        for (const Item *child : children) {
            if (isLayout(elementOf(*child)) || elementOf(*child) == QLatin1String("Spacer"))
                drop(QStringLiteral("%1 \"%2\" in %3 \"%4\", which holds widgets only")
                         .arg(elementOf(*child), qstr(child->label()), element, owner));
            else
                writeWidget(*child, tPlaceSet());
        }
        return;
    }
    const bool scrolled = element == QLatin1String("ScrollArea");
    if (scrolled) {
        // The scroll area shows one widget, which holds the layout.
        mXml.writeStartElement(QStringLiteral("widget"));
        mXml.writeAttribute(QStringLiteral("class"), QStringLiteral("QWidget"));
        mXml.writeAttribute(QStringLiteral("name"),
                            mNames.take(owner + QStringLiteral("Contents"), QString()));
    }
    bool layout = false;
    for (const Item *child : children) {
        const QString kind = elementOf(*child);
        if (isLayout(kind) && !layout) {
            layout = true;
            writeLayout(*child, tPlaceSet());
        } else if (isLayout(kind) || kind == QLatin1String("Spacer")) {
            drop(QStringLiteral("%1 \"%2\": \"%3\" has a layout already")
                     .arg(kind, qstr(child->label()), owner));
        } else {
            mReport.add(cUiConversionReport::Approximated, 0,
                        QStringLiteral("%1 \"%2\" outside a layout, placed by position in \"%3\"")
                            .arg(kind, qstr(child->label()), owner));
            writeWidget(*child, tPlaceSet());
        }
    }
    if (scrolled)
        mXml.writeEndElement();
}

void cWriting::writeLayout(const Item &item, const tPlaceSet &place)
{
    const QString element = elementOf(item);
    const char *cls = cUiElementMap::classOf(element);
    if (!cls) {
        drop(QStringLiteral("element %1 \"%2\": no Qt class").arg(element, qstr(item.label())));
        return;
    }
    mReport.countElement();
    std::vector<const Item *> children;
    for (const Item *child : item.children())
        if (!child->isMarkedForRemoval())
            children.push_back(child);
    const bool grid = element == QLatin1String("GridLayout");
    const bool form = element == QLatin1String("FormLayout");
    const eDirection along = element == QLatin1String("HBoxLayout") ? eDirection::Horizontal
        : element == QLatin1String("VBoxLayout")                      ? eDirection::Vertical
                                                                      : eDirection::None;
    const auto intOf = [](const Item &i, const char *name, qint64 fallback) {
        cDVIAbstractProperty *p = i.findProperty(name);
        return p && p->intView() ? p->intView()->value() : fallback;
    };
    const auto textOf = [](const Item &i, const char *name) {
        cDVIAbstractProperty *p = i.findProperty(name);
        return p && p->asciiStringView() ? qstr(p->asciiStringView()->value()) : QString();
    };

    std::vector<cUiLayoutCells::tCellSet> cells;
    QStringList autoCells;
    if (grid || form) {
        QStringList texts;
        for (size_t i = 0; i < children.size(); ++i) {
            texts << textOf(*children[i], "Cell");
            if (texts.back().isEmpty())
                autoCells << QString::number(i);
        }
        const qint64 columns = qBound(qint64(1), intOf(item, "Columns", 2), qint64(64));
        cells = cUiLayoutCells::place(texts, form, int(columns));
    }

    const QString owner = nameFor(item, QLatin1String(cls));
    mXml.writeStartElement(QStringLiteral("layout"));
    mXml.writeAttribute(QStringLiteral("class"), QLatin1String(cls));
    mXml.writeAttribute(QStringLiteral("name"), owner);
    QSet<QString> done;
    if (along != eDirection::None) {
        QStringList stretch;
        bool plain = true;
        for (const Item *child : children) {
            cDVIAbstractProperty *p = child->findProperty("Layout");
            const unsigned m = p && p->layoutView() ? p->layoutView()->value().multiplier() : 1;
            stretch << QString::number(m);
            plain = plain && m == 1;
        }
        if (!plain)
            mXml.writeAttribute(QStringLiteral("stretch"), stretch.join(QLatin1Char(',')));
    }
    for (const char *name : {"RowStretch", "ColumnStretch"}) {
        if (!grid || !item.findProperty(name))
            continue;
        const QString text = textOf(item, name);
        QString compact = text;
        compact.remove(QLatin1Char(' '));
        if (!compact.isEmpty())
            mXml.writeAttribute(QLatin1String(name).toString().toLower(), compact);
        if (compact == text)
            done << QLatin1String(name);
    }
    writeCommon(item, owner, place, done, false);
    if (grid || form)
        writeDynamic(QStringLiteral("vellAutoCells"), autoCells.join(QLatin1Char(',')));
    done << QStringLiteral("Margin") << QStringLiteral("Spacing");
    if (const qint64 margin = intOf(item, "Margin", -1); margin >= 0)
        for (const char *side : {"leftMargin", "topMargin", "rightMargin", "bottomMargin"})
            writeNumber(side, margin);
    if (const qint64 spacing = intOf(item, "Spacing", -1); spacing >= 0)
        writeNumber("spacing", spacing);
    writeRest(item, owner, done);
    for (size_t i = 0; i < children.size(); ++i) {
        tPlaceSet inner;
        inner.along = along;
        inner.stretchWritten = along != eDirection::None;
        mXml.writeStartElement(QStringLiteral("item"));
        if (grid || form) {
            const cUiLayoutCells::tCellSet &at = cells[i];
            inner.cellWritten = at.exact;
            mXml.writeAttribute(QStringLiteral("row"), QString::number(at.row));
            mXml.writeAttribute(QStringLiteral("column"), QString::number(at.column));
            if (at.rowSpan != 1)
                mXml.writeAttribute(QStringLiteral("rowspan"), QString::number(at.rowSpan));
            if (at.columnSpan != 1)
                mXml.writeAttribute(QStringLiteral("colspan"), QString::number(at.columnSpan));
        }
        writeNode(*children[i], inner);
        mXml.writeEndElement();
    }
    mXml.writeEndElement();
}

void cWriting::writeSpacer(const Item &item, const tPlaceSet &place)
{
    mReport.countElement();
    const QString owner = nameFor(item, QStringLiteral("spacer"));
    mXml.writeStartElement(QStringLiteral("spacer"));
    mXml.writeAttribute(QStringLiteral("name"), owner);
    QSet<QString> done{QStringLiteral("Orientation"), QStringLiteral("Size"),
                       QStringLiteral("Breadth")};
    const auto intOf = [&](const char *name, qint64 fallback) {
        cDVIAbstractProperty *p = item.findProperty(name);
        return p && p->intView() ? p->intView()->value() : fallback;
    };
    const bool vertical = intOf("Orientation", 1) == 2;
    const qint64 size = intOf("Size", 20);
    const qint64 breadth = intOf("Breadth", 0);
    mXml.writeStartElement(QStringLiteral("property"));
    mXml.writeAttribute(QStringLiteral("name"), QStringLiteral("orientation"));
    mXml.writeTextElement(QStringLiteral("enum"), vertical ? QStringLiteral("Qt::Vertical")
                                                           : QStringLiteral("Qt::Horizontal"));
    mXml.writeEndElement();
    mXml.writeStartElement(QStringLiteral("property"));
    mXml.writeAttribute(QStringLiteral("name"), QStringLiteral("sizeHint"));
    mXml.writeAttribute(QStringLiteral("stdset"), QStringLiteral("0"));
    mXml.writeStartElement(QStringLiteral("size"));
    mXml.writeTextElement(QStringLiteral("width"), QString::number(vertical ? breadth : size));
    mXml.writeTextElement(QStringLiteral("height"), QString::number(vertical ? size : breadth));
    mXml.writeEndElement();
    mXml.writeEndElement();
    // A spacer's layout mode is its size type; Expanding, its own, is the default mode.
    if (cDVIAbstractProperty *p = item.findProperty("Layout"); p && p->layoutView()) {
        static const char *const types[] = {nullptr, "Minimum", "MinimumExpanding", "Preferred",
                                            "Fixed"};
        const cDVLayoutParameter lp = p->layoutView()->value();
        if (lp.mode() != cDVLayoutParameter::Default && int(lp.mode()) <= 4) {
            mXml.writeStartElement(QStringLiteral("property"));
            mXml.writeAttribute(QStringLiteral("name"), QStringLiteral("sizeType"));
            mXml.writeTextElement(QStringLiteral("enum"), QStringLiteral("QSizePolicy::")
                                                              + QLatin1String(types[lp.mode()]));
            mXml.writeEndElement();
        }
    }
    writeCommon(item, owner, place, done, false);
    writeRest(item, owner, done);
    mXml.writeEndElement();
}

QString cWriting::writeBar(const Item &item, const tBarSet &bar, bool top)
{
    mReport.countElement();
    const QString owner = nameFor(item, QLatin1String(bar.qtClass));
    mXml.writeStartElement(QStringLiteral("widget"));
    mXml.writeAttribute(QStringLiteral("class"), QLatin1String(bar.qtClass));
    mXml.writeAttribute(QStringLiteral("name"), owner);
    QSet<QString> done;
    writeCommon(item, owner, tPlaceSet(), done, false);
    writeRows(item, QLatin1String(bar.element), owner, done);
    writeRest(item, owner, done);
    for (const Item *child : item.children()) {
        if (child->isMarkedForRemoval())
            continue;
        const QString element = elementOf(*child);
        QString name;
        if (element == QLatin1String(bar.element) && bar.nests) {
            name = writeBar(*child, bar, false);
        } else if (element == QLatin1String(bar.separator)) {
            mReport.countElement();
            name = QStringLiteral("separator");
            if (!child->label().empty())
                drop(QStringLiteral("label \"%1\" of a separator").arg(qstr(child->label())));
        } else if (element == QLatin1String(bar.action)) {
            mReport.countElement();
            name = nameFor(*child, QStringLiteral("action"));
            mActions.emplace_back(child, name);
        } else {
            drop(QStringLiteral("element %1 \"%2\" in %3")
                     .arg(element, qstr(child->label()), QLatin1String(bar.where)));
            continue;
        }
        mXml.writeEmptyElement(QStringLiteral("addaction"));
        mXml.writeAttribute(QStringLiteral("name"), name);
    }
    if (top)
        writeActions();
    mXml.writeEndElement();
    return owner;
}

void cWriting::writeActions()
{
    for (const auto &[item, name] : mActions) {
        mXml.writeStartElement(QStringLiteral("action"));
        mXml.writeAttribute(QStringLiteral("name"), name);
        QSet<QString> done;
        writeCommon(*item, name, tPlaceSet(), done, false);
        writeRows(*item, elementOf(*item), name, done);
        writeRest(*item, name, done);
        mXml.writeEndElement();
    }
    mActions.clear();
}

} // namespace

cUiFormWriter::cUiFormWriter(const cDialogItemFactoryRegistry &)
{
}

QByteArray cUiFormWriter::write(const cQDialogLayoutRootItem &root,
                                cUiConversionReport &report) const
{
    cWriting writing(report, QString(), nullptr);
    return writing.run(root);
}

void cUiFormWriter::writeFile(const cQDialogLayoutRootItem &root, const vucs::cString &path,
                              cUiConversionReport &report) const
{
    const QFileInfo file(qstr(path));
    Pictures pictures;
    cWriting writing(report, file.completeBaseName(), &pictures);
    const QByteArray bytes = writing.run(root);
    // The pictures first: a form that names a missing file would be half-written.
    for (const cUiValueCodec::tPictureSet &picture : pictures)
        saveFile(file.dir().filePath(picture.file), picture.bytes);
    saveFile(qstr(path), bytes);
}
