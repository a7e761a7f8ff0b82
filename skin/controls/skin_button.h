#pragma once
// TSkinButton: a push button painted entirely from the skin's Buttons image. It consumes the
// button's painting and its mouse press, so it also produces the click on the release (the
// button's own procedure never saw the press); Space is left to the button, which clicks
// itself. Every paint is composed in the skinner's own off-screen Buffer and copied to the
// screen at once. While the skin has no Buttons image (a skin that leaves it out, or after a
// skin change to one), the button keeps its native look and behaviour.

#include "forms/bitmap.h"
#include "skin/controls/button_rules.h"
#include "skin/controls/skin_control.h"

class TSkinButton : public TSkinControl {
    PONDERIX_CLASS(TSkinButton, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

protected:
    // Whether the skin has a Buttons image to draw the face from.
    bool HasFace() const;
    // Reads the default, focus and enabled state and the caption afresh from the window.
    void ReadButtonState();
    // The face state of the last ReadButtonState and the mouse state.
    TButtonFaceState FaceState() const;
    // Applies one mouse or keyboard event to the hot and pressed state; answers whether the
    // skinner is to click.
    bool Apply(TButtonEvent event);
    // Makes this skinner the frame skinner's one hot control skinner; the one before it is
    // told that the mouse left.
    void BecomeHot();
    // Sets the caption's font and colour into the context of target (its canvas keeps the
    // font) for that face cell.
    void SelectCaptionFont(TBitmap& target, int cell);
    // Sizes target to the rectangle and fills it with the skin's face colour and the face cell.
    void DrawFace(TBitmap& target, const TRect& local, int frameCount, int cell);
    // Runs the button's click: Click on a class-library button, BN_CLICKED to the parent of
    // anything else.
    void ClickButton();

    TBitmap buffer;
    bool isDefault = false;

private:
    bool pressedByMouse = false;
};

// Draws a caption centred one pixel above the middle of rect (or spanning it, without
// DT_CENTER in format), with the context's font and colour and a transparent background.
void DrawButtonCaption(HDC dc, const std::wstring& caption, const TRect& rect, UINT format);
