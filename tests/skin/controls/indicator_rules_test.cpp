// The indicator skinners' decisions as tables: the up-down's two buttons in both layouts and
// inside an edit, the state each button shows and its cell, and the filled part of a progress
// bar.
#include "skin/controls/indicator_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(IndicatorRules, AnUpDownSplitsItsClientInTwoHalves) {
    struct TCase {
        TRect client;
        bool horizontal, inEdit;
        TRect first, second;
    };
    for (const TCase& c : {
             TCase{{0, 0, 17, 22}, false, false, {0, 0, 17, 11}, {0, 11, 17, 22}},
             TCase{{0, 0, 17, 23}, false, false, {0, 0, 17, 11}, {0, 11, 17, 23}},  // odd: down
             TCase{{0, 0, 40, 18}, true, false, {0, 0, 20, 18}, {20, 0, 40, 18}},
             TCase{{0, 0, 41, 18}, true, false, {0, 0, 20, 18}, {20, 0, 41, 18}},
             TCase{{0, 0, 17, 22}, false, true, {1, 1, 16, 11}, {1, 11, 16, 21}},  // in an edit
             TCase{{2, 3, 42, 21}, true, true, {3, 4, 22, 20}, {22, 4, 41, 20}},
         }) {
        SCOPED_TRACE(testing::Message() << c.client.right << "x" << c.client.bottom << " h"
                                        << c.horizontal << " e" << c.inEdit);
        const TUpDownButtons b = UpDownLayout(c.client, c.horizontal, c.inEdit);
        EXPECT_EQ(b.first, c.first);
        EXPECT_EQ(b.second, c.second);
    }
}

TEST(IndicatorRules, OnlyTheButtonUnderTheCursorShowsPressedOrHot) {
    struct TCase {
        bool enabled, under, pressed, hot;
        int state;
    };
    for (const TCase& c : {
             TCase{true, false, false, false, udNormal},
             TCase{true, false, true, true, udNormal},  // the other button stays normal
             TCase{true, true, false, false, udNormal},
             TCase{true, true, false, true, udHot},
             TCase{true, true, true, false, udPressed},
             TCase{true, true, true, true, udPressed},  // pressed beats mouse over
             TCase{false, true, true, true, udDisabled},
             TCase{false, false, false, false, udDisabled},
         }) {
        SCOPED_TRACE(testing::Message() << c.enabled << c.under << c.pressed << c.hot);
        EXPECT_EQ(UpDownButtonState(c.enabled, c.under, c.pressed, c.hot), c.state);
    }
}

TEST(IndicatorRules, TheSecondButtonTakesTheSecondGroupOfFourCells) {
    EXPECT_EQ(UpDownCell(udNormal, false), 1);
    EXPECT_EQ(UpDownCell(udHot, false), 4);
    EXPECT_EQ(UpDownCell(udNormal, true), 5);
    EXPECT_EQ(UpDownCell(udPressed, true), 6);
    EXPECT_EQ(UpDownCell(udDisabled, false), 3);  // a disabled up-down: cells 3 and 7
    EXPECT_EQ(UpDownCell(udDisabled, true), 7);
    EXPECT_EQ(UpDownCell(udHot, true), 8);
}

TEST(IndicatorRules, AProgressBarFillsItsShareOfTheWidth) {
    struct TCase {
        int64_t position, low, high;
        int width, filled;
    };
    for (const TCase& c : {
             TCase{0, 0, 100, 200, 0},  // at 0: only the empty bar
             TCase{50, 0, 0, 200, 0},   // an upper limit of 0: the same
             TCase{50, 0, 100, 200, 100},
             TCase{100, 0, 100, 200, 200},
             TCase{1, 0, 3, 200, 66},       // rounded toward zero
             TCase{150, 0, 100, 200, 200},  // never beyond the bar
             TCase{75, 50, 100, 200, 100},  // from the lower limit
             TCase{50, 50, 100, 200, 0},
             TCase{-5, -10, 0, 200, 0},                   // no upper limit above 0
             TCase{2000000000, 0, 2000000000, 300, 300},  // no overflow
             TCase{10, 0, 100, 0, 0},
         }) {
        SCOPED_TRACE(testing::Message() << c.position << " of " << c.low << ".." << c.high);
        EXPECT_EQ(ProgressFillWidth(c.position, c.low, c.high, c.width), c.filled);
    }
}

}  // namespace

namespace {

TEST(IndicatorRules, AStatusPanelsBevelPicksItsCell) {
    EXPECT_EQ(StatusBevelCell(false, false), 1);  // lowered
    EXPECT_EQ(StatusBevelCell(true, false), 2);
    EXPECT_EQ(StatusBevelCell(false, true), 3);
}

TEST(IndicatorRules, AStatusPanelsTabsGiveItsAlignment) {
    struct TCase {
        const wchar_t* stored;
        bool rtl;
        TStatusText shown;
    };
    for (const TCase& c : {
             TCase{L"就绪", false, {L"就绪", 0}},
             TCase{L"\t就绪", false, {L"就绪", 1}},
             TCase{L"\t\t就绪", false, {L"就绪", 2}},
             TCase{L"\t\t\t就绪", false, {L"\t就绪", 2}},  // a third tab is text
             TCase{L"就绪", true, {L"就绪", 2}},           // right to left: exchanged
             TCase{L"\t\t就绪", true, {L"就绪", 0}},
             TCase{L"\t就绪", true, {L"就绪", 1}},
             TCase{L"", false, {L" ", 0}},  // one blank for an empty panel
             TCase{L"\t", false, {L" ", 1}},
         }) {
        SCOPED_TRACE(testing::Message() << c.rtl);
        EXPECT_EQ(StatusPanelText(c.stored, c.rtl), c.shown);
    }
}

}  // namespace
