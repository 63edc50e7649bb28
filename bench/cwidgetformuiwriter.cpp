#include "cwidgetformuiwriter.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLineEdit>
#include <QMetaEnum>
#include <QSlider>
#include <QTabWidget>

namespace {
using tWidgetNode = cWidgetFormDescription::tWidgetNode;
using tLayoutNode = cWidgetFormDescription::tLayoutNode;

// Designer's names of the alignment bits; Qt's own key list has aliases for some of them.
QString alignmentText(int alignment)
{
    static const std::pair<int, const char *> bits[] = {
        {Qt::AlignLeft, "Qt::AlignLeft"},       {Qt::AlignRight, "Qt::AlignRight"},
        {Qt::AlignHCenter, "Qt::AlignHCenter"}, {Qt::AlignJustify, "Qt::AlignJustify"},
        {Qt::AlignTop, "Qt::AlignTop"},         {Qt::AlignBottom, "Qt::AlignBottom"},
        {Qt::AlignVCenter, "Qt::AlignVCenter"}};
    QStringList names;
    for (const auto &bit : bits)
        if (alignment & bit.first)
            names << QString::fromLatin1(bit.second);
    return names.join(QLatin1Char('|'));
}

template <class E> QString enumText(const char *scope, int value)
{
    return QString::fromLatin1(scope) + QStringLiteral("::")
           + QString::fromLatin1(QMetaEnum::fromType<E>().valueToKey(value));
}

QString buttonsText(int buttons)
{
    const QByteArray keys =
        QMetaEnum::fromType<QDialogButtonBox::StandardButtons>().valueToKeys(buttons);
    QStringList names;
    for (const QByteArray &key : keys.split('|'))
        if (!key.isEmpty())
            names << QStringLiteral("QDialogButtonBox::") + QString::fromLatin1(key);
    return names.join(QLatin1Char('|'));
}

QString numbers(const QList<int> &list)
{
    QStringList texts;
    for (int n : list)
        texts << QString::number(n);
    return texts.join(QLatin1Char(','));
}

bool anyNonZero(const QList<int> &list)
{
    for (int n : list)
        if (n != 0)
            return true;
    return false;
}
} // namespace

