// Every GDI object of the graphics classes has one owner that frees it: thousands of bitmaps,
// canvases, fonts, brushes and pens made, used, changed and freed leave the process's GDI object
// count where it was.
#include <gtest/gtest.h>

#include <windows.h>

#include "forms/bitmap.h"
#include "forms/image_list.h"
#include "support/gdi_objects.h"

namespace {

// One round of everything that makes GDI objects: a bitmap drawn on through its canvas, replaced
// in size and format while its context is live, copied and drawn onto another; a canvas on a
// foreign context; tools changed while selected; an image list filled from them and drawn.
void Exercise(HDC foreign) {
    TBitmap bitmap;
    bitmap.SetSize(24, 16);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect({0, 0, 8, 8});
    canvas->Font()->SetHeight(-12);
    canvas->TextOut(1, 1, L"Ab");
    canvas->Brush()->SetStyle(bsCross);  // changes while selected
    canvas->Pen()->SetWidth(2);
    canvas->Rectangle({2, 2, 10, 10});
    bitmap.SetPixelFormat(TPixelFormat::pf8bit);
    canvas->FrameRect({0, 0, 4, 4});
    bitmap.SetSize(12, 12);

    TBitmap copy;
    copy.Assign(bitmap);
    copy.Canvas()->StretchDraw({0, 0, 6, 6}, bitmap);

    TCanvas attached;
    attached.SetHandle(foreign);
    attached.Font()->SetName(L"Arial");
    attached.TextWidth(L"W");
    attached.Pen()->SetColor(clBlue);
    attached.LineTo(3, 3);
    attached.Draw(0, 0, copy);
    attached.SetHandle(nullptr);

    TImageList images(nullptr);
    images.SetWidth(4);
    images.SetHeight(4);
    images.AddMasked(copy, clRed);
    images.Add(bitmap, &copy);
    images.Draw(*bitmap.Canvas(), 0, 0, 1);
    images.Draw(*bitmap.Canvas(), 4, 4, 2, false);

    TFont font;
    font.Handle();
    font.SetStyle(1u << fsBold);
    font.Handle();
    TBrush brush;
    brush.Handle();
    TPen pen;
    pen.Handle();
}

TEST(GraphicsLeaks, ThousandsOfBitmapsAndCanvasesLeaveTheGdiCountAsItWas) {
    HDC screen = GetDC(nullptr);
    HDC foreign = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ original = SelectObject(foreign, surface);

    Exercise(foreign);  // lets the system make its caches (stock objects, font tables)
    const int before = GdiObjectCount();
    ASSERT_GT(before, 0);
    {
        // The count sees our objects: a live bitmap with its context adds at least two.
        TBitmap probe;
        probe.SetSize(4, 4);
        probe.Canvas()->FillRect({0, 0, 1, 1});
        EXPECT_GE(GdiObjectCount(), before + 2);
    }
    for (int i = 0; i < 2000; ++i) Exercise(foreign);
    EXPECT_EQ(GdiObjectCount(), before);

    SelectObject(foreign, original);
    DeleteObject(surface);
    DeleteDC(foreign);
}

}  // namespace
