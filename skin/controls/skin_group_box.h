#pragma once
// TSkinGroupBox: after the group box has painted itself, its 3-D frame is wiped out with the
// skin's face colour and a rounded frame in the skin's shadow colour is drawn instead, with the
// caption on an opaque face-coloured background 9 pixels from the left edge, interrupting it.

#include "skin/controls/skin_control.h"

class TSkinGroupBox : public TSkinControl {
    PONDERIX_CLASS(TSkinGroupBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void DrawControl(HDC dc, const TRect& rect) override;
    bool DrawsOverOwnPaint() const override { return true; }
};

// Where a group box's frame starts: half the height of a "0" in its font, less one.
constexpr int GroupBoxFrameTop(int digitHeight) { return digitHeight / 2 - 1; }
// The caption's left edge, from the box's left edge.
inline constexpr int kGroupBoxCaptionIndent = 9;
