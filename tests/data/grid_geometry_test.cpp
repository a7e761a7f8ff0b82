#include <gtest/gtest.h>

#include "data/grid_geometry.h"

namespace {

TGridGeometry Grid() {
    TGridGeometry g;
    g.clientWidth = 200;
    g.clientHeight = 18 + 5 * 18 + 10;  // five whole rows and part of a sixth
    g.columnWidths = {60, 50, 80, 40};
    return g;
}

}  // namespace

TEST(GridGeometry, RowsAndColumnsFromPositions) {
    TGridGeometry g = Grid();
    EXPECT_EQ(g.VisibleRows(), 5);
    EXPECT_EQ(g.RowAt(5), -1);  // title row
    EXPECT_EQ(g.RowAt(18), 0);
    EXPECT_EQ(g.RowAt(18 + 18 * 4 + 17), 4);
    EXPECT_EQ(g.ColumnAt(5), -1);  // indicator
    EXPECT_EQ(g.ColumnAt(11), 0);
    EXPECT_EQ(g.ColumnAt(11 + 60), 1);
    EXPECT_EQ(g.ColumnAt(11 + 60 + 50 + 80 + 40), -1);
    g.topRow = 10;
    g.leftColumn = 1;
    EXPECT_EQ(g.RowAt(18), 10);
    EXPECT_EQ(g.RowTop(12), 18 + 2 * 18);
    EXPECT_EQ(g.ColumnAt(11), 1);
    EXPECT_EQ(g.ColumnLeft(2), 11 + 50);
    EXPECT_EQ(g.ColumnLeft(0), 11 - 60);
}

TEST(GridGeometry, ScrollingKeepsARowOrColumnInView) {
    TGridGeometry g = Grid();
    EXPECT_EQ(g.TopRowShowing(3), 0);  // already visible
    EXPECT_EQ(g.TopRowShowing(5), 1);  // one below: scroll by one
    EXPECT_EQ(g.TopRowShowing(40), 36);
    g.topRow = 20;
    EXPECT_EQ(g.TopRowShowing(7), 7);  // above: it becomes the top row
    EXPECT_EQ(g.LeftColumnShowing(1), 0);
    EXPECT_EQ(g.LeftColumnShowing(3), 1);  // 11 + 50 + 80 + 40 fits, with 60 more it does not
    g.leftColumn = 3;
    EXPECT_EQ(g.LeftColumnShowing(0), 0);
}

TEST(GridGeometry, NoSpaceMeansNoRows) {
    TGridGeometry g = Grid();
    g.clientHeight = 10;
    EXPECT_EQ(g.VisibleRows(), 0);
    g.clientHeight = 18 + 3;  // a sliver still shows one row
    EXPECT_EQ(g.VisibleRows(), 1);
}
