// Canvas, brush, pen and font drawing through GDI, checked pixel by pixel in DIB memory that the
// test makes itself, and the canvas's promise to hand a foreign context back as it found it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "forms/graphics.h"
#include "forms/paint_test_surface.h"

namespace {

// The canvas is checked against memory it does not own, filled with a background first.
class TTestSurface : public TPaintTestSurface {
public:
    TTestSurface(int width, int height) : TPaintTestSurface(width, height) { Fill(0x00ABCDEF); }
};

// TColor is red in the low byte; memory holds blue in the low byte.
constexpr uint32_t Mem(TColor c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
constexpr uint32_t kBackground = 0xABCDEF;

TEST(Canvas, ForeignContextGetsItsOwnObjectsBackAndOursAreFreed) {
    TTestSurface surface(16, 16);
    const HGDIOBJ font = GetCurrentObject(surface.dc, OBJ_FONT);
    const HGDIOBJ brush = GetCurrentObject(surface.dc, OBJ_BRUSH);
    const HGDIOBJ pen = GetCurrentObject(surface.dc, OBJ_PEN);
    const COLORREF textColor = GetTextColor(surface.dc);

    TCanvas canvas;
    canvas.SetHandle(surface.dc);
    canvas.Brush()->SetColor(clRed);
    canvas.Font()->SetColor(clBlue);
    canvas.Pen()->SetColor(clGreen);
    canvas.TextOut(0, 0, L"x");
    canvas.Rectangle({0, 0, 4, 4});
    const HGDIOBJ ourBrush = GetCurrentObject(surface.dc, OBJ_BRUSH);
    EXPECT_EQ(ourBrush, canvas.Brush()->Handle());

    // A change while selected: the old brush must leave the context before it is deleted, so
    // it is really gone afterwards (GDI only defers deleting objects that are still selected).
    canvas.Brush()->SetColor(TColor(0x00FFFF));
    EXPECT_EQ(GetObjectType(ourBrush), 0u);
    canvas.FillRect({0, 0, 2, 2});
    EXPECT_EQ(surface.At(1, 1), Mem(TColor(0x00FFFF)));

    const HGDIOBJ ourFont = canvas.Font()->Handle();
    canvas.SetHandle(nullptr);
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_PEN), pen);
    EXPECT_EQ(GetTextColor(surface.dc), textColor);
    // No longer selected anywhere, so a font change really frees it.
    canvas.Font()->SetHeight(-20);
    EXPECT_EQ(GetObjectType(ourFont), 0u);
}

TEST(Canvas, WithoutAContextDrawingIsRefused) {
    TCanvas canvas;
    EXPECT_THROW(canvas.FillRect({0, 0, 1, 1}), EInvalidOperation);
}

TEST(Canvas, RectanglesFillFrameAndOutlineExactly) {
    TTestSurface surface(20, 20);
    TCanvas canvas;
    canvas.SetHandle(surface.dc);

    canvas.Brush()->SetColor(clRed);
    canvas.FillRect({2, 2, 6, 5});
    EXPECT_EQ(surface.Count(Mem(clRed), {0, 0, 20, 20}), 4 * 3);
    EXPECT_EQ(surface.Count(Mem(clRed), {2, 2, 6, 5}), 4 * 3);

    surface.Fill(kBackground);
    canvas.Brush()->SetColor(clBlue);
    canvas.FrameRect({1, 1, 7, 6});  // 6 x 5 border: 2 * 6 + 2 * 3 pixels
    EXPECT_EQ(surface.Count(Mem(clBlue), {0, 0, 20, 20}), 18);
    EXPECT_EQ(surface.At(3, 3), kBackground);

    surface.Fill(kBackground);
    canvas.Pen()->SetColor(clGreen);
    canvas.Brush()->SetColor(clWhite);
    canvas.Rectangle({10, 10, 15, 14});  // 5 x 4: outline 14 pixels, inside 3 x 2
    EXPECT_EQ(surface.Count(Mem(clGreen), {0, 0, 20, 20}), 14);
    EXPECT_EQ(surface.Count(Mem(clWhite), {11, 11, 14, 13}), 6);

    surface.Fill(kBackground);
    canvas.Pen()->SetColor(clNavy);
    canvas.MoveTo(3, 17);
    canvas.LineTo(13, 17);  // the end point is not drawn
    EXPECT_EQ(surface.Count(Mem(clNavy), {0, 0, 20, 20}), 10);
    EXPECT_EQ(surface.Count(Mem(clNavy), {3, 17, 13, 18}), 10);

    canvas.SetPixel(19, 0, clFuchsia);
    EXPECT_EQ(surface.At(19, 0), Mem(clFuchsia));
    EXPECT_EQ(canvas.Pixel(19, 0), COLORREF(clFuchsia));

    // A clear brush fills nothing; a hatched one paints its lines and leaves the gaps.
    surface.Fill(kBackground);
    canvas.Brush()->SetStyle(bsClear);
    canvas.FillRect({0, 0, 20, 20});
    EXPECT_EQ(surface.Count(kBackground, {0, 0, 20, 20}), 400);
    canvas.Brush()->SetStyle(bsHorizontal);
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect({0, 0, 8, 8});
    const int lines = surface.Count(Mem(clRed), {0, 0, 8, 8});
    EXPECT_GT(lines, 0);
    EXPECT_EQ(surface.Count(kBackground, {0, 0, 8, 8}), 64 - lines);
    EXPECT_GT(64 - lines, 0);
}

