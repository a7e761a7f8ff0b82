#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

#include "forms/text.h"
#include "skin/bitmap_slice.h"

static void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

using P = TSlicePart;

std::vector<P> Parts(const TNineSlice& slice) {
    std::vector<P> parts;
    for (const TSlicePiece& piece : slice) parts.push_back(piece.part);
    return parts;
}

}  // namespace

TEST(BitmapSlice, CellsAreEqualSlicesOfTheStrip) {
    struct Case {
        int width, height, cell, count;
        bool vertical;
        std::optional<TRect> want;
    };
    const Case cases[] = {
        {103, 20, 2, 4, false, TRect{25, 0, 50, 20}},  // 103 div 4 = 25
        {30, 61, 3, 3, true, TRect{0, 40, 30, 60}},   {16, 16, 1, 1, false, TRect{0, 0, 16, 16}},
        {3, 8, 2, 4, false, TRect{0, 0, 0, 8}},  // more cells than pixels: empty cells
        {100, 20, 0, 4, false, std::nullopt},         {100, 20, 5, 4, false, std::nullopt},
        {100, 20, -1, 4, true, std::nullopt},         {100, 20, 1, -2, false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CellRect(c.width, c.height, c.cell, c.count, c.vertical), c.want)
            << "cell " << c.cell << " of " << c.count;
    }
    try {
        CellRect(100, 20, 1, 0, false);
        ADD_FAILURE() << "frame count 0 accepted";
    } catch (const EDivByZero& e) {
        EXPECT_EQ(WideToUtf8(e.Message()), "被 0 除");
    }
}

TEST(BitmapSlice, NineSlicePiecesCopyBordersUnscaledInDrawingOrder) {
    const TRect cell = *CellRect(60, 16, 2, 3, false);  // (20, 0, 40, 16)
    const TNineSlice slice =
        NineSlicePieces({7, 9, 57, 39}, cell, {3, 4, 5, 6}, TCentreMode::Stretch);
    const std::vector<std::pair<TRect, TRect>> want = {
        {{7, 9, 10, 13}, {20, 0, 23, 4}},      // top-left
        {{7, 33, 10, 39}, {20, 10, 23, 16}},   // bottom-left
        {{52, 9, 57, 13}, {35, 0, 40, 4}},     // top-right
        {{7, 13, 10, 33}, {20, 4, 23, 10}},    // left
        {{10, 9, 52, 13}, {23, 0, 35, 4}},     // top
        {{10, 13, 52, 33}, {23, 4, 35, 10}},   // centre
        {{52, 33, 57, 39}, {35, 10, 40, 16}},  // bottom-right
        {{52, 13, 57, 33}, {35, 4, 40, 10}},   // right
        {{10, 33, 52, 39}, {23, 10, 35, 16}},  // bottom
    };
    EXPECT_EQ(Parts(slice), (std::vector<P>{P::TopLeft, P::BottomLeft, P::TopRight, P::Left, P::Top,
                                            P::Centre, P::BottomRight, P::Right, P::Bottom}));
    ASSERT_EQ(slice.count, 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(slice.pieces[size_t(i)].dest, want[size_t(i)].first) << i;
        EXPECT_EQ(slice.pieces[size_t(i)].source, want[size_t(i)].second) << i;
        EXPECT_FALSE(slice.pieces[size_t(i)].tile);
    }
}

TEST(BitmapSlice, MarginsThatDoNotFitAreDroppedInPairs) {
    // 4 + 4 > 6: left and right go, and the top edge spans the whole cell width.
    const TNineSlice narrow =
        NineSlicePieces({0, 0, 6, 20}, {0, 0, 12, 12}, {4, 4, 4, 4}, TCentreMode::Stretch);
    EXPECT_EQ(Parts(narrow), (std::vector<P>{P::Top, P::Centre, P::Bottom}));
    EXPECT_EQ(narrow.pieces[0].dest, (TRect{0, 0, 6, 4}));
    EXPECT_EQ(narrow.pieces[0].source, (TRect{0, 0, 12, 4}));
    EXPECT_EQ(narrow.pieces[1].source, (TRect{0, 4, 12, 8}));

    // 3 + 3 = 6 fits: an empty centre between the two edges.
    const TNineSlice exact =
        NineSlicePieces({0, 0, 6, 5}, {0, 0, 12, 12}, {3, 0, 3, 0}, TCentreMode::Stretch);
    EXPECT_EQ(Parts(exact), (std::vector<P>{P::Left, P::Centre, P::Right}));
    EXPECT_EQ(exact.pieces[1].dest, (TRect{3, 0, 3, 5}));
    EXPECT_EQ(exact.pieces[2].dest, (TRect{3, 0, 6, 5}));
}

// A nine-slice can go straight onto its target only when its pieces paint all of it.
TEST(BitmapSlice, PiecesReadOnlyInsideTheImageWhenEachHasPixelsThere) {
    const TRect margins{4, 4, 4, 4};
    // A 12 x 12 cell in a 24 x 12 strip, drawn larger and smaller than itself.
    EXPECT_TRUE(ReadsOnlyInside(
        NineSlicePieces({5, 5, 105, 35}, {12, 0, 24, 12}, margins, TCentreMode::Stretch), 24, 12));
    EXPECT_TRUE(ReadsOnlyInside(
        NineSlicePieces({0, 0, 6, 20}, {0, 0, 12, 12}, margins, TCentreMode::Tile), 24, 12));
    // A cell no wider than its margins leaves the top and bottom edges and the centre nothing
    // to read.
    EXPECT_FALSE(ReadsOnlyInside(
        NineSlicePieces({0, 0, 40, 40}, {0, 0, 8, 12}, margins, TCentreMode::Stretch), 24, 12));
    // A cell reaching past the image (a frame count that does not divide the strip).
    EXPECT_FALSE(ReadsOnlyInside(
        NineSlicePieces({0, 0, 40, 40}, {20, 0, 32, 12}, margins, TCentreMode::Stretch), 24, 12));
    // An empty destination draws nothing and needs nothing.
    EXPECT_TRUE(ReadsOnlyInside(
        NineSlicePieces({0, 0, 0, 0}, {0, 0, 8, 12}, margins, TCentreMode::Stretch), 24, 12));
}

