#pragma once
// The rules of skinned menus that need no window: where the menu bar's items go and which cell
// of the bar to draw, which bar item an arrow key moves to, and how a drop-down item is measured
// and laid out (glyph box, caption and shortcut boxes, the item's cell and its text colour).

#include <cstdint>
#include <vector>

#include "forms/colors.h"
#include "forms/geometry.h"

// ---- Menu bar -------------------------------------------------------------------------------

// The MenuBar element's cell: 1 for an active window, 2 for an inactive one.
int MenuBarCell(bool active);

// How far from the bar's leading end (the left, or the right end of a right-to-left bar) the first
// item starts. Without a MenuBar element 6; with one LeftWidth + 4 (right-to-left: RightWidth
// + 8); a start beyond the bar's width becomes 12.
int MenuBarStart(bool hasElement, bool rightToLeft, int leftWidth, int rightWidth, int barWidth);

// A bar item is its caption's width, plus 10 when that width is positive.
int MenuBarItemWidth(int textWidth);

struct TBarItemInput {
    int textWidth = 0;
    bool visible = true;
};
// Each item's rectangle relative to the bar, in menu order: (x, 0, x + width, barHeight - 1),
// laid out from the leading end; an invisible item gets an empty rectangle and takes no room.
std::vector<TRect> LayoutMenuBar(const std::vector<TBarItemInput>& items, int barWidth,
                                 int barHeight, int start, bool rightToLeft);

// ---- Moving between bar items while a drop-down is open ---------------------------------------

constexpr unsigned kKeyLeft = 0x25;   // VK_LEFT
constexpr unsigned kKeyRight = 0x27;  // VK_RIGHT

// A right-to-left menu swaps the two arrow keys before the menu sees them.
unsigned SwapArrowForRightToLeft(unsigned key, bool rightToLeft);

// The bar item step (-1 or +1) away from current that can take a drop-down, wrapping around the
// ends; -1 when no other item can.
int AdjacentBarItem(int current, int step, const std::vector<bool>& openable);

struct TSelectedDropDownItem {
    bool hasSubItems = false;  // the system opens them on VK_RIGHT
    bool nested = false;       // inside a sub-menu of the drop-down
};
// The bar item an arrow key moves to, or -1 when the key stays with the open menu: VK_LEFT goes
// to the previous item unless the selection is in a nested sub-menu (the key closes that
// sub-menu), VK_RIGHT to the next unless the selected item has sub-items.
int ArrowKeyTarget(unsigned key, const TSelectedDropDownItem& selected, int current,
                   const std::vector<bool>& openable);

// ---- Drop-down items ------------------------------------------------------------------------

// The width added to a class-library item's own measure: the MenuItem element's LeftWidth (when
// the skin has one), then withImages when the menu has an image list, 35 when it has none.
int ItemWidthExtra(bool hasMenuItem, int leftWidth, bool hasImages, int withImages);

// The measure of an item known only by its native text: width from the text, height grown by 4
// (8 for a separator, an item without text) and by 4 more on the Windows 95 family.
struct TItemSize {
    int width = 0;
    int height = 0;
};
TItemSize NativeItemMeasure(int textWidth, int height, bool separator, bool hasMenuItem,
                            int leftWidth, bool win95Family);

// The glyph box: 16 pixels, or the image list's width; a checked item at least 16.
int ItemGlyphSize(bool hasImages, int imagesWidth, bool checked);

struct TItemLayout {
    TRect glyph;    // the check mark's or image's box; empty for a separator
    TRect caption;  // where the caption is drawn
    bool rightToLeft = false;
};
// Left to right: the glyph box 1 pixel (+ LeftWidth) in from the left and 1 from the top, the
// caption from 3 pixels after it to 1 short of the right end; a right-to-left item mirrors it.
TItemLayout LayOutItem(const TRect& rect, int leftWidth, int glyphSize, bool separator,
                       bool rightToLeft);
// The caption's top when text of textHeight is centred in the caption box (toward zero).
int CentredTextTop(const TRect& box, int textHeight);
// Where the shortcut text goes: left to right, right-aligned from the caption's end to 10 pixels
// short of the item's right end; right to left, left-aligned from 10 pixels in from the left.
TRect ShortcutBox(const TRect& rect, const TItemLayout& layout, int captionEnd);

// The MenuItem element's cell: 4 for a selected item, else 1 (2 is the separator's).
int ItemCell(bool selected);
constexpr int kSeparatorCell = 2;
constexpr int kMenuItemCells = 5;

struct TItemColours {
    TColor menuText = 0;
    TColor hilightText = 0;
    TColor buttonShadow = 0;
};
// An enabled item: HilightText when selected, MenuText otherwise; a disabled one ButtonShadow,
// or the system button-shadow colour when the skin's ButtonShadow is its MenuText (the text would
// not look disabled).
TColor ItemTextColour(bool enabled, bool selected, const TItemColours& colours);
