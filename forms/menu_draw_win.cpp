// The class library's measuring and drawing of owner-drawn menu items, and the handling of the
// WM_MEASUREITEM / WM_DRAWITEM messages that ask for them.
//
// A drop-down item is laid out left to right (mirrored for right-to-left menus) as
//   margin | glyph box (check mark or image) | gap | caption | gap | shortcut text | margin
// and a menu-bar item as its caption with padding on both sides.

#include <algorithm>

#include "forms/dc_scopes.h"
#include "forms/forms.h"
#include "forms/graphics.h"
#include "forms/image_list.h"
#include "forms/menus.h"

namespace {

constexpr int kGlyphSize = 16;    // smallest glyph box: holds the system's check mark
constexpr int kMargin = 2;        // before the glyph box
constexpr int kGlyphGap = 6;      // between the glyph box and the caption
constexpr int kShortCutGap = 16;  // between the caption and the shortcut text
constexpr int kRightMargin = 10;  // after the shortcut text (or the caption)
constexpr int kBarPadding = 6;    // each side of a menu-bar caption
constexpr int kVerticalPadding = 4;
constexpr int kSeparatorHeight = 8;  // an etched line with room above and below

struct GlyphSize {
    int width;
    int height;
};

GlyphSize GlyphBox(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    if (!images) return {kGlyphSize, kGlyphSize};
    return {std::max(kGlyphSize, images->Width()), std::max(kGlyphSize, images->Height())};
}

void UseMenuFont(TCanvas& canvas, bool bold) {
    canvas.SetFont(*Screen->MenuFont());
    TFontStyles style = canvas.Font()->Style();
    canvas.Font()->SetStyle(bold ? style | (1u << fsBold) : style);
}

// The system's check mark in color, through a monochrome mask: PSDPxax keeps the target where the
// mask is white and paints the brush where it is black.
void DrawCheckMark(HDC dc, const RECT& box, COLORREF color) {
    const int width = box.right - box.left, height = box.bottom - box.top;
    const Owned<HBITMAP, &DeleteObject> mask(CreateBitmap(width, height, 1, 1, nullptr));
    const TMemoryDC maskDc(dc, mask.Get());
    if (!mask || !maskDc) return;
    RECT local{0, 0, width, height};
    DrawFrameControl(maskDc.Dc(), &local, DFC_MENU, DFCS_MENUCHECK);
    const TSavedDC saved(dc);
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, color);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, box.left, box.top, width, height, maskDc.Dc(), 0, 0, 0x00B8074A /* PSDPxax */);
}

}  // namespace

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    UseMenuFont(canvas, isDefault);
    const SIZE text = canvas.TextExtent(StripHotkey(caption.empty() ? L" " : caption));
    if (IsTopLevel()) {
        width = text.cx + 2 * kBarPadding;
        height = text.cy + kVerticalPadding;
    } else {
        const GlyphSize glyph = GlyphBox(*this);
        width = kMargin + glyph.width + kGlyphGap;
        if (IsLine()) {
            height = kSeparatorHeight;
        } else {
            width += text.cx + kRightMargin;
            if (const std::wstring keys = ShortCutToText(shortCut); !keys.empty())
                width += kShortCutGap + canvas.TextWidth(keys);
            height = std::max<int>(text.cy, glyph.height) + kVerticalPadding;
        }
    }
    if (OnMeasureItem) OnMeasureItem(this, &canvas, width, height);
}

void TMenuItem::AdvancedDrawItem(TCanvas& canvas, const TRect& rect, TOwnerDrawState state,
                                 bool topLevel) {
    if (OnAdvancedDrawItem) {
        OnAdvancedDrawItem(this, &canvas, rect, state);
    } else {
        DrawItem(canvas, rect, state, topLevel);
    }
}

