#pragma once
// TSkinSizer: a bare window of class "scrollbar" (a dialog's own scroll bar or size box) reduced
// to a one-pixel frame in the skin's ButtonShadowColour; its painting and erasing are consumed.

#include "skin/controls/skin_control.h"

class TSkinSizer : public TSkinControl {
    PONDERIX_CLASS(TSkinSizer, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
};
