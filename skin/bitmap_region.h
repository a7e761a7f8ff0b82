#pragma once
// The pixel scan behind BitmapToRegion: every row's runs of opaque pixels become one-pixel-high
// rectangles, handed out in batches so that the Win32 side builds the window region from each
// batch (ExtCreateRegion) and unites it with the result. Many rectangles in one region call cost
// superlinear time under Wine, hence the batches.
//
// A pixel is transparent when each of its red, green and blue lies between the key colour's
// channel and that channel plus its tolerance (capped at 255), both inclusive; the fourth byte of
// pf32bit pixels plays no part. With key 0xFF00FF and tolerance 1, (254, 1, 255) is opaque
// because red must be 255.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "forms/geometry.h"
#include "forms/pixels.h"

// The batch starts with room for 500 rectangles and grows 500 at a time; it is handed out and
// emptied whenever it holds the flush size.
inline constexpr size_t kRegionBatchCapacity = 500;
inline constexpr size_t kRegionBatchGrowth = 500;
inline constexpr size_t kRegionBatchFlush = 2000;
static_assert(kRegionBatchFlush % kRegionBatchGrowth == 0,
              "the default flush size is reached exactly at a capacity step");

// Receives one batch: rectangles in scan order (rows top to bottom, runs left to right).
using TRectBatchSink = std::function<void(std::span<const TRect> batch)>;

// Scans pf24bit or pf32bit pixels (any other format: EInvalidGraphicOperation). Rectangles are
// shifted by the offsets. The sink is called for every full batch and once more at the end with
// what is left, possibly nothing, so that a caller always ends up with a region. keyColor is a
// Windows colour value: red + green * 256 + blue * 65536. A flush size of 0 counts as 1.
// A bitmap less than 2 pixels high fails with EInvalidGraphicOperation "扫描线索引超界", as
// reading its first two scan lines does.
void ScanOpaqueRuns(const TConstPixelView& pixels, int xOffset, int yOffset, uint32_t keyColor,
                    uint8_t redTolerance, uint8_t greenTolerance, uint8_t blueTolerance,
                    const TRectBatchSink& sink, size_t flushSize = kRegionBatchFlush);
