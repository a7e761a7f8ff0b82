#pragma once
// TSkinTrackBar: a track bar keeps its own tics and channel; only its thumb is the skin's,
// drawn through the control's custom drawing (cell 2 of the TrackbarThumbVert element for a
// vertical bar when the skin has one, else of TrackbarThumbHorz), or as a plain rectangle when
// the skin has neither image.

#include "skin/controls/skin_control.h"

struct tagNMCUSTOMDRAWINFO;

class TSkinTrackBar : public TSkinControl {
    PONDERIX_CLASS(TSkinTrackBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;

private:
    // The answer to one custom-draw notification.
    LRESULT CustomDraw(tagNMCUSTOMDRAWINFO& draw);
    void DrawThumb(HDC dc);
};
