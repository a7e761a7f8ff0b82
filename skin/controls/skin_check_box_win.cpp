#include "skin/controls/skin_check_box.h"

#include <algorithm>
#include <cctype>

#include "forms/messages.h"
#include "forms/properties.h"
#include "skin/controls/button_rules.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinMarkControl, [](TClassBuilder<TSkinMarkControl>&) {})
PONDERIX_DEFINE_CLASS(TSkinCheckBox, [](TClassBuilder<TSkinCheckBox>&) {})
PONDERIX_DEFINE_CLASS(TSkinRadioButton, [](TClassBuilder<TSkinRadioButton>&) {})

namespace {

// Asks a check box or radio button to show its mark again.
constexpr UINT kButtonStateChanged = 0xB0D0;

}  // namespace

void TSkinMarkControl::AfterMessage(TMessage& message) {
    switch (message.Msg) {
        case BM_SETCHECK:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case CM_EXIT:
        case kButtonStateChanged: Repaint(); break;
        default: TSkinControl::AfterMessage(message); break;
    }
}

bool TSkinMarkControl::Checked(bool windowChecked) const {
    if (!control) return windowChecked;
    std::string name = GetEnumPropName(control, "Checked");
    if (name.empty()) return windowChecked;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name == "true";
}

void TSkinMarkControl::DrawMark(HDC dc, const TRect& rect, TBitmap& strip, int frameCount, int cell,
                                bool checkBox) {
    if (frameCount <= 0) return;
    const bool leftText = (GetWindowLongW(handle, GWL_STYLE) & BS_LEFTTEXT) != 0;
    const TMarkPlacement place =
        PlaceButtonMark(rect, strip.Width() / frameCount, strip.Height(),
                        GetSystemMetrics(SM_CXMENUCHECK), leftText, checkBox);
    const TRect& s = place.strip;
    FillSkinColor(dc, {s.left, s.top, s.right, s.bottom});
    DrawCellMasked(dc, place.mark, frameCount, cell, strip);
}

void TSkinCheckBox::DrawControl(HDC dc, const TRect& rect) {
    TDataSkinButton& buttons = skin->Skin().Buttons;
    if (buttons.CheckImage.Empty()) return;
    const LRESULT state = SendMessageW(handle, BM_GETSTATE, 0, 0);
    const bool disabled = (GetWindowLongW(handle, GWL_STYLE) & WS_DISABLED) != 0;
    const int n = buttons.CheckFrameCount;
    const int cell = CheckBoxCell(Checked((state & BST_CHECKED) != 0),
                                  (state & BST_INDETERMINATE) != 0, disabled, n);
    DrawMark(dc, rect, buttons.CheckImage, n, cell, true);
}

void TSkinRadioButton::DrawControl(HDC dc, const TRect& rect) {
    TDataSkinButton& buttons = skin->Skin().Buttons;
    if (buttons.RadioImage.Empty()) return;
    const bool checked = SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const bool disabled = (GetWindowLongW(handle, GWL_STYLE) & WS_DISABLED) != 0;
    const int n = buttons.RadioFrameCount;
    DrawMark(dc, rect, buttons.RadioImage, n, RadioButtonCell(Checked(checked), disabled, n),
             false);
}
