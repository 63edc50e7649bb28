#include "cqmodelviewdialoglayouttreewidget.h"

#include "celementplacement.h"
#include "cqmodelviewdialoglayouttreeitem.h"

#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"

#include "vellcore/cerrorreporter.h"

#include <QCursor>
#include <QDrag>
#include <QHash>
#include <QMimeData>
#include <QPainter>
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
    // Every row is one line of text. Told so, the view places a row by its number instead of
    // adding up the heights of all rows above it, at every change of the current row.
    setUniformRowHeights(true);
    header()->hide();
    // Long names get a horizontal scroll bar instead of being cut off at the dock's edge.
    header()->setStretchLastSection(false);
    watchRowWidths();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    vpi::schedule(mDelayedActivation);
    // Rows are dragged to move their elements; the drops are this widget's own, never Qt's
    // moving of rows, and it draws where a drop lands.
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
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
    // Nor may the rows' widths be measured by a widget that is half gone.
    disconnect(model(), nullptr, this, nullptr);
    clear();
}

QString cQModelViewDialogLayoutTreeWidget::rowText(const cQAbstractDialogLayoutItem &item)
{
    const cQAbstractDialogLayoutItem *parent = item.parentOrNull();
    if (!parent)
        return plainRowText(item);
    const auto &siblings = parent->children();
    const auto at = std::find(siblings.begin(), siblings.end(), &item);
    return at == siblings.end() ? plainRowText(item)
                                : childRowTexts(*parent).at(int(at - siblings.begin()));
}

QString cQModelViewDialogLayoutTreeWidget::plainRowText(const cQAbstractDialogLayoutItem &item)
{
    QString text = qstr(item.displayName());
    const vstd::cAsciiString label = item.label();
    if (!label.empty())
        text += QStringLiteral(" (\"") + qstr(label) + QStringLiteral("\")");
    return text;
}

QStringList cQModelViewDialogLayoutTreeWidget::childRowTexts(
    const cQAbstractDialogLayoutItem &parent, const cQAbstractDialogLayoutItem *leaving)
{
    // Siblings of one type without labels would show the same text: their number tells them
    // apart. Two passes keep a wide layout's rows linear in its children.
    const auto &children = parent.children();
    std::vector<vstd::cAsciiString> unlabelled(children.size());
    QHash<vstd::cAsciiString, int> total;
    for (size_t i = 0; i < children.size(); ++i) {
        if (children[i] != leaving && children[i]->label().empty()) {
            unlabelled[i] = children[i]->displayName();
            ++total[unlabelled[i]];
        }
    }
    QHash<vstd::cAsciiString, int> seen;
    QStringList texts;
    texts.reserve(int(children.size()));
    for (size_t i = 0; i < children.size(); ++i) {
        QString text = plainRowText(*children[i]);
        if (!unlabelled[i].empty() && total.value(unlabelled[i]) > 1)
            text += QStringLiteral(" #%1").arg(++seen[unlabelled[i]]);
        texts << text;
    }
    return texts;
}

void cQModelViewDialogLayoutTreeWidget::refreshChildTexts(
    QTreeWidgetItem *row, const cQAbstractDialogLayoutItem *leaving)
{
    const cQAbstractDialogLayoutItem *item = cQModelViewDialogLayoutTreeItem::layoutItemOf(row);
    if (!item)
        return;
    // By item, not by place: a row may go before its item leaves the document, or after.
    const QStringList texts = childRowTexts(*item, leaving);
    QHash<const cQAbstractDialogLayoutItem *, int> places;
    const auto &children = item->children();
    for (size_t i = 0; i < children.size(); ++i)
        places.insert(children[i], int(i));
    for (int i = 0; i < row->childCount(); ++i) {
        QTreeWidgetItem *child = row->child(i);
        const int place = places.value(cQModelViewDialogLayoutTreeItem::layoutItemOf(child), -1);
        // A row whose text stays is not touched: each change is measured and drawn again.
        if (place >= 0 && child->text(0) != texts.at(place)) {
            child->setText(0, texts.at(place));
            child->setToolTip(0, texts.at(place));
        }
    }
}

