// The frame skinner's window procedure: the first stage answers the engine's own messages for
// every skinned window, the second tracks the window's state, and the third (only once skinned
// painting has started) sizes, hit-tests and paints the non-client area and turns mouse actions
// on the frame into title-bar button states and window commands.
#include <windowsx.h>

#include <utility>

#include "forms/dc_scopes.h"
#include "forms/forms.h"
#include "forms/menus.h"
#include "skin/controls/skin_control.h"
#include "skin/frame/form_skinner_registry.h"
#include "skin/frame/min_animation.h"
#include "skin/frame/win_skin_form.h"
#include "skin/skin_data.h"

namespace {
constexpr UINT kSkinActive = 0x3503;  // CN_SkinActive
constexpr UINT kIsSkinned = 0x3504;   // CN_IsSkinned

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }
bool Contains(const TRect& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
}  // namespace

void TWinSkinForm::PassOn(TMessage& message) {
    message.Result = windowInstance.CallOld(message.Msg, message.WParam, message.LParam);
}

void TWinSkinForm::WindowMessage(TMessage& message) {
    switch (message.Msg) {
        case CM_CHILDHANDLESCREATED:
            if (form) ClassifyControls();
            PassOn(message);
            return;
        case WM_ERASEBKGND:
            PassOn(message);
            if (!form) {
                RECT client{};
                GetClientRect(handle, &client);
                FillRect(reinterpret_cast<HDC>(message.WParam), &client,
                         skin->Skin().FaceBrush.Get());
                message.Result = 1;
            }
            return;
        case WM_STYLECHANGED:
            if (message.WParam == static_cast<WPARAM>(GWL_STYLE))
                style = reinterpret_cast<const STYLESTRUCT*>(message.LParam)->styleNew;
            PassOn(message);
            return;
        case WM_NCDESTROY: {
            skinState = fsDestroying;
            const WNDPROC old = windowInstance.OldProc();
            const HWND window = handle;
            ReleaseWindow();
            message.Result =
                CallWindowProcW(old, window, message.Msg, message.WParam, message.LParam);
            skinState = fsWindowDestroyed;
            return;
        }
        case WM_CTLCOLORBTN:
            PassOn(message);
            if (!form) SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
            return;
        case WM_CTLCOLORSTATIC:
            PassOn(message);
            if (!form) {
                SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
                message.Result = reinterpret_cast<LRESULT>(skin->Skin().FaceBrush.Get());
            }
            return;
        case kIsSkinned: message.Result = 1; return;
        default: break;
    }
    if (!frameEnabled) {
        if (message.Msg == kSkinActive)
            activated = true;
        else
            PassOn(message);
        return;
    }
    if (kind != wkMdiChild && (style & WS_CHILD)) {
        PassOn(message);
        return;
    }
    if (FrameMessage(message)) return;
    // The third stage runs only while the frame is painted.
    if (windowState == fwMinimized || MdiChildNotNormal() || skinState == fsAttached) {
        PassOn(message);
        return;
    }
    FrameStageMessage(message);
}

// The second stage; true when the message was handled.
bool TWinSkinForm::FrameMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_SIZE: OnSize(message); return true;
        case WM_ACTIVATE:
        case WM_NCACTIVATE: active = (message.WParam & 0xFF) != 0; return false;
        case WM_GETMINMAXINFO: OnGetMinMaxInfo(message); return true;
        case WM_WINDOWPOSCHANGED:
            ReadWindowState();
            PassOn(message);
            return true;
        case WM_COMMAND: {
            // The native system menu shown with TrackPopupMenu reports its choice here.
            const WPARAM command = LOWORD(message.WParam);
            switch (command) {
                case SC_SIZE:
                case SC_MOVE:
                case SC_MINIMIZE:
                case SC_MAXIMIZE:
                case SC_NEXTWINDOW:
                case SC_PREVWINDOW:
                case SC_CLOSE:
                case SC_RESTORE: PostCommand(command); break;
                default: PassOn(message);
            }
            return true;
        }
        case WM_SYSCOMMAND: OnSysCommand(message); return true;
        case kSkinActive: OnSkinActive(); return true;
        case CM_MENUCHANGED: OnMenuChanged(message); return true;
        default: return false;
    }
}

