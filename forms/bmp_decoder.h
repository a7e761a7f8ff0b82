#pragma once
// Windows BMP files, read without GDI so that untrusted bytes (skin images, form data) are
// decoded by sanitized, fuzzed code.
//
// Read: BITMAPCOREHEADER, BITMAPINFOHEADER and its 52/56-byte extensions, V4 and V5 headers;
// 1, 4, 8, 16, 24 and 32 bits per pixel; BI_RGB, BI_RLE4, BI_RLE8, BI_BITFIELDS and
// BI_ALPHABITFIELDS; bottom-up and top-down rows. The result is a TPixelImage, top row first:
//   - 1/4/8-bit images (RLE4/RLE8 included) keep their indices, as pf1bit/pf4bit/pf8bit, and
//     their palette, padded with black to 2^bits entries so that every index is valid;
//   - 24-bit images stay pf24bit, 32-bit BI_RGB images stay pf32bit byte for byte;
//   - 16-bit images and bit fields become pf24bit, or pf32bit when there is an alpha mask or the
//     source has 32 bits (alpha 0 without a mask). A channel of n bits scales to 8 bits as
//     round(v * 255 / (2^n - 1));
//   - pixels that RLE skips (end of line, delta, early end of bitmap) are index 0;
//   - unused bits at the end of a row are zero.
// Anything malformed raises EInvalidGraphic whose message says what was wrong and at which byte
// offset of the input; nothing is read or written out of bounds.
//
// Write: BITMAPINFOHEADER, uncompressed, bottom-up: what TBitmap's SaveToStream stores.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "forms/pixels.h"
#include "forms/stream.h"

struct TBmpDecodeOptions {
    // Largest decoded pixel buffer accepted; images beyond kMaxImageDimension are refused anyway.
    size_t maxPixelBytes = kMaxImageBytes;
};

// A whole BMP file: BITMAPFILEHEADER ("BM"), then a packed DIB whose pixels start at the file
// header's offset.
TPixelImage DecodeBmp(std::span<const uint8_t> file, const TBmpDecodeOptions& options = {});
// A packed DIB (a bitmap resource, CF_DIB): info header, masks, colour table, then the pixels.
TPixelImage DecodePackedDib(std::span<const uint8_t> dib, const TBmpDecodeOptions& options = {});
// Decodes a BMP file from the stream's position to its end.
TPixelImage LoadBmpFromStream(TStream& stream);

// A BMP file of the pixels. Indexed formats need a palette of 1 to 2^bits entries.
// EInvalidGraphicOperation for an empty image or a missing palette.
std::vector<uint8_t> EncodeBmp(const TConstPixelView& pixels,
                               std::span<const TPaletteEntry> palette);
std::vector<uint8_t> EncodeBmp(const TPixelImage& image);
void SaveBmpToStream(TStream& stream, const TPixelImage& image);
