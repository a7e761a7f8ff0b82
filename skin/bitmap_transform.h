#pragma once
// Whole-bitmap transforms of the skin engine: grey, mirror, flip and the two quarter turns, on
// DIB pixels (forms/pixels.h). The Win32 bitmap class runs them on its own pixels through a
// view; the rotations make a new image, since width and height swap.
//
// Mirror, grey and the rotations read whole pixels, so they take pf24bit or pf32bit pixels (in
// pf32bit the fourth byte travels with its pixel) and raise EInvalidGraphicOperation for any
// other format rather than misread packed indices.

#include "forms/pixels.h"

// Every pixel's blue, green and red become (red + green + blue) div 3.
void GrayBitmap(const TPixelView& pixels);
// Converts the image to pf24bit first (any format), then greys it.
void GrayBitmap(TPixelImage& image);

// Left and right swapped.
void MirrorBitmap(const TPixelView& pixels);
// Upside down; any pixel format.
void FlipBitmap(const TPixelView& pixels);

// A quarter turn anticlockwise: new pixel (X, Y) = old pixel (W - 1 - Y, X), so the old top-right
// corner becomes the new top-left one.
TPixelImage RotatedLeft(const TConstPixelView& pixels);
// A quarter turn clockwise: new pixel (X, Y) = old pixel (Y, H - 1 - X), so the old top-left
// corner becomes the new top-right one.
TPixelImage RotatedRight(const TConstPixelView& pixels);
void RotateBitmapLeft(TPixelImage& image);
void RotateBitmapRight(TPixelImage& image);
