#include "skin/controls/skin_button.h"

#include "forms/buttons.h"
#include "forms/dc_scopes.h"
#include "forms/font.h"
#include "forms/messages.h"
#include "forms/properties.h"
#include "skin/controls/control_skinner_host.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinButton, [](TClassBuilder<TSkinButton>&) {})

void DrawButtonCaption(HDC dc, const std::wstring& caption, const TRect& rect, UINT format) {
    if (caption.empty()) return;
    RECT measured{rect.left, rect.top, rect.right, rect.bottom};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              format | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP);
    const TRect placed =
        PlaceButtonCaption(rect, {measured.left, measured.top, measured.right, measured.bottom},
                           (format & DT_CENTER) != 0);
    SetBkMode(dc, TRANSPARENT);
    SkinDrawText(dc, caption, {placed.left, placed.top, placed.right, placed.bottom},
                 format | DT_EXPANDTABS);
}

bool TSkinButton::HasFace() const { return !skin->Skin().Buttons.Image.Empty(); }

bool TSkinButton::BeforeMessage(TMessage& message) {
    if (!HasFace()) return TSkinControl::BeforeMessage(message);
    switch (message.Msg) {
        case WM_PAINT: PaintInstead(message); return false;
        case WM_ERASEBKGND: message.Result = 1; return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (handle && GetFocus() != handle) SetFocus(handle);
            Apply(TButtonEvent::Press);
            PaintControl(nullptr);
            return false;
        default: return TSkinControl::BeforeMessage(message);
    }
}

void TSkinButton::AfterMessage(TMessage& message) {
    if (!HasFace()) {
        TSkinControl::AfterMessage(message);
        return;
    }
    switch (message.Msg) {
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (message.WParam != VK_SPACE) break;
            Apply(message.Msg == WM_KEYDOWN ? TButtonEvent::SpaceDown : TButtonEvent::SpaceUp);
            Repaint();
            break;
        case WM_MOUSEMOVE:
            if (HookedBySubclass()) {
                // A bare window is told of the mouse leaving only when it asks.
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle, 0};
                TrackMouseEvent(&track);
            }
            if (mouseState & msHot) break;
            Apply(TButtonEvent::Move);
            if (!frameSkinner || frameSkinner->HotControl() != this) {
                BecomeHot();
                Repaint();
            }
            break;
        case WM_LBUTTONUP:
            if (!(mouseState & msPressed)) break;
            if (Apply(TButtonEvent::Release)) {
                Repaint();
                // The click may free the button and this skinner with it: nothing follows.
                ClickButton();
                return;
            }
            Repaint();
            break;
        case CM_MOUSEENTER:
            if (!enabled) break;
            Apply(TButtonEvent::Enter);
            BecomeHot();
            Repaint();
            break;
        case WM_MOUSELEAVE:
            if (!HookedBySubclass()) break;
            [[fallthrough]];
        case CM_MOUSELEAVE:
            if (!enabled) break;
            Apply(TButtonEvent::Leave);
            Repaint();
            if (frameSkinner && frameSkinner->HotControl() == this)
                frameSkinner->SetHotControl(nullptr);
            break;
        default: TSkinControl::AfterMessage(message); break;
    }
}

bool TSkinButton::Apply(TButtonEvent event) {
    const TButtonMouse now{(mouseState & msHot) != 0, (mouseState & msPressed) != 0,
                           pressedByMouse};
    const TButtonStep step = ButtonTransition(now, event, enabled);
    mouseState =
        static_cast<uint8_t>((step.next.hot ? msHot : 0) | (step.next.pressed ? msPressed : 0));
    pressedByMouse = step.next.pressedByMouse;
    return step.click;
}

void TSkinButton::BecomeHot() {
    if (!frameSkinner) return;
    TSkinControl* previous = frameSkinner->HotControl();
    if (previous == this) return;
    frameSkinner->SetHotControl(this);
    if (previous) previous->SendMouseLeave();
}

void TSkinButton::ClickButton() {
    if (auto* button = dynamic_cast<TButton*>(control)) {
        button->Click();
    } else if (HWND parent = GetParent(handle)) {
        // A bare window, or a control class without a public click: the parent is notified as
        // the button itself would, and the class library reflects it back to the control.
        PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(handle), BN_CLICKED),
                     reinterpret_cast<LPARAM>(handle));
    }
}

void TSkinButton::ReadButtonState() {
    const LONG style = GetWindowLongW(handle, GWL_STYLE);
    isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    focused = GetFocus() == handle;
    enabled = !(style & WS_DISABLED);
    text = SkinWindowText(handle);
    if (text.empty() && control) text = GetStrPropByName(control, "Caption");
}

TButtonFaceState TSkinButton::FaceState() const {
    return {enabled, (mouseState & msPressed) != 0, (mouseState & msHot) != 0, isDefault, focused};
}

void TSkinButton::SelectCaptionFont(TBitmap& target, int cell) {
    HDC dc = target.Canvas()->Handle();
    const TSkinDescription& s = skin->Skin();
    const TDataSkinButton& b = s.Buttons;
    const TButtonTextColours colours{s.ButtonTextColour, b.NormalColour2,    b.MouseOverColour2,
                                     b.PressedColour2,   b.HasNormalColour2, b.HasMouseOverColour2,
                                     b.HasPressedColour2};
    TColor fontColor = clBtnText;
    if (control) {
        TFont* own = target.Canvas()->Font();
        if (auto* font =
                dynamic_cast<TFont*>(GetObjectPropByName(control, "Font", TFont::StaticClass())))
            own->Assign(*font);
        fontColor = own->Color();
        SelectObject(dc, own->Handle());
    } else if (auto font = reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0))) {
        SelectObject(dc, font);
    }
    SetTextColor(dc, ColorToRGB(ButtonTextColor(cell, control != nullptr, fontColor, colours)));
}

void TSkinButton::DrawControl(HDC dc, const TRect& rect) {
    TDataSkinButton& buttons = skin->Skin().Buttons;
    if (buttons.Image.Empty() || rect.IsEmpty()) return;
    ReadButtonState();
    const int cell = PushButtonCell(FaceState());
    const TRect local{0, 0, rect.Width(), rect.Height()};
    DrawFace(buffer, local, 5, cell);
    HDC bufferDc = buffer.Canvas()->Handle();
    TSavedDC saved(bufferDc);  // the caption's font goes when the buffer is done
    SelectCaptionFont(buffer, cell);
    DrawButtonCaption(bufferDc, text, local, DT_CENTER);
    BitBlt(dc, rect.left, rect.top, local.right, local.bottom, bufferDc, 0, 0, SRCCOPY);
}

void TSkinButton::DrawFace(TBitmap& target, const TRect& local, int frameCount, int cell) {
    if (target.Width() != local.right || target.Height() != local.bottom)
        target.SetSize(local.right, local.bottom);
    HDC dc = target.Canvas()->Handle();
    FillSkinColor(dc, {0, 0, local.right, local.bottom});
    DrawSkinObject(dc, local, frameCount, cell, skin->Skin().Buttons);
}
