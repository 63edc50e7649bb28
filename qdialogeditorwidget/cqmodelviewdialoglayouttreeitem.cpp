#include "cqmodelviewdialoglayouttreeitem.h"

cQModelViewDialogLayoutTreeItem::cQModelViewDialogLayoutTreeItem(QTreeWidget *parent,
                                                                 cQAbstractDialogLayoutItem *item,
                                                                 const QString &text)
    : QTreeWidgetItem(parent, LayoutItemType), mpItem(item)
{
    setText(0, text);
}

cQModelViewDialogLayoutTreeItem::cQModelViewDialogLayoutTreeItem(QTreeWidgetItem *parent,
                                                                 cQAbstractDialogLayoutItem *item,
                                                                 const QString &text)
    : QTreeWidgetItem(parent, LayoutItemType), mpItem(item)
{
    setText(0, text);
}

cQAbstractDialogLayoutItem *cQModelViewDialogLayoutTreeItem::layoutItemOf(
    const QTreeWidgetItem *row)
{
    if (!row || row->type() != LayoutItemType)
        return nullptr;
    return static_cast<const cQModelViewDialogLayoutTreeItem *>(row)->layoutItem();
}