void TWinSkinForm::FrameStageMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_DRAWITEM: OnDrawItem(message); return;
        case WM_MEASUREITEM: OnMeasureItem(message); return;
        case WM_MENUSELECT: OnMenuSelect(message); return;
        case WM_NCCALCSIZE: OnNcCalcSize(message); return;
        case WM_NCHITTEST: OnNcHitTest(message); return;
        case WM_NCPAINT: OnNcPaint(message); return;
        case WM_NCACTIVATE: OnNcActivate(message); return;
        case WM_NCMOUSEMOVE: OnNcMouseMove(message); return;
        case WM_NCLBUTTONDOWN: OnNcLButtonDown(message); return;
        case WM_NCLBUTTONUP: OnNcLButtonUp(message); return;
        case WM_NCLBUTTONDBLCLK: OnNcLButtonDblClk(message); return;
        case WM_NCRBUTTONDOWN: OnNcRButtonDown(message); return;
        case CN_RepaintFrame: PaintFrame(nullptr); return;
        default: PassOn(message);
    }
}

void TWinSkinForm::PostCommand(WPARAM command) { PostMessageW(handle, WM_SYSCOMMAND, command, 0); }

void TWinSkinForm::OnSize(TMessage& message) {
    PassOn(message);
    if (message.WParam == SIZE_RESTORED) windowState = fwNormal;
    if (message.WParam == SIZE_MINIMIZED) windowState = fwMinimized;
    if (message.WParam == SIZE_MAXIMIZED) windowState = fwMaximized;
    if (windowState == fwMinimized) return;
    if (kind == wkMdiChild && ((manager && manager->MdiMaximized()) || windowState != fwNormal))
        return;
    if (skinState == fsActive || skinState == fsSkinChange) UpdateRegion();
}

void TWinSkinForm::OnGetMinMaxInfo(TMessage& message) {
    PassOn(message);
    ReadWindowState();
    if (skinState != fsAttached) {
        if (windowState == fwMinimized)
            SetNativeCaption(true);
        else if (kind != wkMdiChild)
            SetNativeCaption(false);
        else if (windowState == fwMaximized)
            SetNativeCaption(true);
        else {
            if (manager && manager->MdiMaximized()) manager->SetMdiMaximized(false);
            SetNativeCaption(false);
        }
    }
    if (borderKind == bkSizable) {
        auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
        info->ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    }
}

