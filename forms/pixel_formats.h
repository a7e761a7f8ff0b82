#pragma once
// Pixel format changes of a bitmap: the standard colour tables of the indexed formats and the
// conversion between any two formats. Pure computation on forms/pixels.h data, no GDI.

#include <span>
#include <vector>

#include "forms/pixels.h"

// The colour table a bitmap gets when it takes an indexed format: black and white (pf1bit); the
// sixteen named colours clBlack .. clWhite (pf4bit); those sixteen, the 6 x 6 x 6 colour cube
// (levels 0, 51, .., 255) and 24 greys (8, 18, .., 238) (pf8bit). Empty for the others.
std::vector<TPaletteEntry> DefaultPalette(TPixelFormat format);

// The pixels in another format. To pf24bit/pf32bit as ConvertPixels; to an indexed format each
// pixel becomes the index of the nearest colour of targetPalette (least squared distance over
// red, green and blue; the lowest index among equals), so colours in the table stay exact.
TPixelImage ConvertPixelFormat(const TConstPixelView& source,
                               std::span<const TPaletteEntry> sourcePalette, TPixelFormat target,
                               std::span<const TPaletteEntry> targetPalette);
