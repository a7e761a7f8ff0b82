#include "forms/tab_set_layout.h"

#include <algorithm>

std::vector<TTabSetPlace> LayOutTabSet(const std::vector<int>& textWidths, int firstIndex,
                                       const TTabSetMetrics& m, bool scrollerVisible) {
    std::vector<TTabSetPlace> places;
    const int limit = m.clientWidth - m.endMargin - (scrollerVisible ? kTabSetScrollerRoom : 0);
    int x = m.startMargin;
    const int count = static_cast<int>(textWidths.size());
    for (int i = std::max(firstIndex, 0); i < count; ++i) {
        const int right = x + textWidths[static_cast<size_t>(i)] + kTabSetTextPadding;
        if (right > limit) break;
        places.push_back({i, x, right});
        x = right;
    }
    return places;
}

bool TabSetNeedsScroller(const std::vector<int>& textWidths, const TTabSetMetrics& m) {
    return LayOutTabSet(textWidths, 0, m, false).size() < textWidths.size();
}

int TabSetTabAt(const std::vector<TTabSetPlace>& places, int x) {
    for (const TTabSetPlace& p : places)
        if (x >= p.left && x < p.right) return p.index;
    return -1;
}
