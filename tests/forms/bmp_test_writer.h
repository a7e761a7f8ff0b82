#pragma once
// A BMP writer for tests and fuzz seeds, written apart from the decoder: it builds files byte by
// byte from a picture and a choice of header, bit depth, coding and row order, so that decoding
// them checks the decoder against an independent reading of the format.

#include <array>
#include <cstdint>
#include <vector>

namespace bmp_test {

struct Rgb {
    uint8_t red = 0, green = 0, blue = 0;
};

// Header sizes: BITMAPCOREHEADER, BITMAPINFOHEADER and its 52/56-byte extensions, V4, V5.
enum class Header : uint32_t { Core = 12, Info = 40, Info52 = 52, Info56 = 56, V4 = 108, V5 = 124 };
// biCompression values.
enum class Coding : uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3, AlphaBitfields = 6 };

// Pixels top row first. For 1/4/8 bits a value is a palette index; for 24 bits 0xRRGGBB; for 16
// and 32 bits the stored pixel word itself (channels already placed under their masks).
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> values;
    std::vector<Rgb> palette;

    uint32_t At(int x, int y) const { return values[size_t(y) * size_t(width) + size_t(x)]; }
};

struct Layout {
    Header header = Header::Info;
    int bits = 24;
    Coding coding = Coding::Rgb;
    bool topDown = false;
    std::array<uint32_t, 4> masks{};  // red, green, blue, alpha: for bit-field coding
    bool absoluteRuns = false;        // RLE: absolute mode for stretches of single pixels
    bool fileHeader = true;           // false: a packed DIB
};

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v);
    Put16(out, v >> 16);
}

// Uncompressed rows in stored order, each padded to 4 bytes.
inline std::vector<uint8_t> PackRows(const Picture& p, const Layout& l) {
    std::vector<uint8_t> out;
    for (int r = 0; r < p.height; ++r) {
        const int y = l.topDown ? r : p.height - 1 - r;
        const size_t rowStart = out.size();
        if (l.bits < 8) {
            const int perByte = 8 / l.bits;
            for (int x = 0; x < p.width; x += perByte) {
                uint8_t byte = 0;
                for (int i = 0; i < perByte; ++i) {
                    const uint32_t v = x + i < p.width ? p.At(x + i, y) : 0;
                    byte = uint8_t(byte | v << (8 - l.bits * (i + 1)));
                }
                out.push_back(byte);
            }
        } else {
            for (int x = 0; x < p.width; ++x) {
                const uint32_t v = p.At(x, y);
                switch (l.bits) {
                    case 8: out.push_back(uint8_t(v)); break;
                    case 16: Put16(out, v); break;
                    case 24:
                        out.push_back(uint8_t(v));
                        out.push_back(uint8_t(v >> 8));
                        out.push_back(uint8_t(v >> 16));
                        break;
                    default: Put32(out, v); break;
                }
            }
        }
        while ((out.size() - rowStart) % 4 != 0) out.push_back(0);
    }
    return out;
}

// RLE8 / RLE4 rows, bottom row first: runs of one index as encoded runs (at most 255 pixels),
// and with absoluteRuns, stretches of 3 or more single pixels in absolute mode. An end-of-line
// escape after every row but the last, then end of bitmap.
inline std::vector<uint8_t> EncodeRle(const Picture& p, const Layout& l) {
    const bool rle4 = l.coding == Coding::Rle4;
    std::vector<uint8_t> out;
    for (int r = 0; r < p.height; ++r) {
        const int y = p.height - 1 - r;
        int x = 0;
        while (x < p.width) {
            int run = 1;
            while (x + run < p.width && run < 255 && p.At(x + run, y) == p.At(x, y)) ++run;
            int singles = 0;
            if (l.absoluteRuns) {
                while (x + singles < p.width && singles < 255 &&
                       (x + singles + 1 == p.width ||
                        p.At(x + singles + 1, y) != p.At(x + singles, y))) {
                    ++singles;
                }
            }
            if (singles >= 3) {
                out.push_back(0);
                out.push_back(uint8_t(singles));
                const size_t start = out.size();
                for (int i = 0; i < singles; ++i) {
                    const uint32_t v = p.At(x + i, y);
                    if (!rle4) {
                        out.push_back(uint8_t(v));
                    } else if (i % 2 == 0) {
                        out.push_back(uint8_t(v << 4));
                    } else {
                        out.back() = uint8_t(out.back() | v);
                    }
                }
                if ((out.size() - start) % 2 != 0) out.push_back(0);
                x += singles;
            } else {
                const uint32_t v = p.At(x, y);
                out.push_back(uint8_t(run));
                out.push_back(uint8_t(rle4 ? (v << 4 | v) : v));
                x += run;
            }
        }
        if (r + 1 < p.height) {
            out.push_back(0);
            out.push_back(0);
        }
    }
    out.push_back(0);
    out.push_back(1);
    return out;
}

// Headers, masks and colour table for the picture, followed by the given pixel bytes.
inline std::vector<uint8_t> WriteWithBits(const Picture& p, const Layout& l,
                                          const std::vector<uint8_t>& bits) {
    std::vector<uint8_t> dib;
    const uint32_t headerSize = uint32_t(l.header);
    Put32(dib, headerSize);
    if (l.header == Header::Core) {
        Put16(dib, uint32_t(p.width));
        Put16(dib, uint32_t(p.height));
        Put16(dib, 1);
        Put16(dib, uint32_t(l.bits));
    } else {
        Put32(dib, uint32_t(p.width));
        Put32(dib, uint32_t(l.topDown ? -p.height : p.height));
        Put16(dib, 1);
        Put16(dib, uint32_t(l.bits));
        Put32(dib, uint32_t(l.coding));
        Put32(dib, uint32_t(bits.size()));
        Put32(dib, 2835);  // 72 dpi
        Put32(dib, 2835);
        Put32(dib, uint32_t(p.palette.size()));
        Put32(dib, 0);
        // Masks inside the larger headers, then zeros for colour space, gamma and profile.
        for (int i = 0; i < 4 && dib.size() < headerSize; ++i) Put32(dib, l.masks[size_t(i)]);
        dib.resize(headerSize, 0);
        if (l.header == Header::Info && l.coding == Coding::Bitfields) {
            for (int i = 0; i < 3; ++i) Put32(dib, l.masks[size_t(i)]);
        }
        if (l.header == Header::Info && l.coding == Coding::AlphaBitfields) {
            for (int i = 0; i < 4; ++i) Put32(dib, l.masks[size_t(i)]);
        }
    }
    for (const Rgb& c : p.palette) {
        dib.push_back(c.blue);
        dib.push_back(c.green);
        dib.push_back(c.red);
        if (l.header != Header::Core) dib.push_back(0);
    }
    if (!l.fileHeader) {
        dib.insert(dib.end(), bits.begin(), bits.end());
        return dib;
    }
    std::vector<uint8_t> file = {'B', 'M'};
    Put32(file, uint32_t(14 + dib.size() + bits.size()));
    Put32(file, 0);
    Put32(file, uint32_t(14 + dib.size()));
    file.insert(file.end(), dib.begin(), dib.end());
    file.insert(file.end(), bits.begin(), bits.end());
    return file;
}

inline std::vector<uint8_t> Write(const Picture& p, const Layout& l) {
    const bool rle = l.coding == Coding::Rle4 || l.coding == Coding::Rle8;
    return WriteWithBits(p, l, rle ? EncodeRle(p, l) : PackRows(p, l));
}

}  // namespace bmp_test
