#pragma once
// TSkinComBox: a combo box's border drawn from the skin's SunkEdge element and its drop-down
// button from ComboButton (its mirrored image for a button at the left) with the arrow from
// ExtraImages, in four states: normal, pressed, disabled, mouse over or focused. The box paints
// its text and list itself; the skinner draws over the border ring and the button only, with
// the interior kept out of its drawing. A ComboButton element of Style 1 gives the simple look:
// a flat frame and the button cell stretched into the box's right part.

#include "skin/controls/skin_control.h"

class TSkinComBox : public TSkinControl {
    PONDERIX_CLASS(TSkinComBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void AfterMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    bool DrawsOverOwnPaint() const override { return true; }

    bool Pressed() const { return (mouseState & msPressed) != 0; }
    bool Hot() const { return (mouseState & msHot) != 0; }

private:
    void SetMouseFlag(uint8_t flag, bool on);
    // Whether the cursor of the message being handled was over the window.
    bool MessageOverWindow() const;
    void DrawSimpleLook(HDC dc, const TRect& rect, int cell);

    LONG style = 0;  // the window's style and extended style, read at each paint
    LONG exStyle = 0;
};
