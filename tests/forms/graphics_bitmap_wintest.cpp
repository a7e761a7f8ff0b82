// TBitmap: rows from the top, pixel formats and their conversion, BMP files in and out, resizing,
// copies and drawing, checked through ScanLine against values worked out by hand.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "bmp_test_writer.h"
#include "forms/bitmap.h"

namespace {

struct Rgb {
    uint8_t r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << '(' << int(c.r) << ',' << int(c.g) << ',' << int(c.b) << ')';
}

// Colour of pixel x of row y, whatever the format.
Rgb At(TBitmap& bitmap, int x, int y) {
    const uint8_t* row = bitmap.ScanLine(y);
    const int bits = BitsPerPixel(bitmap.PixelFormat());
    if (bits >= 24) {
        const uint8_t* p = row + x * (bits / 8);
        return {p[2], p[1], p[0]};
    }
    const int perByte = 8 / bits;
    const unsigned index =
        (row[x / perByte] >> (8 - bits * (x % perByte + 1))) & ((1u << bits) - 1);
    const TPaletteEntry& e = bitmap.Palette().at(index);
    return {e.red, e.green, e.blue};
}

void Put24(TBitmap& bitmap, int x, int y, Rgb c) {
    uint8_t* p = bitmap.ScanLine(y) + x * 3;
    p[0] = c.b, p[1] = c.g, p[2] = c.r;
}

TEST(Bitmap, RowsCountFromTheTopForScanLineAndCanvasAlike) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
    bitmap.SetWidth(5);
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetHeight(3);
    ASSERT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);

    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) Put24(bitmap, x, y, {uint8_t(x * 40), uint8_t(y * 80), 7});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bitmap.Canvas()->Pixel(x, y), RGB(x * 40, y * 80, 7)) << x << ',' << y;

    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect({1, 0, 3, 1});
    EXPECT_EQ(At(bitmap, 1, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(At(bitmap, 2, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(At(bitmap, 3, 0), (Rgb{120, 0, 7}));
    EXPECT_EQ(At(bitmap, 1, 1), (Rgb{40, 80, 7}));

    EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.ScanLine(3), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.SetWidth(-1), EInvalidGraphicOperation);
    EXPECT_EQ(bitmap.Width(), 5);
}

// Each source colour and what it becomes in each format, by least squared distance to the
// format's colour table (pf4bit: the 16 named colours; pf8bit adds the 6-level cube and greys).
struct ConversionCase {
    Rgb source, pf1, pf4, pf8;
};
const ConversionCase kConversions[] = {
    {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}},
    {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    {{255, 0, 0}, {0, 0, 0}, {255, 0, 0}, {255, 0, 0}},
    {{255, 0, 255}, {255, 255, 255}, {255, 0, 255}, {255, 0, 255}},
    {{200, 10, 10}, {0, 0, 0}, {255, 0, 0}, {204, 0, 0}},
    {{250, 250, 250}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}},
    {{10, 0, 5}, {0, 0, 0}, {0, 0, 0}, {8, 8, 8}},
    {{101, 101, 101}, {0, 0, 0}, {128, 128, 128}, {102, 102, 102}},
    {{130, 200, 60}, {255, 255, 255}, {128, 128, 0}, {153, 204, 51}},
};

TEST(Bitmap, PixelFormatChangesConvertEveryPixel) {
    struct Target {
        TPixelFormat format;
        size_t paletteSize;
        Rgb ConversionCase::*expected;
    };
    const Target targets[] = {{TPixelFormat::pf1bit, 2, &ConversionCase::pf1},
                              {TPixelFormat::pf4bit, 16, &ConversionCase::pf4},
                              {TPixelFormat::pf8bit, 256, &ConversionCase::pf8},
                              {TPixelFormat::pf32bit, 0, &ConversionCase::source}};
    const int n = int(std::size(kConversions));
    for (const Target& target : targets) {
        SCOPED_TRACE(BitsPerPixel(target.format));
        TBitmap bitmap;
        bitmap.SetSize(n, 2);  // odd width: rows end in padding
        for (int x = 0; x < n; ++x) {
            Put24(bitmap, x, 0, kConversions[x].source);
            Put24(bitmap, n - 1 - x, 1, kConversions[x].source);
        }
        TCanvas* canvas = bitmap.Canvas();
        canvas->Pixel(0, 0);  // the context exists and must follow the new image

        bitmap.SetPixelFormat(target.format);
        EXPECT_EQ(bitmap.PixelFormat(), target.format);
        EXPECT_EQ(bitmap.Palette().size(), target.paletteSize);
        for (int x = 0; x < n; ++x) {
            EXPECT_EQ(At(bitmap, x, 0), kConversions[x].*target.expected) << x;
            EXPECT_EQ(At(bitmap, n - 1 - x, 1), kConversions[x].*target.expected) << x;
        }
        // Drawing after the change lands in the converted image.
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect({0, 1, 1, 2});
        EXPECT_EQ(At(bitmap, 0, 1), (Rgb{255, 255, 255}));

        bitmap.SetPixelFormat(TPixelFormat::pf24bit);
        EXPECT_TRUE(bitmap.Palette().empty());
        for (int x = 1; x < n; ++x) EXPECT_EQ(At(bitmap, x, 0), kConversions[x].*target.expected);
    }
}

TEST(Bitmap, SavedFilesLoadBackIdenticallyInEveryFormat) {
    for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit,
                                TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        SCOPED_TRACE(BitsPerPixel(format));
        TBitmap original;
        original.SetSize(std::size(kConversions), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < original.Width(); ++x)
                Put24(original, x, y, kConversions[(x + y) % std::size(kConversions)].source);
        original.SetPixelFormat(format);

        TMemoryStream stream;
        original.SaveToStream(stream);
        ASSERT_GT(stream.Size(), 54);
        EXPECT_EQ(stream.Memory()[0], 'B');
        stream.SetPosition(0);
        TBitmap loaded;
        loaded.LoadFromStream(stream);
        EXPECT_EQ(loaded.PixelFormat(), format);
        EXPECT_EQ(loaded.Width(), original.Width());
        EXPECT_EQ(loaded.Height(), 3);
        EXPECT_EQ(loaded.Palette(), original.Palette());
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < original.Width(); ++x)
                EXPECT_EQ(At(loaded, x, y), At(original, x, y)) << x << ',' << y;
    }
}

