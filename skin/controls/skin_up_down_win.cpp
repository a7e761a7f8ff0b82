#include "skin/controls/skin_up_down.h"

#include <commctrl.h>

#include "forms/dc_scopes.h"
#include "forms/messages.h"
#include "skin/bitmap_utils_win.h"
#include "skin/controls/indicator_rules.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinUpDown, [](TClassBuilder<TSkinUpDown>&) {})

namespace {

// The client rectangle in the coordinates of the whole window, which PaintControl draws in.
TRect ClientInWindow(HWND window) {
    RECT client{}, frame{};
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int dx = origin.x - frame.left, dy = origin.y - frame.top;
    return {client.left + dx, client.top + dy, client.right + dx, client.bottom + dy};
}

}  // namespace

bool TSkinUpDown::Horizontal() const {
    return kind == 1 || (GetWindowLongW(handle, GWL_STYLE) & UDS_HORZ) != 0;
}

int TSkinUpDown::ButtonUnderCursor() const {
    POINT cursor{};
    RECT frame{};
    if (!GetCursorPos(&cursor) || !GetWindowRect(handle, &frame)) return 0;
    const int x = cursor.x - frame.left, y = cursor.y - frame.top;
    const TUpDownButtons buttons = UpDownLayout(ClientInWindow(handle), Horizontal(), inEdit);
    if (PointInRect(buttons.first, x, y)) return 1;
    if (PointInRect(buttons.second, x, y)) return 2;
    return 0;
}

void TSkinUpDown::TrackMouse(bool inside) {
    if (inside && !(mouseState & msHot)) {
        // Ask to be told when the mouse leaves, for a bare window as for a control.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle, 0};
        TrackMouseEvent(&track);
        mouseState |= msHot;
        lastUnder = ButtonUnderCursor();
        PaintControl(nullptr);
        return;
    }
    if (!inside) {
        if (!(mouseState & msHot)) return;
        mouseState &= static_cast<uint8_t>(~msHot);
        lastUnder = 0;
        PaintControl(nullptr);
        return;
    }
    // Moving from one button to the other repaints both.
    const int under = ButtonUnderCursor();
    if (under == lastUnder) return;
    lastUnder = under;
    PaintControl(nullptr);
}

bool TSkinUpDown::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT: PaintInstead(message); return false;
        case WM_ERASEBKGND: message.Result = 1; return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            CallOriginal(message);
            mouseState |= msPressed;
            PaintControl(nullptr);
            return false;
        case WM_LBUTTONUP:
            mouseState &= static_cast<uint8_t>(~msPressed);
            CallOriginal(message);
            PaintControl(nullptr);
            return false;
        case WM_MOUSEMOVE: TrackMouse(true); return true;
        case WM_MOUSELEAVE:
        case CM_MOUSELEAVE: TrackMouse(false); return true;
        default: return TSkinControl::BeforeMessage(message);
    }
}

void TSkinUpDown::DrawControl(HDC dc, const TRect& rect) {
    if (rect.IsEmpty()) return;
    if (buffer.Width() != rect.Width() || buffer.Height() != rect.Height())
        buffer.SetSize(rect.Width(), rect.Height());
    HDC target = buffer.Canvas()->Handle();
    FillSkinColor(target, {0, 0, rect.Width(), rect.Height()});
    enabled = !(GetWindowLongW(handle, GWL_STYLE) & WS_DISABLED);
    const bool horizontal = Horizontal();
    const TUpDownButtons buttons = UpDownLayout(ClientInWindow(handle), horizontal, inEdit);
    const int under = ButtonUnderCursor();
    const bool pressed = (mouseState & msPressed) != 0, hot = (mouseState & msHot) != 0;
    TDataSkinBorder* element =
        horizontal ? skin->Skin().UpDownHorz.get() : skin->Skin().UpDownVert.get();
    if (element && element->Image.Empty()) element = nullptr;
    DrawButton(target, buttons.first, UpDownButtonState(enabled, under == 1, pressed, hot), false,
               horizontal, element);
    DrawButton(target, buttons.second, UpDownButtonState(enabled, under == 2, pressed, hot), true,
               horizontal, element);
    BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), target, 0, 0, SRCCOPY);
}

void TSkinUpDown::DrawButton(HDC dc, const TRect& button, int state, bool second, bool horizontal,
                             TDataSkinBorder* element) {
    if (button.IsEmpty()) return;
    if (!element) {
        DrawPlainButton(dc, button, state, second, horizontal);
        return;
    }
    const int cell = UpDownCell(state, second);
    const int frames = element->FrameCount;
    DrawFrameCell(dc, button, element->Image, cell, frames, true);
    TBitmap& glyphs = element->Image2;
    if (glyphs.Empty() || frames <= 0) return;
    const int w = glyphs.Width() / frames, h = glyphs.Height();
    const int left = button.left + (button.Width() - w) / 2;
    const int top = button.top + (button.Height() - h) / 2;
    DrawFrameCell(dc, {left, top, left + w, top + h}, glyphs, cell, frames, true);
}

void TSkinUpDown::DrawPlainButton(HDC dc, const TRect& button, int state, bool second,
                                  bool horizontal) {
    const TSkinDescription& s = skin->Skin();
    const bool down = state == udPressed || state == udHot;
    Owned<HPEN, &DeleteObject> pen(CreatePen(PS_SOLID, 1, ColorToRGB(s.ButtonDkShadowColour)));
    Owned<HBRUSH, &DeleteObject> brush(
        CreateSolidBrush(ColorToRGB(down ? s.ButtonShadowColour : s.ButtonFaceColour)));
    TSavedDC saved(dc);
    SelectObject(dc, pen.Get());
    SelectObject(dc, brush.Get());
    Rectangle(dc, button.left, button.top, button.right, button.bottom);
    // A three-line arrow pointing the button's way, its tip toward the outer edge.
    const int cx = button.left + button.Width() / 2;
    const int cy = button.top + button.Height() / 2 - (horizontal ? 0 : 2);
    for (int i = 0; i < 3; ++i) {
        const int row = second ? 2 - i : i;  // the tip (i = 0) first for up and left
        if (horizontal) {
            MoveToEx(dc, cx - 1 + row, cy - i, nullptr);
            LineTo(dc, cx - 1 + row, cy + i + 1);
        } else {
            MoveToEx(dc, cx - i, cy + row, nullptr);
            LineTo(dc, cx + i + 1, cy + row);
        }
    }
}
