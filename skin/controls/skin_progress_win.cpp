#include "skin/controls/skin_progress.h"

#include <commctrl.h>

#include "forms/dc_scopes.h"
#include "skin/bitmap_utils_win.h"
#include "skin/controls/indicator_rules.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinProgress, [](TClassBuilder<TSkinProgress>&) {})

namespace {

TDataSkinBorder* UsableElement(TSkinData& skin) {
    TDataSkinBorder* element = skin.Skin().Progress.get();
    return element && !element->Image.Empty() ? element : nullptr;
}

TRect Margins(const TDataSkinObject& e) {
    return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

}  // namespace

bool TSkinProgress::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (!UsableElement(*skin)) return true;
            PaintInstead(message);
            return false;
        case WM_ERASEBKGND: message.Result = 1; return false;
        default: return TSkinControl::BeforeMessage(message);
    }
}

int TSkinProgress::FilledWidth(int width) const {
    PBRANGE range{};
    SendMessageW(handle, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const auto position = static_cast<int>(SendMessageW(handle, PBM_GETPOS, 0, 0));
    return ProgressFillWidth(position, range.iLow, range.iHigh, width);
}

void TSkinProgress::DrawControl(HDC dc, const TRect& rect) {
    TDataSkinBorder* element = UsableElement(*skin);
    if (!element || rect.IsEmpty()) return;
    if (element->Style == 1)
        DrawChunks(dc, rect, *element);
    else
        DrawBar(dc, rect, *element);
}

void TSkinProgress::DrawBar(HDC dc, const TRect& rect, TDataSkinBorder& element) {
    const int w = rect.Width(), h = rect.Height();
    if (buffer.Width() != w || buffer.Height() != h) buffer.SetSize(w, h);
    HDC target = buffer.Canvas()->Handle();
    FillSkinColor(target, {0, 0, w, h});
    const bool tile = element.Tile != 0;
    DrawNineSlice(target, {0, 0, w, h}, element.Image, Margins(element), 1, 2, true, tile, false);
    const int filled = FilledWidth(w);
    if (filled > 0)
        DrawNineSlice(target, {0, 0, filled, h}, element.Image, Margins(element), 2, 2, true, tile,
                      false);
    BitBlt(dc, rect.left, rect.top, w, h, target, 0, 0, SRCCOPY);
}

void TSkinProgress::DrawChunks(HDC dc, const TRect& rect, TDataSkinBorder& element) {
    TBitmap& chunk = element.Image2;
    if (chunk.Empty()) return;
    const int w = rect.Width(), h = rect.Height();
    TBitmap& shared = SkinShared().Bitmap();
    if (shared.Width() < w || shared.Height() < h) shared.SetSize(w, h);
    HDC target = shared.Canvas()->Handle();
    FillSkinColor(target, {0, 0, w, h});
    DrawNineSlice(target, {0, 0, w, h}, element.Image, Margins(element), 1, 1, true,
                  element.Tile != 0, false);
    // The chunks fill their share of the bar between its borders, so a full bar does not run
    // over its right border.
    const int inner = w - element.LeftWidth - element.RightWidth;
    const int filled = FilledWidth(inner);
    if (filled > 0) {
        TBitmap strip;
        strip.SetSize(filled, chunk.Height());
        TileBitmap(strip.Canvas()->Handle(), {0, 0, filled, chunk.Height()}, chunk,
                   {0, 0, chunk.Width(), chunk.Height()});
        const int top = (h - chunk.Height()) / 2;
        DrawTransparent(target,
                        {element.LeftWidth, top, element.LeftWidth + filled, top + chunk.Height()},
                        strip, kSkinKeyColor);
    }
    BitBlt(dc, rect.left, rect.top, w, h, target, 0, 0, SRCCOPY);
}
