#pragma once

#include <QTreeWidgetItem>

class cQAbstractDialogLayoutItem;

// A row of the dialog layout tree standing for one layout item of the document.
class cQModelViewDialogLayoutTreeItem : public QTreeWidgetItem
{
public:
    // The row type that marks rows standing for layout items.
    enum { LayoutItemType = QTreeWidgetItem::UserType + 1 };

    cQModelViewDialogLayoutTreeItem(QTreeWidget *parent, cQAbstractDialogLayoutItem *item,
                                    const QString &text);
    cQModelViewDialogLayoutTreeItem(QTreeWidgetItem *parent, cQAbstractDialogLayoutItem *item,
                                    const QString &text);

    cQAbstractDialogLayoutItem *layoutItem() const { return mpItem; }

    // The layout item of `row` when it is a layout row, else null.
    static cQAbstractDialogLayoutItem *layoutItemOf(const QTreeWidgetItem *row);

private:
    cQAbstractDialogLayoutItem *mpItem;
};
