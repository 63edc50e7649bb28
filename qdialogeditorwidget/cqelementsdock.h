#pragma once

#include <QDockWidget>

class QLineEdit;
class QMimeData;
class QTreeWidget;
class QTreeWidgetItem;
class cAbstractDialogItemFactory;
class cQModelViewDialogEditorViewItems;

// The "Elements" dock: every element type of the append and insert menus, grouped as they are,
// with a filter field. It shows the menus' entries and triggers them, so their rules, letters
// and reasons are the menus' own: Enter or a double-click appends, Shift+Enter inserts, and a
// type dragged onto the layout tree is added there.
class cQElementsDock : public QDockWidget
{
    Q_OBJECT
public:
    cQElementsDock(cQModelViewDialogEditorViewItems &items, QWidget *parent);

    // The MIME type of an element type dragged from the dock; the data is its element name.
    static QString mimeType();
    // The factory whose element `data` carries, or null.
    const cAbstractDialogItemFactory *draggedFactory(const QMimeData &data) const;
    // How to begin an empty form, naming the top-level element types with their letters.
    QString startHint() const;

    QTreeWidget *list() const { return mpList; }
    QLineEdit *filterField() const { return mpFilter; }
    // Appends the type of `row` (inserts it in front of the selected element for `insert`);
    // a disabled or group row does nothing.
    void add(QTreeWidgetItem *row, bool insert);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rebuild();
    void updateRows();
    void applyFilter(const QString &text);
    // The first shown row that may add its element, or null.
    QTreeWidgetItem *firstEnabled() const;

    cQModelViewDialogEditorViewItems &mItems;
    QLineEdit *mpFilter;
    QTreeWidget *mpList;
};
