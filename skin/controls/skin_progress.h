#pragma once
// TSkinProgress: a progress bar painted entirely from the skin's Progress element: the empty
// bar (cell 1) and over it the filled part, either as cell 2 stretched to the filled length or,
// with the element's Style 1, as copies of its chunk image side by side. Without the element
// the bar paints itself.

#include "forms/bitmap.h"
#include "skin/controls/skin_control.h"

class TDataSkinBorder;

class TSkinProgress : public TSkinControl {
    PONDERIX_CLASS(TSkinProgress, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

private:
    // The filled length of a bar width pixels wide, from the control's range and position.
    int FilledWidth(int width) const;
    void DrawBar(HDC dc, const TRect& rect, TDataSkinBorder& element);
    void DrawChunks(HDC dc, const TRect& rect, TDataSkinBorder& element);

    TBitmap buffer;
};
