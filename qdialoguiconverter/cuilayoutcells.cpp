#include "cuilayoutcells.h"

#include "q4support/elements/standardelements.h"

#include <algorithm>
#include <map>

std::vector<cUiLayoutCells::tCellSet> cUiLayoutCells::place(const QStringList &texts, bool form,
                                                            int columns)
{
    enum { Label = 1, Field = 2, Spanning = 4 };
    std::vector<tCellSet> cells;
    int next = 0, rowCount = 0;
    std::map<int, int> taken;   // the roles of each form row taken so far
    for (const QString &text : texts) {
        const tLayoutCellSet cell = cellOf(qstr(text).ascii());
        tCellSet at{0, 0, 1, 1, false};
        if (!form) {
            at = cell.isSet() ? tCellSet{cell.row, cell.column, cell.rowSpan, cell.columnSpan,
                                         false}
                              : tCellSet{next / columns, next % columns, 1, 1, false};
            next = at.row * columns + std::min(at.column + at.columnSpan, columns);
        } else {
            const int role = cell.isSet()
                ? (cell.columnSpan > 1 ? Spanning : cell.column == 0 ? Label : Field)
                : (next % 2 ? Field : Label);
            int row = cell.isSet() ? cell.row : next / 2;
            // A taken place goes to a new row at the end, as QFormLayout would drop the item.
            const int busy = taken.count(row) ? taken[row] : 0;
            if (row < rowCount
                && ((busy & role) || (role != Spanning && (busy & Spanning))
                    || (role == Spanning && busy)))
                row = rowCount;
            taken[row] |= role;
            rowCount = std::max(rowCount, row + 1);
            next = role == Label ? row * 2 + 1 : row * 2 + 2;
            at = tCellSet{row, role == Field ? 1 : 0, 1, role == Spanning ? 2 : 1, false};
        }
        at.exact = text.isEmpty() || text == cUiLayoutCells::text(at);
        cells.push_back(at);
    }
    return cells;
}

QString cUiLayoutCells::text(const tCellSet &cell)
{
    if (cell.rowSpan == 1 && cell.columnSpan == 1)
        return QStringLiteral("%1, %2").arg(cell.row).arg(cell.column);
    return QStringLiteral("%1, %2, %3, %4")
        .arg(cell.row).arg(cell.column).arg(cell.rowSpan).arg(cell.columnSpan);
}
