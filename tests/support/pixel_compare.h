#pragma once
// Comparing what a skinned window shows (support/screen_probe.h reads it) with images composed
// from the skin's cells, pixel by pixel, over the pixels that count.

#include <windows.h>

#include <functional>
#include <memory>

#include "forms/bitmap.h"
#include "forms/geometry.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_slice_win.h"
#include "support/screen_probe.h"

inline COLORREF PixelOf(TBitmap& bitmap, int x, int y) {
    return GetPixel(bitmap.Canvas()->Handle(), x, y);
}

// Pixels of shot at (at + x, at + y) that differ from expected's (x, y), for the pixels of
// expected that count (not the key colour, and where counts(x, y) holds).
inline int Mismatches(TBitmap& shot, POINT at, TBitmap& expected,
                      const std::function<bool(int, int)>& counts, int* compared = nullptr) {
    int wrong = 0, seen = 0;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x) {
            const COLORREF want = PixelOf(expected, x, y);
            if (want == kSkinKeyColor || !counts(x, y)) continue;
            const int sx = at.x + x, sy = at.y + y;
            if (sx < 0 || sy < 0 || sx >= shot.Width() || sy >= shot.Height()) continue;
            ++seen;
            wrong += PixelOf(shot, sx, sy) != want;
        }
    if (compared) *compared = seen;
    return wrong;
}

// Pixels of the colour inside r.
inline int PixelsOfColor(TBitmap& shot, const TRect& r, COLORREF color) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) count += PixelOf(shot, x, y) == color;
    return count;
}

// Whether (x, y) lies in the outer ring, `width` pixels wide, of a w x h rectangle.
inline bool InRing(int x, int y, int w, int h, int width) {
    return x < width || y < width || x >= w - width || y >= h - width;
}
