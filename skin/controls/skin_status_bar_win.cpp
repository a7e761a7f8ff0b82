#include "skin/controls/skin_status_bar.h"

#include <commctrl.h>

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "forms/dc_scopes.h"
#include "forms/font.h"
#include "forms/properties.h"
#include "skin/bitmap_utils_win.h"
#include "skin/controls/indicator_rules.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinStatusBar, [](TClassBuilder<TSkinStatusBar>&) {})

namespace {

struct TStatusArea {
    TRect rect;
    int cell = 1;
    TStatusText text;
};

// The text of one part and its drawing type (the high word: SBT_POPOUT, SBT_NOBORDERS, ...).
std::wstring PartText(HWND bar, int part, UINT& type) {
    const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    type = HIWORD(info);
    std::wstring text(LOWORD(info) + 1u, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

// The areas the bar shows: the simple one, or one per part whose rectangle the bar gives.
std::vector<TStatusArea> StatusAreas(HWND bar, const TRect& rect) {
    std::vector<TStatusArea> areas;
    const int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
    if (SendMessageW(bar, SB_ISSIMPLE, 0, 0) || parts <= 0) {
        UINT type = 0;
        areas.push_back({rect, 1, StatusPanelText(PartText(bar, SB_SIMPLEID, type), false)});
        areas.back().text.alignment = 0;  // the simple text is left-aligned
        return areas;
    }
    for (int i = 0; i < parts; ++i) {
        RECT r{};
        if (!SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
            continue;
        UINT type = 0;
        const std::wstring text = PartText(bar, i, type);
        areas.push_back({{r.left, r.top, r.right, r.bottom},
                         StatusBevelCell((type & SBT_POPOUT) != 0, (type & SBT_NOBORDERS) != 0),
                         StatusPanelText(text, (type & SBT_RTLREADING) != 0)});
    }
    return areas;
}

}  // namespace

bool TSkinStatusBar::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT: PaintInstead(message); return false;
        case WM_ERASEBKGND: message.Result = 1; return false;
        case WM_NCHITTEST:
            if (!OverGrip({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}))
                return true;
            message.Result = HTBOTTOMRIGHT;
            return false;
        case WM_NCLBUTTONDOWN:
            if (message.WParam != HTBOTTOMRIGHT) return true;
            // The bar's own grip is off, so the skin's grip sizes the window as that one did.
            PostMessageW(GetAncestor(handle, GA_ROOT), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT,
                         message.LParam);
            return false;
        default: return TSkinControl::BeforeMessage(message);
    }
}

bool TSkinStatusBar::OverGrip(POINT screen) const {
    const HWND root = GetAncestor(handle, GA_ROOT);
    if (!WantsGrip() || !root || !(GetWindowLongW(root, GWL_STYLE) & WS_THICKFRAME)) return false;
    TDataSkinObject* extra = skin->Skin().ExtraImages.get();
    RECT r{};
    if (!extra || extra->Image.Empty() || !GetWindowRect(handle, &r)) return false;
    const int size = std::max(GetSystemMetrics(SM_CXVSCROLL), extra->Image.Height());
    return screen.x >= r.right - size && screen.x < r.right && screen.y >= r.bottom - size &&
           screen.y < r.bottom;
}

bool TSkinStatusBar::WantsGrip() const {
    if (GetWindowLongW(handle, GWL_STYLE) & SBARS_SIZEGRIP) return true;
    // The classification switches the bar's own grip off; the control still says it wants one.
    return control && GetEnumPropName(control, "SizeGrip") == "True";
}

void TSkinStatusBar::SelectTextFont(HDC dc, TFont& font) {
    if (auto* own = control ? dynamic_cast<TFont*>(
                                  GetObjectPropByName(control, "Font", TFont::StaticClass()))
                            : nullptr) {
        font.Assign(*own);
        font.SetStyle({});
        SelectObject(dc, font.Handle());
    } else if (auto window = reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0))) {
        SelectObject(dc, window);
    }
    const TSkinDescription& s = skin->Skin();
    SetTextColor(
        dc, ColorToRGB(s.StatusBarEdges ? s.StatusBarEdges->NormalColour2 : s.ButtonTextColour));
    SetBkMode(dc, TRANSPARENT);
}

void TSkinStatusBar::DrawControl(HDC dc, const TRect& rect) {
    if (rect.IsEmpty()) return;
    const int w = rect.Width(), h = rect.Height();
    TBitmap& shared = SkinShared().Bitmap();
    if (shared.Width() < w || shared.Height() < h) shared.SetSize(w, h);
    HDC target = shared.Canvas()->Handle();
    TFont font;  // before the saved state, which lets go of it
    TSavedDC saved(target);
    FillSkinColor(target, {0, 0, w, h});
    SelectTextFont(target, font);
    for (const TStatusArea& area : StatusAreas(handle, {0, 0, w, h}))
        DrawArea(target, area.rect, area.cell, area.text.text, area.text.alignment);
    if (WantsGrip()) DrawGrip(target, {0, 0, w, h});
    BitBlt(dc, rect.left, rect.top, w, h, target, 0, 0, SRCCOPY);
}

void TSkinStatusBar::DrawArea(HDC dc, const TRect& area, int cell, const std::wstring& text,
                              int alignment) {
    if (area.IsEmpty()) return;
    TDataSkinObject* edges = skin->Skin().StatusBarEdges.get();
    RECT r{area.left, area.top, area.right, area.bottom};
    if (edges && !edges->Image.Empty()) {
        DrawNineSlice(dc, area, edges->Image,
                      {edges->LeftWidth, edges->TopHeight, edges->RightWidth, edges->BottomHeight},
                      cell, 3, false, edges->Tile != 0, false);
    } else if (cell != 3) {
        // Without the skin's image: a thin sunken (or raised) edge.
        DrawEdge(dc, &r, cell == 2 ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    }
    RECT textRect{area.left + 2, area.top, area.right - 2, area.bottom};
    const UINT align = alignment == 1 ? DT_CENTER : alignment == 2 ? DT_RIGHT : DT_LEFT;
    SkinDrawText(dc, text, textRect, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TSkinStatusBar::DrawGrip(HDC dc, const TRect& rect) {
    TDataSkinObject* extra = skin->Skin().ExtraImages.get();
    if (!extra || extra->Image.Empty() || extra->FrameCount < 5) return;
    const int w = extra->Image.Width() / extra->FrameCount, h = extra->Image.Height();
    // Ending one pixel inside the bottom-right corner.
    const TRect grip{rect.right - 1 - w, rect.bottom - 1 - h, rect.right - 1, rect.bottom - 1};
    DrawFrameCell(dc, grip, extra->Image, 5, extra->FrameCount, true);
}
