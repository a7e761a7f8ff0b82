// The scroll bar skinner's own thumb drag (mode 1): the press on a bar, and the message loop
// that follows the mouse until the button goes up.
//
// The loop waits for each message (GetMessage) instead of polling, so a thumb held still costs
// no processor time; it ends when the button goes up, and also when the window loses the mouse
// capture (another window takes it, the user switches away with the button down, the window is
// destroyed), since no release would ever reach it then.
#include <windowsx.h>

#include "skin/controls/skin_scrollbar.h"

namespace {

// The cursor of a mouse message in screen coordinates.
POINT ScreenPoint(const MSG& msg) {
    POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.message == WM_MOUSEMOVE && msg.hwnd) ClientToScreen(msg.hwnd, &p);
    return p;
}

TScrollValues Values(const SCROLLINFO& info) {
    return {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

}  // namespace

bool TSkinScrollbar::PressOnBar(const TMessage& message) {
    if (message.WParam != HTHSCROLL && message.WParam != HTVSCROLL) return false;
    const bool vertical = message.WParam == HTVSCROLL;
    const POINT screen{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    POINT client = screen;
    ScreenToClient(handle, &client);
    UpdateGeometry();
    if (BarPartAt(vertical ? client.y : client.x, Geometry(vertical)) != TBarPart::Thumb)
        return false;  // arrows and pages are the window's own
    activePart = vertical ? kVertThumbPart : kHorzThumbPart;
    PaintControl(nullptr);
    TrackThumb(vertical, screen);
    return true;
}

void TSkinScrollbar::TrackThumb(bool vertical, POINT start) {
    // This skinner may be freed by a message dispatched below (the control destroyed): after
    // every dispatch, only the local flag is read until it says the skinner is still there.
    bool living = true;
    alive = &living;
    const HWND window = handle;
    const int bar = vertical ? SB_VERT : SB_HORZ;
    const UINT scrollMessage = vertical ? WM_VSCROLL : WM_HSCROLL;
    TBar& barState = vertical ? vert : horz;
    const TBarGeometry geometry = barState.geometry;
    const TScrollValues values = Values(barState.info);
    int pos = barState.info.nPos;
    captureLost = false;
    SetCapture(window);
    tracking = true;
    const auto releaseCapture = [window] {
        if (GetCapture() == window) ReleaseCapture();
    };
    MSG msg{};
    while (tracking) {
        if (captureLost || GetCapture() != window) break;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
            break;
        }
        if (got < 0) break;
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
            tracking = false;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (!living) return releaseCapture();
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) continue;
        const POINT now = ScreenPoint(msg);
        const TThumbDrag drag = DragThumb(
            geometry.offset, vertical ? now.y - start.y : now.x - start.x, geometry, values);
        if (drag.pos == pos) continue;
        pos = drag.pos;
        barState.geometry.offset = drag.offset;
        barState.info.nPos = barState.info.nTrackPos = pos;
        SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, pos, pos};
        SetScrollInfo(window, bar, &info, FALSE);
        SendMessageW(window, scrollMessage, MAKEWPARAM(SB_THUMBTRACK, pos & 0xFFFF), 0);
        if (!living) return releaseCapture();
    }
    tracking = false;
    // A drag that lost its capture ends as a release does: the window is told where the thumb
    // stays, unless the window itself is gone.
    if (IsWindow(window)) {
        SendMessageW(window, scrollMessage, MAKEWPARAM(SB_THUMBPOSITION, pos & 0xFFFF), 0);
        if (living) PostMessageW(window, scrollMessage, SB_ENDSCROLL, 0);
    }
    releaseCapture();
    if (living) alive = nullptr;
}
