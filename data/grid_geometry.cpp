#include "data/grid_geometry.h"

#include <algorithm>

int TGridGeometry::VisibleRows() const {
    const int space = clientHeight - titleHeight;
    if (space <= 0 || rowHeight <= 0) return 0;
    return std::max(1, space / rowHeight);
}

int TGridGeometry::ColumnLeft(int column) const {
    int x = indicatorWidth;
    if (column < leftColumn) {
        for (int c = column; c < leftColumn; ++c) x -= columnWidths[static_cast<size_t>(c)];
        return x;
    }
    for (int c = leftColumn; c < column; ++c) x += columnWidths[static_cast<size_t>(c)];
    return x;
}

int TGridGeometry::ColumnAt(int x) const {
    if (x < indicatorWidth) return -1;
    int left = indicatorWidth;
    for (int c = leftColumn; c < static_cast<int>(columnWidths.size()); ++c) {
        const int right = left + columnWidths[static_cast<size_t>(c)];
        if (x < right) return c;
        left = right;
    }
    return -1;
}

int TGridGeometry::RowAt(int y) const {
    if (y < titleHeight || rowHeight <= 0) return -1;
    return topRow + (y - titleHeight) / rowHeight;
}

int TGridGeometry::TopRowShowing(int row) const {
    const int visible = std::max(1, VisibleRows());
    if (row < topRow) return row;
    if (row >= topRow + visible) return row - visible + 1;
    return topRow;
}

int TGridGeometry::LeftColumnShowing(int column) const {
    if (column < leftColumn) return column;
    int first = leftColumn;
    // Move the first visible column right until `column` ends inside the client area.
    while (first < column) {
        int right = indicatorWidth;
        for (int c = first; c <= column; ++c) right += columnWidths[static_cast<size_t>(c)];
        if (right <= clientWidth) break;
        ++first;
    }
    return first;
}
