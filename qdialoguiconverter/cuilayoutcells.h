#pragma once

#include <QStringList>

#include <vector>

// The cells of a grid or form layout's children, placed as the host's builders place children
// without a cell of their own, so that an exported form holds the cells its preview shows.
class cUiLayoutCells
{
public:
    struct tCellSet
    {
        int row, column, rowSpan, columnSpan;
        // The child's "Cell" text is empty or names this cell as the reader writes it.
        bool exact;
    };

    // One cell per "Cell" text; a form layout has a label and a field column.
    static std::vector<tCellSet> place(const QStringList &texts, bool form, int columns);
    // "row, column", or "row, column, row span, column span" for a cell of several.
    static QString text(const tCellSet &cell);
};
