#include "cwidgetformdescription.h"

#include "cwidgetformbuilder.h"
#include "cwidgetformuiwriter.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDial>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

namespace {
using tWidgetNode = cWidgetFormDescription::tWidgetNode;
using tLayoutNode = cWidgetFormDescription::tLayoutNode;

// Most derived first where one derives from another (a label is a frame).
const char *const kKnownClasses[] = {
    "QLabel",        "QPushButton",   "QCheckBox",        "QRadioButton",  "QLineEdit",
    "QTextEdit",     "QSpinBox",      "QDoubleSpinBox",   "QDateEdit",     "QTimeEdit",
    "QDateTimeEdit", "QComboBox",     "QListWidget",      "QSlider",       "QDial",
    "QProgressBar",  "QGroupBox",     "QDialogButtonBox", "QTabWidget",    "QStackedWidget",
    "QScrollArea",   "QSplitter",     "QFrame",           "QWidget"};

// The nearest Qt class of `widget` that the description knows (a subclass counts as its base).
QByteArray knownClass(const QWidget &widget)
{
    for (const QMetaObject *m = widget.metaObject(); m; m = m->superClass())
        for (const char *known : kKnownClasses)
            if (qstrcmp(m->className(), known) == 0)
                return known;
    return "QWidget";
}

// The classes whose layout is the form's; the others keep their own inside (a button box's,
// a stacked widget's), or hold their children in pages.
bool holdsLayout(const QByteArray &className)
{
    return className == "QWidget" || className == "QFrame" || className == "QGroupBox";
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
    takeValues(w, *n);
    if (auto *t = qobject_cast<const QTabWidget *>(&w)) {
        for (int i = 0; i < t->count(); ++i) {
            n->pages.push_back(takeWidget(*t->widget(i)));
            n->pages.back()->title = t->tabText(i);
            n->pages.back()->hidden = false;
        }
    } else if (auto *s = qobject_cast<const QStackedWidget *>(&w)) {
        for (int i = 0; i < s->count(); ++i) {
            n->pages.push_back(takeWidget(*s->widget(i)));
            n->pages.back()->hidden = false;
        }
    } else if (auto *a = qobject_cast<const QScrollArea *>(&w)) {
        if (a->widget())
            n->pages.push_back(takeWidget(*a->widget()));
    } else if (auto *s = qobject_cast<const QSplitter *>(&w)) {
        for (int i = 0; i < s->count(); ++i)
            n->pages.push_back(takeWidget(*s->widget(i)));
    }
    if (w.layout() && holdsLayout(n->className))
        n->layout = takeLayout(*w.layout());
    return n;
}

void cWidgetFormDescription::takeValues(const QWidget &w, tWidgetNode &n)
{
    if (auto *l = qobject_cast<const QLabel *>(&w)) {
        n.text = l->text();
        n.alignment = int(l->alignment());
        n.wordWrap = l->wordWrap();
    } else if (auto *b = qobject_cast<const QAbstractButton *>(&w)) {
        n.text = b->text();
        n.checkable = b->isCheckable();
        n.checked = b->isChecked();
    } else if (auto *e = qobject_cast<const QLineEdit *>(&w)) {
        n.text = e->text();
        n.echoMode = e->echoMode();
        n.maxLength = e->maxLength();
        n.readOnly = e->isReadOnly();
    } else if (auto *t = qobject_cast<const QTextEdit *>(&w)) {
        n.richText = t->acceptRichText();
        n.text = t->toPlainText();
        n.readOnly = t->isReadOnly();
    } else if (auto *s = qobject_cast<const QSpinBox *>(&w)) {
        n.minimum = s->minimum();
        n.maximum = s->maximum();
        n.singleStep = s->singleStep();
        n.suffix = s->suffix();
        n.value = s->value();
    } else if (auto *d = qobject_cast<const QDoubleSpinBox *>(&w)) {
        n.decimals = d->decimals();
        n.realMinimum = d->minimum();
        n.realMaximum = d->maximum();
        n.realStep = d->singleStep();
        n.prefix = d->prefix();
        n.suffix = d->suffix();
        n.realValue = d->value();
    } else if (auto *m = qobject_cast<const QDateTimeEdit *>(&w)) {
        n.displayFormat = m->displayFormat();
        n.calendarPopup = m->calendarPopup();
        n.minimumDateTime = m->minimumDateTime();
        n.maximumDateTime = m->maximumDateTime();
        n.dateTime = m->dateTime();
    } else if (auto *c = qobject_cast<const QComboBox *>(&w)) {
        for (int i = 0; i < c->count(); ++i)
            n.items << c->itemText(i);
        n.currentIndex = c->currentIndex();
    } else if (auto *l = qobject_cast<const QListWidget *>(&w)) {
        for (int i = 0; i < l->count(); ++i)
            n.items << l->item(i)->text();
        n.currentIndex = l->currentRow();
    } else if (auto *s = qobject_cast<const QAbstractSlider *>(&w)) {
        n.minimum = s->minimum();
        n.maximum = s->maximum();
        n.singleStep = s->singleStep();
        n.pageStep = s->pageStep();
        n.value = s->value();
        n.orientation = s->orientation();
        if (auto *slider = qobject_cast<const QSlider *>(&w))
            n.tickPosition = slider->tickPosition();
        if (auto *dial = qobject_cast<const QDial *>(&w)) {
            n.wrapping = dial->wrapping();
            n.notchesVisible = dial->notchesVisible();
        }
    } else if (auto *p = qobject_cast<const QProgressBar *>(&w)) {
        n.minimum = p->minimum();
        n.maximum = p->maximum();
        n.value = p->value();
        n.textVisible = p->isTextVisible();
        n.orientation = p->orientation();
    } else if (auto *b = qobject_cast<const QDialogButtonBox *>(&w)) {
        n.standardButtons = int(b->standardButtons());
        n.orientation = b->orientation();
    } else if (auto *g = qobject_cast<const QGroupBox *>(&w)) {
        n.title = g->title();
    } else if (auto *t = qobject_cast<const QTabWidget *>(&w)) {
        n.tabPosition = t->tabPosition();
        n.currentIndex = t->currentIndex();
    } else if (auto *s = qobject_cast<const QStackedWidget *>(&w)) {
        n.currentIndex = s->currentIndex();
    } else if (auto *a = qobject_cast<const QScrollArea *>(&w)) {
        n.widgetResizable = a->widgetResizable();
        n.horizontalScrollBar = a->horizontalScrollBarPolicy();
        n.verticalScrollBar = a->verticalScrollBarPolicy();
    } else if (auto *s = qobject_cast<const QSplitter *>(&w)) {
        n.orientation = s->orientation();
        n.childrenCollapsible = s->childrenCollapsible();
        // Designer's format keeps no sizes, but the code building the same form sets them as
        // the preview does (the generated form gives every splitter its sizes).
        n.sizes = s->sizes();
    } else if (auto *f = qobject_cast<const QFrame *>(&w)) {
        n.frameShape = f->frameShape();
        n.frameShadow = f->frameShadow();
        n.lineWidth = f->lineWidth();
    }
}

std::unique_ptr<tLayoutNode> cWidgetFormDescription::takeLayout(const QLayout &l)
{
    ++mLayouts;
    auto n = std::make_unique<tLayoutNode>();
    const auto *box = qobject_cast<const QBoxLayout *>(&l);
    const auto *grid = qobject_cast<const QGridLayout *>(&l);
    const auto *form = qobject_cast<const QFormLayout *>(&l);
    const bool horizontal = box && (box->direction() == QBoxLayout::LeftToRight
                                    || box->direction() == QBoxLayout::RightToLeft);
    n->className = grid ? "QGridLayout" : form ? "QFormLayout"
                                        : horizontal ? "QHBoxLayout" : "QVBoxLayout";
    n->name = l.objectName();
    n->spacing = l.spacing();
    n->margins = l.contentsMargins();
    if (grid) {
        for (int r = 0; r < grid->rowCount(); ++r)
            n->rowStretch << grid->rowStretch(r);
        for (int c = 0; c < grid->columnCount(); ++c)
            n->columnStretch << grid->columnStretch(c);
    }
    if (form)
        n->labelAlignment = int(form->labelAlignment());
    for (int i = 0; i < l.count(); ++i) {
        QLayoutItem *item = l.itemAt(i);
        tLayoutNode::tItemPair entry;
        entry.stretch = box ? box->stretch(i) : 0;
        if (grid)
            grid->getItemPosition(i, &entry.row, &entry.column, &entry.rowSpan,
                                  &entry.columnSpan);
        if (form) {
            QFormLayout::ItemRole role = QFormLayout::LabelRole;
            form->getItemPosition(i, &entry.row, &role);
            entry.column = role == QFormLayout::FieldRole ? 1 : 0;
            entry.columnSpan = role == QFormLayout::SpanningRole ? 2 : 1;
        }
        if (item->widget()) {
            entry.widget = takeWidget(*item->widget());
        } else if (item->layout()) {
            entry.layout = takeLayout(*item->layout());
        } else if (QSpacerItem *spacer = item->spacerItem()) {
            entry.spacer = spacer->sizeHint();
            entry.horizontalSpacer = spacer->sizePolicy().horizontalPolicy()
                                     & QSizePolicy::ExpandFlag;
        } else {
            continue;
        }
        n->items.push_back(std::move(entry));
    }
    return n;
}

QByteArray cWidgetFormDescription::uiDocument() const
{
    return cWidgetFormUiWriter::document(*mRoot);
}

QWidget *cWidgetFormDescription::build(QWidget *parent) const
{
    return cWidgetFormBuilder().widget(*mRoot, parent);
}
