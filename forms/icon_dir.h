#pragma once
// Reading the directory of an .ico file: which image of the file to use, checked against the
// file's length before any of it is handed to the platform.
//
// An .ico file is a 6-byte ICONDIR (reserved 0, type 1, image count) followed by one 16-byte
// entry per image (width, height, colour count, reserved, planes, bit count, byte count, offset)
// and the images themselves: each a BITMAPINFOHEADER with doubled height, a colour table, the
// colour (XOR) rows and the 1-bit mask (AND) rows, bottom-up. PNG-compressed images (Vista
// icons) are refused: the program reads only DIB images. Anything malformed raises
// EInvalidGraphic naming what was wrong and where.

#include <cstddef>
#include <cstdint>
#include <span>

struct TIconImageInfo {
    size_t offset = 0;  // of the image's BITMAPINFOHEADER in the file
    size_t size = 0;    // bytes of the image as the directory gives them
    int width = 0;      // from the image's own header
    int height = 0;     // of the icon (half the header's doubled height)
    int bitCount = 0;
};

// Largest icon side: the directory's one-byte sizes stop at 256.
inline constexpr int kMaxIconDimension = 256;

// Checks the whole directory and every image header it lists, and answers the image to show:
// the largest, and of equal sizes the one with the most colours.
TIconImageInfo ChooseIconImage(std::span<const uint8_t> file);
// Whether bytes start like an .ico file (reserved 0, type 1).
bool LooksLikeIconFile(std::span<const uint8_t> file);