void TMenuItem::DrawItem(TCanvas& canvas, const TRect& rect, TOwnerDrawState state, bool topLevel) {
    const TMenu* owningMenu = GetParentMenu();
    const bool rightToLeft = owningMenu && owningMenu->IsRightToLeft();
    const bool selected = (state & odSelected) != 0;
    TImageList* images = owningMenu ? owningMenu->Images() : nullptr;

    canvas.Brush()->SetColor(selected ? clHighlight : clMenu);
    canvas.FillRect(rect);
    UseMenuFont(canvas, isDefault);
    const TColor textColor = !enabled ? clGrayText : selected ? clHighlightText : clMenuText;
    canvas.Font()->SetColor(textColor);

    HDC dc = canvas.Handle();
    const TSavedDC saved(dc);
    SelectObject(dc, canvas.Font()->Handle());
    SetTextColor(dc, ColorToRGB(textColor));
    SetBkMode(dc, TRANSPARENT);
    const UINT prefix = (state & odNoAccel) ? DT_HIDEPREFIX : 0;

    if (IsLine()) {
        RECT line{rect.left, rect.top + rect.Height() / 2 - 1, rect.right, rect.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    } else if (topLevel) {
        RECT box{rect.left, rect.top, rect.right, rect.bottom};
        DrawTextW(dc, caption.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | prefix);
    } else {
        // Geometry: the glyph box at the leading end, caption and shortcut in the rest.
        const GlyphSize glyph = GlyphBox(*this);
        const int glyphLeft =
            rightToLeft ? rect.right - kMargin - glyph.width : rect.left + kMargin;
        const int glyphTop = rect.top + (rect.Height() - glyph.height) / 2;
        const RECT glyphBox{glyphLeft, glyphTop, glyphLeft + glyph.width, glyphTop + glyph.height};
        RECT textBox{rect.left + kMargin + glyph.width + kGlyphGap, rect.top,
                     rect.right - kRightMargin, rect.bottom};
        if (rightToLeft)
            textBox = {rect.left + kRightMargin, rect.top, glyphLeft - kGlyphGap, rect.bottom};

        // Render.
        if (images && imageIndex >= 0 && imageIndex < images->Count()) {
            if (checked) {
                RECT edge = glyphBox;
                DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
            }
            images->Draw(canvas, glyphLeft + (glyph.width - images->Width()) / 2,
                         glyphTop + (glyph.height - images->Height()) / 2, imageIndex, enabled);
        } else if (checked) {
            DrawCheckMark(dc, glyphBox, ColorToRGB(textColor));
        }
        const UINT align = rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
        DrawTextW(dc, caption.c_str(), -1, &textBox,
                  align | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | prefix);
        if (const std::wstring keys = ShortCutToText(shortCut); !keys.empty()) {
            const UINT keysAlign = rightToLeft ? DT_LEFT : DT_RIGHT;
            DrawTextW(dc, keys.c_str(), -1, &textBox, keysAlign | DT_VCENTER | DT_SINGLELINE);
        }
    }
}

namespace {

// A canvas over a window's context, given back on every way out.
// The context is declared first: the canvas lets go of it before it is released.
class WindowCanvas {
public:
    explicit WindowCanvas(HWND window) : dc(window) { canvas.SetHandle(dc.Dc()); }

private:
    TWindowDC dc;

public:
    TCanvas canvas;
};

}  // namespace

void MeasureMenuItemMessage(TMenuItem& item, HWND window, MEASUREITEMSTRUCT& measure) {
    WindowCanvas target(window);
    int width = static_cast<int>(measure.itemWidth), height = static_cast<int>(measure.itemHeight);
    item.MeasureItem(target.canvas, width, height);
    measure.itemWidth = static_cast<UINT>(std::max(width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(height, 0));
}

void DrawMenuItemMessage(TMenuItem& item, const DRAWITEMSTRUCT& draw) {
    TCanvas canvas;  // puts the context back as found when it goes
    canvas.SetHandle(draw.hDC);
    const RECT& r = draw.rcItem;
    item.AdvancedDrawItem(canvas, {r.left, r.top, r.right, r.bottom},
                          draw.itemState & 0x3FF /* the ODS_* flags named in TOwnerDrawState */,
                          item.IsTopLevel());
}
