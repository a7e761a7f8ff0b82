#pragma once
// TSkinScControl: the class library's scroll bar control, whose whole window is one bar, drawn
// with the scroll bar skinner's bar drawing: arrows, track and thumb from the control's own
// scroll information (SBM_GETSCROLLINFO). It repaints after the control's scroll information
// changes and after each scroll message reflected to it (with the arrow or thumb of that
// message shown pressed); the mouse itself is left to the control.

#include "forms/bitmap.h"
#include "skin/controls/scroll_geometry.h"
#include "skin/controls/skin_control.h"

class TSkinScControl : public TSkinControl {
    PONDERIX_CLASS(TSkinScControl, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

    int ActivePart() const { return activePart; }
    const TBarGeometry& Geometry() const { return geometry; }

private:
    bool Vertical() const;

    TBarGeometry geometry;
    int activePart = kNoPart;
    TBitmap strip;
};
