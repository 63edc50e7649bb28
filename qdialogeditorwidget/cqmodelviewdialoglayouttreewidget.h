#pragma once

#include "vellcore/vpi.h"
#include "vellcore/vrmi.h"

#include <QHash>
#include <QMap>
#include <QTreeWidget>

#include <functional>

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
    // The same for the rows whose texts depend on the properties of `item`: its own and its
    // siblings' (which number namesakes without labels).
    void refreshTextsAround(const cQAbstractDialogLayoutItem &item);
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

    // Where a drop aims: onto the row of `target` (`position` cElementPlacement::Into), or
    // between rows, in front of it (Before) or after it (After).
    struct tDropPair
    {
        cQAbstractDialogLayoutItem *target = nullptr;
        int position = 0;
    };
    // Asked while something is dragged over the tree: where `data` would land when dropped as
    // `aim` says (a row that cannot take it may get it in front), or a null target when it may
    // not be dropped there. Unset: nothing may be dropped.
    std::function<tDropPair(const QMimeData &data, const tDropPair &aim)> placeDrop;
    // `data` was dropped where placeDrop() said it lands.
    std::function<void(const QMimeData &data, const tDropPair &aim)> acceptDrop;

    // The MIME type of a dragged row: the positions of its rows from the top row down.
    static QString rowMimeType();
    // What a drag of the row of `item` carries; owned by the caller.
    QMimeData *dragData(const cQAbstractDialogLayoutItem &item) const;
    // The element whose row `data` carries, or null.
    cQAbstractDialogLayoutItem *draggedItem(const QMimeData &data) const;
    // Where a drop at `pos` (in the viewport) aims: on a row, or in its upper or lower edge
    // between two rows; below the rows, onto the top row.
    tDropPair dropAim(const QPoint &pos) const;
    // Where the shown drag would land; a null target when nothing is dragged or it may not.
    const tDropPair &dropPlace() const { return mDropPlace; }

    // Display name, followed by the label in quotes when there is one, else by the position
    // among the siblings of the same type without a label when there are several ("Label #2").
    static QString rowText(const cQAbstractDialogLayoutItem &item);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

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

    // The place of a drag at `pos`, shown until the drag leaves or drops; false when refused.
    bool showDropPlace(const QMimeData &data, const QPoint &pos);
    void clearDropPlace();

    // The column's width follows the rows that come, go or change.
    void watchRowWidths();
    int rowWidth(const QTreeWidgetItem &row, const QStyleOptionViewItem &option) const;
    void forgetWidth(const QTreeWidgetItem *row);
    // Measures the rows `first` to `last` under `parent` and their subtrees anew, or forgets
    // them when they are about to go (`present` false), then fits the column.
    void measureRows(const QModelIndex &parent, int first, int last, bool present);
    void measureSubtree(QTreeWidgetItem &row, bool present, const QStyleOptionViewItem &option);
    void fitColumn();

    vpi::cWork mDelayedActivation;
    tDropPair mDropPlace;
    QHash<const QTreeWidgetItem *, int> mRowWidths;
    // How many rows have each width: the last key is the widest.
    QMap<int, int> mWidthCounts;
    bool mWidthsPaused = false;
};
