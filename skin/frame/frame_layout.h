#pragma once
// The rules of a skinned window frame that need no window: the frame's sizes from the skin's
// border pieces, the border kind and capabilities read from a window style, which cell of a
// piece or title-bar button to draw, where the title and the title-bar buttons go, which
// buttons show, and the hit-test answer of the skinned caption.

#include <cstdint>

#include "forms/geometry.h"

// Border kind, decided once when the frame skinner attaches.
constexpr int bkSizable = 0;
constexpr int bkFixed = 1;
constexpr int bkCaptionless = 2;  // no skinned frame: every frame size is 0
constexpr int bkDialog = 3;

// Capability bits, taken from the window style when the frame skinner attaches.
constexpr uint8_t capMaximize = 1;
constexpr uint8_t capMinimize = 2;
constexpr uint8_t capSystemMenu = 8;
constexpr uint8_t capCaptionRemoved = 0x10;  // the skinner took WS_CAPTION away

// Window state as the frame skinner tracks it.
constexpr int fwNormal = 0;
constexpr int fwMaximized = 1;
constexpr int fwMinimized = 2;

// Style bits the rules read (the values of the Win32 constants).
constexpr uint32_t kStylePopup = 0x80000000u;
constexpr uint32_t kStyleCaption = 0x00C00000u;
constexpr uint32_t kStyleThickFrame = 0x00040000u;
constexpr uint32_t kStyleModalFrame = 0x80u;  // DS_MODALFRAME
constexpr uint32_t kStyleSysMenu = 0x00080000u;
constexpr uint32_t kStyleMinimizeBox = 0x00020000u;
constexpr uint32_t kStyleMaximizeBox = 0x00010000u;

struct TFrameSizes {
    int left = 0;
    int caption = 0;
    int right = 0;
    int bottom = 0;
    friend constexpr bool operator==(const TFrameSizes&, const TFrameSizes&) = default;
};

// One cell's size of each border piece: Left and Right hold their cells side by side, Top and
// Bottom one above the other. A piece whose frame count is not positive has no cell (size 0).
struct TPieceStrip {
    int width = 0;
    int height = 0;
    int frameCount = 0;
};
TFrameSizes FrameSizesFromPieces(const TPieceStrip& left, const TPieceStrip& top,
                                 const TPieceStrip& right, const TPieceStrip& bottom);

int BorderKindOf(uint32_t style, bool dialogClass);
uint8_t CapabilitiesOf(uint32_t style, bool hasSystemMenu);
// From the window placement's show command.
int WindowStateFromShowCommand(int showCommand);

// The cell of a border piece: 1 while active (or for a one-cell piece), else 2.
int BorderPieceCell(bool active, int frameCount);
// The cell of a title-bar button painted with the whole caption: 1 while active or for a strip of
// fewer than four cells, else 4 (the inactive window's cell).
int SysButtonCaptionCell(bool active, int frameCount);
// The cell for a button's own state (1 normal, 2 pressed, 3 hot); the MDI-child buttons
// (Visibility 100) keep their hot look in cell 4.
int SysButtonStateCell(int state, int visibility);

struct TSysButtonContext {
    uint8_t capabilities = 0;
    int windowState = fwNormal;
    bool active = true;
    int borderKind = bkSizable;
    bool mdiChildMaximized = false;
    int menuBarHeight = 0;
};
// Whether a title-bar button with these skin codes shows on a window in this state.
bool IsSysButtonVisible(int visibility, int visibility1, int action, const TSysButtonContext& c);

struct TSysButtonPlacement {
    int windowWidth = 0;
    TRect titleRect;  // where the title was placed, in window coordinates
    int captionHeight = 0;
    int menuBarHeight = 0;
    int borderLeft = 0;
    int borderRight = 0;
    int menuBarLeftWidth = 0;  // the menu bar element's left end; 0 without one
    bool rightToLeft = false;
};
// The rectangle (window coordinates) of a w x h button by its Align and coordinates.
TRect PlaceSysButton(int align, int xcoord, int ycoord, int w, int h, const TSysButtonPlacement& p);

struct TTitleInput {
    TRect strip;        // the caption strip between the side borders
    int textWidth = 0;  // the measured "   " + caption
    int textHeight = 0;
    int alignment = 0;  // TextAlignment: 0 left, 1 centred, 2 right
    int textShift = 0;
    int textShiftVert = 0;
    int textRightClip = 0;
    int backLeft = 0;   // TXTBackleft
    int backRight = 0;  // TXTBackRight
    bool rightToLeft = false;
    bool popup = false;   // WS_POPUP windows widen the text area up to the right buttons
    bool dialog = false;  // border kind dialog
    int rightButtonsLeft = 0;
};
struct TTitlePlacement {
    TRect titleRect;  // the title's place (and its back plate's extent)
    TRect textRect;   // where the text itself is drawn
};
TTitlePlacement PlaceTitle(const TTitleInput& in);

// The answer to WM_NCHITTEST given the replaced procedure's answer and the point's y in window
// coordinates: the skinned caption is the window's caption below its top 3 pixels, and the
// strip under it (the menu bar's place) is the menu.
int FrameHitTest(int previousAnswer, int y, int captionHeight);

// The width a message box needs for its title, and how far its controls move right.
int MessageBoxNeededWidth(int captionLength, int spaceWidth, const TFrameSizes& frame,
                          int textShift, int textRightClip, int backLeft, int backRight);

// A tool button's custom-draw state, as the tool bar reports it.
struct TToolButtonState {
    bool selected = false;
    bool focused = false;
    bool hot = false;
    bool grayed = false;
    bool disabled = false;
    bool isDefault = false;
};
// The cell of the skin's button image a tool button is drawn with: 2 selected, 4 focused or hot,
// 1 default; 0 (nothing drawn) when grayed, disabled or none of these, the first match winning.
int ToolButtonCell(const TToolButtonState& state);
