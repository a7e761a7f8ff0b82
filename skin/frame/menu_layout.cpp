#include "skin/frame/menu_layout.h"

#include <algorithm>

namespace {
constexpr int kNoElementStart = 6;
constexpr int kFallbackStart = 12;
constexpr int kItemPadding = 10;
constexpr int kWithoutImages = 35;
constexpr int kNativeTextExtra = 26;
constexpr int kGlyphSize = 16;
constexpr int kShortcutRightGap = 10;
constexpr TColor kSystemButtonShadow = clBtnShadow;
}  // namespace

int MenuBarCell(bool active) { return active ? 1 : 2; }

int MenuBarStart(bool hasElement, bool rightToLeft, int leftWidth, int rightWidth, int barWidth) {
    if (!hasElement) return kNoElementStart;
    const int start = rightToLeft ? rightWidth + 8 : leftWidth + 4;
    return start > barWidth ? kFallbackStart : start;
}

int MenuBarItemWidth(int textWidth) { return textWidth > 0 ? textWidth + kItemPadding : 0; }

std::vector<TRect> LayoutMenuBar(const std::vector<TBarItemInput>& items, int barWidth,
                                 int barHeight, int start, bool rightToLeft) {
    std::vector<TRect> rects;
    rects.reserve(items.size());
    int offset = start;
    for (const TBarItemInput& item : items) {
        if (!item.visible) {
            rects.push_back({});
            continue;
        }
        const int width = MenuBarItemWidth(item.textWidth);
        const int left = rightToLeft ? barWidth - offset - width : offset;
        rects.push_back({left, 0, left + width, barHeight - 1});
        offset += width;
    }
    return rects;
}

unsigned SwapArrowForRightToLeft(unsigned key, bool rightToLeft) {
    if (!rightToLeft) return key;
    if (key == kKeyLeft) return kKeyRight;
    if (key == kKeyRight) return kKeyLeft;
    return key;
}

int AdjacentBarItem(int current, int step, const std::vector<bool>& openable) {
    const int count = static_cast<int>(openable.size());
    if (count == 0) return -1;
    int index = current;
    for (int tries = 0; tries < count; ++tries) {
        index = ((index + step) % count + count) % count;
        if (index == current) return -1;
        if (openable[static_cast<size_t>(index)]) return index;
    }
    return -1;
}

int ArrowKeyTarget(unsigned key, const TSelectedDropDownItem& selected, int current,
                   const std::vector<bool>& openable) {
    if (key == kKeyLeft) return selected.nested ? -1 : AdjacentBarItem(current, -1, openable);
    if (key == kKeyRight) return selected.hasSubItems ? -1 : AdjacentBarItem(current, 1, openable);
    return -1;
}

int ItemWidthExtra(bool hasMenuItem, int leftWidth, bool hasImages, int withImages) {
    return (hasMenuItem ? leftWidth : 0) + (hasImages ? withImages : kWithoutImages);
}

TItemSize NativeItemMeasure(int textWidth, int height, bool separator, bool hasMenuItem,
                            int leftWidth, bool win95Family) {
    TItemSize size;
    size.width = textWidth + kNativeTextExtra + (hasMenuItem ? leftWidth : 0);
    size.height = height + (separator ? 8 : 4) + (win95Family ? 4 : 0);
    return size;
}

int ItemGlyphSize(bool hasImages, int imagesWidth, bool checked) {
    const int size = hasImages ? imagesWidth : kGlyphSize;
    return checked ? std::max(size, kGlyphSize) : size;
}

TItemLayout LayOutItem(const TRect& rect, int leftWidth, int glyphSize, bool separator,
                       bool rightToLeft) {
    TItemLayout layout;
    layout.rightToLeft = rightToLeft;
    const int size = separator ? 0 : glyphSize;
    const int top = rect.top + 1;
    if (rightToLeft) {
        const int right = rect.right - 1 - leftWidth;
        layout.glyph = {right - size, top, right, top + size};
        layout.caption = {rect.left + 1, rect.top, layout.glyph.left - 3, rect.bottom};
    } else {
        const int left = rect.left + 1 + leftWidth;
        layout.glyph = {left, top, left + size, top + size};
        layout.caption = {layout.glyph.right + 3, rect.top, rect.right - 1, rect.bottom};
    }
    return layout;
}

int CentredTextTop(const TRect& box, int textHeight) {
    return box.top + (box.Height() - textHeight) / 2;
}

TRect ShortcutBox(const TRect& rect, const TItemLayout& layout, int captionEnd) {
    if (layout.rightToLeft)
        return {rect.left + kShortcutRightGap, rect.top, captionEnd, rect.bottom};
    return {captionEnd, rect.top, rect.right - kShortcutRightGap, rect.bottom};
}

int ItemCell(bool selected) { return selected ? 4 : 1; }

TColor ItemTextColour(bool enabled, bool selected, const TItemColours& colours) {
    if (enabled) return selected ? colours.hilightText : colours.menuText;
    return colours.buttonShadow == colours.menuText ? kSystemButtonShadow : colours.buttonShadow;
}
