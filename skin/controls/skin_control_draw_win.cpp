// The drawing helpers that the control skinner families share: solid skin colour, one state
// cell of a skin element, a cell of a plain strip, and the caption-with-icon label.
#include "skin/controls/skin_control.h"

#include <commctrl.h>

#include <algorithm>

#include "forms/dc_scopes.h"
#include "forms/font.h"
#include "forms/graphics.h"
#include "forms/image_list.h"
#include "skin/bitmap_utils_win.h"
#include "skin/skin_data.h"

namespace {

bool InsideOut(const TRect& r) { return r.right < r.left || r.bottom < r.top; }

void CopyOpaque(HDC dc, const TRect& dest, TBitmap& image) {
    BitBlt(dc, dest.left, dest.top, dest.Width(), dest.Height(), image.Canvas()->Handle(), 0, 0,
           SRCCOPY);
}

}  // namespace

void TSkinControl::FillSkinColor(HDC dc, const RECT& rect) {
    FillSolidRect(dc, rect, ColorToRGB(skin->Skin().ButtonFaceColour));
}

void TSkinControl::DrawSkinObject(HDC dc, const TRect& rect, int frameCount, int frame,
                                  TDataSkinObject& object) {
    if (InsideOut(rect)) return;
    const TRect margins{object.LeftWidth, object.TopHeight, object.RightWidth, object.BottomHeight};
    std::unique_ptr<TBitmap> image =
        MakeNineSlice(rect, object.Image, margins, frame, frameCount, object.Tile != 0, false);
    if (object.Trans == 1)
        DrawTransparent(dc, rect, *image, kSkinKeyColor);
    else
        CopyOpaque(dc, rect, *image);
}

void TSkinControl::DrawCellStretched(HDC dc, const TRect& rect, int frameCount, int frame,
                                     TBitmap& bitmap) {
    DrawFrameCell(dc, rect, bitmap, frame, frameCount, true);
}

void TSkinControl::DrawCellMasked(HDC dc, const TRect& rect, int frameCount, int frame,
                                  TBitmap& bitmap) {
    if (InsideOut(rect)) return;
    // A nine-slice without margins is the cell stretched to the rectangle's size.
    std::unique_ptr<TBitmap> image =
        MakeNineSlice(rect, bitmap, {}, frame, frameCount, false, false);
    DrawTransparent(dc, rect, *image, kSkinKeyColor);
}

void TSkinControl::DrawSkinLabel(TCanvas& target, const TRect& rect, int alignment,
                                 const std::wstring& label, int imageIndex, TImageList* images) {
    DrawSkinLabelWithImages(target, rect, alignment, label, imageIndex,
                            images ? images->Handle() : HIMAGELIST{});
}

void TSkinControl::DrawSkinLabelWithImages(TCanvas& target, const TRect& rect, int alignment,
                                           const std::wstring& label, int imageIndex,
                                           HIMAGELIST images) {
    if (label.empty()) return;
    int iconWidth = 0, iconHeight = 0;
    if (images) ImageList_GetIconSize(images, &iconWidth, &iconHeight);
    const bool icon = imageIndex != -1 && images && iconWidth < rect.Width();
    const UINT flags = DT_END_ELLIPSIS | DT_SINGLELINE | DT_EXPANDTABS;
    HDC dc = target.Handle();
    TSavedDC saved(dc);
    SelectObject(dc, target.Font()->Handle());
    RECT measured{rect.left, rect.top, rect.right + (icon ? iconWidth + 2 : 0), rect.bottom};
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &measured,
              flags | DT_CALCRECT | DT_NOCLIP);
    const int textWidth = measured.right - measured.left;
    const int textHeight = measured.bottom - measured.top;
    const int shownIcon = icon ? iconWidth : 0;
    int dx = 2;
    if (alignment == 1) dx = (rect.Width() - shownIcon - textWidth) / 2;
    if (alignment == 2) dx = rect.Width() - shownIcon - textWidth - 2;
    dx = std::max(dx, 2);
    if (icon)
        ImageList_Draw(images, imageIndex, dc, rect.left + dx,
                       rect.top + (rect.Height() - iconHeight) / 2, ILD_TRANSPARENT);
    const int left = rect.left + dx + shownIcon + 1;
    const int top = rect.top + (rect.Height() - textHeight) / 2;
    const RECT textRect{std::max(left, rect.left), top, std::min(left + textWidth, rect.right),
                        top + textHeight};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(enabled ? target.Font()->Color() : clBtnShadow));
    SkinDrawText(dc, label, textRect, flags);
}
