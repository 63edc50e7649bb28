#include "cvq4layoutcells.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QVariant>

#include <algorithm>

namespace {

// Where the next child without a cell goes, counted along the rows, kept on the layout.
constexpr const char *kNext = "vellNextCell";
constexpr const char *kColumns = "vellColumns";

int columnsOf(const QLayout &layout)
{
    const int columns = layout.property(kColumns).toInt();
    return columns > 0 ? columns : 2;
}

// The child is a widget or a layout.
struct tChildSet
{
    QWidget *widget;
    QLayout *layout;
};

void placeInGrid(QGridLayout &grid, const tChildSet &child, const tLayoutCellSet &cell)
{
    const int columns = columnsOf(grid);
    tLayoutCellSet at = cell;
    if (!at.isSet()) {
        const int next = grid.property(kNext).toInt();
        at = tLayoutCellSet{next / columns, next % columns, 1, 1};
    }
    if (child.widget)
        grid.addWidget(child.widget, at.row, at.column, at.rowSpan, at.columnSpan);
    else
        grid.addLayout(child.layout, at.row, at.column, at.rowSpan, at.columnSpan);
    grid.setProperty(kNext, at.row * columns + std::min(at.column + at.columnSpan, columns));
}

void placeInForm(QFormLayout &form, const tChildSet &child, const tLayoutCellSet &cell)
{
    int row = 0;
    QFormLayout::ItemRole role = QFormLayout::LabelRole;
    int next = form.property(kNext).toInt();
    if (cell.isSet()) {
        row = cell.row;
        role = cell.columnSpan > 1 ? QFormLayout::SpanningRole
               : cell.column == 0  ? QFormLayout::LabelRole
                                   : QFormLayout::FieldRole;
    } else {
        row = next / 2;
        role = next % 2 ? QFormLayout::FieldRole : QFormLayout::LabelRole;
    }
    // A taken place would drop the item; it goes to a new row at the end instead.
    if (row < form.rowCount()
        && (form.itemAt(row, role)
            || (role != QFormLayout::SpanningRole && form.itemAt(row, QFormLayout::SpanningRole))
            || (role == QFormLayout::SpanningRole
                && (form.itemAt(row, QFormLayout::LabelRole)
                    || form.itemAt(row, QFormLayout::FieldRole)))))
        row = form.rowCount();
    // Rows up to `row` are added as needed.
    if (child.widget)
        form.setWidget(row, role, child.widget);
    else
        form.setLayout(row, role, child.layout);
    next = role == QFormLayout::LabelRole ? row * 2 + 1 : row * 2 + 2;
    form.setProperty(kNext, next);
}

} // namespace

bool cVQ4LayoutCells::place(QLayout &layout, QWidget *widget, QLayout *childLayout,
                            const tLayoutCellSet &cell)
{
    const tChildSet child{widget, childLayout};
    if (auto *grid = qobject_cast<QGridLayout *>(&layout)) {
        placeInGrid(*grid, child, cell);
        return true;
    }
    if (auto *form = qobject_cast<QFormLayout *>(&layout)) {
        placeInForm(*form, child, cell);
        return true;
    }
    return false;
}

bool cVQ4LayoutCells::takesCells(const QLayout &layout)
{
    return qobject_cast<const QGridLayout *>(&layout) || qobject_cast<const QFormLayout *>(&layout);
}

void cVQ4LayoutCells::setColumns(QGridLayout &grid, int columns)
{
    grid.setProperty(kColumns, std::clamp(columns, 1, tLayoutCellSet::maxIndex));
}
