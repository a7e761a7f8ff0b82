#pragma once
// The rules of the skin description that need no bitmap: the skin colours, which sections become
// title-bar buttons, the frame counts computed from image sizes, the MDI-child button cells, and
// finding an image reference's bytes in the archive. ParseSkin (skin/skin_parse.h) applies them
// while it builds the skin objects; keeping them here lets the host tests run them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/colors.h"

class TQuickIni;
class TSkinReader;
class TMemoryStream;

// Colour triple of the skin description ("59 97 131", "213,222,242"; see ParseColourTriple in
// skin/quick_ini.h); an empty text gives the default.
TColor ParseColour(std::string_view text, TColor defaultColour);

// The skin's colours, from section [Colours]. Each missing or empty key leaves a system colour
// reference, so a skin without the section follows the desktop's colours.
struct TSkinColours {
    TColor WindowTextColour = clWindowText;
    TColor TitleTextActiveColour = clCaptionText;
    TColor TitleTextNoActiveColour = SystemColor(19);  // COLOR_INACTIVECAPTIONTEXT
    TColor ButtonFaceColour = clBtnFace;
    TColor ButtonTextColour = clBtnText;
    TColor ButtonHilightColour = clBtnHighlight;
    // Also the button highlight: the separate button-light system colour is not used.
    TColor ButtonlightColour = clBtnHighlight;
    TColor ButtonShadowColour = clBtnShadow;
    TColor ButtonDkShadowColour = cl3DDkShadow;
    TColor HilightTextColour = clHighlightText;
    TColor HilightColour = clHighlight;
    TColor MenubarColour = clBtnFace;
    TColor MenuBarTextColour = clMenuText;
    TColor MenuTextColour = clMenuText;
    TColor MenuColour = clMenu;
    TColor ScrollbarColour = clScrollBar;
};

// Reads the colours in a fixed order: MenubarColour defaults to the ButtonFaceColour just read.
TSkinColours ReadSkinColours(const TQuickIni& ini);

// Title-bar buttons: the upper-cased names of the sections that become title-bar buttons, in
// file order. A section qualifies when its name begins with BUTTON (any suffix: Button0,
// ButtonX) and is not BUTTON, BUTTONS, BUTTON.RADIO or BUTTON.CHECKBOX, which describe push,
// radio and check buttons; a section with Action -1 is dropped unless its Visibility is 0.
std::vector<std::string> TitleBarButtonSections(const TQuickIni& ini);

struct TSysButtonFrames {
    int32_t frameCount = 0;
    bool clearImage = false;
};
// A title-bar button's frame count. A non-zero `frame` key is taken as it is. Without one the
// image's shape decides: 3 cells when width / height is at most 3.8, else 6 (and 6 for an empty
// image or a negative Action); such a button with Action 3 or 11 draws no image of its own.
TSysButtonFrames SysButtonFrameCount(int32_t frameKey, int32_t action, int imageWidth,
                                     int imageHeight);

// The MDI-child buttons (minimise, restore, close of a maximised child) are cut from one strip
// of 12 cells of width w = image width div 12: button k takes 4 cells from x = 4 w k and sits at
// Xcoord (w + 4) (3 - k).
struct TMdiButtonCell {
    int left = 0;
    int width = 0;
    int32_t xcoord = 0;
};
inline constexpr int kMdiButtonCount = 3;
std::array<TMdiButtonCell, kMdiButtonCount> MdiButtonCells(int imageWidth);

// Check box and radio button frame count: the declared count when non-zero, else the image's
// width divided by its cell width (13 for images under 16 pixels high, 16 otherwise), at least 4.
int32_t ChoiceFrameCount(int32_t declared, int imageWidth, int imageHeight);

// Plain and border elements keep Tile 0 or 1 only: a higher value is stored as 0.
int32_t PlainElementTile(int32_t tile);

// The archive entry that an image reference names (ImageEntryName in skin/quick_ini.h), copied
// into target; answers false, target emptied, when the reference loads no image or the archive
// lacks the entry or it is empty.
bool ReadImageEntry(const TSkinReader& reader, std::string_view reference, TMemoryStream& target);
