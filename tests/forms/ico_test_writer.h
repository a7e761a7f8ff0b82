#pragma once
// An .ico writer for tests, written apart from the reader: directory, entries and images laid out
// byte by byte (BITMAPINFOHEADER with doubled height, colour rows bottom-up, then the 1-bit mask).

#include <cstdint>
#include <vector>

namespace ico_test {

struct Image {
    int width = 0;
    int height = 0;
    int bits = 32;                  // 24 or 32
    std::vector<uint32_t> argb;     // top row first, 0xAARRGGBB
    std::vector<bool> transparent;  // top row first; empty: all opaque
};

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// The image's bytes as an .ico file stores them.
inline std::vector<uint8_t> ImageBytes(const Image& image) {
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, uint32_t(image.width));
    Put32(out, uint32_t(image.height * 2));
    Put16(out, 1);
    Put16(out, uint32_t(image.bits));
    for (int i = 0; i < 6; ++i) Put32(out, 0);  // compression, size, resolution, colours
    const size_t colorStride = (size_t(image.width) * size_t(image.bits) + 31) / 32 * 4;
    for (int y = image.height - 1; y >= 0; --y) {
        const size_t start = out.size();
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.argb[size_t(y) * size_t(image.width) + size_t(x)];
            out.push_back(uint8_t(p));
            out.push_back(uint8_t(p >> 8));
            out.push_back(uint8_t(p >> 16));
            if (image.bits == 32) out.push_back(uint8_t(p >> 24));
        }
        out.resize(start + colorStride, 0);
    }
    const size_t maskStride = (size_t(image.width) + 31) / 32 * 4;
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < image.width; ++x) {
            const size_t i = size_t(y) * size_t(image.width) + size_t(x);
            if (!image.transparent.empty() && image.transparent[i])
                row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// A whole .ico file of the given images, in order.
inline std::vector<uint8_t> Write(const std::vector<Image>& images) {
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, uint32_t(images.size()));
    std::vector<std::vector<uint8_t>> data;
    for (const Image& image : images) data.push_back(ImageBytes(image));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].width == 256 ? 0 : images[i].width));
        out.push_back(uint8_t(images[i].height == 256 ? 0 : images[i].height));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, uint32_t(images[i].bits));
        Put32(out, uint32_t(data[i].size()));
        Put32(out, offset);
        offset += uint32_t(data[i].size());
    }
    for (const auto& d : data) out.insert(out.end(), d.begin(), d.end());
    return out;
}

// A square image of one colour with the given transparent pixels.
inline Image Solid(int size, int bits, uint32_t argb) {
    Image image;
    image.width = image.height = size;
    image.bits = bits;
    image.argb.assign(size_t(size) * size_t(size), argb);
    return image;
}

}  // namespace ico_test
