#include "forms/pixel_formats.h"

namespace {

constexpr TPaletteEntry Entry(uint8_t red, uint8_t green, uint8_t blue) {
    return {blue, green, red, 0};
}

// clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray, clSilver, clRed, clLime,
// clYellow, clBlue, clFuchsia, clAqua, clWhite.
constexpr TPaletteEntry kNamedColors[16] = {
    Entry(0, 0, 0),       Entry(128, 0, 0),   Entry(0, 128, 0),   Entry(128, 128, 0),
    Entry(0, 0, 128),     Entry(128, 0, 128), Entry(0, 128, 128), Entry(128, 128, 128),
    Entry(192, 192, 192), Entry(255, 0, 0),   Entry(0, 255, 0),   Entry(255, 255, 0),
    Entry(0, 0, 255),     Entry(255, 0, 255), Entry(0, 255, 255), Entry(255, 255, 255)};

unsigned Nearest(std::span<const TPaletteEntry> palette, uint8_t blue, uint8_t green, uint8_t red) {
    unsigned best = 0;
    int bestDistance = -1;
    for (unsigned i = 0; i < palette.size(); ++i) {
        const int db = palette[i].blue - blue, dg = palette[i].green - green,
                  dr = palette[i].red - red;
        const int distance = db * db + dg * dg + dr * dr;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
            if (distance == 0) break;
        }
    }
    return best;
}

// Stores index into pixel x of an indexed row, leftmost pixel in the high bits.
void PutIndex(uint8_t* row, int x, int bits, unsigned index) {
    const int perByte = 8 / bits;
    const int shift = 8 - bits * (x % perByte + 1);
    uint8_t& b = row[x / perByte];
    const uint8_t mask = static_cast<uint8_t>(((1u << bits) - 1) << shift);
    b = static_cast<uint8_t>((b & ~mask) | ((index << shift) & mask));
}

}  // namespace

std::vector<TPaletteEntry> DefaultPalette(TPixelFormat format) {
    switch (format) {
        case TPixelFormat::pf1bit: return {Entry(0, 0, 0), Entry(255, 255, 255)};
        case TPixelFormat::pf4bit: return {std::begin(kNamedColors), std::end(kNamedColors)};
        case TPixelFormat::pf8bit: {
            std::vector<TPaletteEntry> palette(std::begin(kNamedColors), std::end(kNamedColors));
            for (int r = 0; r < 6; ++r)
                for (int g = 0; g < 6; ++g)
                    for (int b = 0; b < 6; ++b)
                        palette.push_back(Entry(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)));
            for (int i = 0; i < 24; ++i) {
                const auto v = uint8_t(8 + 10 * i);
                palette.push_back(Entry(v, v, v));
            }
            return palette;
        }
        default: return {};
    }
}

TPixelImage ConvertPixelFormat(const TConstPixelView& source,
                               std::span<const TPaletteEntry> sourcePalette, TPixelFormat target,
                               std::span<const TPaletteEntry> targetPalette) {
    if (!IsIndexed(target)) return ConvertPixels(source, sourcePalette, target);
    if (targetPalette.empty()) throw EInvalidGraphicOperation(L"索引像素格式缺少调色板");
    const TPixelImage colors = ConvertPixels(source, sourcePalette, TPixelFormat::pf24bit);
    TPixelImage result(target, source.width, source.height);
    result.palette.assign(targetPalette.begin(), targetPalette.end());
    const int bits = BitsPerPixel(target);
    for (int y = 0; y < source.height; ++y) {
        const uint8_t* in = colors.Row(y);
        uint8_t* out = result.Row(y);
        for (int x = 0; x < source.width; ++x, in += 3) {
            PutIndex(out, x, bits, Nearest(targetPalette, in[0], in[1], in[2]));
        }
    }
    return result;
}