TEST(Canvas, TextMeasuresAndFillsItsBackgroundOnlyWithAnOpaqueBrush) {
    TTestSurface surface(200, 40);
    TCanvas canvas;
    canvas.SetHandle(surface.dc);
    canvas.Font()->SetName(L"Arial");
    canvas.Font()->SetHeight(-14);

    const int one = canvas.TextWidth(L"W");
    EXPECT_GT(one, 0);
    EXPECT_EQ(canvas.TextWidth(L"WWW"), 3 * one);
    EXPECT_EQ(canvas.TextWidth(L""), 0);
    const int height = canvas.TextHeight(L"W");
    EXPECT_GE(height, 14);
    canvas.Font()->SetHeight(-28);
    EXPECT_GT(canvas.TextHeight(L"W"), height);
    canvas.Font()->SetHeight(-14);

    // Spaces draw no glyph: the cells show only the background.
    const int spaces = canvas.TextWidth(L"   ");
    canvas.Brush()->SetColor(clRed);
    canvas.TextOut(5, 5, L"   ");
    EXPECT_EQ(surface.Count(Mem(clRed), {0, 0, 200, 40}), spaces * height);
    EXPECT_EQ(surface.Count(Mem(clRed), {5, 5, 5 + spaces, 5 + height}), spaces * height);

    surface.Fill(kBackground);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetColor(clBlue);
    canvas.TextOut(5, 5, L"WWW");
    EXPECT_GT(surface.Count(Mem(clBlue), {5, 5, 5 + 3 * one, 5 + height}), 0);
    // Nothing outside the text's box changes; inside it the background shows between glyphs.
    const TRect box{5, 5, 5 + 3 * one, 5 + height};
    const int boxArea = box.Width() * box.Height();
    EXPECT_EQ(surface.Count(kBackground, {0, 0, 200, 40}) - surface.Count(kBackground, box),
              200 * 40 - boxArea);
    EXPECT_GT(surface.Count(kBackground, box), boxArea / 2);
    EXPECT_EQ(surface.Count(Mem(clRed), {0, 0, 200, 40}), 0);

    // TextRect clips the glyphs and, with an opaque brush, fills exactly the rectangle.
    surface.Fill(kBackground);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clWhite);
    canvas.TextRect({10, 10, 20, 18}, 10, 10, L"WWWWWWWW");
    EXPECT_EQ(surface.Count(kBackground, {10, 10, 20, 18}), 0);
    EXPECT_EQ(surface.Count(kBackground, {0, 0, 200, 40}), 200 * 40 - 80);
    EXPECT_GT(surface.Count(Mem(clBlue), {10, 10, 20, 18}), 0);
}

TEST(Canvas, CopyRectStretchesAndLockCounts) {
    TTestSurface from(4, 4), to(8, 8);
    TCanvas source, target;
    source.SetHandle(from.dc);
    target.SetHandle(to.dc);
    // Quadrants of 2 x 2: red, green / blue, white.
    const TColor colors[4] = {clRed, clGreen, clBlue, clWhite};
    for (int q = 0; q < 4; ++q) {
        source.Brush()->SetColor(colors[q]);
        source.FillRect({(q % 2) * 2, (q / 2) * 2, (q % 2) * 2 + 2, (q / 2) * 2 + 2});
    }
    target.CopyRect({0, 0, 8, 8}, source, {0, 0, 4, 4});
    for (int q = 0; q < 4; ++q) {
        const TRect quadrant{(q % 2) * 4, (q / 2) * 4, (q % 2) * 4 + 4, (q / 2) * 4 + 4};
        EXPECT_EQ(to.Count(Mem(colors[q]), quadrant), 16) << q;
    }

    target.Lock();
    target.Lock();
    EXPECT_EQ(target.LockCount(), 2);
    target.Unlock();
    target.Unlock();
    EXPECT_EQ(target.LockCount(), 0);
}

}  // namespace
