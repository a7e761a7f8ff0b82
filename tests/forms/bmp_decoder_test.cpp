#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "forms/bmp_decoder.h"
#include "forms/text.h"
#include "tests/forms/bmp_test_writer.h"

using namespace bmp_test;

namespace {

// The colour a channel value of a mask scales to: the mask's share of full intensity, rounded.
uint8_t Expand(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const double max = double(mask >> shift);
    return uint8_t(std::lround(double((pixel & mask) >> shift) * 255.0 / max));
}

// Index of pixel x in a decoded indexed row, read bit by bit.
uint32_t IndexOf(const uint8_t* row, int x, int bits) {
    uint32_t v = 0;
    for (int b = 0; b < bits; ++b) {
        const size_t bit = size_t(x) * size_t(bits) + size_t(b);
        v = v << 1 | ((row[bit / 8] >> (7 - bit % 8)) & 1);
    }
    return v;
}

Picture MakePicture(int width, int height, const Layout& l) {
    Picture p{width, height, {}, {}};
    if (l.bits <= 8) {
        const int colors = l.header == Header::Core ? 1 << l.bits : std::min(1 << l.bits, 13);
        for (int i = 0; i < colors; ++i) {
            p.palette.push_back({uint8_t(i * 19 + 1), uint8_t(255 - i * 7), uint8_t(i * 3 + 100)});
        }
    }
    // Short runs at the left of each row, single pixels further right.
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245 + 12345;
            uint32_t v;
            if (l.bits <= 8) {
                v = uint32_t(x * x / 5 + 3 * y) % uint32_t(p.palette.size());
            } else if (l.bits == 16) {
                v = (seed >> 8) & 0xFFFF;
            } else if (l.bits == 24) {
                v = (seed >> 4) & 0xFFFFFF;
            } else {
                v = seed ^ (seed >> 13);
            }
            p.values.push_back(v);
        }
    }
    return p;
}

// Compares a decoded image with the picture it came from, pixel by pixel.
void ExpectDecodedAs(const TPixelImage& image, const Picture& p, const Layout& l) {
    ASSERT_EQ(image.width, p.width);
    ASSERT_EQ(image.height, p.height);
    ASSERT_EQ(image.bytes.size(), image.stride * size_t(image.height));
    ASSERT_EQ(image.stride % 4, 0u);
    const bool bitfields = l.coding == Coding::Bitfields || l.coding == Coding::AlphaBitfields;
    std::array<uint32_t, 4> masks = l.masks;
    if (l.bits == 16 && !bitfields) masks = {0x7C00, 0x03E0, 0x001F, 0};
    // A 52-byte header, or a plain one with three masks after it, has no room for alpha.
    if (l.header == Header::Info52 || (l.header == Header::Info && l.coding == Coding::Bitfields)) {
        masks[3] = 0;
    }

    if (l.bits <= 8) {
        const TPixelFormat formats[9] = {
            {}, TPixelFormat::pf1bit, {}, {}, TPixelFormat::pf4bit, {}, {},
            {}, TPixelFormat::pf8bit};
        ASSERT_EQ(image.format, formats[l.bits]);
        ASSERT_EQ(image.palette.size(), size_t(1) << l.bits);
        for (size_t i = 0; i < image.palette.size(); ++i) {
            const Rgb c = i < p.palette.size() ? p.palette[i] : Rgb{};
            const TPaletteEntry want{c.blue, c.green, c.red, 0};
            ASSERT_EQ(image.palette[i], want) << "palette entry " << i;
        }
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                ASSERT_EQ(IndexOf(image.Row(y), x, l.bits), p.At(x, y)) << x << "," << y;
            }
            // Bits past the last pixel are zero.
            const size_t usedBits = size_t(p.width) * size_t(l.bits);
            for (size_t bit = usedBits; bit < image.stride * 8; ++bit) {
                ASSERT_EQ((image.Row(y)[bit / 8] >> (7 - bit % 8)) & 1, 0) << "padding bit " << bit;
            }
        }
        return;
    }
    const bool want32 = l.bits == 32 || (bitfields && masks[3] != 0);
    ASSERT_EQ(image.format, want32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
    const int step = want32 ? 4 : 3;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const uint32_t v = p.At(x, y);
            const uint8_t* px = image.Row(y) + x * step;
            uint8_t want[4];
            if (l.bits == 24) {
                want[0] = uint8_t(v), want[1] = uint8_t(v >> 8), want[2] = uint8_t(v >> 16);
            } else if (l.bits == 32 && !bitfields) {
                for (int i = 0; i < 4; ++i) want[i] = uint8_t(v >> (8 * i));
            } else {
                want[0] = Expand(v, masks[2]);
                want[1] = Expand(v, masks[1]);
                want[2] = Expand(v, masks[0]);
                want[3] = Expand(v, masks[3]);
            }
            for (int i = 0; i < step; ++i) {
                ASSERT_EQ(px[i], want[i]) << "pixel " << x << "," << y << " byte " << i;
            }
        }
    }
}

