#include "skin/controls/skin_tab.h"

#include <commctrl.h>

#include <cstring>

#include "forms/dc_scopes.h"
#include "forms/font.h"
#include "skin/bitmap_utils_win.h"
#include "skin/controls/skin_up_down.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinTab, [](TClassBuilder<TSkinTab>&) {})

namespace {

// The page border's unscaled edges in its image.
constexpr TRect kBorderMargins{4, 5, 4, 4};
// Characters of a tab's text read back.
constexpr int kTabTextLength = 80;

TRect ToTRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A 24-bit copy of a skin image.
void CopyAs24Bit(TBitmap& target, TBitmap& source) {
    target.Assign(source);
    target.SetPixelFormat(TPixelFormat::pf24bit);
}

// The font a window uses, as a class-library font (the system font when it has none).
void AssignWindowFont(TFont& font, HWND window) {
    auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW log{};
    if (!GetObjectW(handle ? handle : GetStockObject(DEFAULT_GUI_FONT), sizeof log, &log)) return;
    font.SetName(log.lfFaceName);
    font.SetHeight(log.lfHeight);
    font.SetCharset(log.lfCharSet);
    TFontStyles style = 0;
    if (log.lfWeight >= FW_BOLD) style |= 1u << fsBold;
    if (log.lfItalic) style |= 1u << fsItalic;
    if (log.lfUnderline) style |= 1u << fsUnderline;
    if (log.lfStrikeOut) style |= 1u << fsStrikeOut;
    font.SetStyle(style);
}

}  // namespace

void TurnBitmap(TBitmap& bitmap, bool anticlockwise) {
    if (bitmap.Empty()) return;
    const TPixelImage turned =
        anticlockwise ? RotatedLeft(bitmap.Pixels()) : RotatedRight(bitmap.Pixels());
    bitmap.SetPixelFormat(turned.format);
    bitmap.SetSize(turned.width, turned.height);
    const TPixelView target = bitmap.Pixels();
    for (int y = 0; y < turned.height; ++y)
        std::memcpy(target.Row(y), turned.Row(y), turned.stride);
}

void TSkinTab::HookWindow(HWND window, TSkinData* skinData, TControlSkinnerHost* frame,
                          TCanvas* sharedCanvas) {
    TSkinControl::HookWindow(window, skinData, frame, sharedCanvas);
    if (!attached) return;
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    focused = GetFocus() == window;
    enabled = !(style & WS_DISABLED);
    text = SkinWindowText(window);
    side = TabSideOfStyle(static_cast<uint32_t>(style));
    LoadImages();
    VisibleArrows();
}

void TSkinTab::SkinChanged() {
    TSkinControl::SkinChanged();
    LoadImages();
}

void TSkinTab::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == upDown) upDown = nullptr;
}

void TSkinTab::LoadImages() {
    tabImage.SetSize(0, 0);
    borderImage.SetSize(0, 0);
    TDataSkinBorder* tabs = skin->Skin().Tabs.get();
    if (!tabs || tabs->Image.Empty() || tabs->Image2.Empty()) return;
    CopyAs24Bit(tabImage, tabs->Image);
    CopyAs24Bit(borderImage, tabs->Image2);
    switch (side) {
        case TTabSide::Top: break;
        case TTabSide::Bottom:
            FlipBitmap(tabImage.Pixels());
            FlipBitmap(borderImage.Pixels());
            break;
        case TTabSide::Left: TurnBitmap(borderImage, true); break;
        case TTabSide::Right: TurnBitmap(borderImage, false); break;
    }
}

HWND TSkinTab::VisibleArrows() {
    HWND arrows = FindWindowExW(handle, nullptr, UPDOWN_CLASSW, nullptr);
    if (!arrows) return nullptr;
    if (!upDown) {
        upDown = new TSkinUpDown(Owner());
        upDown->SetKind(1);  // the strip's arrows lie side by side
        upDown->FreeNotification(this);
        upDown->HookWindow(arrows, skin, frameSkinner, canvas);
    }
    return (GetWindowLongW(arrows, GWL_STYLE) & WS_VISIBLE) ? arrows : nullptr;
}

void TSkinTab::DrawControl(HDC dc, const TRect& rect) {
    TDataSkinBorder* tabs = skin->Skin().Tabs.get();
    if (!tabs || tabs->Image.Empty() || tabImage.Empty()) return;
    RECT adjusted{rect.left, rect.top, rect.right, rect.bottom};
    SendMessageW(handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&adjusted));
    const TRect display = TabDisplayRect(ToTRect(adjusted), side);
    const TRect band = TabBand(rect, display, side);
    const int count = static_cast<int>(SendMessageW(handle, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(handle, TCM_GETCURFOCUS, 0, 0));
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(handle, TCM_GETIMAGELIST, 0, 0));

    const TExtentWH size = TabWorkSize(band, side);
    if (size.width > 0 && size.height > 0) {
        if (workImage.Width() != size.width || workImage.Height() != size.height)
            workImage.SetSize(size.width, size.height);
        FillSolidRect(workImage.Canvas()->Handle(), {0, 0, size.width, size.height},
                      ColorToRGB(skin->Skin().ButtonFaceColour));
        AssignWindowFont(*workImage.Canvas()->Font(), handle);
        for (int i = 0; i < count; ++i) {
            RECT item{};
            if (SendMessageW(handle, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)))
                DrawTab(i, ToTRect(item), selected, display, band, rect.Width(), images);
        }
        if (side == TTabSide::Left) TurnBitmap(workImage, true);
        if (side == TTabSide::Right) TurnBitmap(workImage, false);
        TSavedDC saved(dc);
        if (HWND arrows = VisibleArrows()) {
            RECT own{}, r{};
            GetWindowRect(handle, &own);
            GetWindowRect(arrows, &r);
            OffsetRect(&r, -own.left, -own.top);
            ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
        }
        BitBlt(dc, band.left, band.top, workImage.Width(), workImage.Height(),
               workImage.Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    if (!borderImage.Empty())
        DrawNineSliceBorder(dc, display, borderImage, kBorderMargins, 1, 1, false, false);
}

void TSkinTab::DrawTab(int index, const TRect& item, int selected, const TRect& display,
                       const TRect& band, int windowWidth, HIMAGELIST images) {
    TDataSkinBorder& tabs = *skin->Skin().Tabs;
    wchar_t buffer[kTabTextLength + 1] = {};
    TCITEMW info{};
    info.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    info.pszText = buffer;
    info.cchTextMax = kTabTextLength;
    info.iImage = -1;
    if (!SendMessageW(handle, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&info))) return;
    const TRect place = TabItemInWork(item, side, display, band, windowWidth);
    const int cell = index == selected ? 2 : 1;
    TCanvas& target = *workImage.Canvas();
    DrawNineSlice(target.Handle(), place, tabImage,
                  {tabs.LeftWidth, tabs.TopHeight, tabs.RightWidth, tabs.BottomHeight}, cell,
                  tabs.FrameCount, tabs.Trans != 0, tabs.Tile != 0, false);
    target.Font()->SetColor(cell == 2 ? tabs.MouseOverColour2 : tabs.NormalColour2);
    DrawSkinLabelWithImages(target, place, 1, buffer, info.iImage, images);
}
