#include "forms/graphics.h"

const TEnumInfo BrushStyleType{"TBrushStyle",
                               {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                "bsBDiagonal", "bsCross", "bsDiagCross"}};
const TEnumInfo PenStyleType{
    "TPenStyle",
    {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};

PONDERIX_DEFINE_CLASS(TBrush, [](TClassBuilder<TBrush>& b) {
    b.NamedInteger("Color", &IdentToColor, &TBrush::Color, &TBrush::SetColor);
    b.Enum("Style", BrushStyleType, &TBrush::Style, &TBrush::SetStyle);
})
PONDERIX_DEFINE_CLASS(TPen, [](TClassBuilder<TPen>& b) {
    b.NamedInteger("Color", &IdentToColor, &TPen::Color, &TPen::SetColor);
    b.Enum("Style", PenStyleType, &TPen::Style, &TPen::SetStyle);
    b.Integer("Width", &TPen::Width, &TPen::SetWidth);
})
PONDERIX_DEFINE_CLASS(TGraphic, [](TClassBuilder<TGraphic>&) {})

// ---- TBrush

void TBrush::SetColor(TColor value) {
    if (value != color) color = value, Changed();
}
void TBrush::SetStyle(TBrushStyle value) {
    if (value != style) style = value, Changed();
}

void TBrush::Changed() {
    if (OnChanging) OnChanging(this);
    handle.Reset();
    if (OnChange) OnChange(this);
}

HBRUSH TBrush::Handle() {
    if (!handle) {
        LOGBRUSH lb{};
        lb.lbColor = ColorToRGB(color);
        switch (style) {
            case bsSolid: lb.lbStyle = BS_SOLID; break;
            case bsClear: lb.lbStyle = BS_HOLLOW; break;
            default:
                lb.lbStyle = BS_HATCHED;
                // HS_HORIZONTAL .. HS_DIAGCROSS follow the same order as bsHorizontal ..
                // bsDiagCross.
                lb.lbHatch = static_cast<ULONG_PTR>(HS_HORIZONTAL + (style - bsHorizontal));
                break;
        }
        handle.Reset(CreateBrushIndirect(&lb));
    }
    return handle.Get();
}

void TBrush::Assign(const TPersistent& source) {
    if (auto* other = dynamic_cast<const TBrush*>(&source)) {
        if (other == this) return;
        color = other->color;
        style = other->style;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// ---- TPen

void TPen::SetColor(TColor value) {
    if (value != color) color = value, Changed();
}
void TPen::SetWidth(int value) {
    if (value != width) width = value, Changed();
}
void TPen::SetStyle(TPenStyle value) {
    if (value != style) style = value, Changed();
}

void TPen::Changed() {
    if (OnChanging) OnChanging(this);
    handle.Reset();
    if (OnChange) OnChange(this);
}

HPEN TPen::Handle() {
    if (!handle) {
        // PS_SOLID .. PS_INSIDEFRAME follow the same order as psSolid .. psInsideFrame
        // (psClear is PS_NULL).
        LOGPEN lp{};
        lp.lopnStyle = static_cast<UINT>(PS_SOLID + style);
        lp.lopnWidth.x = width;
        lp.lopnColor = ColorToRGB(color);
        handle.Reset(CreatePenIndirect(&lp));
    }
    return handle.Get();
}

void TPen::Assign(const TPersistent& source) {
    if (auto* other = dynamic_cast<const TPen*>(&source)) {
        if (other == this) return;
        color = other->color;
        width = other->width;
        style = other->style;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// ---- TCanvas

PONDERIX_DEFINE_CLASS(TCanvas, [](TClassBuilder<TCanvas>&) {})

TCanvas::TCanvas() {
    font.OnChanging = [this](TObject*) { Deselect(csFontValid); };
    brush.OnChanging = [this](TObject*) { Deselect(csBrushValid); };
    pen.OnChanging = [this](TObject*) { Deselect(csPenValid); };
}

TCanvas::~TCanvas() {
    // The font, brush and pen members are destroyed after this body: the context must already
    // be back to its own objects by then.
    SetHandle(nullptr);
}

HDC TCanvas::Handle() {
    if (!dc) CreateHandle();
    if (!dc) throw EInvalidOperation(L"画布不允许绘画");
    return dc;
}

void TCanvas::SetHandle(HDC value) {
    if (value == dc) return;
    if (dc) {
        // Restoring the saved state selects the context's original objects again, so ours are
        // free to change or be deleted afterwards.
        RestoreDC(dc, savedState);
        selected = 0;
        savedState = 0;
        dc = nullptr;
    }
    if (value) {
        savedState = SaveDC(value);
        dc = value;
    }
}

void TCanvas::Deselect(uint32_t object) {
    if (!dc || !(selected & object)) return;
    switch (object) {
        case csFontValid: SelectObject(dc, GetStockObject(SYSTEM_FONT)); break;
        case csBrushValid: SelectObject(dc, GetStockObject(NULL_BRUSH)); break;
        case csPenValid: SelectObject(dc, GetStockObject(NULL_PEN)); break;
    }
    selected &= ~object;
}

HDC TCanvas::RequiredState(uint32_t objects) {
    HDC target = Handle();
    uint32_t missing = objects & ~selected;
    if (missing & csFontValid) {
        SelectObject(target, font.Handle());
        SetTextColor(target, ColorToRGB(font.Color()));
    }
    if (missing & csPenValid) SelectObject(target, pen.Handle());
    if (missing & csBrushValid) {
        SelectObject(target, brush.Handle());
        // A solid brush also fills text backgrounds; with any other style text backgrounds and
        // the gaps between hatch lines let the picture show through.
        SetBkColor(target, ColorToRGB(brush.Color()));
        SetBkMode(target, brush.Style() == bsSolid ? OPAQUE : TRANSPARENT);
    }
    selected |= missing;
    return target;
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(RequiredState(csFontValid), text.c_str(), static_cast<int>(text.size()),
                          &size);
    return size;
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
    HDC target = RequiredState(csFontValid | csBrushValid);
    ::TextOutW(target, x, y, text.c_str(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::wstring& text) {
    HDC target = RequiredState(csFontValid | csBrushValid);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    UINT options = ETO_CLIPPED | (brush.Style() == bsSolid ? ETO_OPAQUE : 0);
    ExtTextOutW(target, x, y, options, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TCanvas::FillRect(const TRect& rect) {
    HDC target = RequiredState(csBrushValid);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    ::FillRect(target, &r, brush.Handle());
}

void TCanvas::FrameRect(const TRect& rect) {
    HDC target = RequiredState(csBrushValid);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    ::FrameRect(target, &r, brush.Handle());
}

void TCanvas::Rectangle(const TRect& rect) {
    HDC target = RequiredState(csPenValid | csBrushValid);
    ::Rectangle(target, rect.left, rect.top, rect.right, rect.bottom);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) { ::LineTo(RequiredState(csPenValid), x, y); }

COLORREF TCanvas::Pixel(int x, int y) { return GetPixel(Handle(), x, y); }

void TCanvas::SetPixel(int x, int y, TColor color) { SetPixelV(Handle(), x, y, ColorToRGB(color)); }

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
    if (graphic.Empty()) return;
    graphic.Draw(*this, {x, y, x + graphic.Width(), y + graphic.Height()});
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic) {
    if (graphic.Empty()) return;
    graphic.Draw(*this, rect);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    // The brush is selected for copy modes that mix in the pattern (PATCOPY, MERGECOPY).
    HDC target = RequiredState(csBrushValid);
    StretchBlt(target, dest.left, dest.top, dest.Width(), dest.Height(), source.Handle(),
               sourceRect.left, sourceRect.top, sourceRect.Width(), sourceRect.Height(), copyMode);
}

void TCanvas::Lock() {
    lock.lock();
    ++lockCount;
}

void TCanvas::Unlock() {
    --lockCount;
    lock.unlock();
}
