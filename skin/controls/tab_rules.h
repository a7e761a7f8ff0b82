#pragma once
// The tab skinner's geometry as pure functions. A tab control's strip is composed lying down,
// as if the tabs were at the top, in a work image, which is then turned to the tabs' side:
// these functions give the side from the window style, the page area, the band the strip
// covers, the work image's size and where each tab goes in it.

#include <cstdint>

#include "forms/geometry.h"

enum class TTabSide { Top = 0, Bottom = 1, Left = 2, Right = 3 };

// TCS_BOTTOM with TCS_VERTICAL: right; TCS_BOTTOM alone: bottom; TCS_VERTICAL alone: left.
TTabSide TabSideOfStyle(uint32_t style);

// The page area framed by the skin's page border: the control's display rectangle (what
// TCM_ADJUSTRECT leaves of the window) grown by 4 on every side, then one pixel less on the
// tabs' side.
TRect TabDisplayRect(const TRect& adjusted, TTabSide side);

// The part of the window outside the page area on the tabs' side, in window coordinates.
TRect TabBand(const TRect& window, const TRect& display, TTabSide side);

struct TExtentWH {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const TExtentWH&, const TExtentWH&) = default;
};
// The work image holds the band lying down: sides swapped for tabs at the left or right.
TExtentWH TabWorkSize(const TRect& band, TTabSide side);

// Where a tab's item rectangle (window coordinates, as TCM_GETITEMRECT gives it) goes in the
// work image, so that after the turn it lands on the item (within a pixel, as drawn).
TRect TabItemInWork(const TRect& item, TTabSide side, const TRect& display, const TRect& band,
                    int windowWidth);
