#include "forms/containers.h"

#include "forms/dc_scopes.h"

const TEnumInfo BevelCutType{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};

PONDERIX_DEFINE_CLASS(TCustomPanel, [](TClassBuilder<TCustomPanel>& b) {
    b.String("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption);
    b.Enum("BevelInner", BevelCutType, &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner);
    b.Enum("BevelOuter", BevelCutType, &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter);
    b.Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth);
    b.Event("OnClick", &TCustomPanel::OnClick);
})
PONDERIX_DEFINE_CLASS(TPanel, [](TClassBuilder<TPanel>&) {})
PONDERIX_DEFINE_CLASS(TCustomGroupBox, [](TClassBuilder<TCustomGroupBox>& b) {
    b.String("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption);
})
PONDERIX_DEFINE_CLASS(TGroupBox, [](TClassBuilder<TGroupBox>&) {})

namespace {

// Draws one bevel ring inside r and moves r inwards past it.
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    for (int i = 0; i < width; ++i) {
        if (cut != bvSpace) {
            const bool raised = cut == bvRaised;
            // The DC pen takes each colour in turn: no pen object is made.
            const TSavedDC saved(dc);
            SelectObject(dc, GetStockObject(DC_PEN));
            SetDCPenColor(dc, GetSysColor(raised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
            MoveToEx(dc, r.left, r.bottom - 1, nullptr);
            LineTo(dc, r.left, r.top);
            LineTo(dc, r.right - 1, r.top);
            SetDCPenColor(dc, GetSysColor(raised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
            LineTo(dc, r.right - 1, r.bottom - 1);
            LineTo(dc, r.left - 1, r.bottom - 1);
        }
        InflateRect(&r, -1, -1);
    }
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    bevelInner = value;
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    bevelOuter = value;
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
    bevelWidth = value;
    Invalidate();
}

void TCustomPanel::PaintWindow(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    DrawBevel(dc, r, bevelOuter, bevelWidth);
    DrawBevel(dc, r, bevelInner, bevelWidth);
    const std::wstring caption = GetText();
    if (caption.empty()) return;
    const TSavedDC saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 105);
    SetColor(clBtnFace);
}

void TCustomGroupBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomGroupBox::PaintWindow(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    const TSavedDC saved(dc);
    SelectObject(dc, Font()->Handle());
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    // The frame's top edge runs through the caption: half the height of a "0", less one.
    SIZE digit{};
    GetTextExtentPoint32W(dc, L"0", 1, &digit);
    RECT frame = client;
    frame.top += digit.cy / 2 - 1;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = GetText();
    if (!caption.empty()) {
        RECT textRect{8, 0, client.right - 8, metrics.tmHeight};
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
                  DT_SINGLELINE | DT_CALCRECT);
        InflateRect(&textRect, 1, 0);
        FillSolidRect(dc, textRect, ColorToRGB(Color()));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
                  DT_SINGLELINE | DT_CENTER);
    }
}

void RegisterContainerClasses() {
    RegisterComponentClass(TPanel::StaticClass());
    RegisterComponentClass(TGroupBox::StaticClass());
}
