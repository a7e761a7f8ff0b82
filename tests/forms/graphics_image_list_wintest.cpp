// TImageList: images cut from strips, masks given or keyed by colour, drawn enabled and disabled
// onto a bitmap and read back pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include "forms/image_list.h"

namespace {

void Put(TBitmap& bitmap, int x, int y, COLORREF rgb) {
    uint8_t* p = bitmap.ScanLine(y) + x * 3;
    p[0] = GetBValue(rgb), p[1] = GetGValue(rgb), p[2] = GetRValue(rgb);
}
COLORREF Get(TBitmap& bitmap, int x, int y) {
    const uint8_t* p = bitmap.ScanLine(y) + x * 3;
    return RGB(p[2], p[1], p[0]);
}

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A 4 x 4 image: a (90, 30, 60) square inside a one-pixel frame of the key colour.
void PaintFramedSquare(TBitmap& strip, int left) {
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool inside = x >= 1 && x <= 2 && y >= 1 && y <= 2;
            Put(strip, left + x, y, inside ? RGB(90, 30, 60) : kKey);
        }
}

TEST(ImageList, StripsMasksAndKeyColoursBecomeImages) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    EXPECT_EQ(list.Count(), 0);
    list.SetWidth(4);
    list.SetHeight(4);

    // A strip of two images: the first solid red, the second the framed square.
    TBitmap strip;
    strip.SetSize(8, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) Put(strip, x, y, RGB(255, 0, 0));
    PaintFramedSquare(strip, 4);
    TBitmap mask;  // white (transparent) on the left column of every image
    mask.SetPixelFormat(TPixelFormat::pf1bit);
    mask.SetSize(8, 4);
    for (int y = 0; y < 4; ++y) mask.ScanLine(y)[0] = 0x88;
    EXPECT_EQ(list.Add(strip, &mask), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_NE(list.Handle(), nullptr);

    TBitmap square;
    square.SetSize(4, 4);
    PaintFramedSquare(square, 0);
    EXPECT_EQ(list.AddMasked(square, clFuchsia), 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(Get(square, 0, 0), kKey);  // the caller's bitmap is untouched

    TBitmap target;
    target.SetSize(12, 4);
    target.Canvas()->Brush()->SetColor(clBlue);
    target.Canvas()->FillRect({0, 0, 12, 4});
    for (int i = 0; i < 3; ++i) list.Draw(*target.Canvas(), i * 4, 0, i);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(Get(target, 0, y), kBlue);
        EXPECT_EQ(Get(target, 1, y), RGB(255, 0, 0));
        EXPECT_EQ(Get(target, 4, y), kBlue);
        EXPECT_EQ(Get(target, 5, y), y == 1 || y == 2 ? RGB(90, 30, 60) : kKey);
        for (int x = 8; x < 12; ++x) {
            const bool inside = x >= 9 && x <= 10 && y >= 1 && y <= 2;
            EXPECT_EQ(Get(target, x, y), inside ? RGB(90, 30, 60) : kBlue) << x << ',' << y;
        }
    }

    // Disabled: opaque pixels turn grey, (90 + 30 + 60) / 3 = 60 and 255 / 3 = 85.
    target.Canvas()->FillRect({0, 0, 12, 4});
    list.Draw(*target.Canvas(), 0, 0, 0, false);
    list.Draw(*target.Canvas(), 8, 0, 2, false);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(Get(target, 0, y), kBlue);
        EXPECT_EQ(Get(target, 3, y), RGB(85, 85, 85));
        for (int x = 8; x < 12; ++x) {
            const bool inside = x >= 9 && x <= 10 && y >= 1 && y <= 2;
            EXPECT_EQ(Get(target, x, y), inside ? RGB(60, 60, 60) : kBlue) << x << ',' << y;
        }
    }

    list.Draw(*target.Canvas(), 0, 0, 3);  // no such image: nothing drawn, no failure
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    list.SetWidth(8);  // a new size empties the list
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.SetHeight(0), EInvalidOperation);
}

}  // namespace
