#pragma once
// Where a grid's cells are, from its scroll position and sizes alone: the fixed title row and
// indicator column, then columns of given widths from the first visible column on, and rows of
// one height from the first visible row on. No painting, no window.

#include <vector>

struct TGridGeometry {
    int clientWidth = 0;
    int clientHeight = 0;
    int titleHeight = 18;
    int rowHeight = 18;
    int indicatorWidth = 11;
    std::vector<int> columnWidths;
    int topRow = 0;      // first data row shown
    int leftColumn = 0;  // first data column shown

    // Data rows that fit wholly below the title row (at least 1 when any space is left).
    int VisibleRows() const;
    // Left edge of a column in client coordinates; columns left of leftColumn answer a value
    // left of the indicator.
    int ColumnLeft(int column) const;
    // The column at x, or -1 (indicator, beyond the last column).
    int ColumnAt(int x) const;
    // The data row at y, or -1 (title row).
    int RowAt(int y) const;
    // Top of a data row in client coordinates.
    int RowTop(int row) const { return titleHeight + (row - topRow) * rowHeight; }
    // The topRow that keeps `row` visible with the fewest rows scrolled.
    int TopRowShowing(int row) const;
    // The leftColumn that keeps `column` visible.
    int LeftColumnShowing(int column) const;
};
