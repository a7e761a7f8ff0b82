#include "tools/skinart/art.h"

#include <algorithm>
#include <cmath>

namespace skinart {

Rgb Mix(Rgb a, Rgb b, double t) {
    const auto m = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

std::vector<uint8_t> Encode(const Image& image) {
    const int row = (image.w * 3 + 3) & ~3;
    std::vector<uint8_t> f;
    const auto put = [&f](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f.push_back(uint8_t(v >> (8 * i)));
    };
    f.push_back('B');
    f.push_back('M');
    put(uint32_t(54 + row * image.h), 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(uint32_t(image.w), 4);
    put(uint32_t(image.h), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(uint32_t(row * image.h), 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int y = image.h - 1; y >= 0; --y) {
        for (int x = 0; x < image.w; ++x) {
            const Rgb c = image.px[size_t(y * image.w + x)];
            f.push_back(uint8_t(c.b));
            f.push_back(uint8_t(c.g));
            f.push_back(uint8_t(c.r));
        }
        for (int p = image.w * 3; p < row; ++p) f.push_back(0);
    }
    return f;
}

bool InRound(int x, int y, int w, int h, double r) {
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    const double cx = x + 0.5, cy = y + 0.5;
    const double dx = std::max({r - cx, cx - (w - r), 0.0});
    const double dy = std::max({r - cy, cy - (h - r), 0.0});
    return dx * dx + dy * dy <= r * r + 0.01;
}

void RoundedCell(Image& image, int ox, int oy, int w, int h, double r, const Face& face) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Rgb& p = image.At(ox + x, oy + y);
            if (!InRound(x, y, w, h, r)) continue;
            const bool edge = !InRound(x - 1, y, w, h, r) || !InRound(x + 1, y, w, h, r) ||
                              !InRound(x, y - 1, w, h, r) || !InRound(x, y + 1, w, h, r);
            const bool ring = !edge && face.inner.g != kKey.g &&
                              (!InRound(x - 2, y, w, h, r) || !InRound(x + 2, y, w, h, r) ||
                               !InRound(x, y - 2, w, h, r) || !InRound(x, y + 2, w, h, r));
            p = edge   ? face.outline
                : ring ? face.inner
                       : Mix(face.top, face.bottom, h > 1 ? double(y) / (h - 1) : 0);
        }
    }
}

void Glyph(Image& image, int ox, int oy, int n, Rgb c, const std::function<bool(int, int)>& on) {
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (on(x, y)) image.At(ox + x, oy + y) = c;
}

void Blit(Image& target, const Image& source, int ox, int oy) {
    for (int y = 0; y < source.h; ++y)
        for (int x = 0; x < source.w; ++x) target.At(ox + x, oy + y) = source.At(x, y);
}

Image MirroredCells(const Image& source, int cells) {
    Image image(source.w, source.h);
    const int cellWidth = source.w / cells;
    for (int y = 0; y < source.h; ++y)
        for (int x = 0; x < source.w; ++x) {
            const int cell = x / cellWidth, cx = x % cellWidth;
            image.At(x, y) = source.At(cell * cellWidth + (cellWidth - 1 - cx), y);
        }
    return image;
}

Image TransposedCells(const Image& source, int n) {
    Image image(source.w, source.h);
    for (int cell = 0; cell < source.w / n; ++cell)
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) image.At(cell * n + x, y) = source.At(cell * n + y, x);
    return image;
}

}  // namespace skinart
