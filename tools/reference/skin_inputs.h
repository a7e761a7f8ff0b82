#pragma once
// Skin-like inputs made in code: random bytes, repetitive bytes, skin-like BMP images and skin
// description text. The tests, the fuzz seeds and the benchmarks all feed the skin engine with
// them, so they live outside the tests.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace skinref {

inline std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> out(size);
    for (uint8_t& b : out) b = static_cast<uint8_t>(rng() >> 24);
    return out;
}

// A short pattern repeated: long matches at small distances, including overlapping copies.
inline std::vector<uint8_t> RepetitiveBytes(size_t size, size_t period) {
    std::vector<uint8_t> out(size);
    for (size_t i = 0; i < size; ++i)
        out[i] = static_cast<uint8_t>("ab\x00\xff#-="[i % period % 7]);
    return out;
}

inline void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A 24-bit bottom-up Windows BMP file, as a skin painter saves one: a strip of `cells` equal
// cells, each a button face with a vertical gradient, a one-pixel dark border, a bevel (a light
// row under the top border, a dark one over the bottom border), magenta (the transparent key
// colour) in the corners, and uneven anti-aliased shading inside the left and right borders.
inline std::vector<uint8_t> SkinBitmap(int width, int height, int cells, uint32_t seed) {
    std::mt19937 rng(seed);
    const int rowBytes = (width * 3 + 3) & ~3;
    std::vector<uint8_t> bmp;
    bmp.push_back('B');
    bmp.push_back('M');
    PutLE(bmp, uint32_t(54 + rowBytes * height), 4);  // file size
    PutLE(bmp, 0, 4);                                 // reserved
    PutLE(bmp, 54, 4);                                // offset of the pixels
    PutLE(bmp, 40, 4);                                // BITMAPINFOHEADER
    PutLE(bmp, uint32_t(width), 4);
    PutLE(bmp, uint32_t(height), 4);
    PutLE(bmp, 1, 2);   // planes
    PutLE(bmp, 24, 2);  // bits per pixel
    PutLE(bmp, 0, 4);   // BI_RGB
    PutLE(bmp, uint32_t(rowBytes * height), 4);
    PutLE(bmp, 2835, 4);  // 72 dpi
    PutLE(bmp, 2835, 4);
    PutLE(bmp, 0, 4);
    PutLE(bmp, 0, 4);
    const int cellWidth = width / (cells > 0 ? cells : 1);
    const uint8_t base[3] = {uint8_t(rng() % 200), uint8_t(rng() % 200), uint8_t(rng() % 200)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int cx = cellWidth > 0 ? x % cellWidth : x;
            const int cell = cellWidth > 0 ? x / cellWidth : 0;
            const bool corner = (cx < 2 || cx >= cellWidth - 2) && (y < 2 || y >= height - 2);
            const bool border = cx == 0 || cx == cellWidth - 1 || y == 0 || y == height - 1;
            const bool edge = cx == 1 || cx == cellWidth - 2;
            uint8_t px[3];
            for (int c = 0; c < 3; ++c) {
                int v = base[c] + y * 40 / (height > 0 ? height : 1) + cell * 9;
                if (y == height - 2) v = v / 2 + 100;  // rows run bottom-up: the top bevel
                if (y == 1) v = v * 2 / 3;
                if (border) v = v / 3;
                if (edge) v += int(rng() % 9) - 4;
                px[c] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
            }
            if (corner) px[0] = 255, px[1] = 0, px[2] = 255;  // BGR magenta
            bmp.insert(bmp.end(), px, px + 3);
        }
        bmp.insert(bmp.end(), size_t(rowBytes - width * 3), 0);
    }
    return bmp;
}

// Skin description text in the ini dialect of skin files.
inline std::string SkinDescription(int sections) {
    std::string ini = "[Version]\r\nSkinVersion=20000\r\n\r\n[Colours]\r\n";
    ini += "ButtonFaceColour=12632256\r\nButtonShadowColour=8421504\r\n\r\n";
    for (int i = 0; i < sections; ++i) {
        const std::string n = std::to_string(i);
        ini += "[Element" + n + "]\r\nImage=element" + n +
               ".bmp\r\nFrameCount=" + std::to_string(1 + i % 5) +
               "\r\nLeftWidth=" + std::to_string(3 + i % 4) +
               "\r\nTopHeight=" + std::to_string(2 + i % 3) + "\r\nTile=" + std::to_string(i % 2) +
               "\r\nNormalColour2=" + std::to_string(i * 4099 % 16777216) + "\r\n\r\n";
    }
    return ini;
}

}  // namespace skinref
