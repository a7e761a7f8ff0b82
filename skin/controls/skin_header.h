#pragma once
// TSkinHeader: a list view's header drawn over from the skin's Headerbar element: every column's
// background is the element's first cell, with the column's caption (and its image when the
// column shows one) drawn on it; the area right of the last column gets the same background.
// The header paints itself first; the skin is then drawn over it through one off-screen bitmap.
// Attached by the list view skinner with HookWindow.

#include "forms/bitmap.h"
#include "skin/controls/skin_control.h"

class TSkinHeader : public TSkinControl {
    PONDERIX_CLASS(TSkinHeader, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

private:
    TBitmap buffer;
};