TPixelImage Decode(const std::vector<uint8_t>& bytes, const Layout& l) {
    return l.fileHeader ? DecodeBmp(bytes) : DecodePackedDib(bytes);
}

// Every header, depth, coding and row order the decoder reads.
std::vector<Layout> AllLayouts() {
    std::vector<Layout> layouts;
    for (int bits : {1, 4, 8, 24}) layouts.push_back({Header::Core, bits});
    for (Header h : {Header::Info, Header::V4, Header::V5}) {
        for (int bits : {1, 4, 8, 16, 24, 32}) {
            for (bool topDown : {false, true}) layouts.push_back({h, bits, Coding::Rgb, topDown});
        }
    }
    for (Header h : {Header::Info, Header::V5}) {
        for (Coding c : {Coding::Rle8, Coding::Rle4}) {
            for (bool absolute : {false, true}) {
                layouts.push_back({h, c == Coding::Rle8 ? 8 : 4, c, false, {}, absolute});
            }
        }
    }
    const std::array<uint32_t, 4> r565 = {0xF800, 0x07E0, 0x001F, 0};
    const std::array<uint32_t, 4> argb4444 = {0x0F00, 0x00F0, 0x000F, 0xF000};
    const std::array<uint32_t, 4> argb1555 = {0x7C00, 0x03E0, 0x001F, 0x8000};
    const std::array<uint32_t, 4> rgb101010 = {0x3FF00000, 0x000FFC00, 0x000003FF, 0};
    const std::array<uint32_t, 4> argb8888 = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    const std::array<uint32_t, 4> bgr888 = {0x000000FF, 0x0000FF00, 0x00FF0000, 0};
    layouts.push_back({Header::Info, 16, Coding::Bitfields, false, r565});
    layouts.push_back({Header::Info, 16, Coding::Bitfields, true, r565});
    layouts.push_back({Header::Info, 16, Coding::AlphaBitfields, false, argb4444});
    layouts.push_back({Header::Info52, 16, Coding::Bitfields, false, r565});
    layouts.push_back({Header::Info56, 16, Coding::Bitfields, false, argb1555});
    layouts.push_back({Header::V4, 16, Coding::Bitfields, true, argb1555});
    layouts.push_back({Header::Info, 32, Coding::Bitfields, false, rgb101010});
    layouts.push_back({Header::Info, 32, Coding::Bitfields, false, bgr888});
    layouts.push_back({Header::Info52, 32, Coding::Bitfields, false, argb8888});
    layouts.push_back({Header::V5, 32, Coding::Bitfields, false, argb8888});
    layouts.push_back({Header::V5, 32, Coding::Bitfields, true, rgb101010});
    // Packed DIBs: pixels right after the colour table (or the masks).
    for (Layout l : {Layout{Header::Info, 8}, Layout{Header::Core, 4}, Layout{Header::Info, 24},
                     Layout{Header::Info, 16, Coding::Bitfields, false, r565},
                     Layout{Header::Info, 8, Coding::Rle8}}) {
        l.fileHeader = false;
        layouts.push_back(l);
    }
    return layouts;
}

std::string Describe(const Layout& l, int w, int h) {
    return "header " + std::to_string(uint32_t(l.header)) + ", " + std::to_string(l.bits) +
           " bits, coding " + std::to_string(uint32_t(l.coding)) + (l.topDown ? ", top-down" : "") +
           (l.absoluteRuns ? ", absolute runs" : "") + (l.fileHeader ? "" : ", packed") + ", " +
           std::to_string(w) + "x" + std::to_string(h);
}

}  // namespace

