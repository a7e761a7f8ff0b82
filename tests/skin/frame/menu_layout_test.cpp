// The menus' pure rules: the bar's start and item layout in both directions, the arrow keys'
// targets with wrap-around, and the drop-down items' measure, boxes, cells and text colours.
#include "skin/frame/menu_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuLayout, BarStartsAfterTheElementsEndCapOrAtSix) {
    struct Case {
        bool element, rightToLeft;
        int left, right, barWidth, start;
    };
    const Case cases[] = {
        {false, false, 9, 9, 300, 6},  {false, true, 9, 9, 300, 6},     {true, false, 1, 5, 300, 5},
        {true, true, 1, 5, 300, 13},   {true, false, 400, 1, 300, 12},  // beyond the bar
        {true, true, 1, 295, 300, 12}, {true, false, 296, 1, 300, 300},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuBarStart(c.element, c.rightToLeft, c.left, c.right, c.barWidth), c.start)
            << c.element << c.rightToLeft << " " << c.left << " " << c.right;
}

TEST(MenuLayout, ItemsAreTheirTextWidthPlusTenAndAZeroWidthGetsNothing) {
    EXPECT_EQ(MenuBarItemWidth(40), 50);
    EXPECT_EQ(MenuBarItemWidth(1), 11);
    EXPECT_EQ(MenuBarItemWidth(0), 0);
    const std::vector<TBarItemInput> items{{30, true}, {0, true}, {20, false}, {12, true}};
    EXPECT_EQ(LayoutMenuBar(items, 300, 19, 5, false),
              (std::vector<TRect>{{5, 0, 45, 18}, {45, 0, 45, 18}, {}, {45, 0, 67, 18}}));
    // Right to left: the first item ends `start` pixels from the right end.
    EXPECT_EQ(LayoutMenuBar(items, 300, 19, 13, true),
              (std::vector<TRect>{{247, 0, 287, 18}, {247, 0, 247, 18}, {}, {225, 0, 247, 18}}));
}

TEST(MenuLayout, BarCellFollowsActivation) {
    EXPECT_EQ(MenuBarCell(true), 1);
    EXPECT_EQ(MenuBarCell(false), 2);
}

