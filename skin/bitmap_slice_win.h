#pragma once
// The slicing routines: one cell of a skin image (a strip of frameCount equal cells, numbered
// from 1) copied into a rectangle of any size with its borders unscaled. Geometry comes from
// bitmap_slice.h; the pieces are stretched with the colour-on-colour mode (pixels dropped or
// repeated, never blended) except in DrawFrameCell, which keeps a new context's default mode.
//
// Common rules: a frame count of 0 raises EDivByZero "被 0 除"; a cell number outside
// 1..frameCount draws nothing (and reads nothing); a destination with right < left or
// bottom < top draws nothing. Transparent drawing keys out magenta (kSkinKeyColor).

#include <windows.h>

#include <memory>

#include "forms/bitmap.h"
#include "forms/geometry.h"

// A new bitmap of dest's size (only the size of dest is used; an inside-out dest gives an
// empty bitmap) holding the cell as a nine-slice: corners unscaled, edges stretched along
// their length, centre stretched or, with tileCentre, tiled. margins holds the left, top,
// right and bottom border sizes; a pair that does not fit the destination is dropped. Pixels
// that no piece covers are black (all of them for a cell number outside the strip). pf32bit when
// the strip is pf32bit, else pf24bit.
std::unique_ptr<TBitmap> MakeNineSlice(const TRect& dest, TBitmap& strip, const TRect& margins,
                                       int cellNumber, int frameCount, bool tileCentre,
                                       bool vertical);

// MakeNineSlice's image put at dest's top-left corner, opaquely or keyed.
void DrawNineSlice(HDC dc, const TRect& dest, TBitmap& strip, const TRect& margins, int cellNumber,
                   int frameCount, bool transparent, bool tileCentre, bool vertical);

// The eight border pieces only, stretched straight onto dc; the area inside the border is left
// as it was. Sets dc's stretch mode to colour-on-colour (and leaves it so). The unnamed flag is
// taken for the callers' sake and changes nothing.
void DrawNineSliceBorder(HDC dc, const TRect& dest, TBitmap& strip, const TRect& margins,
                         int cellNumber, int frameCount, bool, bool vertical);

// A bar: left cap and right cap (margins.left and margins.right, never dropped) stretched to
// dest's height, and between them the cell's middle repeated at its own width; the right cap
// is drawn last, over any overrun. A cell no wider than its caps has no middle pieces (that
// stretch of the image stays black).
void DrawThreeSlice(TCanvas& canvas, const TRect& dest, TBitmap& strip, const TRect& margins,
                    int cellNumber, int frameCount, bool transparent, bool vertical);

// The whole cell of a horizontal strip stretched to dest's size and put there.
void DrawFrameCell(HDC dc, const TRect& dest, TBitmap& strip, int cellNumber, int frameCount,
                   bool transparent);
