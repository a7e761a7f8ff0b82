#pragma once
// TBitBtn: a push button with a glyph beside its caption, owner-drawn (BS_OWNERDRAW) by itself
// when its parent reflects WM_DRAWITEM back to it as CN_DRAWITEM.
//
// Also the glyph drawing that TSpeedButton shares: the glyph is a strip of NumGlyphs equal cells
// (up, disabled, down, stay-down), drawn transparent with its bottom-left pixel's colour as the
// key; where the strip lacks a disabled cell the up cell is drawn in grey.
//
// In a form description the glyph is the binary property GlyphData: the bytes of a BMP file.

#include <string>

#include "forms/bitmap.h"
#include "forms/buttons.h"
#include "forms/glyph_layout.h"

extern const TEnumInfo ButtonLayoutType;

// What one paint of a glyph button shows, beyond its face.
struct TGlyphButtonContent {
    TBitmap* glyph = nullptr;  // may be null or empty: the caption alone
    int numGlyphs = 1;
    TGlyphState state = gsUp;
    TButtonLayout layout = blGlyphLeft;
    int margin = -1;
    int spacing = 4;
    std::wstring caption;
    TFont* font = nullptr;  // the caption's font and colour
    bool enabled = true;    // a disabled caption is drawn embossed in the system's grey
};

// Draws glyph and caption into rect of canvas over the face already there; answers where they
// went, in canvas coordinates.
TGlyphPlacement DrawGlyphButtonContent(TCanvas& canvas, const TRect& rect,
                                       const TGlyphButtonContent& content);

// The glyph settings that TBitBtn and TSpeedButton share; a change calls GlyphChanged.
class TGlyphOptions {
public:
    TGlyphOptions();
    virtual ~TGlyphOptions() = default;

    TBitmap* Glyph() { return &glyph; }
    void SetGlyph(TBitmap* value);
    // Cells in the glyph strip, 1 to 4 (other values are brought into that range).
    int NumGlyphs() const { return numGlyphs; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout; }
    void SetLayout(TButtonLayout value);
    // Pixels from the glyph's edge of the button to the glyph; -1 centres glyph and caption.
    int Margin() const { return margin; }
    void SetMargin(int value);
    // Pixels between glyph and caption; -1 spreads them evenly.
    int Spacing() const { return spacing; }
    void SetSpacing(int value);

protected:
    virtual void GlyphChanged() = 0;
    // Declares GlyphData, the glyph's BMP bytes in a form description.
    void DefineGlyphData(TFiler& filer);
    // The settings' part of what a paint shows.
    void FillContent(TGlyphButtonContent& content);

private:
    TBitmap glyph;
    int numGlyphs = 1;
    TButtonLayout layout = blGlyphLeft;
    int margin = -1;
    int spacing = 4;
};

// Publishes Glyph, NumGlyphs, Layout, Margin and Spacing of a glyph button class.
template <class T>
void PublishGlyphOptions(TClassBuilder<T>& b) {
    b.template Object<TBitmap>("Glyph", &T::Glyph, &T::SetGlyph);
    b.Integer("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs);
    b.Enum("Layout", ButtonLayoutType, &T::Layout, &T::SetLayout);
    b.Integer("Margin", &T::Margin, &T::SetMargin);
    b.Integer("Spacing", &T::Spacing, &T::SetSpacing);
}

class TBitBtn : public TButton, public TGlyphOptions {
    PONDERIX_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);

    void DefineProperties(TFiler& filer) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

    void GlyphChanged() override { Invalidate(); }

private:
    void DrawItem(const DRAWITEMSTRUCT& item);

    bool defaultLook = false;  // the thick frame of the default button
};

void RegisterBitBtnClasses();
