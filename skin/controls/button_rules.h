#pragma once
// The button skinners' decisions as pure functions: which cell of the skin's strips a push,
// bitmap or speed button, a check box or a radio button shows, what a mouse or Space event does
// to a button's hot and pressed state (and whether it clicks), the caption's colour, and where a
// caption and a check mark go.

#include "forms/colors.h"
#include "forms/geometry.h"

// What a push button's face depends on. Cells of the Buttons image: 1 normal, 2 pressed,
// 3 disabled, 4 mouse over (and focused), 5 default.
struct TButtonFaceState {
    bool enabled = true;
    bool pressed = false;
    bool hot = false;
    bool isDefault = false;
    bool focused = false;
};

// Disabled beats pressed, pressed beats mouse over, mouse over beats default, default beats
// focused.
int PushButtonCell(const TButtonFaceState& state);
// A bitmap button: pressed, then focused or mouse over, then default; disabled beats them all.
int BitButtonCell(const TButtonFaceState& state);
// A speed button that stays down shows the pressed cell whatever else holds, even disabled.
int SpeedButtonCell(const TButtonFaceState& state, bool down);

// Check marks: 1 unchecked, 2 checked, +2 disabled, 4 indeterminate; a 12-cell strip has its
// own places for them (checked 5, disabled 4, checked and disabled 8, indeterminate 9,
// indeterminate and disabled 12).
int CheckBoxCell(bool checked, bool indeterminate, bool disabled, int frameCount);
// Radio marks: as the check box without the indeterminate state; an 8-cell strip is remapped
// as the 12-cell check strip is.
int RadioButtonCell(bool checked, bool disabled, int frameCount);

// The mouse and keyboard events a push button's skinner reacts to.
enum class TButtonEvent {
    Press,    // left button down (or double click) inside
    Release,  // left button up inside
    Move,     // mouse moved inside
    Enter,    // the mouse came in
    Leave,    // the mouse went out (or another button became the hot one)
    SpaceDown,
    SpaceUp,
};

struct TButtonMouse {
    bool hot = false;
    bool pressed = false;
    bool pressedByMouse = false;  // the press began with the mouse inside (not with Space)
    friend constexpr bool operator==(const TButtonMouse&, const TButtonMouse&) = default;
};

struct TButtonStep {
    TButtonMouse next;
    bool click = false;  // the skinner produces the click (Space is clicked by the control itself)
    friend constexpr bool operator==(const TButtonStep&, const TButtonStep&) = default;
};

// A release clicks only while the mouse press that began inside still holds; leaving clears it,
// so a press inside and a release outside (or after leaving and coming back) does not click.
// A press begun with Space is clicked by the control itself, and a mouse release during it
// must not click a second time.
// Entering and leaving change nothing on a disabled button.
TButtonStep ButtonTransition(TButtonMouse now, TButtonEvent event, bool enabled);

// The skin's caption colours of the Buttons element.
struct TButtonTextColours {
    TColor buttonText = clBtnText;  // the skin's ButtonTextColour
    TColor normal = 0;  // NormalColour2 .. PressedColour2, and whether the skin set them
    TColor mouseOver = 0;
    TColor pressed = 0;
    bool hasNormal = false;
    bool hasMouseOver = false;
    bool hasPressed = false;
};

// A class-library control starts from its font's colour and takes a colour the skin set for
// cells 1, 4 and 2; a bare window starts from ButtonTextColour and takes the cell's colour
// whether set or not. Disabled: the button shadow colour, or grey on a bare window.
TColor ButtonTextColor(int cell, bool classLibraryControl, TColor fontColor,
                       const TButtonTextColours& colours);

// Where a caption measured (with DT_CALCRECT, from the target's top left) as measured is
// drawn in target: one pixel above the vertical middle; centred across, or spanning the target.
TRect PlaceButtonCaption(const TRect& target, const TRect& measured, bool centred);

struct TMarkPlacement {
    TRect mark;   // one cell of the strip
    TRect strip;  // cleared first: the control's own mark
};

// The check or radio mark beside the caption: on the left, or on the right with BS_LEFTTEXT.
// A cell up to 14 pixels wide is centred in 14 pixels; boxWidth is the system's check mark width.
// A check mark sits 2 pixels further right than a radio mark.
TMarkPlacement PlaceButtonMark(const TRect& rect, int cellWidth, int cellHeight, int boxWidth,
                               bool leftText, bool checkBox);