void TWinSkinForm::OnSkinActive() {
    activated = true;
    bool repainted = false;
    if (skinState == fsAttached) {
        if (kind == wkMdiChild && manager && manager->MdiMaximized()) {
            SetNativeCaption(true);
            SetWindowPos(
                handle, nullptr, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        } else if (windowState != fwMinimized && !Captionless()) {
            skinState = fsActivating;
            repainted = FitToFrame(false, true);
            skinState = fsActive;
        }
    }
    ReleaseHeldPaint(repainted);
    skinState = fsActive;
    SetHoverTimer(active);
    PaintFrame(nullptr);
}

void TWinSkinForm::OnNcCalcSize(TMessage& message) {
    PassOn(message);
    if ((message.WParam & 0xFF) == 0) {
        message.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
    if (!(MdiChildNotNormal() || Captionless())) {
        const WINDOWPOS& pos = *params->lppos;
        params->rgrc[0] = {pos.x + frame.left, pos.y + frame.caption + menuBarHeight,
                           pos.x + pos.cx - frame.right, pos.y + pos.cy - frame.bottom};
    }
    params->rgrc[1] = params->rgrc[0];
    message.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::OnNcHitTest(TMessage& message) {
    PassOn(message);
    if (message.Result != HTNOWHERE && message.Result != HTCAPTION) return;
    const POINT p = ToFrameCoords(PointOf(message.LParam));
    message.Result = FrameHitTest(static_cast<int>(message.Result), p.y, frame.caption);
}

void TWinSkinForm::OnNcPaint(TMessage& message) {
    message.Result = 0;
    if (!skin->NcPaint()) return;
    if (MdiChildNotNormal() || Captionless()) {
        PassOn(message);
        return;
    }
    // The whole frame is painted on the window's DC: its pieces never reach into the client
    // area, and the update region of wParam, in screen coordinates, is left to the system.
    PaintFrame(nullptr);
}

void TWinSkinForm::OnNcActivate(TMessage& message) {
    active = (message.WParam & 0xFF) != 0;
    SetHoverTimer(active);
    if (!active) LeaveHotControl();
    if (!MdiChildNotNormal()) PaintFrame(nullptr);
    message.Result = 1;
}

void TWinSkinForm::SetHoverTimer(bool enabled) {
    if (!hoverTimer) return;
    hoverTimer->SetEnabled(enabled);
}

POINT TWinSkinForm::ToFrameCoords(POINT screen) const {
    POINT p = screen;
    ScreenToClient(handle, &p);
    if (windowState != fwMinimized) {
        p.x += frame.left;
        p.y += frame.caption + menuBarHeight;
    }
    return p;
}

TWinSysButton* TWinSkinForm::SysButtonAt(POINT point) const {
    for (const auto& button : sysButtons)
        if (button->Visible && button->SkinButton().Action >= 0 && Contains(button->Rect, point))
            return button.get();
    return nullptr;
}

void TWinSkinForm::OnNcMouseMove(TMessage& message) {
    if (!active) return;
    if (TNCObject* button = NcObjectAt(ToFrameCoords(PointOf(message.LParam)))) {
        button->MouseEnter();
        message.Result = 0;
        return;
    }
    if (hotObject) hotObject->MouseLeave();
    PassOn(message);
}

void TWinSkinForm::OnNcLButtonDown(TMessage& message) {
    if (TNCObject* button = NcObjectAt(ToFrameCoords(PointOf(message.LParam)))) {
        if (!active) SetForegroundWindow(handle);
        button->MouseDown();
        message.Result = 0;
        if (auto* item = dynamic_cast<TMenuBtn*>(button)) menuBar->OpenMenuButton(*item);
        return;
    }
    // A maximised window does not move by its caption.
    if (windowState == fwMaximized && active && message.WParam == HTCAPTION)
        message.WParam = HTMENU;
    PassOn(message);
}

void TWinSkinForm::OnNcLButtonUp(TMessage& message) {
    TNCObject* object = NcObjectAt(ToFrameCoords(PointOf(message.LParam)));
    if (!object) {
        PassOn(message);
        return;
    }
    // A menu-bar item opened on the button down.
    auto* button = dynamic_cast<TWinSysButton*>(object);
    if (button && hotObject == button) {
        button->MouseUp();
        PerformAction(PointOf(message.LParam));
    }
    message.Result = 0;
}

void TWinSkinForm::OnNcLButtonDblClk(TMessage& message) {
    if (windowState != fwNormal)
        RestoreWindow();
    else if (capabilities & capMaximize)
        ToggleMaximize();
    message.Result = 0;
}

void TWinSkinForm::OnNcRButtonDown(TMessage& message) {
    if (message.WParam == HTCAPTION && kind != wkMdiChild) {
        ShowSystemMenu(PointOf(message.LParam));
        message.Result = 0;
        return;
    }
    PassOn(message);
}

void TWinSkinForm::PerformAction(POINT screen) {
    auto* button = dynamic_cast<TWinSysButton*>(hotObject);
    if (!button) return;
    const int action = button->SkinButton().Action;
    switch (action) {
        case 0:
            hoverTimer->SetEnabled(false);
            PostCommand(SC_CLOSE);
            break;
        case 1:
        case 22: ToggleMaximize(); break;
        case 2:
        case 23: ToggleMinimize(); break;
        case 3:
        case 11:
        case 12: ShowSystemMenu({screen.x + 1, screen.y + 1}); break;
        case 7:
        case 60: SendToMdiChild(SC_MINIMIZE); break;
        case 8:
        case 61: SendToMdiChild(SC_RESTORE); break;
        case 9:
        case 62: SendToMdiChild(SC_CLOSE); break;
        default: PostMessageW(handle, CN_ButtonAction, static_cast<WPARAM>(action), 0);
    }
}

void TWinSkinForm::ToggleMaximize() {
    if (windowState == fwMaximized) {
        RestoreWindow();
        return;
    }
    if (kind == wkMdiChild && manager) manager->SetMdiMaximized(true);
    SwitchOffMinAnimation();
    windowState = fwMaximized;
    PostCommand(SC_MAXIMIZE);
    hotObject = nullptr;
}

void TWinSkinForm::ToggleMinimize() {
    if (windowState == fwMinimized) {
        RestoreWindow();
        return;
    }
    SwitchOffMinAnimation();
    windowState = fwMinimized;
    PostCommand(SC_MINIMIZE);
}

void TWinSkinForm::RestoreWindow() {
    windowState = fwNormal;
    PostCommand(SC_RESTORE);
}

void TWinSkinForm::SendToMdiChild(WPARAM command) {
    SwitchOffMinAnimation();
    if (kind != wkMdiFrame || !mdiClient) return;
    if (HWND child = reinterpret_cast<HWND>(SendMessageW(mdiClient, WM_MDIGETACTIVE, 0, 0)))
        SendMessageW(child, WM_SYSCOMMAND, command, 0);
    if (manager && manager->MdiMaximized() && !IsMdiChildMaximized())
        manager->SetMdiMaximized(false);
}

void TWinSkinForm::ShowSystemMenu(POINT screen) {
    const DWORD now = GetTickCount();
    if (now - lastSysMenuClick > doubleClickTime) {
        lastSysMenuClick = now;
        PopupSystemMenu(screen);
        return;
    }
    // A second click within the double-click time closes, when it came from a title-bar button.
    if (hotObject) {
        hoverTimer->SetEnabled(false);
        PostMessageW(handle, WM_CLOSE, 0, 0);
    }
}

void TWinSkinForm::PopupSystemMenu(POINT screen) {
    if (systemMenu) EnableSystemMenuItems();
    if (systemMenu && HasSkinControl(skin->SkinControls(), xcSystemMenu) && kind != wkMdiChild) {
        systemMenu->Popup(screen.x, screen.y);
    } else if (HMENU menu = GetSystemMenu(handle, FALSE)) {
        TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, handle, nullptr);
    }
}

bool TWinSkinForm::OpenSystemMenuForKey() {
    if (!(capabilities & capSystemMenu) || (GetWindowLongW(handle, GWL_STYLE) & WS_SYSMENU) ||
        !systemMenu || kind == wkMdiChild)
        return false;
    // Where the system opens it: below the caption's left end.
    RECT r{};
    GetWindowRect(handle, &r);
    PopupSystemMenu({r.left + frame.left, r.top + frame.caption});
    return true;
}

void TWinSkinForm::OnSysCommand(TMessage& message) {
    // The menu key pressed alone would put the removed native menu bar in menu mode.
    const WPARAM key = LOWORD(message.LParam);
    if ((message.WParam & 0xFFF0) == SC_KEYMENU && !menuTracking && key != ' ' && key != '-' &&
        !GetCapture() && (key == 0 || OpenMenuBarKey(static_cast<wchar_t>(key)))) {
        message.Result = 1;
        return;
    }
    if ((message.WParam & 0xFFF0) == SC_KEYMENU && key == ' ' && !menuTracking &&
        OpenSystemMenuForKey()) {
        message.Result = 0;
        return;
    }
    if (message.WParam == SC_MINIMIZE) windowState = fwMinimized;
    if (message.WParam == SC_MAXIMIZE) windowState = fwMaximized;
    if (message.WParam == SC_RESTORE) windowState = fwNormal;
    if (kind == wkMdiChild && message.WParam == SC_MINIMIZE) SetNativeCaption(true);
    if (kind == wkMdiChild && message.WParam == SC_RESTORE) SetNativeCaption(false);
    PassOn(message);
}

void TWinSkinForm::OnHoverTimer() {
    if (menuTracking) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (hotObject && !Contains(hotObject->Rect, ToFrameCoords(cursor))) hotObject->MouseLeave();
    // A bare window's buttons hear of no mouse leaving but from here.
    if (!form && hotControl && !PtInRect(&hotControl->WindowRect(), cursor)) LeaveHotControl();
}

void TWinSkinForm::LeaveHotControl() {
    TSkinControl* left = std::exchange(hotControl, nullptr);
    if (left) left->SendMouseLeave();
}
