#include "skin/controls/skin_group_box.h"

#include "forms/dc_scopes.h"
#include "forms/font.h"
#include "forms/owned.h"
#include "forms/properties.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinGroupBox, [](TClassBuilder<TSkinGroupBox>&) {})

void TSkinGroupBox::DrawControl(HDC dc, const TRect& rect) {
    const TSkinDescription& s = skin->Skin();
    std::wstring caption = SkinWindowText(handle);
    if (caption.empty() && control) caption = GetStrPropByName(control, "Caption");
    // The pen is declared before the saved state, which lets go of it first.
    const Owned<HPEN, &DeleteObject> pen(CreatePen(PS_SOLID, 1, ColorToRGB(s.ButtonShadowColour)));
    TSavedDC saved(dc);
    TColor textColor = clWindowText;
    if (control) {
        SelectObject(dc, control->Font()->Handle());
        textColor = control->Font()->Color();
    } else if (auto font = reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0))) {
        SelectObject(dc, font);
    }
    SIZE digit{};
    GetTextExtentPoint32W(dc, L"0", 1, &digit);
    const int y = GroupBoxFrameTop(digit.cy);
    RECT frame{rect.left, rect.top + y, rect.right, rect.bottom};
    FrameRect(dc, &frame, s.FaceBrush.Get());
    InflateRect(&frame, -1, -1);
    FrameRect(dc, &frame, s.FaceBrush.Get());
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SelectObject(dc, pen.Get());
    RoundRect(dc, rect.left + 1, rect.top + y, rect.right - 1, rect.bottom - 1, 5, 5);
    if (caption.empty()) return;
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(s.ButtonFaceColour));
    SetTextColor(dc, ColorToRGB(textColor));
    RECT text{rect.left + kGroupBoxCaptionIndent, rect.top, rect.right, rect.bottom};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_EXPANDTABS);
}
