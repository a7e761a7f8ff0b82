#pragma once
// The combo box skinner's decisions as pure functions: which cell of the SunkEdge, ComboButton
// and arrow strips a combo box shows, and where its edge ring, drop-down button and arrow go.

#include "forms/geometry.h"

// Cells of the SunkEdge, ComboButton and ExtraImages strips: 1 normal, 2 pressed, 3 disabled,
// 4 mouse over or focused. Pressed beats mouse over and focus; disabled shows only when nothing
// else holds (a disabled box cannot be pressed or focused, and ignores the mouse).
int ComboBoxCell(bool enabled, bool pressed, bool hot, bool focused);

struct TComboBoxLayout {
    TRect interior;         // kept out of the drawing: the box's text (and its edit part) stays
    TRect button;           // the drop-down button's face
    TRect arrow;            // the arrow is centred in this
    bool mirrored = false;  // the button at the left takes the mirrored button image
};

// The parts of a combo box of that rectangle (at the origin); buttonWidth is the system's
// scroll arrow width (SM_CXHSCROLL). With WS_EX_LEFTSCROLLBAR the button is at the left.
TComboBoxLayout LayOutComboBox(const TRect& rect, int buttonWidth, bool buttonAtLeft);

// A cell of width by height centred in area; odd differences leave the extra pixel on the
// right and bottom.
TRect CentredIn(const TRect& area, int width, int height);

// The simple look (ComboButton Style 1): the button is the right part of the rectangle inset
// by two pixels, thumbWidth (SM_CYVTHUMB) wide.
TRect SimpleComboButton(const TRect& rect, int thumbWidth);
