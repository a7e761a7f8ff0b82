// Painting the skinned frame (border pieces, the caption strip composed off-screen with the title
// and the title-bar buttons) and cutting the window region from the pieces' magenta pixels.
#include <algorithm>
#include <optional>

#include "forms/dc_scopes.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_region_win.h"
#include "skin/bitmap_slice_win.h"
#include "skin/frame/win_skin_form.h"
#include "skin/shared_bitmaps_win.h"
#include "skin/skin_data.h"

namespace {
bool VerticalPiece(const TSkinDescription& d, const TDataSkinBorder& piece) {
    return &piece == &d.FrameTop || &piece == &d.FrameBottom;
}

std::unique_ptr<TBitmap> PieceImage(TSkinDescription& d, TDataSkinBorder& piece, const TRect& rect,
                                    bool active) {
    if (piece.Image.Empty() || piece.FrameCount <= 0) return nullptr;
    const TRect margins{piece.LeftWidth, piece.TopHeight, piece.RightWidth, piece.BottomHeight};
    return MakeNineSlice({0, 0, rect.Width(), rect.Height()}, piece.Image, margins,
                         BorderPieceCell(active, piece.FrameCount), piece.FrameCount,
                         piece.Tile != 1, VerticalPiece(d, piece));
}

void CopyPiece(HDC dc, const TRect& rect, TBitmap& image) {
    BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), image.Canvas()->Handle(), 0, 0,
           SRCCOPY);
}

OwnedRegion PieceRegion(TBitmap& image, int x, int y) {
    return BitmapToRegion(image, x, y, kSkinKeyColor, 1, 1, 1);
}
}  // namespace

TSysButtonContext TWinSkinForm::ButtonContext() const {
    return {capabilities, windowState, active, borderKind, IsMdiChildMaximized(), menuBarHeight};
}

void TWinSkinForm::PaintFrame(HDC given) {
    if ((skinState != fsActive && skinState != fsSkinChange) || Captionless() ||
        MdiChildNotNormal() || !IsWindow(handle))
        return;
    try {
        std::optional<TWindowDC> own;
        if (!given) own.emplace(handle, TWindowDC::WholeWindow);
        HDC dc = given ? given : own->Dc();
        if (!dc) return;
        RECT r{};
        GetWindowRect(handle, &r);
        windowRect = {r.left, r.top, r.right, r.bottom};
        const int w = windowRect.Width(), h = windowRect.Height();
        TSkinDescription& d = skin->Skin();
        DrawBorderPiece(d.FrameLeft, {0, 0, frame.left, h}, dc);
        DrawBorderPiece(d.FrameRight, {w - frame.right, 0, w, h}, dc);
        DrawBorderPiece(d.FrameBottom, {frame.left, h - frame.bottom, w - frame.right, h}, dc);
        PaintCaption(dc);
        if (menuBar && menuBarHeight > 0)
            menuBar->PaintBar(
                dc, {frame.left, frame.caption, w - frame.right, frame.caption + menuBarHeight});
    } catch (const std::exception&) {
        // The frame keeps what it showed; painting errors never reach the user.
    }
    hotObject = nullptr;
    for (const auto& button : sysButtons) button->State = ncNormal;
}

void TWinSkinForm::DrawBorderPiece(TDataSkinBorder& piece, const TRect& rect, HDC dc) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    std::unique_ptr<TBitmap> image = PieceImage(skin->Skin(), piece, rect, active);
    if (image) CopyPiece(dc, rect, *image);
}