TEST(MenuLayout, ArrowKeysMoveToTheNeighbourAndWrap) {
    const std::vector<bool> all{true, true, true, true};
    const TSelectedDropDownItem plain{};
    struct Case {
        unsigned key;
        TSelectedDropDownItem selected;
        int current;
        int target;
    };
    const Case cases[] = {
        {kKeyRight, plain, 0, 1},
        {kKeyRight, plain, 3, 0},  // last wraps to first
        {kKeyLeft, plain, 0, 3},   // first wraps to last
        {kKeyLeft, plain, 2, 1},
        {kKeyRight, {true, false}, 1, -1},  // the system opens the sub-menu
        {kKeyLeft, {false, true}, 1, -1},   // the key closes the nested sub-menu
        {kKeyLeft, {true, false}, 1, 0},
        {kKeyRight, {false, true}, 1, 2},
        {0x28 /* VK_DOWN */, plain, 1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArrowKeyTarget(c.key, c.selected, c.current, all), c.target)
            << c.key << " from " << c.current;
    // Items that cannot open a drop-down (no sub-items, hidden, disabled) are passed over.
    const std::vector<bool> some{true, false, true, false};
    EXPECT_EQ(AdjacentBarItem(0, 1, some), 2);
    EXPECT_EQ(AdjacentBarItem(2, 1, some), 0);
    EXPECT_EQ(AdjacentBarItem(0, -1, some), 2);
    EXPECT_EQ(AdjacentBarItem(0, 1, {true, false}), -1);
    EXPECT_EQ(AdjacentBarItem(0, 1, {}), -1);
}

TEST(MenuLayout, RightToLeftSwapsOnlyTheHorizontalArrows) {
    EXPECT_EQ(SwapArrowForRightToLeft(kKeyLeft, true), kKeyRight);
    EXPECT_EQ(SwapArrowForRightToLeft(kKeyRight, true), kKeyLeft);
    EXPECT_EQ(SwapArrowForRightToLeft(0x28, true), 0x28u);
    EXPECT_EQ(SwapArrowForRightToLeft(kKeyLeft, false), kKeyLeft);
}

TEST(MenuLayout, MeasureExtras) {
    EXPECT_EQ(ItemWidthExtra(true, 3, true, 10), 13);
    EXPECT_EQ(ItemWidthExtra(true, 3, false, 10), 38);
    EXPECT_EQ(ItemWidthExtra(false, 3, true, 12), 12);
    EXPECT_EQ(ItemWidthExtra(false, 3, false, 12), 35);
    struct Case {
        int text, height;
        bool separator, element, win95;
        TItemSize size;
    };
    const Case cases[] = {
        {40, 12, false, false, false, {66, 16}}, {40, 12, false, true, false, {69, 16}},
        {0, 12, true, true, false, {29, 20}},    {40, 12, false, false, true, {66, 20}},
        {0, 0, true, false, true, {26, 12}},
    };
    for (const Case& c : cases) {
        const TItemSize s = NativeItemMeasure(c.text, c.height, c.separator, c.element, 3, c.win95);
        EXPECT_EQ(s.width, c.size.width) << c.text << c.separator << c.element << c.win95;
        EXPECT_EQ(s.height, c.size.height) << c.text << c.separator << c.element << c.win95;
    }
}

TEST(MenuLayout, GlyphAndCaptionBoxesInBothDirections) {
    EXPECT_EQ(ItemGlyphSize(false, 0, false), 16);
    EXPECT_EQ(ItemGlyphSize(true, 12, false), 12);
    EXPECT_EQ(ItemGlyphSize(true, 12, true), 16);
    EXPECT_EQ(ItemGlyphSize(true, 24, true), 24);
    const TRect item{0, 20, 120, 40};
    const TItemLayout ltr = LayOutItem(item, 3, 16, false, false);
    EXPECT_EQ(ltr.glyph, (TRect{4, 21, 20, 37}));
    EXPECT_EQ(ltr.caption, (TRect{23, 20, 119, 40}));
    EXPECT_EQ(ShortcutBox(item, ltr, 60), (TRect{60, 20, 110, 40}));
    const TItemLayout rtl = LayOutItem(item, 3, 16, false, true);
    EXPECT_EQ(rtl.glyph, (TRect{100, 21, 116, 37}));
    EXPECT_EQ(rtl.caption, (TRect{1, 20, 97, 40}));
    EXPECT_EQ(ShortcutBox(item, rtl, 70), (TRect{10, 20, 70, 40}));
    // A separator has no glyph box.
    EXPECT_TRUE(LayOutItem(item, 3, 16, true, false).glyph.IsEmpty());
    EXPECT_EQ(CentredTextTop({0, 20, 10, 40}, 13), 23);
    EXPECT_EQ(CentredTextTop({0, 20, 10, 30}, 13), 19);  // toward zero
}

TEST(MenuLayout, CellsAndTextColours) {
    EXPECT_EQ(ItemCell(true), 4);
    EXPECT_EQ(ItemCell(false), 1);
    const TItemColours skin{0x201010, 0xFFFFFF, 0x808080};
    EXPECT_EQ(ItemTextColour(true, false, skin), 0x201010);
    EXPECT_EQ(ItemTextColour(true, true, skin), 0xFFFFFF);
    EXPECT_EQ(ItemTextColour(false, true, skin), 0x808080);
    // ButtonShadow equal to MenuText: the system's button-shadow colour instead.
    const TItemColours same{0x201010, 0xFFFFFF, 0x201010};
    EXPECT_EQ(ItemTextColour(false, false, same), clBtnShadow);
}

}  // namespace
