// The scroll bar skinner's geometry as tables: the bars and the corner for bars at the right
// and at the left, the thumb with its minimum and its degenerate ranges, the part under a point,
// the position a dragged thumb gives (stopping at max - page + 1 with a page, at max without),
// and the cells of the arrows and thumbs.
#include "skin/controls/scroll_geometry.h"

#include <gtest/gtest.h>

#include <climits>

static void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

TEST(ScrollGeometry, MulDivRoundsHalvesAwayFromZeroAndFailsAsThePlatformDoes) {
    struct TCase {
        int a, b, c, result;
    };
    for (const TCase& c : {
             TCase{5, 3, 2, 8},
             TCase{-5, 3, 2, -8},
             TCase{5, 3, -2, -8},
             TCase{-5, -3, -2, -8},
             TCase{3, 1, 2, 2},
             TCase{-3, 1, 2, -2},
             TCase{10, 168, 99, 17},
             TCase{1, 1, 0, -1},
             TCase{INT_MAX, 2, 1, -1},
         }) {
        SCOPED_TRACE(testing::Message() << c.a << " * " << c.b << " / " << c.c);
        EXPECT_EQ(ScrollMulDiv(c.a, c.b, c.c), c.result);
    }
}

TEST(ScrollGeometry, BarsAndCornerForBarsAtTheRightAndAtTheLeft) {
    struct TCase {
        const char* what;
        TScrollFrame frame;
        TRect horz, vert, corner;
    };
    // A 200 x 100 window with a two-pixel client edge and both bars leaves 180 x 76.
    const TScrollFrame both{200, 100, 180, 76, 16, 2, 0, true, true, false};
    TScrollFrame bothLeft = both;
    bothLeft.leftScrollBar = true;
    TScrollFrame bothOffset = both;
    bothOffset.topOffset = 6;
    for (const TCase& c : {
             TCase{"both, right", both, {2, 82, 182, 98}, {182, 2, 198, 82}, {182, 82, 198, 98}},
             TCase{"both, left", bothLeft, {18, 82, 198, 98}, {2, 2, 18, 82}, {2, 82, 18, 98}},
             TCase{
                 "top offset", bothOffset, {2, 82, 182, 98}, {182, 8, 198, 82}, {182, 82, 198, 98}},
             TCase{"vertical only, no border",
                   {100, 50, 84, 50, 16, 2, 0, false, true, false},
                   {},
                   {84, 0, 100, 50},
                   {}},
             TCase{"vertical only, left",
                   {100, 50, 80, 46, 16, 2, 0, false, true, true},
                   {},
                   {2, 2, 18, 48},
                   {}},
             TCase{"horizontal only",
                   {100, 50, 96, 30, 16, 9, 0, true, false, false},
                   {2, 32, 98, 48},
                   {},
                   {}},
             TCase{"horizontal only, left: no difference",
                   {100, 50, 96, 30, 16, 9, 0, true, false, true},
                   {2, 32, 98, 48},
                   {},
                   {}},
             // (50 - 37 - 16) / 2 rounds toward zero: -1, not -2.
             TCase{"frame width rounds toward zero",
                   {100, 50, 100, 37, 16, 2, 0, true, false, false},
                   {-1, 35, 101, 51},
                   {},
                   {}},
             TCase{"no bars", {100, 50, 96, 46, 16, 2, 0, false, false, false}, {}, {}, {}},
         }) {
        SCOPED_TRACE(c.what);
        const TScrollBarRects r = ScrollBarRects(c.frame);
        EXPECT_EQ(r.horz, c.horz);
        EXPECT_EQ(r.vert, c.vert);
        EXPECT_EQ(r.corner, c.corner);
    }
}

TEST(ScrollGeometry, ThumbFromTheScrollInformation) {
    struct TCase {
        const char* what;
        int bar, arrow;
        TScrollValues values;
        int minimum;
        TBarGeometry geometry;
    };
    for (const TCase& c : {
             TCase{"at the top", 200, 16, {0, 99, 10, 0}, 8, {16, 168, 17, 0}},
             TCase{"in the middle", 200, 16, {0, 99, 10, 45}, 8, {16, 168, 17, 76}},
             TCase{"at the end: never past the track",
                   200,
                   16,
                   {0, 99, 10, 90},
                   8,
                   {16, 168, 17, 151}},
             TCase{"page equal to the range", 200, 16, {0, 50, 50, 0}, 8, {16, 168, 167, 0}},
             TCase{"page covering everything", 200, 16, {0, 9, 10, 0}, 8, {16, 168, 168, 0}},
             TCase{"no page: the system's thumb", 200, 16, {0, 100, 0, 50}, 8, {16, 168, 16, 76}},
             TCase{"a minimum above the share", 200, 16, {0, 999, 1, 0}, 8, {16, 168, 8, 0}},
             TCase{"the Windows 95 minimum",
                   200,
                   20,
                   {0, 999, 1, 0},
                   MinimumThumb(20, true),
                   {20, 160, 10, 0}},
             TCase{"min above zero", 200, 16, {10, 109, 10, 55}, 8, {16, 168, 17, 76}},
             TCase{"a bar shorter than two arrows", 20, 16, {0, 99, 10, 0}, 8, {16, -12, -12, 0}},
         }) {
        SCOPED_TRACE(c.what);
        const std::optional<TBarGeometry> g =
            ThumbGeometry(c.bar, c.arrow, c.values, c.minimum, 16);
        ASSERT_TRUE(g);
        EXPECT_EQ(*g, c.geometry) << g->arrow << " " << g->track << " " << g->thumb << " "
                                  << g->offset;
    }
    EXPECT_EQ(MinimumThumb(16, false), 8);
    EXPECT_EQ(MinimumThumb(17, true), 8);
    // No range: the previous geometry stays.
    EXPECT_FALSE(ThumbGeometry(200, 16, {0, 0, 0, 0}, 8, 16));
    EXPECT_FALSE(ThumbGeometry(200, 16, {5, 3, 1, 4}, 8, 16));
}

