// The small skinners of the scroll bar family: the list view's header, the dialog's bare scroll
// bar window (sizer) and the class library's scroll bar control.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "forms/dc_scopes.h"
#include "forms/font.h"
#include "forms/graphics.h"
#include "forms/messages.h"
#include "forms/properties.h"
#include "skin/bitmap_slice_win.h"
#include "skin/controls/skin_header.h"
#include "skin/controls/skin_sc_control.h"
#include "skin/controls/skin_scrollbar.h"
#include "skin/controls/skin_sizer.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinHeader, [](TClassBuilder<TSkinHeader>&) {})
PONDERIX_DEFINE_CLASS(TSkinSizer, [](TClassBuilder<TSkinSizer>&) {})
PONDERIX_DEFINE_CLASS(TSkinScControl, [](TClassBuilder<TSkinScControl>&) {})

namespace {

const TDataSkinObject* HeaderElement(TSkinData* skin) {
    const TDataSkinObject* element = skin ? skin->Skin().Headerbar.get() : nullptr;
    return element && !element->Image.Empty() && element->FrameCount > 0 ? element : nullptr;
}

// The header's font, as the label drawing takes it: from the canvas's font.
void TakeWindowFont(TFont& font, HWND window) {
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW log{};
    if (!handle || !GetObjectW(handle, sizeof log, &log)) return;
    font.SetName(log.lfFaceName);
    font.SetHeight(log.lfHeight);
    font.SetCharset(log.lfCharSet);
    font.SetStyle(log.lfWeight >= FW_BOLD ? 1u << fsBold : 0);
    font.SetColor(clWindowText);
}

// The header item's background: the element's first cell composed to the rectangle.
void DrawHeaderBackground(HDC dc, const TRect& r, const TDataSkinObject& element) {
    if (r.IsEmpty()) return;
    const TRect margins{element.LeftWidth, element.TopHeight, element.RightWidth,
                        element.BottomHeight};
    std::unique_ptr<TBitmap> image = MakeNineSlice(r, const_cast<TBitmap&>(element.Image), margins,
                                                   1, element.FrameCount, element.Tile != 0, false);
    BitBlt(dc, r.left, r.top, r.Width(), r.Height(), image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

int HeaderAlignment(int format) {
    if (format & HDF_RIGHT) return 2;
    if (format & HDF_CENTER) return 1;
    return 0;
}

}  // namespace

// ---- TSkinHeader ----------------------------------------------------------------------------

bool TSkinHeader::BeforeMessage(TMessage& message) {
    if (message.Msg == WM_ERASEBKGND && HeaderElement(skin)) {
        message.Result = 1;
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinHeader::DrawControl(HDC dc, const TRect& rect) {
    const TDataSkinObject* element = HeaderElement(skin);
    if (!element || rect.IsEmpty()) return;
    if (buffer.Width() != rect.Width() || buffer.Height() != rect.Height())
        buffer.SetSize(rect.Width(), rect.Height());
    TCanvas& target = *buffer.Canvas();
    TakeWindowFont(*target.Font(), handle);
    HDC bufferDc = target.Handle();
    SetBkMode(bufferDc, TRANSPARENT);
    const int count = static_cast<int>(SendMessageW(handle, HDM_GETITEMCOUNT, 0, 0));
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!Header_GetItemRect(handle, i, &item)) continue;
        wchar_t caption[201] = {};
        HDITEMW info{};
        info.mask = HDI_TEXT | HDI_FORMAT;
        info.pszText = caption;
        info.cchTextMax = 200;
        SendMessageW(handle, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        const TRect r{item.left, item.top, item.right, item.bottom};
        DrawHeaderBackground(bufferDc, r, *element);
        // FIXME: column images are not drawn: the class library's list view has no image list
        // to lend the label drawing, and no header of this program shows one.
        DrawSkinLabel(target, r, HeaderAlignment(info.fmt), caption, -1, nullptr);
        right = std::max(right, static_cast<int>(item.right));
    }
    // Right of the last column: the same background.
    DrawHeaderBackground(bufferDc, {right, 0, rect.Width(), rect.Height()}, *element);
    BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), bufferDc, 0, 0, SRCCOPY);
}

// ---- TSkinSizer -----------------------------------------------------------------------------

bool TSkinSizer::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT: PaintInstead(message); return false;
        case WM_ERASEBKGND: message.Result = 1; return false;
        default: return TSkinControl::BeforeMessage(message);
    }
}

void TSkinSizer::DrawControl(HDC dc, const TRect& rect) {
    if (rect.IsEmpty()) return;
    const Owned<HBRUSH, &DeleteObject> brush(
        CreateSolidBrush(ColorToRGB(skin->Skin().ButtonShadowColour)));
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    FrameRect(dc, &r, brush.Get());
}

// ---- TSkinScControl -------------------------------------------------------------------------

bool TSkinScControl::Vertical() const {
    if (control) return GetEnumPropName(control, "Kind") == "sbVertical";
    return (GetWindowLongW(handle, GWL_STYLE) & SBS_VERT) != 0;
}

bool TSkinScControl::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_NCMOUSEMOVE:
            if (message.WParam == HTHSCROLL || message.WParam == HTVSCROLL) return false;
            break;
        case SBM_SETSCROLLINFO:
            CallOriginal(message);
            PaintControl(nullptr);
            return false;
        case CN_BASE + WM_HSCROLL:
        case CN_BASE + WM_VSCROLL:
            activePart =
                ScrollMessagePart(message.Msg == CN_BASE + WM_VSCROLL, LOWORD(message.WParam));
            CallOriginal(message);
            PaintControl(nullptr);
            return false;
        default: break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinScControl::DrawControl(HDC dc, const TRect& rect) {
    const TDataSkinObject* arrows = skin->Skin().Scrollbar.get();
    if (!arrows || arrows->Image.Empty()) return;
    const bool vertical = Vertical();
    // The control's own scroll information; the arrows are as long as the bar is thick.
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    SendMessageW(handle, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
    const int arrow = vertical ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL);
    const int length = vertical ? rect.Height() : rect.Width();
    const TScrollValues values{info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
    if (std::optional<TBarGeometry> g =
            ThumbGeometry(length, arrow, values, MinimumThumb(arrow, false),
                          GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB)))
        geometry = *g;
    DrawScrollBarStrip(dc, strip, rect, vertical, arrow, geometry, activePart, *skin);
}
