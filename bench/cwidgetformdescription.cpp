#include "cwidgetformdescription.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaEnum>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QXmlStreamWriter>

namespace {
using tWidgetNode = cWidgetFormDescription::tWidgetNode;
using tLayoutNode = cWidgetFormDescription::tLayoutNode;

const char *const kKnownClasses[] = {"QLabel",    "QPushButton",  "QCheckBox", "QLineEdit",
                                     "QSpinBox",  "QComboBox",    "QProgressBar",
                                     "QGroupBox", "QTabWidget",   "QWidget"};

// The nearest Qt class of `widget` that the description knows (a subclass counts as its base).
QByteArray knownClass(const QWidget &widget)
{
    for (const QMetaObject *m = widget.metaObject(); m; m = m->superClass())
        for (const char *known : kKnownClasses)
            if (qstrcmp(m->className(), known) == 0)
                return known;
    return "QWidget";
}

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

// Writes the typed properties of the Designer format.
class cUiWriter
{
public:
    explicit cUiWriter(QByteArray &out) : mXml(&out) {}
    QXmlStreamWriter &xml() { return mXml; }

    void begin(const char *name, const char *type = nullptr)
    {
        mXml.writeStartElement(QStringLiteral("property"));
        mXml.writeAttribute(QStringLiteral("name"), QString::fromLatin1(name));
        if (type)
            mXml.writeStartElement(QString::fromLatin1(type));
    }
    void end(bool typed = true)
    {
        if (typed)
            mXml.writeEndElement();
        mXml.writeEndElement();
    }
    void string(const char *name, const QString &value)
    {
        begin(name, "string");
        mXml.writeCharacters(value);
        end();
    }
    void number(const char *name, int value)
    {
        begin(name, "number");
        mXml.writeCharacters(QString::number(value));
        end();
    }
    void boolean(const char *name, bool value)
    {
        begin(name, "bool");
        mXml.writeCharacters(value ? QStringLiteral("true") : QStringLiteral("false"));
        end();
    }
    void enumeration(const char *name, const QString &value, bool isSet = false)
    {
        begin(name, isSet ? "set" : "enum");
        mXml.writeCharacters(value);
        end();
    }
    void size(const char *name, QSize value)
    {
        begin(name, "size");
        mXml.writeTextElement(QStringLiteral("width"), QString::number(value.width()));
        mXml.writeTextElement(QStringLiteral("height"), QString::number(value.height()));
        end();
    }
    void font(const QFont &value)
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
    void sizePolicy(const QSizePolicy &value)
    {
        begin("sizePolicy", "sizepolicy");
        const QMetaEnum policy = QMetaEnum::fromType<QSizePolicy::Policy>();
        mXml.writeAttribute(QStringLiteral("hsizetype"),
                            QString::fromLatin1(policy.valueToKey(value.horizontalPolicy())));
        mXml.writeAttribute(QStringLiteral("vsizetype"),
                            QString::fromLatin1(policy.valueToKey(value.verticalPolicy())));
        mXml.writeTextElement(QStringLiteral("horstretch"),
                              QString::number(value.horizontalStretch()));
        mXml.writeTextElement(QStringLiteral("verstretch"),
                              QString::number(value.verticalStretch()));
        end();
    }

