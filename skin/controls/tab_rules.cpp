#include "skin/controls/tab_rules.h"

namespace {

constexpr uint32_t kTabsAtBottom = 0x0002;  // TCS_BOTTOM (TCS_RIGHT with TCS_VERTICAL)
constexpr uint32_t kTabsVertical = 0x0080;  // TCS_VERTICAL

}  // namespace

TTabSide TabSideOfStyle(uint32_t style) {
    const bool bottom = (style & kTabsAtBottom) != 0;
    const bool vertical = (style & kTabsVertical) != 0;
    if (vertical) return bottom ? TTabSide::Right : TTabSide::Left;
    return bottom ? TTabSide::Bottom : TTabSide::Top;
}

TRect TabDisplayRect(const TRect& a, TTabSide side) {
    TRect d{a.left - 4, a.top - 4, a.right + 4, a.bottom + 4};
    switch (side) {
        case TTabSide::Top: d.top += 1; break;
        case TTabSide::Bottom: d.bottom -= 1; break;
        case TTabSide::Left: d.left += 1; break;
        case TTabSide::Right: d.right -= 1; break;
    }
    return d;
}

TRect TabBand(const TRect& w, const TRect& d, TTabSide side) {
    switch (side) {
        case TTabSide::Top: return {w.left, w.top, w.right, d.top};
        case TTabSide::Bottom: return {w.left, d.bottom, w.right, w.bottom};
        case TTabSide::Left: return {w.left, w.top, d.left, w.bottom};
        case TTabSide::Right: return {d.right, w.top, w.right, w.bottom};
    }
    return {};
}

TExtentWH TabWorkSize(const TRect& band, TTabSide side) {
    if (side == TTabSide::Left || side == TTabSide::Right) return {band.Height(), band.Width()};
    return {band.Width(), band.Height()};
}

TRect TabItemInWork(const TRect& item, TTabSide side, const TRect& display, const TRect& band,
                    int windowWidth) {
    switch (side) {
        case TTabSide::Top: return item.Offset(0, 1);
        case TTabSide::Bottom: return item.Offset(0, -(display.bottom + 1));
        case TTabSide::Left: {
            const int h = band.Height();
            return {h - item.bottom, item.left, h - item.top, item.right};
        }
        case TTabSide::Right:
            return {item.top - 1, windowWidth - item.right, item.bottom - 1,
                    windowWidth - item.left};
    }
    return item;
}
