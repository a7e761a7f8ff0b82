#include "skin/bitmap_transform.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Bytes per pixel of a view the whole-pixel transforms accept.
size_t PixelBytes(TPixelFormat format, const wchar_t* operation) {
    if (format == TPixelFormat::pf24bit) return 3;
    if (format == TPixelFormat::pf32bit) return 4;
    throw EInvalidGraphicOperation(std::wstring(operation) + L" 需要 24 位或 32 位像素");
}

TPixelImage Rotated(const TConstPixelView& pixels, bool left) {
    const size_t step =
        PixelBytes(pixels.format, left ? L"RotateBitmapLeft" : L"RotateBitmapRight");
    const int w = pixels.width, h = pixels.height;
    TPixelImage result(pixels.format, h, w);
    for (int y = 0; y < w; ++y) {
        uint8_t* out = result.Row(y);
        for (int x = 0; x < h; ++x, out += step) {
            const int oldX = left ? w - 1 - y : y;
            const int oldY = left ? x : h - 1 - x;
            std::memcpy(out, pixels.Row(oldY) + size_t(oldX) * step, step);
        }
    }
    return result;
}

}  // namespace

void GrayBitmap(const TPixelView& pixels) {
    const size_t step = PixelBytes(pixels.format, L"GrayBitmap");
    for (int y = 0; y < pixels.height; ++y) {
        uint8_t* p = pixels.Row(y);
        for (int x = 0; x < pixels.width; ++x, p += step) {
            const uint8_t v = uint8_t((unsigned(p[0]) + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = v;
        }
    }
}

void GrayBitmap(TPixelImage& image) {
    if (image.format != TPixelFormat::pf24bit) {
        image = ConvertPixels(image.View(), image.palette, TPixelFormat::pf24bit);
    }
    GrayBitmap(image.View());
}

void MirrorBitmap(const TPixelView& pixels) {
    const size_t step = PixelBytes(pixels.format, L"MirrorBitmap");
    for (int y = 0; y < pixels.height; ++y) {
        uint8_t* row = pixels.Row(y);
        for (int a = 0, b = pixels.width - 1; a < b; ++a, --b) {
            std::swap_ranges(row + size_t(a) * step, row + size_t(a + 1) * step,
                             row + size_t(b) * step);
        }
    }
}

void FlipBitmap(const TPixelView& pixels) {
    const size_t used = (size_t(pixels.width) * size_t(BitsPerPixel(pixels.format)) + 7) / 8;
    for (int a = 0, b = pixels.height - 1; a < b; ++a, --b) {
        std::swap_ranges(pixels.Row(a), pixels.Row(a) + used, pixels.Row(b));
    }
}

TPixelImage RotatedLeft(const TConstPixelView& pixels) { return Rotated(pixels, true); }
TPixelImage RotatedRight(const TConstPixelView& pixels) { return Rotated(pixels, false); }

void RotateBitmapLeft(TPixelImage& image) { image = RotatedLeft(image.View()); }
void RotateBitmapRight(TPixelImage& image) { image = RotatedRight(image.View()); }
