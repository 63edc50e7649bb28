// The layout tree's column width: that of its widest row, kept up to date row by row.
#include "cqmodelviewdialoglayouttreewidget.h"

#include <QAbstractItemDelegate>
#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionViewItem>

#include <algorithm>

void cQModelViewDialogLayoutTreeWidget::watchRowWidths()
{
    // Qt's sizing to contents measures a thousand rows after every change of any row; here
    // only the changed rows are measured, and the widest of all rows gives the width.
    header()->setSectionResizeMode(0, QHeaderView::Fixed);
    QAbstractItemModel *rows = model();
    connect(rows, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &parent, int first, int last) {
                measureRows(parent, first, last, true);
            });
    connect(rows, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &parent, int first, int last) {
                measureRows(parent, first, last, false);
            });
    connect(rows, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight,
                   const QList<int> &roles) {
                // A row's tooltip, say, leaves its width as it is.
                const bool sized = roles.isEmpty() || roles.contains(Qt::DisplayRole)
                                   || roles.contains(Qt::FontRole)
                                   || roles.contains(Qt::DecorationRole)
                                   || roles.contains(Qt::SizeHintRole);
                if (sized && topLeft.column() == 0)
                    measureRows(topLeft.parent(), topLeft.row(), bottomRight.row(), true);
            });
    connect(rows, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        mRowWidths.clear();
        mWidthCounts.clear();
    });
    connect(rows, &QAbstractItemModel::modelReset, this, [this] { fitColumn(); });
}

int cQModelViewDialogLayoutTreeWidget::rowWidth(const QTreeWidgetItem &row,
                                                const QStyleOptionViewItem &option) const
{
    // As the view measures a row for its first column: the delegate's width, indented by the
    // row's depth.
    int level = rootIsDecorated() ? 1 : 0;
    for (const QTreeWidgetItem *up = row.parent(); up; up = up->parent())
        ++level;
    const QModelIndex index = indexFromItem(&row, 0);
    return itemDelegateForIndex(index)->sizeHint(option, index).width() + level * indentation();
}

void cQModelViewDialogLayoutTreeWidget::forgetWidth(const QTreeWidgetItem *row)
{
    const auto known = mRowWidths.find(row);
    if (known == mRowWidths.end())
        return;
    const auto count = mWidthCounts.find(known.value());
    if (count != mWidthCounts.end() && --count.value() <= 0)
        mWidthCounts.erase(count);
    mRowWidths.erase(known);
}

void cQModelViewDialogLayoutTreeWidget::measureSubtree(QTreeWidgetItem &row, bool present,
                                                       const QStyleOptionViewItem &option)
{
    forgetWidth(&row);
    if (present) {
        const int width = rowWidth(row, option);
        mRowWidths.insert(&row, width);
        ++mWidthCounts[width];
    }
    for (int i = 0; i < row.childCount(); ++i)
        measureSubtree(*row.child(i), present, option);
}

void cQModelViewDialogLayoutTreeWidget::measureRows(const QModelIndex &parent, int first,
                                                    int last, bool present)
{
    // Rows being filled are measured once they are all there.
    if (present && mWidthsPaused)
        return;
    QTreeWidgetItem *parentRow = parent.isValid() ? itemFromIndex(parent) : invisibleRootItem();
    if (!parentRow)
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    for (int i = std::max(first, 0); i <= last && i < parentRow->childCount(); ++i)
        measureSubtree(*parentRow->child(i), present, option);
    fitColumn();
}

void cQModelViewDialogLayoutTreeWidget::fitColumn()
{
    // As sizing to contents does: never below the header's own hint and the least section.
    QHeaderView &top = *header();
    int width = mWidthCounts.isEmpty() ? 0 : mWidthCounts.lastKey();
    width = std::max({width, top.sectionSizeHint(0), top.minimumSectionSize()});
    width = std::min(width, top.maximumSectionSize());
    if (top.sectionSize(0) != width)
        top.resizeSection(0, width);
}

void cQModelViewDialogLayoutTreeWidget::changeEvent(QEvent *event)
{
    QTreeWidget::changeEvent(event);
    // Other letters or another style make every row another width.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        mRowWidths.clear();
        mWidthCounts.clear();
        measureRows(QModelIndex(), 0, topLevelItemCount() - 1, true);
    }
}