    void widget(const tWidgetNode &node);
    void layout(const tLayoutNode &node);

private:
    QXmlStreamWriter mXml;
};

void cUiWriter::widget(const tWidgetNode &n)
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
    const QByteArray &c = n.className;
    if (c == "QLabel") {
        string("text", n.text);
        enumeration("alignment", alignmentText(n.alignment), true);
        boolean("wordWrap", n.wordWrap);
    } else if (c == "QPushButton" || c == "QCheckBox") {
        string("text", n.text);
        boolean("checkable", n.checkable);
        boolean("checked", n.checked);
    } else if (c == "QLineEdit") {
        string("text", n.text);
        enumeration("echoMode", enumText<QLineEdit::EchoMode>("QLineEdit", n.echoMode));
        number("maxLength", n.maxLength);
        boolean("readOnly", n.readOnly);
    } else if (c == "QSpinBox") {
        number("minimum", n.minimum);
        number("maximum", n.maximum);
        number("singleStep", n.singleStep);
        string("suffix", n.suffix);
        number("value", n.value);
    } else if (c == "QComboBox") {
        for (const QString &item : n.items) {
            mXml.writeStartElement(QStringLiteral("item"));
            string("text", item);
            mXml.writeEndElement();
        }
        number("currentIndex", n.currentIndex);
    } else if (c == "QProgressBar") {
        number("minimum", n.minimum);
        number("maximum", n.maximum);
        number("value", n.value);
        boolean("textVisible", n.textVisible);
        enumeration("orientation", enumText<Qt::Orientation>("Qt", n.orientation));
    } else if (c == "QGroupBox") {
        string("title", n.title);
    } else if (c == "QTabWidget") {
        enumeration("tabPosition",
                    enumText<QTabWidget::TabPosition>("QTabWidget", n.tabPosition));
        for (const auto &page : n.pages) {
            // A page is written like a widget with its tab title as attribute.
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
        number("currentIndex", n.currentIndex);
    }
    if (n.hidden)
        boolean("visible", false);
    if (n.layout)
        layout(*n.layout);
    mXml.writeEndElement();
}

void cUiWriter::layout(const tLayoutNode &n)
{
    mXml.writeStartElement(QStringLiteral("layout"));
    mXml.writeAttribute(QStringLiteral("class"), QString::fromLatin1(n.className));
    mXml.writeAttribute(QStringLiteral("name"), n.name);
    QStringList stretches;
    bool stretched = false;
    for (const auto &item : n.items) {
        stretches << QString::number(item.stretch);
        stretched = stretched || item.stretch != 0;
    }
    if (stretched)
        mXml.writeAttribute(QStringLiteral("stretch"), stretches.join(QLatin1Char(',')));
    number("spacing", n.spacing);
    number("leftMargin", n.margins.left());
    number("topMargin", n.margins.top());
    number("rightMargin", n.margins.right());
    number("bottomMargin", n.margins.bottom());
    for (const auto &item : n.items) {
        mXml.writeStartElement(QStringLiteral("item"));
        if (item.widget)
            widget(*item.widget);
        else
            layout(*item.layout);
        mXml.writeEndElement();
    }
    mXml.writeEndElement();
}

// Builds a described widget tree with the widgets' own setters.
class cDirectBuilder
{
public:
    QWidget *widget(const tWidgetNode &n, QWidget *parent);

private:
    QWidget *create(const tWidgetNode &n, QWidget *parent);
    void fill(QBoxLayout &layout, const tLayoutNode &n, QWidget *owner);
    static QBoxLayout *newLayout(const tLayoutNode &n, QWidget *owner);
};

QWidget *cDirectBuilder::create(const tWidgetNode &n, QWidget *parent)
{
    const QByteArray &c = n.className;
    if (c == "QLabel") {
        auto *w = new QLabel(parent);
        w->setText(n.text);
        w->setAlignment(Qt::Alignment(n.alignment));
        w->setWordWrap(n.wordWrap);
        return w;
    }
    if (c == "QPushButton" || c == "QCheckBox") {
        QAbstractButton *w = c == "QPushButton" ? static_cast<QAbstractButton *>(
                                                      new QPushButton(parent))
                                                : new QCheckBox(parent);
        w->setText(n.text);
        w->setCheckable(n.checkable);
        w->setChecked(n.checked);
        return w;
    }
    if (c == "QLineEdit") {
        auto *w = new QLineEdit(parent);
        w->setText(n.text);
        w->setEchoMode(QLineEdit::EchoMode(n.echoMode));
        w->setMaxLength(n.maxLength);
        w->setReadOnly(n.readOnly);
        return w;
    }
    if (c == "QSpinBox") {
        auto *w = new QSpinBox(parent);
        w->setRange(n.minimum, n.maximum);
        w->setSingleStep(n.singleStep);
        w->setSuffix(n.suffix);
        w->setValue(n.value);
        return w;
    }
    if (c == "QComboBox") {
        auto *w = new QComboBox(parent);
        w->addItems(n.items);
        w->setCurrentIndex(n.currentIndex);
        return w;
    }
    if (c == "QProgressBar") {
        auto *w = new QProgressBar(parent);
        w->setRange(n.minimum, n.maximum);
        w->setValue(n.value);
        w->setTextVisible(n.textVisible);
        w->setOrientation(Qt::Orientation(n.orientation));
        return w;
    }
    if (c == "QGroupBox") {
        auto *w = new QGroupBox(parent);
        w->setTitle(n.title);
        return w;
    }
    if (c == "QTabWidget") {
        auto *w = new QTabWidget(parent);
        w->setTabPosition(QTabWidget::TabPosition(n.tabPosition));
        for (const auto &page : n.pages) {
            auto *p = new QWidget(w);
            p->setObjectName(page->name);
            if (page->layout)
                fill(*newLayout(*page->layout, p), *page->layout, p);
            w->addTab(p, page->title);
        }
        w->setCurrentIndex(n.currentIndex);
        return w;
    }
    return new QWidget(parent);
}

QWidget *cDirectBuilder::widget(const tWidgetNode &n, QWidget *parent)
{
    QWidget *w = create(n, parent);
    w->setObjectName(n.name);
    if (!n.windowTitle.isEmpty())
        w->setWindowTitle(n.windowTitle);
    if (n.disabled)
        w->setEnabled(false);
    w->setSizePolicy(n.sizePolicy);
    if (!n.minimumSize.isNull())
        w->setMinimumSize(n.minimumSize);
    if (n.maximumSize != QSize(16777215, 16777215))
        w->setMaximumSize(n.maximumSize);
    if (n.hasFont)
        w->setFont(n.font);
    if (!n.toolTip.isEmpty())
        w->setToolTip(n.toolTip);
    if (n.hidden)
        w->setVisible(false);
    if (n.layout)
        fill(*newLayout(*n.layout, w), *n.layout, w);
    return w;
}

QBoxLayout *cDirectBuilder::newLayout(const tLayoutNode &n, QWidget *owner)
{
    QBoxLayout *layout = n.className == "QHBoxLayout" ? static_cast<QBoxLayout *>(
                                                            new QHBoxLayout(owner))
                                                      : new QVBoxLayout(owner);
    return layout;
}

void cDirectBuilder::fill(QBoxLayout &layout, const tLayoutNode &n, QWidget *owner)
{
    layout.setObjectName(n.name);
    layout.setSpacing(n.spacing);
    layout.setContentsMargins(n.margins);
    for (const auto &item : n.items) {
        if (item.widget) {
            layout.addWidget(widget(*item.widget, owner), item.stretch);
        } else {
            QBoxLayout *inner = newLayout(*item.layout, nullptr);
            layout.addLayout(inner, item.stretch);
            fill(*inner, *item.layout, owner);
        }
    }
}
} // namespace

