#pragma once
// Geometry of skin images: the cells of a strip, and the pieces that the slicing routines copy
// (nine-slice, its border-only form, three-slice, tiling). Only rectangles are computed here; the
// Win32 drawing helpers stretch, tile and blit them with GDI.
//
// Piece tables place their destinations inside `dest`: MakeNineSlice and DrawThreeSlice, which
// draw into an image of the destination's size, pass {0, 0, width, height};
// DrawNineSliceBorder, which draws straight onto the target, passes the destination itself.
//
// Margins (left, top, right, bottom border sizes) below 0 count as 0: a negative border has no
// meaning and would make pieces read outside their cell. Margins larger than the cell still give
// pieces outside it, as they always have; GDI clips such source rectangles to the bitmap.

#include <array>
#include <cstdint>
#include <optional>

#include "forms/exception.h"
#include "forms/geometry.h"

// Integer division by zero: a cell strip with a frame count of 0.
PONDERIX_EXCEPTION(EDivByZero, Exception);

// Cell cellNumber (from 1) of a strip of frameCount equal cells. Horizontal strips: width
// stripWidth div frameCount, full height, cell n at x = (n - 1) * width; vertical strips the same
// downwards. A frame count of 0 raises EDivByZero "被 0 除". A cell number outside 1..frameCount
// has no rectangle: callers draw nothing and read nothing.
std::optional<TRect> CellRect(int stripWidth, int stripHeight, int cellNumber, int frameCount,
                              bool vertical);

// Pieces, named after their place in the destination; nine-slice parts in drawing order, then
// the three-slice ones.
// clang-format off
enum class TSlicePart {
    TopLeft, BottomLeft, TopRight, Left, Top, Centre, BottomRight, Right, Bottom,
    LeftCap, Middle, RightCap
};
// clang-format on

struct TSlicePiece {
    TSlicePart part = TSlicePart::Centre;
    TRect dest;
    TRect source;
    // Fill dest by tiling the source (ForEachTile) instead of stretching it.
    bool tile = false;
};

enum class TCentreMode {
    Stretch,  // MakeNineSlice, DrawNineSlice
    Tile,     // the same with "tile centre" set
    None,     // DrawNineSliceBorder: the border only
};

struct TNineSlice {
    std::array<TSlicePiece, 9> pieces{};
    int count = 0;

    const TSlicePiece* begin() const { return pieces.data(); }
    const TSlicePiece* end() const { return pieces.data() + count; }
};

// The pieces that copy `cell` onto `dest` with unscaled borders. With W x H the destination's
// size, margins that do not fit (left + right > W, or top + bottom > H; equal sums fit) are set
// to 0 in pairs. Corners need both their margins, edges their one margin; the centre is always
// there unless the mode is None. Drawing order: top-left, bottom-left, top-right, left, top,
// centre, bottom-right, right, bottom; a tiled centre's overrun is covered by the pieces after
// it. A destination with right < left or bottom < top gives no pieces.
TNineSlice NineSlicePieces(const TRect& dest, const TRect& cell, const TRect& margins,
                           TCentreMode centre);

// Whether every piece that has somewhere to go reads a non-empty part of a width x height image
// lying wholly inside it: then the pieces paint all of their destination, and an image composed
// from them shows nothing of its own black background.
bool ReadsOnlyInside(const TNineSlice& pieces, int width, int height);

// A horizontal bar: left cap, middle pieces repeated at their own width, right cap (drawn last,
// covering any overrun of the last middle piece). Caps are not zeroed when they do not fit.
struct TThreeSlice {
    TSlicePiece leftCap;
    TSlicePiece rightCap;
    TSlicePiece firstMiddle;
    int middleCount = 0;  // 0 when the cell is no wider than its caps
    int middleStep = 0;   // the middle piece's width

    // Middle piece i (0 <= i < middleCount), at x = left cap + i * step.
    TSlicePiece Middle(int i) const {
        TSlicePiece piece = firstMiddle;
        piece.dest = piece.dest.Offset(i * middleStep, 0);
        return piece;
    }
};

// Nothing (nullopt) when dest's right < left or bottom < top.
std::optional<TThreeSlice> ThreeSlicePieces(const TRect& dest, const TRect& cell, int leftCap,
                                            int rightCap);

// TileBitmap's placements: a piece of pieceWidth x pieceHeight at (x, y) for x = left,
// left + pieceWidth, ... while x < right and, within each x, y = top, top + pieceHeight, ...
// while y < bottom. The last column and row run past dest (callers clip or let later pieces
// cover them). Nothing when the piece has no area.
template <typename Place>
void ForEachTile(const TRect& dest, int pieceWidth, int pieceHeight, Place&& place) {
    if (pieceWidth <= 0 || pieceHeight <= 0) return;
    for (int64_t x = dest.left; x < dest.right; x += pieceWidth) {
        for (int64_t y = dest.top; y < dest.bottom; y += pieceHeight) place(int(x), int(y));
    }
}
