#include "skin/controls/skin_com_box.h"

#include <windowsx.h>

#include "forms/dc_scopes.h"
#include "forms/messages.h"
#include "forms/owned.h"
#include "skin/controls/combo_box_rules.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinComBox, [](TClassBuilder<TSkinComBox>&) {})

void TSkinComBox::SetMouseFlag(uint8_t flag, bool on) {
    mouseState = static_cast<uint8_t>(on ? mouseState | flag : mouseState & ~flag);
}

bool TSkinComBox::MessageOverWindow() const {
    const DWORD at = GetMessagePos();
    const POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    RECT r{};
    return GetWindowRect(handle, &r) && PtInRect(&r, p);
}

void TSkinComBox::AfterMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_DRAWITEM: Repaint(); break;
        case WM_NCPAINT:
            if (!SkinPaintPending()) PaintControl(nullptr);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetMouseFlag(msPressed, true);
            PaintControl(nullptr);
            break;
        case WM_LBUTTONUP:
            SetMouseFlag(msPressed, false);
            PaintControl(nullptr);
            break;
        case CN_COMMAND:
            switch (HIWORD(message.WParam)) {
                // The focus comes and goes in the edit part, which the box is not repainted for.
                case CBN_SETFOCUS:
                case CBN_KILLFOCUS: PaintControl(nullptr); break;
                // A press that ends in the dropped-down list is released there, unseen here.
                case CBN_CLOSEUP:
                    SetMouseFlag(msPressed, false);
                    PaintControl(nullptr);
                    break;
            }
            break;
        case CM_MOUSEENTER:
            // While the dropped-down list holds the mouse, moves anywhere come to the box; only
            // one over the box makes it hot.
            if (!enabled || !MessageOverWindow()) break;
            SetMouseFlag(msHot, true);
            PaintControl(nullptr);
            break;
        case CM_MOUSELEAVE:
            if (!enabled) break;
            SetMouseFlag(msHot, false);
            PaintControl(nullptr);
            break;
        default: TSkinControl::AfterMessage(message); break;
    }
}

void TSkinComBox::DrawControl(HDC dc, const TRect& rect) {
    const TSkinDescription& s = skin->Skin();
    TDataSkinBorder* button = s.ComboButton.get();
    if (!button || button->Image.Empty()) return;
    style = GetWindowLongW(handle, GWL_STYLE);
    exStyle = GetWindowLongW(handle, GWL_EXSTYLE);
    focused = GetFocus() == handle || IsChild(handle, GetFocus());
    enabled = !(style & WS_DISABLED);
    const int cell = ComboBoxCell(enabled, Pressed(), Hot(), focused);
    if (button->Style == 1) {
        DrawSimpleLook(dc, rect, cell);
        return;
    }
    TDataSkinObject* edge = s.SunkEdge.get();
    if (!edge || edge->Image.Empty()) return;
    const TRect local = rect.Offset(-rect.left, -rect.top);
    const TComboBoxLayout layout =
        LayOutComboBox(local, GetSystemMetrics(SM_CXHSCROLL), (exStyle & WS_EX_LEFTSCROLLBAR) != 0);
    TSavedDC saved(dc);
    const TRect& in = layout.interior;
    ExcludeClipRect(dc, in.left, in.top, in.right, in.bottom);
    DrawSkinObject(dc, local, edge->FrameCount, cell, *edge);
    DrawCellMasked(dc, layout.button, button->FrameCount, cell,
                   layout.mirrored ? button->Image2 : button->Image);
    TDataSkinObject* arrow = s.ExtraImages.get();
    if (!arrow || arrow->Image.Empty() || arrow->FrameCount <= 0) return;
    const TRect place =
        CentredIn(layout.arrow, arrow->Image.Width() / arrow->FrameCount, arrow->Image.Height());
    DrawCellStretched(dc, place, arrow->FrameCount, cell, arrow->Image);
}

void TSkinComBox::DrawSimpleLook(HDC dc, const TRect& rect, int cell) {
    const TSkinDescription& s = skin->Skin();
    TDataSkinBorder& button = *s.ComboButton;
    // The context's current brush: what the box's own painting (or a printing caller) chose.
    HBRUSH brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    const RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    FrameRect(dc, &inner, brush);
    const TRect face = SimpleComboButton(rect, GetSystemMetrics(SM_CYVTHUMB));
    const RECT faceRect{face.left, face.top, face.right, face.bottom};
    FillRect(dc, &faceRect, brush);
    DrawCellStretched(dc, face, button.FrameCount, cell, button.Image);
    const Owned<HBRUSH, &DeleteObject> shadow(CreateSolidBrush(ColorToRGB(s.ButtonShadowColour)));
    const RECT outer{rect.left, rect.top, rect.right, rect.bottom};
    FrameRect(dc, &outer, shadow.Get());
}