cWidgetFormDescription::cWidgetFormDescription(const QWidget &form)
{
    mRoot = takeWidget(form);
    mRoot->windowTitle = form.windowTitle();
}

cWidgetFormDescription::~cWidgetFormDescription() = default;

std::unique_ptr<tWidgetNode> cWidgetFormDescription::takeWidget(const QWidget &w)
{
    ++mWidgets;
    auto n = std::make_unique<tWidgetNode>();
    n->className = knownClass(w);
    n->name = w.objectName();
    n->toolTip = w.toolTip();
    n->disabled = w.testAttribute(Qt::WA_ForceDisabled);
    n->hidden = w.isHidden() && w.testAttribute(Qt::WA_WState_ExplicitShowHide);
    n->hasFont = w.testAttribute(Qt::WA_SetFont);
    n->font = w.font();
    n->sizePolicy = w.sizePolicy();
    n->minimumSize = w.minimumSize();
    n->maximumSize = w.maximumSize();
    if (auto *l = qobject_cast<const QLabel *>(&w)) {
        n->text = l->text();
        n->alignment = int(l->alignment());
        n->wordWrap = l->wordWrap();
    } else if (auto *b = qobject_cast<const QAbstractButton *>(&w)) {
        n->text = b->text();
        n->checkable = b->isCheckable();
        n->checked = b->isChecked();
    } else if (auto *e = qobject_cast<const QLineEdit *>(&w)) {
        n->text = e->text();
        n->echoMode = e->echoMode();
        n->maxLength = e->maxLength();
        n->readOnly = e->isReadOnly();
    } else if (auto *s = qobject_cast<const QSpinBox *>(&w)) {
        n->minimum = s->minimum();
        n->maximum = s->maximum();
        n->singleStep = s->singleStep();
        n->suffix = s->suffix();
        n->value = s->value();
    } else if (auto *c = qobject_cast<const QComboBox *>(&w)) {
        for (int i = 0; i < c->count(); ++i)
            n->items << c->itemText(i);
        n->currentIndex = c->currentIndex();
    } else if (auto *p = qobject_cast<const QProgressBar *>(&w)) {
        n->minimum = p->minimum();
        n->maximum = p->maximum();
        n->value = p->value();
        n->textVisible = p->isTextVisible();
        n->orientation = p->orientation();
    } else if (auto *g = qobject_cast<const QGroupBox *>(&w)) {
        n->title = g->title();
    } else if (auto *t = qobject_cast<const QTabWidget *>(&w)) {
        n->tabPosition = t->tabPosition();
        n->currentIndex = t->currentIndex();
        for (int i = 0; i < t->count(); ++i) {
            std::unique_ptr<tWidgetNode> page = takeWidget(*t->widget(i));
            page->title = t->tabText(i);
            page->hidden = false;
            n->pages.push_back(std::move(page));
        }
    }
    if (w.layout() && !qobject_cast<const QTabWidget *>(&w))
        n->layout = takeLayout(*w.layout());
    return n;
}

