#pragma once
// The scroll bar skinner's decisions as pure functions: where a window's two bars and the corner
// between them lie in its frame, the arrow, track and thumb of one bar from its scroll
// information, which part of a bar a point falls on, where a dragged thumb puts the position,
// and which cells of the skin's strips a bar shows.
//
// Lengths run along the bar; offsets are from the bar's start (the thumb's from the track's).

#include <optional>

#include "forms/geometry.h"

// MulDiv of the platform: a * b / c rounded to the nearest, halves away from zero; -1 for a zero
// divisor or a result beyond 32 bits.
int ScrollMulDiv(int a, int b, int c);

// What the geometry of a window's bars is computed from.
struct TScrollFrame {
    int width = 0;  // the window's size
    int height = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int barSize = 0;    // the bars' thickness and arrow size (SM_CXHSCROLL)
    int edge = 0;       // SM_CXEDGE, used when no bar tells the frame's real width
    int topOffset = 0;  // extra room above the vertical bar
    bool horizontal = false;
    bool vertical = false;
    bool leftScrollBar = false;  // WS_EX_LEFTSCROLLBAR: the vertical bar on the left
};

// The bars and the corner, in window coordinates with the window at the origin; empty
// rectangles for what is not there.
struct TScrollBarRects {
    TRect horz;
    TRect vert;
    TRect corner;
};

TScrollBarRects ScrollBarRects(const TScrollFrame& frame);

// The scroll information that a bar's geometry depends on.
struct TScrollValues {
    int min = 0;
    int max = 0;
    int page = 0;
    int pos = 0;
};

// One bar along its length: arrow size, track length (between the arrows), thumb length and the
// thumb's offset from the track's start.
struct TBarGeometry {
    int arrow = 0;
    int track = 0;
    int thumb = 0;
    int offset = 0;
    friend constexpr bool operator==(const TBarGeometry&, const TBarGeometry&) = default;
};

// The shortest thumb of a bar with a page: 8 pixels, or half an arrow on the Windows 95 family.
constexpr int MinimumThumb(int arrow, bool windows95Family) {
    return windows95Family ? arrow / 2 : 8;
}

// The geometry of a bar barLength long; no value when the range (max - min) is 0 or less, so
// the previous geometry stays. A bar without a page gets a thumb of pageLessThumb
// (SM_CXHTHUMB). A page equal to the range gives a thumb one pixel shorter than the track, at
// offset 0.
std::optional<TBarGeometry> ThumbGeometry(int barLength, int arrow, const TScrollValues& values,
                                          int minimumThumb, int pageLessThumb);

// The arrows' drawn length: half the bar (rounded toward zero) when the bar is shorter than two
// arrows.
constexpr int ArrowLength(int barLength, int arrow) {
    return barLength < 2 * arrow ? barLength / 2 : arrow;
}

// The part shown pressed: 0 none, 1 left arrow, 2 right arrow, 3 up arrow, 4 down arrow,
// 5 horizontal thumb, 6 vertical thumb.
constexpr int kNoPart = 0;
constexpr int kHorzThumbPart = 5;
constexpr int kVertThumbPart = 6;

// The part a scroll message (WM_HSCROLL or WM_VSCROLL with that code) marks pressed: the
// arrows for line moves, the thumb while it is tracked, none for everything else.
int ScrollMessagePart(bool vertical, int scrollCode);

// The cells of the Scrollbar strip (23 cells) for the first and second arrow of a bar:
// horizontal 1 and 5, vertical 9 and 13, one higher when activePart marks that arrow.
int ArrowCell(bool vertical, bool second, int activePart);
// Cell 1 of the thumb strip, 2 while activePart marks that bar's thumb.
int ThumbCell(bool vertical, int activePart);

enum class TBarPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

// The part at position p along the bar (from its start).
TBarPart BarPartAt(int p, const TBarGeometry& geometry);

// One step of a thumb drag: where the thumb goes and the position it means.
struct TThumbDrag {
    int offset = 0;
    int pos = 0;
    friend constexpr bool operator==(const TThumbDrag&, const TThumbDrag&) = default;
};

// The thumb moved by movement pixels from startOffset. With a page the position stops at
// max - page + 1 (the last one that shows a whole page); without one at max. Never below min.
TThumbDrag DragThumb(int startOffset, int movement, const TBarGeometry& geometry,
                     const TScrollValues& values);
