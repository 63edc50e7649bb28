#include "cqpwabstractitem.h"

#include "cqpwicons.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"

#include "vellcore/cwork.h"
#include "vellmva2/cdviabstractproperty.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

#include <algorithm>

cQPWAbstractItem::cQPWAbstractItem(cQVEConnectorTreeWidget *owner,
                                   vmva::cDVIAbstractProperty *property)
    : QStackedWidget(owner), mpOwner(owner), mpProperty(property)
{
    // Page 0 is the label itself: one widget per display page keeps a table fill cheap.
    mpDisplayLabel = new QLabel(this);
    mpDisplayLabel->setObjectName(QStringLiteral("mpDisplayLabel"));
    mpDisplayLabel->setContentsMargins(2, 0, 2, 0);
    if (property)
        mpDisplayLabel->setToolTip(qstr(property->help()));
    addWidget(mpDisplayLabel);
}

cQPWAbstractItem::~cQPWAbstractItem() = default;

piVoid cQPWAbstractItem::closeEditor()
{
    setCurrentIndex(0);
    return piVoid();
}

void cQPWAbstractItem::passHistoryKeys(QLineEdit &field)
{
    field.installEventFilter(this);
}

bool cQPWAbstractItem::eventFilter(QObject *watched, QEvent *event)
{
    // A line edit takes both keys for itself even with nothing to undo; a shortcut override
    // left unaccepted lets the window's actions have them.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *field = qobject_cast<QLineEdit *>(watched);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (field && ((key->matches(QKeySequence::Undo) && !field->isUndoAvailable())
                      || (key->matches(QKeySequence::Redo) && !field->isRedoAvailable()))) {
            event->ignore();
            return true;
        }
    }
    return QStackedWidget::eventFilter(watched, event);
}

QSize cQPWAbstractItem::sizeHint() const
{
    static const int inputHeight = QComboBox().sizeHint().height();
    QSize hint = QStackedWidget::sizeHint();
    hint.setHeight(std::max(hint.height(), inputHeight));
    return hint;
}

void cQPWAbstractItem::detach()
{
    disconnectAll();
    mpOwner = nullptr;
    blockSignals(true);
    for (QObject *child : findChildren<QObject *>())
        child->blockSignals(true);
}

void cQPWAbstractItem::ensureEditPages()
{
    if (mPagesBuilt)
        return;
    mPagesBuilt = true;
    createEditPages();
    sltUpdateInfo();
}

void cQPWAbstractItem::mousePressEvent(QMouseEvent *event)
{
    if (!mpOwner)
        return;
    // Naming the property may reach the main window, which could refill the table.
    QPointer<cQPWAbstractItem> self(this);
    mpOwner->selectRowOf(*this);
    if (!self || !mpOwner)
        return;
    mpOwner->closeEditorsSignal.emitSignal();
    if (currentIndex() != 0) {
        QStackedWidget::mousePressEvent(event);
        return;
    }
    const bool first = !mPagesBuilt;
    ensureEditPages();
    openEditPage();
    // The column widths so far only knew the labels.
    if (first)
        mpOwner->adjustSizes();
}

void cQPWAbstractItem::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QStackedWidget::keyPressEvent(event);
}

void cQPWAbstractItem::openEditPage()
{
    setCurrentIndex(1);
}

QWidget *cQPWAbstractItem::addEditPage(std::initializer_list<QWidget *> widgets)
{
    auto *page = new QWidget(this);
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (QWidget *widget : widgets) {
        widget->setParent(page);
        layout->addWidget(widget);
    }
    addWidget(page);
    return page;
}

QPushButton *cQPWAbstractItem::createRevertButton(const QString &toolTip)
{
    auto *button = new QPushButton(this);
    button->setObjectName(QStringLiteral("mpBtRevert"));
    button->setFlat(true);
    button->setFixedSize(16, 16);
    button->setIcon(cqpwicons::revertIcon());
    button->setToolTip(toolTip);
    return button;
}

void cQPWAbstractItem::emitPropertyChanged()
{
    if (mpOwner)
        mpOwner->propertyChangedSignal.emitSignal();
}

void cQPWAbstractItem::closeLater(const char *label)
{
    vpi::schedule(vrmi::cDirectLocalSlotCall0<cQPWAbstractItem>(this,
                                                                &cQPWAbstractItem::closeEditor),
                  0, label);
}