QByteArray cWidgetFormUiWriter::document(const tWidgetNode &root)
{
    QByteArray out;
    cWidgetFormUiWriter writer(out);
    QXmlStreamWriter &xml = writer.mXml;
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("ui"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("4.0"));
    xml.writeTextElement(QStringLiteral("class"), QStringLiteral("Form"));
    writer.widget(root);
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

void cWidgetFormUiWriter::begin(const char *name, const char *type)
{
    mXml.writeStartElement(QStringLiteral("property"));
    mXml.writeAttribute(QStringLiteral("name"), QString::fromLatin1(name));
    if (type)
        mXml.writeStartElement(QString::fromLatin1(type));
}

void cWidgetFormUiWriter::end(bool typed)
{
    if (typed)
        mXml.writeEndElement();
    mXml.writeEndElement();
}

void cWidgetFormUiWriter::string(const char *name, const QString &value)
{
    begin(name, "string");
    mXml.writeCharacters(value);
    end();
}

void cWidgetFormUiWriter::number(const char *name, int value)
{
    begin(name, "number");
    mXml.writeCharacters(QString::number(value));
    end();
}

void cWidgetFormUiWriter::real(const char *name, double value)
{
    begin(name, "double");
    mXml.writeCharacters(QString::number(value, 'g', 17));
    end();
}

void cWidgetFormUiWriter::boolean(const char *name, bool value)
{
    begin(name, "bool");
    mXml.writeCharacters(value ? QStringLiteral("true") : QStringLiteral("false"));
    end();
}

void cWidgetFormUiWriter::enumeration(const char *name, const QString &value, bool isSet)
{
    begin(name, isSet ? "set" : "enum");
    mXml.writeCharacters(value);
    end();
}

void cWidgetFormUiWriter::size(const char *name, QSize value)
{
    begin(name, "size");
    mXml.writeTextElement(QStringLiteral("width"), QString::number(value.width()));
    mXml.writeTextElement(QStringLiteral("height"), QString::number(value.height()));
    end();
}

void cWidgetFormUiWriter::dateTime(const char *name, const QDateTime &value)
{
    begin(name, "datetime");
    const auto field = [&](const char *tag, int n) {
        mXml.writeTextElement(QString::fromLatin1(tag), QString::number(n));
    };
    field("hour", value.time().hour());
    field("minute", value.time().minute());
    field("second", value.time().second());
    field("year", value.date().year());
    field("month", value.date().month());
    field("day", value.date().day());
    end();
}

void cWidgetFormUiWriter::font(const QFont &value)
{
    begin("font", "font");
    mXml.writeTextElement(QStringLiteral("family"), value.family());
    mXml.writeTextElement(QStringLiteral("pointsize"), QString::number(value.pointSize()));
    mXml.writeTextElement(QStringLiteral("bold"),
                          value.bold() ? QStringLiteral("true") : QStringLiteral("false"));
    mXml.writeTextElement(QStringLiteral("italic"),
                          value.italic() ? QStringLiteral("true") : QStringLiteral("false"));
    end();
}

void cWidgetFormUiWriter::sizePolicy(const QSizePolicy &value)
{
    begin("sizePolicy", "sizepolicy");
    const QMetaEnum policy = QMetaEnum::fromType<QSizePolicy::Policy>();
    mXml.writeAttribute(QStringLiteral("hsizetype"),
                        QString::fromLatin1(policy.valueToKey(value.horizontalPolicy())));
    mXml.writeAttribute(QStringLiteral("vsizetype"),
                        QString::fromLatin1(policy.valueToKey(value.verticalPolicy())));
    mXml.writeTextElement(QStringLiteral("horstretch"),
                          QString::number(value.horizontalStretch()));
    mXml.writeTextElement(QStringLiteral("verstretch"), QString::number(value.verticalStretch()));
    end();
}

void cWidgetFormUiWriter::items(const QStringList &texts)
{
    for (const QString &item : texts) {
        mXml.writeStartElement(QStringLiteral("item"));
        string("text", item);
        mXml.writeEndElement();
    }
}

void cWidgetFormUiWriter::widget(const tWidgetNode &n)
{
    mXml.writeStartElement(QStringLiteral("widget"));
    mXml.writeAttribute(QStringLiteral("class"), QString::fromLatin1(n.className));
    mXml.writeAttribute(QStringLiteral("name"), n.name);
    if (!n.windowTitle.isEmpty())
        string("windowTitle", n.windowTitle);
    if (n.disabled)
        boolean("enabled", false);
    sizePolicy(n.sizePolicy);
    if (!n.minimumSize.isNull())
        size("minimumSize", n.minimumSize);
    if (n.maximumSize != QSize(16777215, 16777215))
        size("maximumSize", n.maximumSize);
    if (n.hasFont)
        font(n.font);
    if (!n.toolTip.isEmpty())
        string("toolTip", n.toolTip);
    values(n);
    const bool tabs = n.className == "QTabWidget";
    for (const auto &page : n.pages) {
        if (!tabs) {
            widget(*page);
            continue;
        }
        // A tab's page carries its title as an attribute.
        mXml.writeStartElement(QStringLiteral("widget"));
        mXml.writeAttribute(QStringLiteral("class"), QStringLiteral("QWidget"));
        mXml.writeAttribute(QStringLiteral("name"), page->name);
        mXml.writeStartElement(QStringLiteral("attribute"));
        mXml.writeAttribute(QStringLiteral("name"), QStringLiteral("title"));
        mXml.writeTextElement(QStringLiteral("string"), page->title);
        mXml.writeEndElement();
        if (page->layout)
            layout(*page->layout);
        mXml.writeEndElement();
    }
    if (tabs || n.className == "QStackedWidget")
        number("currentIndex", n.currentIndex);
    if (n.hidden)
        boolean("visible", false);
    if (n.layout)
        layout(*n.layout);
    mXml.writeEndElement();
}

void cWidgetFormUiWriter::values(const tWidgetNode &n)
{
    const QByteArray &c = n.className;
    if (c == "QLabel") {
        string("text", n.text);
        enumeration("alignment", alignmentText(n.alignment), true);
        boolean("wordWrap", n.wordWrap);
    } else if (c == "QPushButton" || c == "QCheckBox" || c == "QRadioButton") {
        string("text", n.text);
        boolean("checkable", n.checkable);
        boolean("checked", n.checked);
    } else if (c == "QLineEdit") {
        string("text", n.text);
        enumeration("echoMode", enumText<QLineEdit::EchoMode>("QLineEdit", n.echoMode));
        number("maxLength", n.maxLength);
        boolean("readOnly", n.readOnly);
    } else if (c == "QTextEdit") {
        boolean("acceptRichText", n.richText);
        string(n.richText ? "html" : "plainText", n.text);
        boolean("readOnly", n.readOnly);
    } else if (c == "QSpinBox") {
        number("minimum", n.minimum);
        number("maximum", n.maximum);
        number("singleStep", n.singleStep);
        string("suffix", n.suffix);
        number("value", n.value);
    } else if (c == "QDoubleSpinBox") {
        number("decimals", n.decimals);
        real("minimum", n.realMinimum);
        real("maximum", n.realMaximum);
        real("singleStep", n.realStep);
        string("prefix", n.prefix);
        string("suffix", n.suffix);
        real("value", n.realValue);
    } else if (c == "QDateEdit" || c == "QTimeEdit" || c == "QDateTimeEdit") {
        string("displayFormat", n.displayFormat);
        boolean("calendarPopup", n.calendarPopup);
        dateTime("minimumDateTime", n.minimumDateTime);
        dateTime("maximumDateTime", n.maximumDateTime);
        dateTime("dateTime", n.dateTime);
    } else if (c == "QComboBox") {
        items(n.items);
        number("currentIndex", n.currentIndex);
    } else if (c == "QListWidget") {
        items(n.items);
        number("currentRow", n.currentIndex);
    } else if (c == "QSlider" || c == "QDial") {
        number("minimum", n.minimum);
        number("maximum", n.maximum);
        number("singleStep", n.singleStep);
        number("pageStep", n.pageStep);
        number("value", n.value);
        enumeration("orientation", enumText<Qt::Orientation>("Qt", n.orientation));
        if (c == "QSlider") {
            enumeration("tickPosition",
                        enumText<QSlider::TickPosition>("QSlider", n.tickPosition));
        } else {
            boolean("wrapping", n.wrapping);
            boolean("notchesVisible", n.notchesVisible);
        }
    } else if (c == "QProgressBar") {
        number("minimum", n.minimum);
        number("maximum", n.maximum);
        number("value", n.value);
        boolean("textVisible", n.textVisible);
        enumeration("orientation", enumText<Qt::Orientation>("Qt", n.orientation));
    } else if (c == "QDialogButtonBox") {
        enumeration("orientation", enumText<Qt::Orientation>("Qt", n.orientation));
        enumeration("standardButtons", buttonsText(n.standardButtons), true);
    } else if (c == "QGroupBox") {
        string("title", n.title);
    } else if (c == "QTabWidget") {
        enumeration("tabPosition",
                    enumText<QTabWidget::TabPosition>("QTabWidget", n.tabPosition));
    } else if (c == "QScrollArea") {
        boolean("widgetResizable", n.widgetResizable);
        enumeration("horizontalScrollBarPolicy",
                    enumText<Qt::ScrollBarPolicy>("Qt", n.horizontalScrollBar));
        enumeration("verticalScrollBarPolicy",
                    enumText<Qt::ScrollBarPolicy>("Qt", n.verticalScrollBar));
    } else if (c == "QSplitter") {
        enumeration("orientation", enumText<Qt::Orientation>("Qt", n.orientation));
        boolean("childrenCollapsible", n.childrenCollapsible);
    } else if (c == "QFrame") {
        enumeration("frameShape", enumText<QFrame::Shape>("QFrame", n.frameShape));
        enumeration("frameShadow", enumText<QFrame::Shadow>("QFrame", n.frameShadow));
        number("lineWidth", n.lineWidth);
    }
}

void cWidgetFormUiWriter::layout(const tLayoutNode &n)
{
    mXml.writeStartElement(QStringLiteral("layout"));
    mXml.writeAttribute(QStringLiteral("class"), QString::fromLatin1(n.className));
    mXml.writeAttribute(QStringLiteral("name"), n.name);
    const bool grid = n.className == "QGridLayout", form = n.className == "QFormLayout";
    QList<int> stretches;
    for (const auto &item : n.items)
        stretches << item.stretch;
    if (anyNonZero(stretches))
        mXml.writeAttribute(QStringLiteral("stretch"), numbers(stretches));
    if (anyNonZero(n.rowStretch))
        mXml.writeAttribute(QStringLiteral("rowstretch"), numbers(n.rowStretch));
    if (anyNonZero(n.columnStretch))
        mXml.writeAttribute(QStringLiteral("columnstretch"), numbers(n.columnStretch));
    if (form)
        enumeration("labelAlignment", alignmentText(n.labelAlignment), true);
    number("spacing", n.spacing);
    number("leftMargin", n.margins.left());
    number("topMargin", n.margins.top());
    number("rightMargin", n.margins.right());
    number("bottomMargin", n.margins.bottom());
    for (const auto &item : n.items) {
        mXml.writeStartElement(QStringLiteral("item"));
        if (grid || form) {
            mXml.writeAttribute(QStringLiteral("row"), QString::number(item.row));
            mXml.writeAttribute(QStringLiteral("column"), QString::number(item.column));
        }
        if (grid && item.rowSpan != 1)
            mXml.writeAttribute(QStringLiteral("rowspan"), QString::number(item.rowSpan));
        if ((grid || form) && item.columnSpan != 1)
            mXml.writeAttribute(QStringLiteral("colspan"), QString::number(item.columnSpan));
        if (item.widget) {
            widget(*item.widget);
        } else if (item.layout) {
            layout(*item.layout);
        } else {
            mXml.writeStartElement(QStringLiteral("spacer"));
            mXml.writeAttribute(QStringLiteral("name"),
                                QStringLiteral("spacer%1").arg(++mSpacers));
            enumeration("orientation", item.horizontalSpacer ? QStringLiteral("Qt::Horizontal")
                                                             : QStringLiteral("Qt::Vertical"));
            mXml.writeStartElement(QStringLiteral("property"));
            mXml.writeAttribute(QStringLiteral("name"), QStringLiteral("sizeHint"));
            mXml.writeAttribute(QStringLiteral("stdset"), QStringLiteral("0"));
            mXml.writeStartElement(QStringLiteral("size"));
            mXml.writeTextElement(QStringLiteral("width"), QString::number(item.spacer.width()));
            mXml.writeTextElement(QStringLiteral("height"),
                                  QString::number(item.spacer.height()));
            mXml.writeEndElement();
            mXml.writeEndElement();
            mXml.writeEndElement();
        }
        mXml.writeEndElement();
    }
    mXml.writeEndElement();
}