void TWinSkinForm::PaintCaption(HDC dc) {
    const int w = windowRect.Width();
    if (w <= 0 || frame.caption <= 0) return;
    captionBitmap.SetPixelFormat(TPixelFormat::pf24bit);
    captionBitmap.SetSize(w, frame.caption);
    HDC strip = captionBitmap.Canvas()->Handle();
    BitBlt(strip, 0, 0, w, frame.caption, dc, 0, 0, SRCCOPY);
    const TRect s{frame.left, 0, w - frame.right, frame.caption};
    DrawBorderPiece(skin->Skin().FrameTop, s, strip);
    DrawTitle(*captionBitmap.Canvas(), s);
    LayoutSysButtons();
    DrawSysButtons(strip);
    BitBlt(dc, 0, 0, w, frame.caption, strip, 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::DrawTitle(TCanvas& canvas, const TRect& s) {
    TDataSkinTitle& title = skin->Skin().Title;
    const UINT format = DT_SINGLELINE | DT_END_ELLIPSIS | (rightToLeft ? DT_RIGHT : 0);
    HDC dc = canvas.Handle();
    TSavedDC saved(dc);
    if (captionFont) SelectObject(dc, captionFont.Get());
    SetBkMode(dc, TRANSPARENT);
    const TColor colour =
        active ? skin->Skin().TitleTextActiveColour : skin->Skin().TitleTextNoActiveColour;
    SetTextColor(dc, ColorToRGB(colour));
    RECT measured{s.left, s.top, s.right, s.bottom};
    const std::wstring measuredText = titlePrefix + L" " + caption;
    DrawTextW(dc, measuredText.c_str(), static_cast<int>(measuredText.size()), &measured,
              DT_CALCRECT | DT_NOCLIP | format);
    TTitleInput in;
    in.strip = s;
    in.textWidth = measured.right - measured.left;
    in.textHeight = measured.bottom - measured.top;
    in.alignment = title.TextAlignment;
    in.textShift = title.LeftWidth;
    in.textShiftVert = title.TopHeight;
    in.textRightClip = title.RightWidth;
    in.backLeft = title.TXTBackleft;
    in.backRight = title.TXTBackRight;
    in.rightToLeft = rightToLeft;
    in.popup = style & WS_POPUP;
    in.dialog = borderKind == bkDialog;
    in.rightButtonsLeft = rightButtonsLeft;
    const TTitlePlacement placed = PlaceTitle(in);
    titleRect = placed.titleRect;
    if (!title.Image.Empty() && title.Textbackground != 0)
        DrawThreeSlice(canvas, {titleRect.left, s.top, titleRect.right, s.bottom}, title.Image,
                       {title.TXTBackleft, 0, title.TXTBackRight, 0}, active ? 1 : 2, 2, true,
                       true);
    SkinDrawText(
        dc, titlePrefix + caption,
        {placed.textRect.left, placed.textRect.top, placed.textRect.right, placed.textRect.bottom},
        format);
}

bool TWinSkinForm::IsSysButtonVisible(TWinSysButton& button) {
    const TDataSkinSysButton& b = button.SkinButton();
    button.Visible = ::IsSysButtonVisible(b.Visibility, b.Visibility1, b.Action, ButtonContext());
    return button.Visible;
}

void TWinSkinForm::LayoutSysButtons() {
    rightButtonsLeft = 0;
    TSysButtonPlacement p;
    p.windowWidth = windowRect.Width();
    p.titleRect = titleRect;
    p.captionHeight = frame.caption;
    p.menuBarHeight = menuBarHeight;
    p.borderLeft = frame.left;
    p.borderRight = frame.right;
    if (skin->Skin().MenuBar) p.menuBarLeftWidth = skin->Skin().MenuBar->LeftWidth;
    p.rightToLeft = rightToLeft;
    for (const auto& button : sysButtons) {
        TDataSkinSysButton& b = button->SkinButton();
        if (!IsSysButtonVisible(*button) || b.Image.Empty() || b.FrameCount <= 0) continue;
        button->Rect = PlaceSysButton(b.Align, b.Xcoord, b.Ycoord, b.Image.Width() / b.FrameCount,
                                      b.Image.Height(), p);
        if (b.Align == 1) rightButtonsLeft = std::max(rightButtonsLeft, button->Rect.left);
    }
}

void TWinSkinForm::DrawSysButtons(HDC dc) {
    for (const auto& button : sysButtons) {
        TDataSkinSysButton& b = button->SkinButton();
        if (!IsSysButtonVisible(*button) || b.Image.Empty() || b.Visibility == 100) continue;
        if (b.Action == 3 || b.Action == 11) {
            if (icon)
                DrawWindowIcon(dc, button->Rect.left, button->Rect.top);
            else
                DrawFrameCell(dc, button->Rect, b.Image, 1, 1, true);
            continue;
        }
        DrawFrameCell(dc, button->Rect, b.Image, SysButtonCaptionCell(active, b.FrameCount),
                      b.FrameCount, true);
    }
}

void TWinSkinForm::DrawSysButton(TWinSysButton& button, int state) {
    TDataSkinSysButton& b = button.SkinButton();
    if (b.Image.Empty() || b.FrameCount <= 0 || !IsWindow(handle)) return;
    try {
        TWindowDC dc(handle, TWindowDC::WholeWindow);
        if (b.Action == 3 || b.Action == 11) {
            DrawWindowIcon(dc.Dc(), button.Rect.left, button.Rect.top);
            return;
        }
        const int cell = std::min(SysButtonStateCell(state, b.Visibility), b.FrameCount);
        DrawFrameCell(dc.Dc(), button.Rect, b.Image, cell, b.FrameCount, true);
    } catch (const std::exception&) {
        // A button that cannot be drawn keeps its old look.
    }
}

void TWinSkinForm::ReleaseRegion() {
    // A region set on the window belongs to the system; replacing it frees the old one.
    regionSet = false;
}

void TWinSkinForm::UpdateRegion() {
    if (skinState == fsWindowDestroyed || !IsWindow(handle) || MdiChildNotNormal()) return;
    RECT r{};
    GetWindowRect(handle, &r);
    SetRegionFor({r.right - r.left, r.bottom - r.top}, true);
}

void TWinSkinForm::SetRegionFor(SIZE size, bool redraw) {
    const int w = size.cx, h = size.cy;
    if (w <= 0 || h <= 0) return;
    if (w == regionSize.cx && h == regionSize.cy && kind != wkMdiChild && skinState != fsSkinChange)
        return;
    ReleaseRegion();
    TSkinDescription& d = skin->Skin();
    try {
        OwnedRegion region(CreateRectRgn(0, 0, w, h));
        if (d.FrameLeft.Trans || d.FrameRight.Trans || d.FrameTop.Trans || d.FrameBottom.Trans) {
            regionSize = {w, h};
            region.Reset(
                CreateRectRgn(frame.left, frame.caption, w - frame.right, h - frame.bottom));
            if (!Captionless()) {
                const auto side = [&](TDataSkinBorder& piece, int x, int width) {
                    if (piece.Trans == 1 && h > 1 && width > 0)
                        if (auto image = PieceImage(d, piece, {0, 0, width, h}, true))
                            return PieceRegion(*image, x, 0);
                    return OwnedRegion(CreateRectRgn(x, 0, x + width, h));
                };
                OwnedRegion left = side(d.FrameLeft, 0, frame.left);
                OwnedRegion right = side(d.FrameRight, w - frame.right, frame.right);
                const int middle = w - frame.left - frame.right;
                OwnedRegion bottom(CreateRectRgn(frame.left, h - frame.bottom, w - frame.right, h));
                if (d.FrameBottom.Trans == 1 && frame.bottom >= 2 && middle > 0)
                    if (auto image =
                            PieceImage(d, d.FrameBottom, {0, 0, middle, frame.bottom}, true))
                        bottom = PieceRegion(*image, frame.left, h - frame.bottom);
                OwnedRegion top(CreateRectRgn(frame.left, 0, w - frame.right, frame.caption));
                if (d.FrameTop.Trans == 1 && frame.caption > 1 && middle > 0) {
                    std::unique_ptr<TBitmap> strip;
                    if (!captionBitmap.Empty() && captionBitmap.Width() >= w) {
                        strip = std::make_unique<TBitmap>();
                        strip->SetPixelFormat(TPixelFormat::pf24bit);
                        strip->SetSize(middle, frame.caption);
                        BitBlt(strip->Canvas()->Handle(), 0, 0, middle, frame.caption,
                               captionBitmap.Canvas()->Handle(), frame.left, 0, SRCCOPY);
                    } else {
                        strip = PieceImage(d, d.FrameTop, {0, 0, middle, frame.caption}, true);
                    }
                    if (strip) top = PieceRegion(*strip, frame.left, 0);
                }
                CombineRgn(left.Get(), left.Get(), right.Get(), RGN_OR);
                CombineRgn(top.Get(), top.Get(), bottom.Get(), RGN_OR);
                CombineRgn(top.Get(), top.Get(), left.Get(), RGN_OR);
                CombineRgn(region.Get(), region.Get(), top.Get(), RGN_OR);
            }
        }
        if (SetWindowRgn(handle, region.Get(), redraw)) {
            region.Release();
            regionSet = true;
        }
    } catch (const std::exception&) {
        // Without a region the window keeps its rectangle.
    }
}

void TWinSkinForm::DropRegion() {
    if (!regionSet) return;
    captionBitmap.SetSize(0, 0);
    if (kind == wkMdiChild) SetWindowRgn(handle, nullptr, TRUE);
    regionSet = false;
    regionSize = {};
}
