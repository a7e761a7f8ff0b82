// The combo box and tab skinners' decisions as tables: cells and their precedence, the parts of
// a combo box with the button at either side, and the tab strip's side, page area, band, work
// image and item placement for the four sides. The item placement is checked by turning the
// work image: each tab lands on its own item rectangle.
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/controls/combo_box_rules.h"
#include "skin/controls/tab_rules.h"

namespace {

TEST(ComboBoxRules, CellsFollowTheirPrecedence) {
    struct TCase {
        bool enabled, pressed, hot, focused;
        int cell;
    };
    for (const TCase& c : {
             TCase{true, false, false, false, 1},
             TCase{true, false, true, false, 4},  // under the mouse
             TCase{true, false, false, true, 4},  // focused
             TCase{true, true, true, true, 2},    // pressed beats both
             TCase{true, true, false, false, 2}, TCase{false, false, false, false, 3},
             TCase{false, false, true, false, 4},  // a hot flag left over still shows
         }) {
        SCOPED_TRACE(testing::Message() << c.enabled << c.pressed << c.hot << c.focused);
        EXPECT_EQ(ComboBoxCell(c.enabled, c.pressed, c.hot, c.focused), c.cell);
    }
}

TEST(ComboBoxRules, TheButtonSitsAtTheRightOrWithLeftScrollBarAtTheLeft) {
    const TRect box{0, 0, 121, 20};
    const TComboBoxLayout right = LayOutComboBox(box, 17, false);
    EXPECT_EQ(right.interior, (TRect{2, 2, 100, 18}));
    EXPECT_EQ(right.button, (TRect{102, 0, 121, 20}));
    EXPECT_EQ(right.arrow, (TRect{102, 0, 119, 20}));
    EXPECT_FALSE(right.mirrored);
    const TComboBoxLayout left = LayOutComboBox(box, 17, true);
    EXPECT_EQ(left.interior, (TRect{21, 2, 119, 18}));
    EXPECT_EQ(left.button, (TRect{0, 0, 19, 20}));
    EXPECT_EQ(left.arrow, (TRect{2, 0, 19, 20}));
    EXPECT_TRUE(left.mirrored);
    // Neither button overlaps the interior that keeps the text.
    EXPECT_LE(right.interior.right, right.button.left);
    EXPECT_GE(left.interior.left, left.button.right);
}

TEST(ComboBoxRules, CellsAreCentredRoundingTowardZero) {
    EXPECT_EQ(CentredIn({102, 0, 119, 20}, 8, 5), (TRect{106, 7, 114, 12}));
    EXPECT_EQ(CentredIn({0, 0, 10, 10}, 10, 10), (TRect{0, 0, 10, 10}));
    // A cell larger than its area: the offset -1.5 becomes -1.
    EXPECT_EQ(CentredIn({0, 0, 7, 7}, 10, 10), (TRect{-1, -1, 9, 9}));
    EXPECT_EQ(SimpleComboButton({0, 0, 121, 20}, 16), (TRect{103, 2, 119, 18}));
}

TEST(TabRules, TheSideComesFromTheStyle) {
    EXPECT_EQ(TabSideOfStyle(0), TTabSide::Top);
    EXPECT_EQ(TabSideOfStyle(0x0002), TTabSide::Bottom);
    EXPECT_EQ(TabSideOfStyle(0x0080), TTabSide::Left);
    EXPECT_EQ(TabSideOfStyle(0x0082), TTabSide::Right);
    EXPECT_EQ(TabSideOfStyle(0x50000000 | 0x0200), TTabSide::Top);  // other bits do not count
}

TEST(TabRules, PageAreaBandAndWorkImageForEachSide) {
    const TRect window{0, 0, 200, 120};
    const TRect adjusted{4, 26, 196, 116};
    struct TCase {
        TTabSide side;
        TRect display, band;
        TExtentWH work;
    };
    for (const TCase& c : {
             TCase{TTabSide::Top, {0, 23, 200, 120}, {0, 0, 200, 23}, {200, 23}},
             TCase{TTabSide::Bottom, {0, 22, 200, 119}, {0, 119, 200, 120}, {200, 1}},
             TCase{TTabSide::Left, {1, 22, 200, 120}, {0, 0, 1, 120}, {120, 1}},
             TCase{TTabSide::Right, {0, 22, 199, 120}, {199, 0, 200, 120}, {120, 1}},
         }) {
        SCOPED_TRACE(static_cast<int>(c.side));
        const TRect display = TabDisplayRect(adjusted, c.side);
        EXPECT_EQ(display, c.display);
        const TRect band = TabBand(window, display, c.side);
        EXPECT_EQ(band, c.band);
        EXPECT_EQ(TabWorkSize(band, c.side), c.work);
    }
}

// Where a work-image pixel ends on the window after the turn and the copy to the band.
struct TPoint {
    int x, y;
};
TPoint OnWindow(TPoint work, TTabSide side, const TRect& band, TExtentWH size) {
    switch (side) {
        case TTabSide::Top:
        case TTabSide::Bottom: return {band.left + work.x, band.top + work.y};
        // A quarter turn anticlockwise: new (X, Y) = old (W - 1 - Y, X), so old (x, y) goes
        // to (y, W - 1 - x).
        case TTabSide::Left: return {band.left + work.y, band.top + size.width - 1 - work.x};
        // Clockwise: new (X, Y) = old (Y, H - 1 - X), so old (x, y) goes to (H - 1 - y, x).
        case TTabSide::Right: return {band.left + size.height - 1 - work.y, band.top + work.x};
    }
    return work;
}

TEST(TabRules, EachTabLandsOnItsItemAfterTheTurn) {
    const TRect window{0, 0, 200, 150};
    struct TCase {
        TTabSide side;
        TRect adjusted, item;
        int dx, dy;  // how far the drawn tab sits from the item
    };
    for (const TCase& c : {
             TCase{TTabSide::Top, {4, 26, 196, 146}, {2, 2, 60, 22}, 0, 1},
             TCase{TTabSide::Bottom, {4, 4, 196, 124}, {2, 128, 60, 148}, 0, -1},
             TCase{TTabSide::Left, {26, 4, 196, 146}, {2, 2, 22, 60}, 0, 0},
             TCase{TTabSide::Right, {4, 4, 174, 146}, {178, 2, 198, 60}, 0, -1},
         }) {
        SCOPED_TRACE(static_cast<int>(c.side));
        const TRect display = TabDisplayRect(c.adjusted, c.side);
        const TRect band = TabBand(window, display, c.side);
        const TExtentWH size = TabWorkSize(band, c.side);
        const TRect work = TabItemInWork(c.item, c.side, display, band, window.Width());
        ASSERT_GE(work.left, 0);
        ASSERT_GE(work.top, 0);
        ASSERT_LE(work.right, size.width);
        ASSERT_LE(work.bottom, size.height);
        // The turned tab covers exactly the item rectangle, moved by (dx, dy).
        TRect covered{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
        for (int y = work.top; y < work.bottom; ++y)
            for (int x = work.left; x < work.right; ++x) {
                const TPoint p = OnWindow({x, y}, c.side, band, size);
                covered = {std::min(covered.left, p.x), std::min(covered.top, p.y),
                           std::max(covered.right, p.x + 1), std::max(covered.bottom, p.y + 1)};
            }
        EXPECT_EQ(covered, c.item.Offset(c.dx, c.dy));
        // Turned tabs: the work image's top row, the tab's outer edge in the image, ends away
        // from the page (tabs at the bottom are not turned; their image is flipped instead).
        const TPoint outer = OnWindow({work.left + work.Width() / 2, work.top}, c.side, band, size);
        if (c.side == TTabSide::Left) {
            EXPECT_EQ(outer.x, c.item.left);
        }
        if (c.side == TTabSide::Right) {
            EXPECT_EQ(outer.x, c.item.right - 1);
        }
    }
}

}  // namespace