TEST(BmpDecoder, DecodesEveryLayoutPixelExactly) {
    const int sizes[][2] = {{1, 1}, {3, 2}, {5, 3}, {17, 4}, {33, 5}, {300, 2}};
    int decoded = 0;
    for (const Layout& l : AllLayouts()) {
        for (const auto& size : sizes) {
            SCOPED_TRACE(Describe(l, size[0], size[1]));
            const Picture p = MakePicture(size[0], size[1], l);
            ExpectDecodedAs(Decode(Write(p, l), l), p, l);
            ++decoded;
        }
    }
    EXPECT_GT(decoded, 300);
}

TEST(BmpDecoder, EveryProperPrefixOfAFileIsRejected) {
    for (const Layout& l :
         {Layout{Header::Info, 8}, Layout{Header::Core, 1},
          Layout{Header::V5, 24, Coding::Rgb, true},
          Layout{Header::Info, 4, Coding::Rle4, false, {}, true},
          Layout{Header::Info, 16, Coding::Bitfields, false, {0xF800, 0x07E0, 0x001F, 0}}}) {
        const std::vector<uint8_t> file = Write(MakePicture(7, 3, l), l);
        for (size_t n = 0; n < file.size(); ++n) {
            const std::vector<uint8_t> prefix(file.begin(), file.begin() + ptrdiff_t(n));
            EXPECT_THROW(DecodeBmp(prefix), EInvalidGraphic)
                << Describe(l, 7, 3) << ", first " << n << " bytes";
        }
    }
}

TEST(BmpDecoder, RleEscapesSkipPixelsAndAlternateNibbles) {
    struct Case {
        Coding coding;
        int width, height;
        std::vector<uint8_t> stream;
        std::vector<std::vector<uint32_t>> rows;  // top row first
    };
    const Case cases[] = {
        // Two pixels of 5, end of line, delta (1, 1), one pixel of 7, end of bitmap.
        {Coding::Rle8,
         4,
         3,
         {2, 5, 0, 0, 0, 2, 1, 1, 1, 7, 0, 1},
         {{0, 7, 0, 0}, {0, 0, 0, 0}, {5, 5, 0, 0}}},
        // An absolute run of odd length is padded to a word; the end of bitmap comes early.
        {Coding::Rle8, 5, 2, {0, 3, 9, 8, 6, 0, 2, 4, 0, 1}, {{0, 0, 0, 0, 0}, {9, 8, 6, 4, 4}}},
        // A run of 5 alternates the byte's two nibbles; an absolute run of 3 nibbles.
        {Coding::Rle4, 8, 1, {5, 0x12, 0, 3, 0x34, 0x50, 0, 1}, {{1, 2, 1, 2, 1, 3, 4, 5}}},
        // A delta straight to the end of a row, then end of line onto the next.
        {Coding::Rle4,
         3,
         2,
         {1, 0xF0, 0, 2, 2, 0, 0, 0, 3, 0xAA, 0, 1},
         {{10, 10, 10}, {15, 0, 0}}},
    };
    for (const Case& c : cases) {
        const Layout l{Header::Info, c.coding == Coding::Rle8 ? 8 : 4, c.coding};
        Picture p{c.width, c.height, {}, std::vector<Rgb>(16)};
        for (const auto& row : c.rows) p.values.insert(p.values.end(), row.begin(), row.end());
        ExpectDecodedAs(DecodeBmp(WriteWithBits(p, l, c.stream)), p, l);
    }
}

