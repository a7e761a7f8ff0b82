#pragma once
// BitmapToRegion: the window shape of a skinned frame, made from a colour-keyed bitmap.
//
// The pixel scan (bitmap_region.h) hands out its one-pixel-high rectangles in batches; each
// batch becomes a region with ExtCreateRegion and the batch regions are united into the result.
// Under Wine one ExtCreateRegion costs time superlinear in its rectangle count (it unites its
// rectangles one at a time), and so does uniting a growing result with many small regions one
// after another, so the batches here are smaller than the scan's default and are united
// pairwise, like a merge sort: equal-sized regions first. A union is a union whatever the
// order, so the region is the same as the one made by uniting every batch into the result in
// turn (the window tests compare both).

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "forms/bitmap.h"
#include "forms/owned.h"

using OwnedRegion = Owned<HRGN, &DeleteObject>;

// Rectangles per ExtCreateRegion call, chosen with bench/bitmap_win_bench.cpp under Wine 8: on
// 1920 x 1080 alternating pixels (a million rectangles) batches of 2000 took 2.7 s, 256 took
// 0.5 s, 32 took 0.12 s and 16 0.11 s; a full-screen frame with rounded corners takes 0.6 ms at
// any size. 32 is within a tenth of the best with half as many calls as 16.
inline constexpr size_t kRegionBatchWin = 32;

// The region of every pixel of the bitmap that is not within the tolerances above the key
// colour (a Windows colour value), shifted by the offsets. The bitmap is set to pf32bit first.
// Never null: a bitmap without opaque pixels gives an empty region. A bitmap less than 2 pixels
// high raises EInvalidGraphicOperation "扫描线索引超界"; EOutOfResources when GDI cannot make a
// region.
OwnedRegion BitmapToRegion(TBitmap& bitmap, int xOffset, int yOffset, uint32_t keyColor,
                           uint8_t redTolerance, uint8_t greenTolerance, uint8_t blueTolerance,
                           size_t batchSize = kRegionBatchWin);

// The same for pf24bit or pf32bit pixels that are not in a TBitmap; nothing is converted.
OwnedRegion PixelsToRegion(const TConstPixelView& pixels, int xOffset, int yOffset,
                           uint32_t keyColor, uint8_t redTolerance, uint8_t greenTolerance,
                           uint8_t blueTolerance, size_t batchSize = kRegionBatchWin);
