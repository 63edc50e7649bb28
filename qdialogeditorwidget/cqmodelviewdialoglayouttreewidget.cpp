#include "cqmodelviewdialoglayouttreewidget.h"

#include "cqmodelviewdialoglayouttreeitem.h"

#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace {
const int kActivationDelayMs = 200;
}

cQModelViewDialogLayoutTreeWidget::cQModelViewDialogLayoutTreeWidget(QWidget *parent)
    : QTreeWidget(parent),
      mDelayedActivation("Delayed cQVEConnectorTreeWidget select signal",
                         vrmi::cDirectLocalSlotCall0<cQModelViewDialogLayoutTreeWidget>(
                             this, &cQModelViewDialogLayoutTreeWidget::sltEmitDelayed))
{
    setObjectName(QStringLiteral("dialogLayoutTree"));
    setColumnCount(1);
    header()->hide();
    vpi::schedule(mDelayedActivation);
    connect(this, &QTreeWidget::currentItemChanged, this,
            &cQModelViewDialogLayoutTreeWidget::sltCurrentItemChanged);
    connect(this, &QTreeWidget::itemPressed, this,
            &cQModelViewDialogLayoutTreeWidget::sltItemSelected);
}

cQModelViewDialogLayoutTreeWidget::~cQModelViewDialogLayoutTreeWidget()
{
    // The rows go while the delayed work still exists: the base class would otherwise report
    // the current row's removal to this half-destroyed object.
    QSignalBlocker blocker(this);
    clear();
}

QString cQModelViewDialogLayoutTreeWidget::rowText(const cQAbstractDialogLayoutItem &item)
{
    QString text = qstr(item.displayName());
    const vstd::cAsciiString label = item.label();
    if (!label.empty())
        text += QStringLiteral(" (\"") + qstr(label) + QStringLiteral("\")");
    return text;
}

void cQModelViewDialogLayoutTreeWidget::fill(cQAbstractDialogLayoutItem *root,
                                             cQAbstractDialogLayoutItem *select)
{
    clear();
    if (!root)
        return;
    auto *top = new cQModelViewDialogLayoutTreeItem(this, root, qstr(root->displayName()));
    const bool found = fillChildren(top, *root, select);
    top->setExpanded(true);
    if (!select || !found)
        setCurrentItem(top);
    setFocus(Qt::OtherFocusReason);
}

bool cQModelViewDialogLayoutTreeWidget::fillChildren(QTreeWidgetItem *row,
                                                     cQAbstractDialogLayoutItem &item,
                                                     cQAbstractDialogLayoutItem *select)
{
    bool found = false;
    for (cQAbstractDialogLayoutItem *child : item.children()) {
        auto *childRow = new cQModelViewDialogLayoutTreeItem(row, child, rowText(*child));
        // A narrow dock cuts long labels off: the whole text is a tooltip away.
        childRow->setToolTip(0, childRow->text(0));
        found = fillChildren(childRow, *child, select) || found;
        childRow->setExpanded(true);
        if (child == select) {
            setCurrentItem(childRow);
            found = true;
        }
    }
    return found;
}

void cQModelViewDialogLayoutTreeWidget::refreshTexts()
{
    refreshTexts(*invisibleRootItem());
}

void cQModelViewDialogLayoutTreeWidget::refreshTexts(QTreeWidgetItem &row)
{
    if (cQAbstractDialogLayoutItem *item = cQModelViewDialogLayoutTreeItem::layoutItemOf(&row)) {
        row.setText(0, rowText(*item));
        row.setToolTip(0, row.text(0));
    }
    for (int i = 0; i < row.childCount(); ++i)
        refreshTexts(*row.child(i));
}

cQAbstractDialogLayoutItem *cQModelViewDialogLayoutTreeWidget::currentLayoutItem() const
{
    return cQModelViewDialogLayoutTreeItem::layoutItemOf(currentItem());
}

QTreeWidgetItem *cQModelViewDialogLayoutTreeWidget::rowOf(
    const cQAbstractDialogLayoutItem *item) const
{
    std::vector<const cQAbstractDialogLayoutItem *> chain;
    for (const cQAbstractDialogLayoutItem *at = item; at; at = at->parentOrNull())
        chain.insert(chain.begin(), at);
    QTreeWidgetItem *row = topLevelItem(0);
    if (chain.empty() || !row || cQModelViewDialogLayoutTreeItem::layoutItemOf(row) != chain[0])
        return nullptr;
    for (size_t i = 1; i < chain.size() && row; ++i) {
        QTreeWidgetItem *parentRow = row;
        row = nullptr;
        for (int c = 0; c < parentRow->childCount() && !row; ++c)
            if (cQModelViewDialogLayoutTreeItem::layoutItemOf(parentRow->child(c)) == chain[i])
                row = parentRow->child(c);
    }
    return row;
}

void cQModelViewDialogLayoutTreeWidget::setCurrentLayoutItem(
    const cQAbstractDialogLayoutItem *item)
{
    QTreeWidgetItem *row = rowOf(item);
    setCurrentItem(row ? row : topLevelItem(0));
}

bool cQModelViewDialogLayoutTreeWidget::insertRows(cQAbstractDialogLayoutItem &item)
{
    const cQAbstractDialogLayoutItem *parent = item.parentOrNull();
    QTreeWidgetItem *parentRow = parent ? rowOf(parent) : nullptr;
    if (!parentRow)
        return false;
    const auto &siblings = parent->children();
    const int index = int(std::find(siblings.begin(), siblings.end(), &item) - siblings.begin());
    if (index > parentRow->childCount())
        return false;
    auto *row = new cQModelViewDialogLayoutTreeItem(static_cast<QTreeWidget *>(nullptr), &item,
                                                    rowText(item));
    row->setToolTip(0, row->text(0));
    parentRow->insertChild(index, row);
    fillChildren(row, item, nullptr);
    row->setExpanded(true);
    return true;
}

bool cQModelViewDialogLayoutTreeWidget::removeRows(const cQAbstractDialogLayoutItem &item)
{
    QTreeWidgetItem *row = rowOf(&item);
    delete row;
    return row != nullptr;
}

void cQModelViewDialogLayoutTreeWidget::sltCurrentItemChanged(QTreeWidgetItem *current,
                                                              QTreeWidgetItem *)
{
    selectionMoved(current);
}

void cQModelViewDialogLayoutTreeWidget::sltItemSelected(QTreeWidgetItem *item, int)
{
    selectionMoved(item);
}

void cQModelViewDialogLayoutTreeWidget::selectionMoved(QTreeWidgetItem *item)
{
    if (!item)
        return;
    mDelayedActivation.start(kActivationDelayMs, 0);
    sigItemHovered.emitSignal(item);
}

piVoid cQModelViewDialogLayoutTreeWidget::sltEmitDelayed()
{
    sigItemActivated.emitSignal(currentItem());
    return piVoid();
}

void cQModelViewDialogLayoutTreeWidget::keyPressEvent(QKeyEvent *event)
{
    // The keyboard's ways to a context menu: the Menu key and Shift+F10.
    const bool menuKey = event->key() == Qt::Key_Menu
                         || (event->key() == Qt::Key_F10
                             && event->modifiers() == Qt::ShiftModifier);
    if (menuKey && currentItem()) {
        event->accept();
        sigItemRightClick.emitSignal(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void cQModelViewDialogLayoutTreeWidget::mousePressEvent(QMouseEvent *event)
{
    QTreeWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton && currentItem())
        sigItemRightClick.emitSignal(currentItem());
}
