#pragma once
// Win32 drawing helpers of the skin engine: the colour-keyed transparent copy, tiling, and the
// one stretch that every slicing routine copies its pieces with.

#include <windows.h>

#include <cstdint>

#include "forms/bitmap.h"
#include "forms/geometry.h"

// The transparent colour of every skin image: magenta, as a Windows colour value.
inline constexpr uint32_t kSkinKeyColor = 0xFF00FF;

// Copies the bitmap's top-left part of dest's size, unscaled, to dest's top-left corner, leaving
// the target's pixels wherever the bitmap's pixel equals keyColor exactly. Only what the bitmap
// has is copied: a dest larger than the bitmap keeps its pixels beyond the bitmap's size.
// Nothing when dest's right < left or bottom < top. Blends a keyed copy of the image (AlphaBlend,
// one transfer), else uses the masked transfer (MaskBlt), else the three transfers: all three
// give the same pixels. The blend comes first because it is one native transfer everywhere,
// where some platforms (Wine) build MaskBlt out of several transfers and temporary bitmaps.
void DrawTransparent(HDC dc, const TRect& dest, TBitmap& bitmap, uint32_t keyColor);
// The three ways, for callers that must pick one (and for the tests that compare them). The
// blended and the masked one answer false, having drawn nothing, when the platform refuses them
// (a printer context may have no AlphaBlend).
bool DrawTransparentBlended(HDC dc, const TRect& dest, TBitmap& bitmap, uint32_t keyColor);
bool DrawTransparentMasked(HDC dc, const TRect& dest, TBitmap& bitmap, uint32_t keyColor);
// Exclusive-or the bitmap onto the target, and with a monochrome mask (key white, all else black),
// exclusive-or the bitmap again.
void DrawTransparentThreeTransfers(HDC dc, const TRect& dest, TBitmap& bitmap, uint32_t keyColor);

// Copies source's rectangle (clipped to the bitmap; the rest of it black) into a piece of its
// own size and draws that piece at x = left, left + width, ... while x < dest.right and, for each
// x, y = top, top + height, ... while y < dest.bottom. The last column and row are not clipped to
// dest. Nothing when the source rectangle has a negative side or no area.
void TileBitmap(TCanvas& canvas, const TRect& dest, TBitmap& bitmap, const TRect& source);
void TileBitmap(HDC dc, const TRect& dest, TBitmap& bitmap, const TRect& source);

// Copies source onto dest of dc, stretched by the context's stretch mode when the sizes differ.
// Nothing when either rectangle has no area: a source turned inside out by margins wider than
// their cell would otherwise be mirrored.
void StretchPiece(HDC dc, const TRect& dest, HDC sourceDc, const TRect& source);
