#pragma once

#include "vellcore/vpi.h"
#include "vellcore/vrmi.h"

#include <QTreeWidget>

class cQAbstractDialogLayoutItem;

// The document's layout item tree as a one-column tree; the current row is the editor's
// selection. Selecting a row is reported at once (hovered) and again once the user has
// settled on a row (activated, 200 ms later), so quick clicking does not refill the property
// table for every row passed.
class cQModelViewDialogLayoutTreeWidget : public QTreeWidget, public vrmi::cConnectable
{
    Q_OBJECT
public:
    explicit cQModelViewDialogLayoutTreeWidget(QWidget *parent);
    ~cQModelViewDialogLayoutTreeWidget() override;

    vrmi::localSignal1<QTreeWidgetItem *> sigItemHovered;
    vrmi::localSignal1<QTreeWidgetItem *> sigItemActivated;
    vrmi::localSignal1<QTreeWidgetItem *> sigItemRightClick;

    // Rebuilds all rows from `root`; the row of `select` becomes current, or the root's row
    // when `select` is null or not in the document.
    void fill(cQAbstractDialogLayoutItem *root, cQAbstractDialogLayoutItem *select);
    // Recomputes the text of every layout row without touching rows or selection.
    void refreshTexts();
    // The current row's layout item, or null.
    cQAbstractDialogLayoutItem *currentLayoutItem() const;
    // The row standing for `item`, or null.
    QTreeWidgetItem *rowOf(const cQAbstractDialogLayoutItem *item) const;
    // Makes the row of `item` current, or the root's row when it has none.
    void setCurrentLayoutItem(const cQAbstractDialogLayoutItem *item);
    // Adds the rows of `item`, just put into the document, and of its subtree; false when its
    // parent has no row.
    bool insertRows(cQAbstractDialogLayoutItem &item);
    // Removes the rows of `item` and its subtree; false when it has no row.
    bool removeRows(const cQAbstractDialogLayoutItem &item);

    // Display name, followed by the label in quotes when there is one, else by the position
    // among the siblings of the same type without a label when there are several ("Label #2").
    static QString rowText(const cQAbstractDialogLayoutItem &item);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private slots:
    void sltCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void sltItemSelected(QTreeWidgetItem *item, int column);

private:
    piVoid sltEmitDelayed();
    void selectionMoved(QTreeWidgetItem *item);
    bool fillChildren(QTreeWidgetItem *row, cQAbstractDialogLayoutItem &item,
                      cQAbstractDialogLayoutItem *select);
    static void refreshTexts(QTreeWidgetItem &row);
    // The texts of the direct children of `row` (null: none), whose numbers a sibling moves;
    // `leaving` is not counted.
    static void refreshChildTexts(QTreeWidgetItem *row,
                                  const cQAbstractDialogLayoutItem *leaving = nullptr);
    static QString plainRowText(const cQAbstractDialogLayoutItem &item);
    // rowText() of each child of `parent`, in order.
    static QStringList childRowTexts(const cQAbstractDialogLayoutItem &parent,
                                     const cQAbstractDialogLayoutItem *leaving = nullptr);

    vpi::cWork mDelayedActivation;
};
