#pragma once
// Bitmap buttons and speed buttons: a push button's face with a glyph (or an image list's
// image) laid out beside, above or below the caption, as the control's published Layout,
// Margin, Spacing and Alignment say. A disabled glyph is turned grey; the glyph's bottom-left
// pixel gives its transparent colour.

#include "skin/controls/skin_button.h"

class TSkinBitButton : public TSkinButton {
    PONDERIX_CLASS(TSkinBitButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;
    void DrawControl(HDC dc, const TRect& rect) override;

protected:
    // Composes the face of cell with glyph and caption into target, the size of local.
    void ComposeGlyphButton(TBitmap& target, const TRect& local, int cell);
};

// Speed buttons have no window: the skinner sits in the control's WindowProc, which its parent
// feeds with the mouse and paint messages, and Handle stays null. The button keeps its own
// mouse handling and click; the skinner follows its state and paints it, composing in the
// engine's shared off-screen bitmap. A button that stays down shows the pressed cell.
class TSkinSpeedButton : public TSkinBitButton {
    PONDERIX_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
    using TSkinBitButton::TSkinBitButton;
    void HookGraphicControl(TControlSkinnerHost* frame, TSkinData* skin, TCanvas* canvas);

    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    // Paints into dc, whose origin is the button's top-left corner, or, without one, into the
    // parent's window.
    void PaintControl(HDC dc) override;
    void DrawControl(HDC dc, const TRect& rect) override;
};
