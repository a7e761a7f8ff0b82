#pragma once
// The indicator skinners' decisions as pure functions: where an up-down's two buttons lie,
// which state a button shows and which cell of the UpDown element's eight-cell strip paints it,
// and the filled length of a skinned progress bar.

#include <cstdint>
#include <string>

#include "forms/geometry.h"

// The two buttons of an up-down: up and down, or left and right in the horizontal layout.
struct TUpDownButtons {
    TRect first;   // up, or left
    TRect second;  // down, or right
};

// Splits the client rectangle in two halves across (horizontal) or down (vertical). An up-down
// inside an edit keeps one pixel free all round, where the edit's border runs.
TUpDownButtons UpDownLayout(const TRect& client, bool horizontal, bool inEdit);

// Button states, and the cells within each button's group of four.
constexpr int udNormal = 1;
constexpr int udPressed = 2;
constexpr int udDisabled = 3;
constexpr int udHot = 4;

// A disabled up-down shows both buttons disabled; otherwise only the button under the cursor
// shows the pressed (before the mouse-over) face, and the other one stays normal.
int UpDownButtonState(bool enabled, bool underCursor, bool pressed, bool hot);

// The cell of the eight-cell strip: the first button's group is cells 1-4, the second's 5-8.
constexpr int UpDownCell(int state, bool second) { return state + (second ? 4 : 0); }

// Whether the point lies in the rectangle (right and bottom edges excluded).
constexpr bool PointInRect(const TRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// How much of a progress bar's width the filled part takes: (position - low) of (high - low),
// nothing while the upper limit or the position above the lower one is not above 0, and never
// more than the whole width.
int ProgressFillWidth(int64_t position, int64_t low, int64_t high, int width);

// A status bar panel's bevel cell of the StatusBarEdges element: 2 raised, 3 without a border,
// 1 lowered (the default).
int StatusBevelCell(bool raised, bool noBorder);

// A status bar panel's text as the control keeps it: after one leading tab it is centred, after
// two right-aligned; read right to left, left and right change places. An empty text is drawn as
// one blank.
struct TStatusText {
    std::wstring text;
    int alignment = 0;  // 0 left, 1 centre, 2 right
    friend bool operator==(const TStatusText&, const TStatusText&) = default;
};
TStatusText StatusPanelText(const std::wstring& stored, bool rightToLeft);