TEST(BmpDecoder, MalformedFilesNameTheFaultAndItsOffset) {
    const Layout info8{Header::Info, 8};
    const Picture pic8 = MakePicture(4, 2, info8);  // 13 colours: table at 54, pixels at 106
    const std::vector<uint8_t> good8 = Write(pic8, info8);
    const Layout rle8{Header::Info, 8, Coding::Rle8};
    const Layout fields{Header::Info, 16, Coding::Bitfields, false, {0xF800, 0x07E0, 0x001F, 0}};
    const Picture pic16 = MakePicture(4, 2, fields);

    auto patched = [](std::vector<uint8_t> bytes, size_t at, uint32_t value, int width = 4) {
        for (int i = 0; i < width; ++i) bytes[at + size_t(i)] = uint8_t(value >> (8 * i));
        return bytes;
    };
    auto cut = [](std::vector<uint8_t> bytes, size_t size) {
        bytes.resize(size);
        return bytes;
    };
    auto rle = [&](int width, int height, std::vector<uint8_t> stream) {
        return WriteWithBits(Picture{width, height, {}, pic8.palette}, rle8, stream);
    };
    auto withMasks = [&](std::array<uint32_t, 4> masks) {
        Layout l = fields;
        l.masks = masks;
        return WriteWithBits(pic16, l, PackRows(pic16, l));
    };

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;  // expected part of the message, UTF-8
    };
    const Case cases[] = {
        {"empty", {}, "（偏移 0）：文件只有 0 字节"},
        {"not BM", patched(good8, 0, 'B' | 'A' << 8, 2), "（偏移 0）：文件头标记不是 \"BM\""},
        {"offset in file header", patched(good8, 10, 5),
         "（偏移 10）：像素数据偏移 5 落在文件头之内"},
        {"cut in the info header", cut(good8, 30), "（偏移 14）：信息头截断"},
        {"unknown header size", patched(good8, 14, 64), "不支持的信息头大小 64"},
        {"two planes", patched(good8, 26, 2, 2), "（偏移 26）：位面数为 2"},
        {"7 bits", patched(good8, 28, 7, 2), "（偏移 28）：不支持每像素 7 位"},
        {"RLE8 at 4 bits", patched(patched(good8, 28, 4, 2), 30, 1),
         "（偏移 30）：RLE8 压缩要求每像素 8 位"},
        {"bit fields at 8 bits", patched(good8, 30, 3), "位域编码要求每像素 16 或 32 位"},
        {"embedded PNG", patched(good8, 30, 5), "不支持内嵌 JPEG 或 PNG"},
        {"unknown coding", patched(good8, 30, 9), "未知的压缩方式 9"},
        {"width 0", patched(good8, 18, 0), "（偏移 18）：宽度 0 无效"},
        {"width -5", patched(good8, 18, uint32_t(-5)), "宽度 -5 无效"},
        {"height 0", patched(good8, 22, 0), "（偏移 22）：高度为 0"},
        {"height INT_MIN", patched(good8, 22, 0x80000000u), "超过上限 32768 x 32768"},
        {"width 32769", patched(good8, 18, 32769), "尺寸 32769 x 2 超过上限"},
        {"1 GiB of pixels", patched(patched(good8, 18, 32768), 22, 32768), "超过上限 268435456"},
        {"top-down RLE", patched(rle(2, 2, {0, 1}), 22, uint32_t(-2)),
         "自上而下存放的位图不能使用 RLE"},
        {"too many colours", patched(good8, 46, 300), "（偏移 46）：调色板颜色数 300 超过"},
        {"table past the end", cut(good8, 80), "（偏移 54）：调色板（13 色，52 字节）越过文件末尾"},
        {"table over the pixels", patched(good8, 10, 60), "与偏移 60 处的像素数据重叠"},
        {"offset past the end", patched(good8, 10, 5000), "像素数据偏移 5000 越过文件末尾"},
        {"offset in the info header", patched(good8, 10, 20), "像素数据偏移 20 落在信息头之内"},
        {"pixels cut short", cut(good8, good8.size() - 1), "（偏移 106）：像素数据截断"},
        {"masks cut short", cut(withMasks(fields.masks), 60), "（偏移 54）：位域掩码截断"},
        {"zero green mask", withMasks({0xF800, 0, 0x001F, 0}), "（偏移 58）：绿色掩码为 0"},
        {"gappy mask", withMasks({0xF800, 0x0660, 0x001F, 0}), "0x00000660 的位不连续"},
        {"overlapping masks", withMasks({0xF800, 0x0FE0, 0x001F, 0}), "与红色掩码 0x0000F800 重叠"},
        {"mask past 16 bits", withMasks({0x1F0000, 0x07E0, 0x001F, 0}), "超出 16 位像素"},
        {"run past the row", rle(3, 2, {2, 1, 2, 1, 0, 1}),
         "RLE 游程越出自底向上第 0 行：从 x = 2 起 2 个像素"},
        {"run above the image", rle(2, 1, {0, 0, 1, 1, 0, 1}), "RLE 游程写在最后一行之后"},
        {"end of line above the image", rle(2, 1, {0, 0, 0, 0, 0, 1}),
         "RLE 行结束标记越过最后一行"},
        {"delta off the image", rle(4, 2, {1, 1, 0, 2, 4, 0, 0, 1}),
         "RLE 位移 (4, 0) 从 (1, 0) 越出 4 x 2"},
        {"delta cut short", rle(4, 2, {0, 2, 1}), "RLE 位移命令截断"},
        {"absolute run cut short", rle(4, 2, {0, 3, 1, 2, 3}), "RLE 绝对模式数据截断：需要 4 字节"},
        {"no end of bitmap", rle(4, 2, {4, 1, 0, 0, 4, 2}), "RLE 数据在位图结束标记之前截断"},
        {"RLE size past the end", patched(rle(2, 1, {2, 1, 0, 1}), 34, 100),
         "RLE 数据截断：信息头给出 100 字节"},
    };
    for (const Case& c : cases) {
        try {
            DecodeBmp(c.bytes);
            ADD_FAILURE() << c.name << ": decoded";
        } catch (const EInvalidGraphic& e) {
            const std::string message = WideToUtf8(e.Message());
            EXPECT_NE(message.find(c.message), std::string::npos) << c.name << ": " << message;
            EXPECT_EQ(message.rfind("位图图像无效（偏移 ", 0), 0u) << c.name << ": " << message;
        }
    }
}

