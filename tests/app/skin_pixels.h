#pragma once
// What the skinner tests of test forms compare: pixels of a window shot against images made
// from the skin's own cells, and the image of an up-down as the skin paints it.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <tuple>

#include "forms/bitmap.h"
#include "forms/dc_scopes.h"
#include "skin/bitmap_utils_win.h"
#include "skin/controls/indicator_rules.h"
#include "skin/skin_objects.h"
#include "support/screen_probe.h"

inline int Pixel(TBitmap& b, int x, int y) {
    return static_cast<int>(GetPixel(b.Canvas()->Handle(), x, y));
}

// Pixels of the rectangle of shot (at offset) that differ from expected.
inline int Mismatches(TBitmap& shot, TBitmap& expected, const TRect& r, POINT offset = {0, 0}) {
    int wrong = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            wrong += Pixel(shot, x + offset.x, y + offset.y) != Pixel(expected, x, y);
    return wrong;
}

// Pixels of the cell image that are not the key colour and differ on the shot at where.
inline int CellMismatches(TBitmap& shot, TBitmap& cell, POINT where, int* compared = nullptr) {
    int wrong = 0, seen = 0;
    for (int y = 0; y < cell.Height(); ++y)
        for (int x = 0; x < cell.Width(); ++x) {
            const int want = Pixel(cell, x, y);
            if (want == static_cast<int>(kSkinKeyColor)) continue;
            ++seen;
            wrong += Pixel(shot, where.x + x, where.y + y) != want;
        }
    if (compared) *compared = seen;
    return wrong;
}

inline TRect WindowBox(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {0, 0, r.right - r.left, r.bottom - r.top};
}

// An up-down of that window's size as the skin paints it with the two buttons' states.
inline std::unique_ptr<TBitmap> ExpectedUpDown(TSkinDescription& skin, HWND window, bool horizontal,
                                               bool inEdit, int first, int second) {
    const TRect box = WindowBox(window);
    auto image = std::make_unique<TBitmap>();
    image->SetSize(box.right, box.bottom);
    HDC dc = image->Canvas()->Handle();
    FillSolidRect(dc, {0, 0, box.right, box.bottom}, ColorToRGB(skin.ButtonFaceColour));
    TDataSkinBorder& e = horizontal ? *skin.UpDownHorz : *skin.UpDownVert;
    const TUpDownButtons b = UpDownLayout(box, horizontal, inEdit);
    for (auto [rect, state, isSecond] :
         {std::tuple{b.first, first, false}, std::tuple{b.second, second, true}}) {
        const int cell = UpDownCell(state, isSecond);
        DrawFrameCell(dc, rect, e.Image, cell, 8, true);
        const int w = e.Image2.Width() / 8, h = e.Image2.Height();
        const int left = rect.left + (rect.Width() - w) / 2,
                  top = rect.top + (rect.Height() - h) / 2;
        DrawFrameCell(dc, {left, top, left + w, top + h}, e.Image2, cell, 8, true);
    }
    return image;
}

inline void ExpectUpDown(TSkinDescription& skin, HWND window, bool horizontal, bool inEdit,
                         int first, int second) {
    SCOPED_TRACE(testing::Message() << "states " << first << " and " << second);
    auto shot = WindowShot(window);
    auto expected = ExpectedUpDown(skin, window, horizontal, inEdit, first, second);
    EXPECT_EQ(Mismatches(*shot, *expected, WindowBox(window)), 0);
}
