// Drawing helpers shared by the skin image sets of skinart: an RGB image that starts as the key
// colour, its encoding as a 24-bit bottom-up BMP file (as skin painters save them), rounded and
// gradient cells, glyphs, and whole-strip transforms.
//
// Magenta (255, 0, 255) is the key colour: it is left out of window regions and drawn
// transparent.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace skinart {

struct Rgb {
    int r, g, b;
};
inline constexpr Rgb kKey{255, 0, 255};

// The colour a fraction t of the way from a to b, each channel rounded.
Rgb Mix(Rgb a, Rgb b, double t);
inline bool IsKey(Rgb c) { return c.r == kKey.r && c.g == kKey.g && c.b == kKey.b; }

struct Image {
    int w, h;
    std::vector<Rgb> px;
    Image(int w, int h) : w(w), h(h), px(size_t(w * h), kKey) {}
    Rgb& At(int x, int y) { return px[size_t(y * w + x)]; }
    Rgb At(int x, int y) const { return px[size_t(y * w + x)]; }
};

// A complete 24-bit BMP file of the image, rows bottom-up.
std::vector<uint8_t> Encode(const Image& image);

// Pixel (x, y) lies inside a w x h rectangle with corners rounded to radius r.
bool InRound(int x, int y, int w, int h, double r);

struct Face {
    Rgb outline, top, bottom;
    Rgb inner = kKey;  // a second ring inside the outline, when not the key colour
};

// A rounded cell at (ox, oy): key colour outside, a one-pixel outline, a vertical gradient.
void RoundedCell(Image& image, int ox, int oy, int w, int h, double r, const Face& face);

// Sets the pixels of an n x n glyph, offset (ox, oy), where on(x, y) holds.
void Glyph(Image& image, int ox, int oy, int n, Rgb c, const std::function<bool(int, int)>& on);

// Copies source into target at (ox, oy).
void Blit(Image& target, const Image& source, int ox, int oy);

// Each of the strip's `cells` side-by-side cells mirrored left to right (a left border becomes
// the right one).
Image MirroredCells(const Image& source, int cells);

// Each n x n cell of a horizontal strip transposed, so a horizontal part becomes the vertical
// one with light from the same side along the bar.
Image TransposedCells(const Image& source, int n);

}  // namespace skinart
