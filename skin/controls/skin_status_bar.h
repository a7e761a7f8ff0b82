#pragma once
// TSkinStatusBar: a status bar painted entirely from the skin: every panel (or the one simple
// area) is its bevel's cell of the StatusBarEdges element with the panel's text on it in the
// element's text colour, and a bar that wants a size grip gets the skin's grip (cell 5 of
// ExtraImages) in its bottom-right corner, which sizes a sizeable window as the bar's own grip
// (switched off by the classification) did. Composed in the engine's shared bitmap.

#include <string>

#include "skin/controls/skin_control.h"

class TSkinStatusBar : public TSkinControl {
    PONDERIX_CLASS(TSkinStatusBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

private:
    // Selects the bar's font, without its style, and the text colour into dc.
    void SelectTextFont(HDC dc, TFont& font);
    void DrawArea(HDC dc, const TRect& area, int cell, const std::wstring& text, int alignment);
    void DrawGrip(HDC dc, const TRect& rect);
    bool WantsGrip() const;
    // Whether a point of the screen lies on the skin's grip while it can size the window.
    bool OverGrip(POINT screen) const;
};
