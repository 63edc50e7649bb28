#include "cwidgetformbuilder.h"

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
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

using tWidgetNode = cWidgetFormDescription::tWidgetNode;
using tLayoutNode = cWidgetFormDescription::tLayoutNode;

QWidget *cWidgetFormBuilder::create(const tWidgetNode &n, QWidget *parent)
{
    const QByteArray &c = n.className;
    if (c == "QLabel") {
        auto *w = new QLabel(parent);
        w->setText(n.text);
        w->setAlignment(Qt::Alignment(n.alignment));
        w->setWordWrap(n.wordWrap);
        return w;
    }
    if (c == "QPushButton" || c == "QCheckBox" || c == "QRadioButton") {
        QAbstractButton *w = nullptr;
        if (c == "QPushButton")
            w = new QPushButton(parent);
        else if (c == "QCheckBox")
            w = new QCheckBox(parent);
        else
            w = new QRadioButton(parent);
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
    if (c == "QTextEdit") {
        auto *w = new QTextEdit(parent);
        w->setAcceptRichText(n.richText);
        if (n.richText)
            w->setHtml(n.text);
        else
            w->setPlainText(n.text);
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
    if (c == "QDoubleSpinBox") {
        auto *w = new QDoubleSpinBox(parent);
        w->setDecimals(n.decimals);
        w->setRange(n.realMinimum, n.realMaximum);
        w->setSingleStep(n.realStep);
        w->setPrefix(n.prefix);
        w->setSuffix(n.suffix);
        w->setValue(n.realValue);
        return w;
    }
    if (c == "QDateEdit" || c == "QTimeEdit" || c == "QDateTimeEdit") {
        QDateTimeEdit *w = nullptr;
        if (c == "QDateEdit")
            w = new QDateEdit(parent);
        else if (c == "QTimeEdit")
            w = new QTimeEdit(parent);
        else
            w = new QDateTimeEdit(parent);
        w->setDisplayFormat(n.displayFormat);
        w->setCalendarPopup(n.calendarPopup);
        w->setDateTimeRange(n.minimumDateTime, n.maximumDateTime);
        w->setDateTime(n.dateTime);
        return w;
    }
    if (c == "QComboBox") {
        auto *w = new QComboBox(parent);
        w->addItems(n.items);
        w->setCurrentIndex(n.currentIndex);
        return w;
    }
    if (c == "QListWidget") {
        auto *w = new QListWidget(parent);
        w->addItems(n.items);
        w->setCurrentRow(n.currentIndex);
        return w;
    }
    if (c == "QSlider" || c == "QDial") {
        QAbstractSlider *w = nullptr;
        if (c == "QSlider")
            w = new QSlider(parent);
        else
            w = new QDial(parent);
        w->setRange(n.minimum, n.maximum);
        w->setSingleStep(n.singleStep);
        w->setPageStep(n.pageStep);
        w->setValue(n.value);
        w->setOrientation(Qt::Orientation(n.orientation));
        // Behind the value, as the document has it: a wrapping dial of one value divides by 0.
        if (auto *slider = qobject_cast<QSlider *>(w)) {
            slider->setTickPosition(QSlider::TickPosition(n.tickPosition));
        } else if (auto *dial = qobject_cast<QDial *>(w)) {
            dial->setWrapping(n.wrapping);
            dial->setNotchesVisible(n.notchesVisible);
        }
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
    if (c == "QDialogButtonBox") {
        auto *w = new QDialogButtonBox(parent);
        w->setOrientation(Qt::Orientation(n.orientation));
        w->setStandardButtons(QDialogButtonBox::StandardButtons(n.standardButtons));
        return w;
    }
    if (c == "QGroupBox") {
        auto *w = new QGroupBox(parent);
        w->setTitle(n.title);
        return w;
    }
    if (c == "QFrame") {
        auto *w = new QFrame(parent);
        w->setFrameShape(QFrame::Shape(n.frameShape));
        w->setFrameShadow(QFrame::Shadow(n.frameShadow));
        w->setLineWidth(n.lineWidth);
        return w;
    }
    if (QWidget *w = createHolder(n, parent))
        return w;
    return new QWidget(parent);
}

QWidget *cWidgetFormBuilder::createHolder(const tWidgetNode &n, QWidget *parent)
{
    const QByteArray &c = n.className;
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
    if (c == "QStackedWidget") {
        auto *w = new QStackedWidget(parent);
        for (const auto &page : n.pages)
            w->addWidget(widget(*page, w));
        w->setCurrentIndex(n.currentIndex);
        return w;
    }
    if (c == "QSplitter") {
        auto *w = new QSplitter(parent);
        w->setOrientation(Qt::Orientation(n.orientation));
        w->setChildrenCollapsible(n.childrenCollapsible);
        for (const auto &child : n.pages)
            w->addWidget(widget(*child, w));
        if (!n.sizes.isEmpty())
            w->setSizes(n.sizes);
        return w;
    }
    if (c == "QScrollArea") {
        auto *w = new QScrollArea(parent);
        w->setWidgetResizable(n.widgetResizable);
        w->setHorizontalScrollBarPolicy(Qt::ScrollBarPolicy(n.horizontalScrollBar));
        w->setVerticalScrollBarPolicy(Qt::ScrollBarPolicy(n.verticalScrollBar));
        if (!n.pages.empty())
            w->setWidget(widget(*n.pages.front(), w));
        return w;
    }
    return nullptr;
}

QWidget *cWidgetFormBuilder::widget(const tWidgetNode &n, QWidget *parent)
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

QLayout *cWidgetFormBuilder::newLayout(const tLayoutNode &n, QWidget *owner)
{
    const QByteArray &c = n.className;
    if (c == "QGridLayout")
        return new QGridLayout(owner);
    if (c == "QFormLayout")
        return new QFormLayout(owner);
    if (c == "QHBoxLayout")
        return new QHBoxLayout(owner);
    return new QVBoxLayout(owner);
}

void cWidgetFormBuilder::fill(QLayout &layout, const tLayoutNode &n, QWidget *owner)
{
    layout.setObjectName(n.name);
    layout.setSpacing(n.spacing);
    layout.setContentsMargins(n.margins);
    auto *box = qobject_cast<QBoxLayout *>(&layout);
    auto *grid = qobject_cast<QGridLayout *>(&layout);
    auto *form = qobject_cast<QFormLayout *>(&layout);
    if (form)
        form->setLabelAlignment(Qt::Alignment(n.labelAlignment));
    for (const auto &item : n.items) {
        QWidget *w = nullptr;
        QLayout *inner = nullptr;
        QLayoutItem *spacer = nullptr;
        if (item.widget) {
            w = widget(*item.widget, owner);
        } else if (item.layout) {
            inner = newLayout(*item.layout, nullptr);
        } else {
            const QSizePolicy::Policy expanding = QSizePolicy::Expanding;
            const QSizePolicy::Policy least = QSizePolicy::Minimum;
            spacer = new QSpacerItem(item.spacer.width(), item.spacer.height(),
                                     item.horizontalSpacer ? expanding : least,
                                     item.horizontalSpacer ? least : expanding);
        }
        if (grid) {
            const int r = item.row, c = item.column, rs = item.rowSpan, cs = item.columnSpan;
            if (w)
                grid->addWidget(w, r, c, rs, cs);
            else if (inner)
                grid->addLayout(inner, r, c, rs, cs);
            else
                grid->addItem(spacer, r, c, rs, cs);
        } else if (form) {
            const QFormLayout::ItemRole role = item.columnSpan == 2 ? QFormLayout::SpanningRole
                                               : item.column == 1   ? QFormLayout::FieldRole
                                                                    : QFormLayout::LabelRole;
            if (w)
                form->setWidget(item.row, role, w);
            else if (inner)
                form->setLayout(item.row, role, inner);
            else
                form->setItem(item.row, role, spacer);
        } else if (box) {
            if (w)
                box->addWidget(w, item.stretch);
            else if (inner)
                box->addLayout(inner, item.stretch);
            else
                box->addItem(spacer);
        }
        if (inner)
            fill(*inner, *item.layout, owner);
    }
    if (grid) {
        for (int r = 0; r < n.rowStretch.size(); ++r)
            grid->setRowStretch(r, n.rowStretch[r]);
        for (int c = 0; c < n.columnStretch.size(); ++c)
            grid->setColumnStretch(c, n.columnStretch[c]);
    }
}
