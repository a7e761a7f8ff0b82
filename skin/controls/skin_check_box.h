#pragma once
// Check boxes and radio buttons: the control paints itself, caption included, and the skinner
// then clears the control's own mark and draws the skin's mark over it (CheckImage or
// RadioImage of the Buttons element), beside the caption or, with BS_LEFTTEXT, after it.

#include "skin/controls/skin_control.h"

class TBitmap;

// What check boxes and radio buttons share: the repaints after state changes and the mark.
class TSkinMarkControl : public TSkinControl {
    PONDERIX_CLASS(TSkinMarkControl, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void AfterMessage(TMessage& message) override;

protected:
    // The checked state: the control's published "Checked" when it has one, else the window's.
    bool Checked(bool windowChecked) const;
    // Clears the control's mark and draws cell of the strip in its place.
    void DrawMark(HDC dc, const TRect& rect, TBitmap& strip, int frameCount, int cell,
                  bool checkBox);
};

class TSkinCheckBox : public TSkinMarkControl {
    PONDERIX_CLASS(TSkinCheckBox, TSkinMarkControl)
public:
    using TSkinMarkControl::TSkinMarkControl;
    void DrawControl(HDC dc, const TRect& rect) override;
};

class TSkinRadioButton : public TSkinMarkControl {
    PONDERIX_CLASS(TSkinRadioButton, TSkinMarkControl)
public:
    using TSkinMarkControl::TSkinMarkControl;
    void DrawControl(HDC dc, const TRect& rect) override;
};