TEST(BmpDecoder, PackedDibColourTableMustFitAndLimitIsAnOption) {
    Layout l{Header::Info, 24};
    l.fileHeader = false;
    std::vector<uint8_t> dib = Write(MakePicture(2, 2, l), l);
    dib[32] = 0xFF, dib[33] = 0xFF, dib[34] = 0xFF, dib[35] = 0x7F;  // 2^31 - 1 table colours
    EXPECT_THROW(DecodePackedDib(dib), EInvalidGraphic);

    const Layout info{Header::Info, 24};
    const std::vector<uint8_t> file = Write(MakePicture(10, 10, info), info);
    EXPECT_NO_THROW(DecodeBmp(file, {.maxPixelBytes = 320}));
    EXPECT_THROW(DecodeBmp(file, {.maxPixelBytes = 319}), EInvalidGraphic);
}

TEST(BmpEncoder, RoundTripsEveryFormatAndWritesBottomUpInfoHeaderFiles) {
    const std::vector<TPaletteEntry> palette = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
    for (TPixelFormat f : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit,
                           TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TPixelImage image(f, 13, 3);
        const int bits = BitsPerPixel(f);
        if (bits <= 8) {
            image.palette.assign(palette.begin(), palette.begin() + (bits == 1 ? 2 : 3));
        }
        for (int y = 0; y < image.height; ++y) {
            for (size_t i = 0; i < (size_t(image.width) * bits + 7) / 8; ++i) {
                image.Row(y)[i] = uint8_t(bits == 4 ? (i * 3 + y) % 3 * 0x11 : i * 37 + y * 11);
            }
            if (bits == 1) image.Row(y)[1] &= 0xF8;  // 13 pixels: 5 used bits in byte 1
            if (bits == 4) image.Row(y)[6] &= 0xF0;
        }
        const std::vector<uint8_t> file = EncodeBmp(image);
        SCOPED_TRACE(bits);
        const size_t colors = image.palette.size();
        ASSERT_EQ(file.size(), 54 + 4 * colors + image.stride * 3);
        EXPECT_EQ(file[10] | file[11] << 8, int(54 + 4 * colors));  // pixel offset
        EXPECT_EQ(file[14], 40);                                    // BITMAPINFOHEADER
        EXPECT_EQ(file[22], 3);                                     // positive height
        EXPECT_EQ(size_t(file[46]), colors);
        // The bottom row is stored first.
        EXPECT_EQ(file[54 + 4 * colors], image.Row(2)[0]);

        TPixelImage back = DecodeBmp(file);
        EXPECT_EQ(back.format, f);
        EXPECT_EQ(back.bytes, image.bytes);
        if (bits <= 8) {
            back.palette.resize(colors);  // the decoder pads with black
            EXPECT_EQ(back.palette, image.palette);
        }
    }
}

TEST(BmpEncoder, StreamsStartAtTheirPositionAndEmptyImagesAreRefused) {
    TPixelImage image(TPixelFormat::pf24bit, 2, 2);
    image.Row(0)[0] = 0xAB;
    TMemoryStream stream;
    stream.WriteBuffer("xyz", 3);
    SaveBmpToStream(stream, image);
    stream.SetPosition(3);
    EXPECT_EQ(LoadBmpFromStream(stream).bytes, image.bytes);

    EXPECT_THROW(EncodeBmp(TPixelImage(TPixelFormat::pf24bit, 0, 5)), EInvalidGraphicOperation);
    EXPECT_THROW(EncodeBmp(TPixelImage(TPixelFormat::pf8bit, 2, 2)), EInvalidGraphicOperation);
}