std::unique_ptr<tLayoutNode> cWidgetFormDescription::takeLayout(const QLayout &l)
{
    ++mLayouts;
    auto n = std::make_unique<tLayoutNode>();
    const auto *box = qobject_cast<const QBoxLayout *>(&l);
    const bool horizontal = box && (box->direction() == QBoxLayout::LeftToRight
                                    || box->direction() == QBoxLayout::RightToLeft);
    n->className = horizontal ? "QHBoxLayout" : "QVBoxLayout";
    n->name = l.objectName();
    n->spacing = l.spacing();
    n->margins = l.contentsMargins();
    for (int i = 0; i < l.count(); ++i) {
        QLayoutItem *item = l.itemAt(i);
        tLayoutNode::tItemPair entry;
        entry.stretch = box ? box->stretch(i) : 0;
        if (item->widget())
            entry.widget = takeWidget(*item->widget());
        else if (item->layout())
            entry.layout = takeLayout(*item->layout());
        else
            continue;
        n->items.push_back(std::move(entry));
    }
    return n;
}

QByteArray cWidgetFormDescription::uiDocument() const
{
    QByteArray out;
    cUiWriter writer(out);
    QXmlStreamWriter &xml = writer.xml();
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("ui"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("4.0"));
    xml.writeTextElement(QStringLiteral("class"), QStringLiteral("Form"));
    writer.widget(*mRoot);
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

QWidget *cWidgetFormDescription::build(QWidget *parent) const
{
    return cDirectBuilder().widget(*mRoot, parent);
}
