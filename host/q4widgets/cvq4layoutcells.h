#pragma once

#include "q4support/elements/standardelements.h"

class QLayout;
class QWidget;
class QGridLayout;

// Puts the children of grid and form layouts into their cells: the cell an element names, or
// else the one after the child placed before (in a grid along its rows of "Columns" cells, in
// a form label and field by turns).
class cVQ4LayoutCells
{
public:
    // Places `widget` or else `childLayout` in `layout` at `cell`; false, with nothing done,
    // when `layout` is neither a grid nor a form.
    static bool place(QLayout &layout, QWidget *widget, QLayout *childLayout,
                      const tLayoutCellSet &cell);
    // Whether `layout` places its children in cells (a grid or a form).
    static bool takesCells(const QLayout &layout);
    // The number of cells per row of the children of `grid` that name none.
    static void setColumns(QGridLayout &grid, int columns);
};
