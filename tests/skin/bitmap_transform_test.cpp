#include <gtest/gtest.h>

#include <vector>

#include "skin/bitmap_transform.h"

namespace {

// An image whose pixel (x, y) is (x, y, 100 + x * 10 + y) as blue, green, red (and alpha 7), so
// every pixel names its own position.
TPixelImage Numbered(TPixelFormat format, int width, int height) {
    TPixelImage image(format, width, height);
    const int step = format == TPixelFormat::pf32bit ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = image.Row(y) + x * step;
            p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = uint8_t(100 + x * 10 + y);
            if (step == 4) p[3] = 7;
        }
    }
    return image;
}

// The old position that the pixel at (x, y) came from.
std::pair<int, int> Origin(const TPixelImage& image, int x, int y) {
    const int step = image.format == TPixelFormat::pf32bit ? 4 : 3;
    const uint8_t* p = image.Row(y) + x * step;
    EXPECT_EQ(p[2], 100 + p[0] * 10 + p[1]);
    if (step == 4) {
        EXPECT_EQ(p[3], 7);
    }
    return {p[0], p[1]};
}

}  // namespace

TEST(BitmapTransform, GrayAveragesDroppingTheRemainder) {
    struct Case {
        uint8_t red, green, blue, grey;
    };
    const Case cases[] = {
        {10, 20, 31, 20}, {0, 0, 2, 0}, {1, 1, 2, 1}, {255, 255, 255, 255}, {255, 0, 255, 170}};
    for (TPixelFormat f : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        const int step = f == TPixelFormat::pf32bit ? 4 : 3;
        TPixelImage image(f, 5, 1);
        for (int i = 0; i < 5; ++i) {
            uint8_t* p = image.Row(0) + i * step;
            p[0] = cases[i].blue, p[1] = cases[i].green, p[2] = cases[i].red;
            if (step == 4) p[3] = 99;
        }
        GrayBitmap(image.View());
        for (int i = 0; i < 5; ++i) {
            const uint8_t* p = image.Row(0) + i * step;
            EXPECT_EQ(p[0], cases[i].grey) << i;
            EXPECT_EQ(p[1], cases[i].grey) << i;
            EXPECT_EQ(p[2], cases[i].grey) << i;
            if (step == 4) {
                EXPECT_EQ(p[3], 99);
            }
        }
    }
}

TEST(BitmapTransform, GrayOfAnImageConvertsToTwentyFourBitsFirst) {
    TPixelImage image(TPixelFormat::pf4bit, 3, 1);
    image.palette = {{31, 20, 10, 0}, {0, 0, 0, 0}, {255, 255, 255, 0}};
    image.Row(0)[0] = 0x02;  // indices 0, 2 and 5 (past the table: black)
    image.Row(0)[1] = 0x50;
    GrayBitmap(image);
    ASSERT_EQ(image.format, TPixelFormat::pf24bit);
    EXPECT_TRUE(image.palette.empty());
    const std::vector<uint8_t> want = {20, 20, 20, 255, 255, 255, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(image.Row(0), image.Row(0) + 9), want);
}

TEST(BitmapTransform, MirrorAndFlipMoveEveryPixel) {
    for (TPixelFormat f : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        for (int width : {1, 4, 5}) {
            TPixelImage image = Numbered(f, width, 3);
            MirrorBitmap(image.View());
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < width; ++x) {
                    EXPECT_EQ(Origin(image, x, y), std::make_pair(width - 1 - x, y));
                }
            }
            FlipBitmap(image.View());
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < width; ++x) {
                    EXPECT_EQ(Origin(image, x, y), std::make_pair(width - 1 - x, 2 - y));
                }
            }
        }
    }
}

TEST(BitmapTransform, FlipTakesPackedRowsAndBottomUpViews) {
    TPixelImage bits(TPixelFormat::pf1bit, 9, 3);
    for (int y = 0; y < 3; ++y)
        bits.Row(y)[0] = uint8_t(y + 1), bits.Row(y)[1] = uint8_t(0x80 >> y);
    FlipBitmap(bits.View());
    EXPECT_EQ(bits.Row(0)[0], 3);
    EXPECT_EQ(bits.Row(0)[1], 0x20);  // the ninth pixel's byte moves with its row
    EXPECT_EQ(bits.Row(2)[0], 1);
    EXPECT_EQ(bits.Row(2)[1], 0x80);

    // The same memory seen bottom-up: its top row is the last row in memory.
    TPixelImage image = Numbered(TPixelFormat::pf24bit, 2, 3);
    const TPixelView bottomUp(TPixelFormat::pf24bit, 2, 3, -ptrdiff_t(image.stride), image.Row(2));
    MirrorBitmap(bottomUp);
    EXPECT_EQ(Origin(image, 0, 0), std::make_pair(1, 0));
    EXPECT_EQ(Origin(image, 1, 2), std::make_pair(0, 2));
}

TEST(BitmapTransform, QuarterTurnsFollowTheirFormulas) {
    const int w = 4, h = 3;
    for (TPixelFormat f : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        const TPixelImage original = Numbered(f, w, h);
        const TPixelImage left = RotatedLeft(original.View());
        const TPixelImage right = RotatedRight(original.View());
        for (const TPixelImage* r : {&left, &right}) {
            ASSERT_EQ(r->format, f);
            ASSERT_EQ(r->width, h);
            ASSERT_EQ(r->height, w);
        }
        for (int y = 0; y < w; ++y) {
            for (int x = 0; x < h; ++x) {
                EXPECT_EQ(Origin(left, x, y), std::make_pair(w - 1 - y, x));
                EXPECT_EQ(Origin(right, x, y), std::make_pair(y, h - 1 - x));
            }
        }
    }
}

TEST(BitmapTransform, ThreeByTwoTurnedLeftThenRightIsUnchanged) {
    const TPixelImage original = Numbered(TPixelFormat::pf24bit, 3, 2);
    TPixelImage image = original;
    RotateBitmapRight(image);
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 3);
    EXPECT_EQ(Origin(image, 1, 0), std::make_pair(0, 0));  // top-left went to the top right
    image = original;
    RotateBitmapLeft(image);
    EXPECT_EQ(Origin(image, 0, 0), std::make_pair(2, 0));  // top-right went to the top left
    RotateBitmapRight(image);
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.bytes, original.bytes);
}

TEST(BitmapTransform, WholePixelTransformsRefusePackedIndices) {
    TPixelImage image(TPixelFormat::pf8bit, 3, 3);
    EXPECT_THROW(MirrorBitmap(image.View()), EInvalidGraphicOperation);
    EXPECT_THROW(GrayBitmap(image.View()), EInvalidGraphicOperation);
    EXPECT_THROW(RotateBitmapLeft(image), EInvalidGraphicOperation);
    EXPECT_THROW(RotatedRight(image.View()), EInvalidGraphicOperation);
}
