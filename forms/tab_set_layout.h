#pragma once
// Where a tab set's tabs go: from the first visible tab on, each tab is as wide as its text plus
// 9 pixels and starts where the one before it ended, the first at the start margin; tabs are
// laid out only while they fit before the end margin, which keeps 21 pixels more free for the
// scroller while it shows. The tab set and its skinner both place tabs by these rules, so that
// what the skin draws is where a click lands.

#include <vector>

inline constexpr int kTabSetTextPadding = 9;
inline constexpr int kTabSetScrollerRoom = 21;

struct TTabSetPlace {
    int index = 0;  // the tab's index in the tab set
    int left = 0;   // client x of the tab's left edge
    int right = 0;  // and of its right edge (exclusive)
    friend constexpr bool operator==(const TTabSetPlace&, const TTabSetPlace&) = default;
};

struct TTabSetMetrics {
    int startMargin = 5;
    int endMargin = 5;
    int clientWidth = 0;
};

// The tabs that are shown, in order; textWidths holds every tab's text width.
std::vector<TTabSetPlace> LayOutTabSet(const std::vector<int>& textWidths, int firstIndex,
                                       const TTabSetMetrics& metrics, bool scrollerVisible);

// The scroller shows when the tabs do not all fit from the first one on without it.
bool TabSetNeedsScroller(const std::vector<int>& textWidths, const TTabSetMetrics& metrics);

// The index of the shown tab under client x, or -1.
int TabSetTabAt(const std::vector<TTabSetPlace>& places, int x);
