// A tab set's tabs: text plus 9 pixels each, from the first visible tab on, from the start
// margin, only while they fit before the end margin, with 21 pixels more kept free while the
// scroller shows; and which tab a click at x hits.
#include "forms/tab_set_layout.h"

#include <gtest/gtest.h>

namespace {

using TPlaces = std::vector<TTabSetPlace>;

TEST(TabSetLayout, TabsFollowEachOtherWhileTheyFit) {
    const std::vector<int> widths{20, 30, 11, 40};  // tabs 29, 39, 20 and 49 wide
    struct TCase {
        const char* name;
        int first;
        TTabSetMetrics metrics;
        bool scroller;
        TPlaces places;
    };
    for (const TCase& c : {
             TCase{"all fit",
                   0,
                   {5, 5, 200},
                   false,
                   {{0, 5, 34}, {1, 34, 73}, {2, 73, 93}, {3, 93, 142}}},
             // The last tab ends at 142: it fits exactly before the end margin of 58.
             TCase{"exactly",
                   0,
                   {5, 58, 200},
                   false,
                   {{0, 5, 34}, {1, 34, 73}, {2, 73, 93}, {3, 93, 142}}},
             TCase{"one short", 0, {5, 59, 200}, false, {{0, 5, 34}, {1, 34, 73}, {2, 73, 93}}},
             // The scroller keeps 21 more pixels free: 142 > 200 - 38 - 21.
             TCase{"scroller", 0, {5, 38, 200}, true, {{0, 5, 34}, {1, 34, 73}, {2, 73, 93}}},
             TCase{"scroller, room enough",
                   0,
                   {5, 37, 221},
                   true,
                   {{0, 5, 34}, {1, 34, 73}, {2, 73, 93}, {3, 93, 142}}},
             TCase{"from the third tab", 2, {10, 5, 200}, false, {{2, 10, 30}, {3, 30, 79}}},
             // A wide tab that does not fit ends the row even when a later one would.
             TCase{"stops at the first misfit", 0, {5, 5, 80}, false, {{0, 5, 34}, {1, 34, 73}}},
             TCase{"first beyond the end", 7, {5, 5, 200}, false, {}},
             TCase{"nothing fits", 0, {5, 5, 30}, false, {}},
         }) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LayOutTabSet(widths, c.first, c.metrics, c.scroller), c.places);
    }
}

TEST(TabSetLayout, TheScrollerShowsWhenTheTabsDoNotAllFit) {
    const std::vector<int> widths{20, 30, 11, 40};
    EXPECT_FALSE(TabSetNeedsScroller(widths, {5, 5, 147}));  // 142 <= 147 - 5
    EXPECT_TRUE(TabSetNeedsScroller(widths, {5, 5, 146}));
    EXPECT_FALSE(TabSetNeedsScroller({}, {5, 5, 0}));
}

TEST(TabSetLayout, AClickHitsTheTabUnderIt) {
    const TPlaces places{{2, 10, 30}, {3, 30, 79}};
    EXPECT_EQ(TabSetTabAt(places, 9), -1);
    EXPECT_EQ(TabSetTabAt(places, 10), 2);
    EXPECT_EQ(TabSetTabAt(places, 29), 2);
    EXPECT_EQ(TabSetTabAt(places, 30), 3);
    EXPECT_EQ(TabSetTabAt(places, 79), -1);
}

}  // namespace
