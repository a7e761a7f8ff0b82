#include "skin/frame/win_skin_pop_menu.h"

#include "forms/dc_scopes.h"
#include "skin/bitmap_slice_win.h"
#include "skin/frame/form_skinner_registry.h"
#include "skin/skin_data.h"

namespace {
constexpr UINT kIsSkinned = 0x3504;      // CN_IsSkinned
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU: the menu a popup menu window shows
constexpr int kBorder = 3;

TWinSkinPopMenu* pendingPopup = nullptr;

// Copies the outer ring of `width` pixels of source onto dc at the same places.
void CopyRing(HDC dc, HDC source, int w, int h, int width) {
    BitBlt(dc, 0, 0, w, width, source, 0, 0, SRCCOPY);
    BitBlt(dc, 0, h - width, w, width, source, 0, h - width, SRCCOPY);
    BitBlt(dc, 0, width, width, h - 2 * width, source, 0, width, SRCCOPY);
    BitBlt(dc, w - width, width, width, h - 2 * width, source, w - width, width, SRCCOPY);
}
}  // namespace

TWinSkinPopMenu* TWinSkinPopMenu::Pending() { return pendingPopup; }

void TWinSkinPopMenu::LearnPendingMenu(HMENU shown) {
    if (!pendingPopup || !shown) return;
    pendingPopup->menu = shown;
    pendingPopup = nullptr;
}

void TWinSkinPopMenu::Attach(HWND window, TSkinData* skinData, HMENU shown,
                             const TFormSkinnerRegistry* owner) {
    skin = skinData;
    menu = shown;
    registry = owner;
    fromMenuBar = false;
    // Kept even when the window cannot be subclassed, so that its destruction still finds and
    // frees this skinner.
    handle = window;
    windowInstance.Attach(window, [this](TMessage& message) { WindowMessage(message); });
}

void TWinSkinPopMenu::Detach() {
    if (pendingPopup == this) pendingPopup = nullptr;
    if (!windowInstance.Attached()) return;
    windowInstance.Detach();
    background.SetSize(0, 0);
}

void TWinSkinPopMenu::WindowMessage(TMessage& message) {
    if (message.Msg == kIsSkinned) {
        message.Result = 1;
        return;
    }
    const auto passOn = [&] {
        message.Result = windowInstance.CallOld(message.Msg, message.WParam, message.LParam);
    };
    if (registry && !registry->Enabled()) {
        passOn();
        return;
    }
    switch (message.Msg) {
        case WM_DESTROY: {
            const HWND window = handle;
            const WNDPROC old = windowInstance.OldProc();
            Detach();
            message.Result =
                CallWindowProcW(old, window, message.Msg, message.WParam, message.LParam);
            return;
        }
        case WM_NCPAINT:
            if (!MakeBackground()) break;
            PaintBorder();
            message.Result = 0;
            return;
        case WM_PAINT:
            // Where the platform draws the menu's border inside the window (Wine does), the
            // skinned border goes over it once the menu has painted itself.
            passOn();
            if (MakeBackground()) PaintBorder();
            return;
        case WM_PRINT:
            if (!MakeBackground()) break;
            Print(message);
            return;
        default: break;
    }
    passOn();
}

bool TWinSkinPopMenu::MakeBackground() {
    if (!skin || skin->Empty()) return false;
    TDataSkinObject* element = skin->Skin().MenuBackground.get();
    if (!element || element->Image.Empty() || element->FrameCount <= 0) return false;
    RECT r{};
    GetWindowRect(handle, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    try {
        if (background.Width() != w || background.Height() != h) {
            std::unique_ptr<TBitmap> made =
                MakeNineSlice({0, 0, w, h}, element->Image,
                              {element->LeftWidth, element->TopHeight, element->RightWidth,
                               element->BottomHeight},
                              1, element->FrameCount, element->Tile == 1, false);
            if (!made) return false;
            background.Assign(*made);
        }
    } catch (const std::exception&) {
        return false;
    }
    if (!menu) menu = reinterpret_cast<HMENU>(SendMessageW(handle, kGetMenuHandle, 0, 0));
    if (!menu) pendingPopup = this;
    return true;
}

void TWinSkinPopMenu::PaintBorder() {
    try {
        TWindowDC dc(handle, TWindowDC::WholeWindow);
        if (!dc.Dc()) return;
        CopyRing(dc.Dc(), background.Canvas()->Handle(), background.Width(), background.Height(),
                 kBorder);
    } catch (const std::exception&) {
        // The menu keeps its native border.
    }
}

void TWinSkinPopMenu::Print(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    const int w = background.Width(), h = background.Height();
    BitBlt(dc, 0, 0, w, h, background.Canvas()->Handle(), 0, 0, SRCCOPY);
    const TSavedDC saved(dc);
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, kBorder, kBorder, w - kBorder, h - kBorder);
    message.Result = windowInstance.CallOld(message.Msg, message.WParam, message.LParam);
}