TEST(Bitmap, LoadsAFileWrittenElsewhereAndKeepsItselfWhenAFileIsBad) {
    bmp_test::Picture picture{
        3, 2, {0, 1, 2, 2, 1, 0}, {{10, 20, 30}, {40, 50, 60}, {255, 0, 255}}};
    bmp_test::Layout layout;
    layout.bits = 8;
    TMemoryStream stream(bmp_test::Write(picture, layout));
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    ASSERT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(bitmap.ScanLine(0)[0], 0);
    EXPECT_EQ(bitmap.ScanLine(0)[2], 2);
    EXPECT_EQ(bitmap.ScanLine(1)[0], 2);
    EXPECT_EQ(At(bitmap, 1, 1), (Rgb{40, 50, 60}));
    EXPECT_EQ(bitmap.Canvas()->Pixel(2, 0), RGB(255, 0, 255));

    std::vector<uint8_t> truncated = bmp_test::Write(picture, layout);
    truncated.resize(truncated.size() - 4);
    TMemoryStream bad(truncated);
    EXPECT_THROW(bitmap.LoadFromStream(bad), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(At(bitmap, 2, 0), (Rgb{255, 0, 255}));

    TBitmap empty;
    TMemoryStream out;
    EXPECT_THROW(empty.SaveToStream(out), EInvalidGraphicOperation);
}

TEST(Bitmap, ResizingKeepsTheCommonAreaAndAssignCopies) {
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) Put24(bitmap, x, y, {uint8_t(x + 1), uint8_t(y + 1), 9});
    bitmap.SetSize(2, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(At(bitmap, x, y), (y < 4 ? Rgb{uint8_t(x + 1), uint8_t(y + 1), 9} : Rgb{}))
                << x << ',' << y;

    // Shrinking a 1-bit row inside a byte clears the bits of pixels that are gone.
    TBitmap mono;
    mono.SetPixelFormat(TPixelFormat::pf1bit);
    mono.SetSize(10, 1);
    std::memset(mono.ScanLine(0), 0xFF, 2);
    mono.SetWidth(3);
    EXPECT_EQ(mono.ScanLine(0)[0], 0xE0);

    TBitmap copy;
    copy.Assign(bitmap);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.Height(), 6);
    EXPECT_NE(copy.Handle(), bitmap.Handle());
    Put24(copy, 0, 0, {200, 200, 200});
    EXPECT_EQ(At(bitmap, 0, 0), (Rgb{1, 1, 9}));
    EXPECT_EQ(At(copy, 1, 3), (Rgb{2, 4, 9}));
}

TEST(Bitmap, DrawAndStretchDrawOntoAnotherCanvas) {
    TBitmap tile;
    tile.SetSize(2, 2);
    const Rgb colors[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int q = 0; q < 4; ++q) Put24(tile, q % 2, q / 2, colors[q]);

    TBitmap target;
    target.SetSize(8, 8);
    target.Canvas()->StretchDraw({0, 0, 6, 6}, tile);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(At(target, x, y), colors[(y / 3) * 2 + x / 3]) << x << ',' << y;
    EXPECT_EQ(At(target, 6, 6), Rgb{});

    target.Canvas()->Draw(6, 6, tile);
    EXPECT_EQ(At(target, 6, 6), colors[0]);
    EXPECT_EQ(At(target, 7, 7), colors[3]);
    EXPECT_EQ(At(target, 5, 5), colors[3]);
}

TEST(Bitmap, ImageWaitsForAThreadHoldingTheCanvas) {
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    bitmap.Canvas()->Lock();
    std::atomic<bool> resized = false;
    std::thread other([&] {
        bitmap.SetSize(3, 3);
        resized = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(resized);
    EXPECT_EQ(bitmap.Width(), 2);
    bitmap.Canvas()->Unlock();
    other.join();
    EXPECT_TRUE(resized);
    EXPECT_EQ(bitmap.Width(), 3);
}

}  // namespace