void cQModelViewDialogLayoutTreeWidget::fill(cQAbstractDialogLayoutItem *root,
                                             cQAbstractDialogLayoutItem *select)
{
    mDropPlace = tDropPair();
    clear();
    if (!root)
        return;
    mWidthsPaused = true;
    auto *top = new cQModelViewDialogLayoutTreeItem(this, root, qstr(root->displayName()));
    const bool found = fillChildren(top, *root, select);
    mWidthsPaused = false;
    measureRows(QModelIndex(), 0, 0, true);
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
    const QStringList texts = childRowTexts(item);
    int index = 0;
    for (cQAbstractDialogLayoutItem *child : item.children()) {
        auto *childRow = new cQModelViewDialogLayoutTreeItem(row, child, texts.at(index++));
        // A narrow dock cuts long labels off: the whole text is a tooltip away.
        childRow->setToolTip(0, childRow->text(0));
        found = fillChildren(childRow, *child, select) || found;
        // Only rows with children are opened: the view keeps a lasting index of each open row,
        // which every row that comes or goes makes Qt walk through.
        if (childRow->childCount() > 0)
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

void cQModelViewDialogLayoutTreeWidget::refreshTextsAround(const cQAbstractDialogLayoutItem &item)
{
    QTreeWidgetItem *row = rowOf(&item);
    if (!row)
        refreshTexts();
    else if (row->parent())
        refreshChildTexts(row->parent());
}

void cQModelViewDialogLayoutTreeWidget::refreshTexts(QTreeWidgetItem &row)
{
    refreshChildTexts(&row);
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
    mWidthsPaused = true;
    parentRow->insertChild(index, row);
    fillChildren(row, item, nullptr);
    mWidthsPaused = false;
    measureRows(indexFromItem(parentRow), index, index, true);
    if (row->childCount() > 0)
        row->setExpanded(true);
    // A row that had no children was not opened, which a row with children always was.
    if (parentRow->childCount() == 1)
        parentRow->setExpanded(true);
    refreshChildTexts(parentRow);
    return true;
}

bool cQModelViewDialogLayoutTreeWidget::removeRows(const cQAbstractDialogLayoutItem &item)
{
    QTreeWidgetItem *row = rowOf(&item);
    QTreeWidgetItem *parentRow = row ? row->parent() : nullptr;
    delete row;
    // The item may still be in the document, about to leave it.
    refreshChildTexts(parentRow, &item);
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

QString cQModelViewDialogLayoutTreeWidget::rowMimeType()
{
    return QStringLiteral("application/x-vell-layout-row");
}

QMimeData *cQModelViewDialogLayoutTreeWidget::dragData(
    const cQAbstractDialogLayoutItem &item) const
{
    QStringList path;
    for (QTreeWidgetItem *row = rowOf(&item); row && row->parent(); row = row->parent())
        path.prepend(QString::number(row->parent()->indexOfChild(row)));
    auto *data = new QMimeData;
    data->setData(rowMimeType(), path.join(QLatin1Char('/')).toLatin1());
    return data;
}

cQAbstractDialogLayoutItem *cQModelViewDialogLayoutTreeWidget::draggedItem(
    const QMimeData &data) const
{
    if (!data.hasFormat(rowMimeType()))
        return nullptr;
    QTreeWidgetItem *row = topLevelItem(0);
    const QString path = QString::fromLatin1(data.data(rowMimeType()));
    for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int index = step.toInt(&ok);
        row = ok && row && index >= 0 && index < row->childCount() ? row->child(index) : nullptr;
    }
    // The top row is the form itself, which never moves.
    return row && row->parent() ? cQModelViewDialogLayoutTreeItem::layoutItemOf(row) : nullptr;
}

cQModelViewDialogLayoutTreeWidget::tDropPair cQModelViewDialogLayoutTreeWidget::dropAim(
    const QPoint &pos) const
{
    QTreeWidgetItem *row = itemAt(pos);
    cQAbstractDialogLayoutItem *item = cQModelViewDialogLayoutTreeItem::layoutItemOf(row);
    if (!item || !item->parentOrNull())
        return {cQModelViewDialogLayoutTreeItem::layoutItemOf(topLevelItem(0)),
                cElementPlacement::Into};
    const QRect rect = visualItemRect(row);
    const int edge = qBound(2, rect.height() / 4, 8);
    if (pos.y() < rect.top() + edge)
        return {item, cElementPlacement::Before};
    if (pos.y() >= rect.bottom() - edge) {
        // Below an open row with children the line stands above its first child.
        if (row->isExpanded() && row->childCount() > 0)
            if (cQAbstractDialogLayoutItem *first
                = cQModelViewDialogLayoutTreeItem::layoutItemOf(row->child(0)))
                return {first, cElementPlacement::Before};
        return {item, cElementPlacement::After};
    }
    return {item, cElementPlacement::Into};
}

bool cQModelViewDialogLayoutTreeWidget::showDropPlace(const QMimeData &data, const QPoint &pos)
{
    tDropPair place;
    const tDropPair aim = dropAim(pos);
    if (aim.target && placeDrop)
        vpi::cErrorReporter::guard([&] { place = placeDrop(data, aim); });
    if (place.target != mDropPlace.target || place.position != mDropPlace.position) {
        mDropPlace = place;
        viewport()->update();
    }
    return place.target != nullptr;
}

void cQModelViewDialogLayoutTreeWidget::clearDropPlace()
{
    mDropPlace = tDropPair();
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
}

void cQModelViewDialogLayoutTreeWidget::startDrag(Qt::DropActions)
{
    const cQAbstractDialogLayoutItem *item = currentLayoutItem();
    QTreeWidgetItem *row = currentItem();
    if (!item || !item->parentOrNull() || !row)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(dragData(*item));
    QRect rect = visualItemRect(row);
    rect.setWidth(std::min(rect.width(), 300));
    drag->setPixmap(viewport()->grab(rect));
    // The row's picture stays where the mouse took it.
    const QPoint grip = viewport()->mapFromGlobal(QCursor::pos()) - rect.topLeft();
    if (QRect(QPoint(0, 0), rect.size()).contains(grip))
        drag->setHotSpot(grip);
    drag->exec(Qt::MoveAction);
}

void cQModelViewDialogLayoutTreeWidget::dragEnterEvent(QDragEnterEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (!data || !placeDrop) {
        event->ignore();
        return;
    }
    setState(DraggingState);
    // Accepted, so that moves follow; each move says whether it may land there.
    event->acceptProposedAction();
    showDropPlace(*data, event->position().toPoint());
}

void cQModelViewDialogLayoutTreeWidget::dragMoveEvent(QDragMoveEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->mimeData() && showDropPlace(*event->mimeData(), pos))
        event->acceptProposedAction();
    else
        event->ignore();
    const QRect inner = viewport()->rect().adjusted(0, autoScrollMargin(), 0, -autoScrollMargin());
    if (hasAutoScroll() && !inner.contains(pos))
        startAutoScroll();
}

void cQModelViewDialogLayoutTreeWidget::dragLeaveEvent(QDragLeaveEvent *event)
{
    clearDropPlace();
    event->accept();
}

void cQModelViewDialogLayoutTreeWidget::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    const bool lands = data && showDropPlace(*data, event->position().toPoint());
    const tDropPair place = mDropPlace;
    clearDropPlace();
    if (!lands || !acceptDrop) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The receiver refills the rows: nothing here touches them afterwards.
    vpi::cErrorReporter::guard([&] { acceptDrop(*data, place); });
}

void cQModelViewDialogLayoutTreeWidget::paintEvent(QPaintEvent *event)
{
    QTreeWidget::paintEvent(event);
    QTreeWidgetItem *row = rowOf(mDropPlace.target);
    if (!row)
        return;
    QRect rect = visualItemRect(row);
    rect.setRight(viewport()->width() - 2);
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    switch (mDropPlace.position) {
    case cElementPlacement::Into:
        painter.drawRect(rect.adjusted(1, 1, -1, -1));
        break;
    case cElementPlacement::Before:
    case cElementPlacement::After: {
        const int y = mDropPlace.position == cElementPlacement::Before ? rect.top() + 1
                                                                        : rect.bottom();
        painter.drawLine(rect.left(), y, rect.right(), y);
        painter.drawLine(rect.left(), y - 3, rect.left(), y + 3);
        break;
    }
    }
}
