#include "forms/pixels.h"

#include <cassert>
#include <string>

int BitsPerPixel(TPixelFormat format) {
    switch (format) {
        case TPixelFormat::pf1bit: return 1;
        case TPixelFormat::pf4bit: return 4;
        case TPixelFormat::pf8bit: return 8;
        case TPixelFormat::pf24bit: return 24;
        case TPixelFormat::pf32bit: return 32;
    }
    return 32;
}

bool IsIndexed(TPixelFormat format) { return BitsPerPixel(format) <= 8; }

size_t DibStride(TPixelFormat format, int width) {
    assert(width >= 0);
    return (size_t(width) * size_t(BitsPerPixel(format)) + 31) / 32 * 4;
}

TPixelImage::TPixelImage(TPixelFormat format, int width, int height)
    : format(format), width(width), height(height) {
    if (width < 0 || height < 0 || width > kMaxImageDimension || height > kMaxImageDimension) {
        throw EInvalidGraphicOperation(L"位图尺寸无效：" + std::to_wstring(width) + L" x " +
                                       std::to_wstring(height));
    }
    stride = DibStride(format, width);
    if (stride * size_t(height) > kMaxImageBytes) {
        throw EInvalidGraphicOperation(L"位图过大：" + std::to_wstring(width) + L" x " +
                                       std::to_wstring(height) + L" 超过 256 MiB");
    }
    bytes.assign(stride * size_t(height), 0);
}

namespace {

// Palette index of pixel x in an indexed row.
unsigned IndexAt(const uint8_t* row, int x, int bits) {
    switch (bits) {
        case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
        case 4: return (x & 1) ? row[x >> 1] & 0x0Fu : row[x >> 1] >> 4;
        default: return row[x];
    }
}

}  // namespace

TPixelImage ConvertPixels(const TConstPixelView& source, std::span<const TPaletteEntry> palette,
                          TPixelFormat target) {
    if (target != TPixelFormat::pf24bit && target != TPixelFormat::pf32bit) {
        throw EInvalidGraphicOperation(L"只能转换为 24 位或 32 位像素");
    }
    TPixelImage result(target, source.width, source.height);
    const int sourceBits = BitsPerPixel(source.format);
    const size_t outStep = target == TPixelFormat::pf32bit ? 4 : 3;
    const TPaletteEntry black{};
    for (int y = 0; y < source.height; ++y) {
        const uint8_t* in = source.Row(y);
        uint8_t* out = result.Row(y);
        for (int x = 0; x < source.width; ++x, out += outStep) {
            uint8_t alpha = 0;
            if (sourceBits <= 8) {
                const unsigned index = IndexAt(in, x, sourceBits);
                const TPaletteEntry& c = index < palette.size() ? palette[index] : black;
                out[0] = c.blue;
                out[1] = c.green;
                out[2] = c.red;
            } else {
                const uint8_t* p = in + size_t(x) * size_t(sourceBits / 8);
                out[0] = p[0];
                out[1] = p[1];
                out[2] = p[2];
                if (sourceBits == 32) alpha = p[3];
            }
            if (outStep == 4) out[3] = alpha;
        }
    }
    return result;
}