TEST(ScrollGeometry, ArrowsOfABarShorterThanTwoArrowsAreHalfItsLength) {
    EXPECT_EQ(ArrowLength(200, 16), 16);
    EXPECT_EQ(ArrowLength(32, 16), 16);
    EXPECT_EQ(ArrowLength(31, 16), 15);
    EXPECT_EQ(ArrowLength(20, 16), 10);
    EXPECT_EQ(ArrowLength(0, 16), 0);
}

TEST(ScrollGeometry, PartUnderAPointAlongTheBar) {
    const TBarGeometry g{16, 168, 17, 76};
    struct TCase {
        int p;
        TBarPart part;
    };
    for (const TCase& c : {
             TCase{-1, TBarPart::LineUp},
             TCase{0, TBarPart::LineUp},
             TCase{15, TBarPart::LineUp},
             TCase{16, TBarPart::PageUp},
             TCase{91, TBarPart::PageUp},
             TCase{92, TBarPart::Thumb},
             TCase{108, TBarPart::Thumb},
             TCase{109, TBarPart::PageDown},
             TCase{183, TBarPart::PageDown},
             TCase{184, TBarPart::LineDown},
             TCase{199, TBarPart::LineDown},
             TCase{200, TBarPart::None},
         }) {
        SCOPED_TRACE(c.p);
        EXPECT_EQ(BarPartAt(c.p, g), c.part);
    }
}

TEST(ScrollGeometry, DraggedThumbStopsAtTheLastWholePageOrAtMax) {
    struct TCase {
        const char* what;
        TBarGeometry geometry;
        TScrollValues values;
        int start, movement;
        TThumbDrag drag;
    };
    const TBarGeometry paged{16, 168, 17, 0};
    const TBarGeometry pageless{16, 168, 16, 0};
    for (const TCase& c : {
             TCase{"not moved", paged, {0, 99, 10, 0}, 0, 0, {0, 0}},
             TCase{"half way (49.5 rounds up)", paged, {0, 99, 10, 0}, 0, 84, {84, 50}},
             TCase{"from an offset", paged, {0, 99, 10, 0}, 40, 44, {84, 50}},
             TCase{"near the end: max - page + 1", paged, {0, 99, 10, 0}, 0, 151, {151, 90}},
             TCase{"far past the end", paged, {0, 99, 10, 0}, 0, 500, {168, 90}},
             TCase{"before the start", paged, {0, 99, 10, 0}, 10, -50, {0, 0}},
             TCase{"no page, half way", pageless, {0, 100, 0, 0}, 0, 76, {76, 50}},
             TCase{"no page, past the end: max", pageless, {0, 100, 0, 0}, 0, 1000, {152, 100}},
             TCase{"no page, min above zero", pageless, {10, 110, 0, 0}, 0, 1000, {152, 110}},
             TCase{"no track: never below min", {16, 0, 0, 0}, {0, 99, 10, 0}, 0, 30, {0, 0}},
         }) {
        SCOPED_TRACE(c.what);
        const TThumbDrag d = DragThumb(c.start, c.movement, c.geometry, c.values);
        EXPECT_EQ(d, c.drag) << d.offset << " " << d.pos;
    }
}

TEST(ScrollGeometry, ScrollMessagesMarkTheirArrowOrThumbAndCellsFollow) {
    constexpr int kLineUp = 0, kLineDown = 1, kPageDown = 3, kThumbPosition = 4, kThumbTrack = 5,
                  kEndScroll = 8;
    struct TCase {
        bool vertical;
        int code, part;
    };
    for (const TCase& c : {
             TCase{false, kLineUp, 1},
             TCase{false, kLineDown, 2},
             TCase{false, kThumbTrack, 5},
             TCase{false, kThumbPosition, 0},
             TCase{true, kLineUp, 3},
             TCase{true, kLineDown, 4},
             TCase{true, kThumbTrack, 6},
             TCase{true, kPageDown, 0},
             TCase{true, kEndScroll, 0},
         }) {
        SCOPED_TRACE(testing::Message() << c.vertical << " " << c.code);
        EXPECT_EQ(ScrollMessagePart(c.vertical, c.code), c.part);
    }
    struct TCellCase {
        bool vertical, second;
        int part, cell;
    };
    for (const TCellCase& c : {
             TCellCase{false, false, 0, 1},
             TCellCase{false, false, 1, 2},
             TCellCase{false, true, 1, 5},
             TCellCase{false, true, 2, 6},
             TCellCase{true, false, 0, 9},
             TCellCase{true, false, 3, 10},
             TCellCase{true, true, 4, 14},
             TCellCase{true, true, 2, 13},  // a horizontal arrow never marks a vertical one
             TCellCase{true, false, 6, 9},
         }) {
        SCOPED_TRACE(testing::Message() << c.vertical << c.second << " part " << c.part);
        EXPECT_EQ(ArrowCell(c.vertical, c.second, c.part), c.cell);
    }
    EXPECT_EQ(ThumbCell(false, 5), 2);
    EXPECT_EQ(ThumbCell(false, 6), 1);
    EXPECT_EQ(ThumbCell(true, 6), 2);
    EXPECT_EQ(ThumbCell(true, 0), 1);
}

}  // namespace