TEST(BitmapSlice, PiecesNeedTheirMarginsAndTheCentreFollowsTheMode) {
    struct Case {
        TRect margins;
        TCentreMode mode;
        std::vector<P> parts;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, TCentreMode::Stretch, {P::Centre}},
        {{2, 0, 0, 0}, TCentreMode::Stretch, {P::Left, P::Centre}},
        {{0, 2, 0, 0}, TCentreMode::Tile, {P::Top, P::Centre}},
        {{0, 0, 2, 2}, TCentreMode::Stretch, {P::Centre, P::BottomRight, P::Right, P::Bottom}},
        {{2, 2, 2, 2},
         TCentreMode::None,
         {P::TopLeft, P::BottomLeft, P::TopRight, P::Left, P::Top, P::BottomRight, P::Right,
          P::Bottom}},
        {{-3, 2, 0, -1}, TCentreMode::Stretch, {P::Top, P::Centre}},  // negatives count as 0
    };
    for (const Case& c : cases) {
        const TNineSlice slice = NineSlicePieces({0, 0, 20, 20}, {0, 0, 8, 8}, c.margins, c.mode);
        EXPECT_EQ(Parts(slice), c.parts);
        for (const TSlicePiece& piece : slice) {
            EXPECT_EQ(piece.tile, c.mode == TCentreMode::Tile && piece.part == P::Centre);
            if (piece.part == P::Centre) {
                EXPECT_EQ(piece.dest.left, std::max(c.margins.left, 0));
            }
        }
    }
    EXPECT_EQ(NineSlicePieces({5, 0, 4, 10}, {0, 0, 8, 8}, {}, TCentreMode::Stretch).count, 0);
    EXPECT_EQ(NineSlicePieces({0, 5, 10, 4}, {0, 0, 8, 8}, {}, TCentreMode::Stretch).count, 0);
}

TEST(BitmapSlice, ThreeSliceRepeatsTheMiddleAtItsOwnWidth) {
    const auto bar = ThreeSlicePieces({100, 50, 195, 58}, {0, 0, 40, 8}, 10, 10);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->leftCap.dest, (TRect{100, 50, 110, 58}));
    EXPECT_EQ(bar->leftCap.source, (TRect{0, 0, 10, 8}));
    ASSERT_EQ(bar->middleCount, 4);
    for (int i = 0; i < 4; ++i) {
        const TSlicePiece middle = bar->Middle(i);
        EXPECT_EQ(middle.dest, (TRect{110 + 20 * i, 50, 130 + 20 * i, 58})) << i;  // 10, 30, 50, 70
        EXPECT_EQ(middle.source, (TRect{10, 0, 30, 8}));
    }
    EXPECT_EQ(bar->rightCap.dest, (TRect{185, 50, 195, 58}));  // x = 85 covers the overrun
    EXPECT_EQ(bar->rightCap.source, (TRect{30, 0, 40, 8}));

    struct Case {
        int cellWidth, destWidth, left, right, middles;
    };
    const Case cases[] = {
        {20, 95, 10, 10, 0},                    // no middle in the cell
        {15, 95, 10, 10, 0},                    // caps wider than the cell
        {40, 15, 10, 10, 0},                    // caps overlap in the destination
        {40, 50, 10, 10, 2},                    // the second piece runs under the right cap
        {40, 30, 10, 10, 1}, {5, 8, -2, 0, 2},  // a negative cap counts as 0
    };
    for (const Case& c : cases) {
        const auto slice =
            ThreeSlicePieces({0, 0, c.destWidth, 4}, {0, 0, c.cellWidth, 4}, c.left, c.right);
        ASSERT_TRUE(slice);
        EXPECT_EQ(slice->middleCount, c.middles) << c.cellWidth << " into " << c.destWidth;
    }
    EXPECT_FALSE(ThreeSlicePieces({10, 0, 9, 4}, {0, 0, 40, 4}, 10, 10));
}

TEST(BitmapSlice, TilesStartAtTheCornerAndRunPastTheFarEdges) {
    std::vector<std::pair<int, int>> placed;
    auto place = [&](int x, int y) { placed.emplace_back(x, y); };
    ForEachTile({1, 2, 11, 9}, 4, 3, place);
    EXPECT_EQ(placed, (std::vector<std::pair<int, int>>{
                          {1, 2}, {1, 5}, {1, 8}, {5, 2}, {5, 5}, {5, 8}, {9, 2}, {9, 5}, {9, 8}}));
    placed.clear();
    ForEachTile({0, 0, 10, 10}, 0, 3, place);
    ForEachTile({0, 0, 10, 10}, 4, -1, place);
    ForEachTile({0, 0, 0, 10}, 4, 4, place);
    EXPECT_TRUE(placed.empty());
}
