#include "forms/label.h"

#include "forms/dc_scopes.h"

const TEnumInfo AlignmentType{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};

PONDERIX_DEFINE_CLASS(TLabel, [](TClassBuilder<TLabel>& b) {
    b.String("Caption", &TLabel::Caption, &TLabel::SetCaption);
    b.Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    b.Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    b.Enum("Alignment", AlignmentType, &TLabel::Alignment, &TLabel::SetAlignment);
    b.Event("OnClick", &TLabel::OnClick);
})

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAutoSize(bool value) {
    autoSize = value;
    AdjustSize();
}

void TLabel::SetTransparent(bool value) {
    transparent = value;
    Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
    alignment = value;
    Invalidate();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustSize();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustSize();
}

void TLabel::AdjustSize() {
    // A form description gives the caption and the font one property at a time: the text is
    // measured once, with all of them, when the label has been read.
    if (!autoSize || HasState(csLoading)) return;
    const std::wstring caption = GetText();
    RECT r{0, 0, 0, 0};
    {
        const HDC measuring = MeasuringDC();
        const TSavedDC saved(measuring);
        SelectObject(measuring, Font()->Handle());
        DrawTextW(measuring, caption.empty() ? L" " : caption.c_str(),
                  caption.empty() ? 1 : static_cast<int>(caption.size()), &r,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetBounds(Left(), Top(), caption.empty() ? 0 : r.right, r.bottom);
}

void TLabel::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    if (!transparent) FillSolidRect(dc, r, ColorToRGB(Color()));
    const std::wstring caption = GetText();
    const TSavedDC saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    const UINT align = alignment == taCenter         ? DT_CENTER
                       : alignment == taRightJustify ? DT_RIGHT
                                                     : DT_LEFT;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              align | DT_SINGLELINE | DT_NOPREFIX);
}

void RegisterLabelClasses() { RegisterComponentClass(TLabel::StaticClass()); }
