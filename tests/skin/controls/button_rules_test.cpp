// The button skinners' decisions as tables: face cells with their order of precedence, the
// check and radio strips with their remaps, the click transitions, the caption colours and the
// caption and mark placement.
#include "skin/controls/button_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TButtonFaceState Face(bool enabled, bool pressed, bool hot, bool isDefault, bool focused) {
    return {enabled, pressed, hot, isDefault, focused};
}

TEST(ButtonRules, FaceCellsFollowTheirPrecedence) {
    struct TCase {
        TButtonFaceState state;
        int push, bit;
    };
    for (const TCase& c : {
             TCase{Face(true, false, false, false, false), 1, 1},
             TCase{Face(true, false, false, false, true), 4, 4},  // focused
             TCase{Face(true, false, false, true, true), 5, 4},   // default beats focused (push)
             TCase{Face(true, false, true, true, false), 4, 4},   // mouse over beats default
             TCase{Face(true, true, true, true, true), 2, 2},     // pressed beats mouse over
             TCase{Face(true, true, false, false, false), 2, 2},
             TCase{Face(false, true, true, true, true), 3, 3},  // disabled beats everything
             TCase{Face(false, false, false, true, false), 3, 3},
             TCase{Face(true, false, false, true, false), 5, 5},
         }) {
        SCOPED_TRACE(testing::Message() << c.state.enabled << c.state.pressed << c.state.hot
                                        << c.state.isDefault << c.state.focused);
        EXPECT_EQ(PushButtonCell(c.state), c.push);
        EXPECT_EQ(BitButtonCell(c.state), c.bit);
    }
}

TEST(ButtonRules, ASpeedButtonThatStaysDownShowsThePressedCellEvenDisabled) {
    EXPECT_EQ(SpeedButtonCell(Face(false, false, false, false, false), true), 2);
    EXPECT_EQ(SpeedButtonCell(Face(true, false, true, false, false), true), 2);
    EXPECT_EQ(SpeedButtonCell(Face(false, false, false, false, false), false), 3);
    EXPECT_EQ(SpeedButtonCell(Face(true, false, true, false, false), false), 4);
}

TEST(ButtonRules, CheckAndRadioStripsWithTheirRemaps) {
    struct TCase {
        bool checked, indeterminate, disabled;
        int frameCount, check, radio;
    };
    for (const TCase& c : {
             TCase{false, false, false, 4, 1, 1},
             TCase{true, false, false, 4, 2, 2},
             TCase{false, false, true, 4, 3, 3},
             TCase{true, false, true, 4, 4, 4},
             TCase{false, true, false, 4, 4, 1},
             TCase{true, true, true, 4, 4, 4},
             TCase{true, false, false, 12, 5, 2},
             TCase{false, false, true, 12, 4, 3},
             TCase{true, false, true, 12, 8, 4},
             TCase{false, false, false, 12, 1, 1},
             TCase{false, true, false, 12, 9, 1},
             TCase{true, true, true, 12, 12, 4},
             TCase{true, false, false, 8, 2, 5},
             TCase{false, false, true, 8, 3, 4},
             TCase{true, false, true, 8, 4, 8},
             TCase{false, false, false, 8, 1, 1},
         }) {
        SCOPED_TRACE(testing::Message()
                     << c.checked << c.indeterminate << c.disabled << " of " << c.frameCount);
        EXPECT_EQ(CheckBoxCell(c.checked, c.indeterminate, c.disabled, c.frameCount), c.check);
        if (!c.indeterminate) {
            EXPECT_EQ(RadioButtonCell(c.checked, c.disabled, c.frameCount), c.radio);
        }
    }
}

TEST(ButtonRules, OnlyAPressThatStillHoldsClicksOnRelease) {
    using E = TButtonEvent;
    struct TCase {
        const char* name;
        std::vector<E> events;
        int clicks;
        TButtonMouse end;
    };
    for (const TCase& c : {
             TCase{"click", {E::Enter, E::Move, E::Press, E::Release}, 1, {true, false}},
             TCase{"press inside, release outside", {E::Enter, E::Press, E::Leave}, 0, {}},
             TCase{"leave and come back",
                   {E::Enter, E::Press, E::Leave, E::Enter, E::Move, E::Release},
                   0,
                   {true, false}},
             TCase{"release without press", {E::Enter, E::Release}, 0, {true, false}},
             TCase{"double press, one release", {E::Press, E::Press, E::Release}, 1, {}},
             TCase{"two clicks", {E::Press, E::Release, E::Press, E::Release}, 2, {}},
             TCase{"space is clicked by the control", {E::SpaceDown, E::SpaceUp}, 0, {}},
             TCase{"space held, mouse up", {E::SpaceDown, E::Release}, 0, {}},
         }) {
        SCOPED_TRACE(c.name);
        TButtonMouse state;
        int clicks = 0;
        for (E e : c.events) {
            const TButtonStep step = ButtonTransition(state, e, true);
            clicks += step.click;
            state = step.next;
        }
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(state, c.end);
    }
}

TEST(ButtonRules, ADisabledButtonKeepsItsStateOnEnterAndLeave) {
    const TButtonMouse pressed{false, true, true};
    EXPECT_EQ(ButtonTransition(pressed, TButtonEvent::Enter, false).next, pressed);
    EXPECT_EQ(ButtonTransition(pressed, TButtonEvent::Leave, false).next, pressed);
    EXPECT_EQ(ButtonTransition(pressed, TButtonEvent::Leave, true).next, TButtonMouse{});
}

TEST(ButtonRules, CaptionColoursOfControlsAndBareWindows) {
    const TColor font = 0x112233;
    TButtonTextColours set{0x000001, 0x0000AA, 0x0000BB, 0x0000CC, true, false, true};
    struct TCase {
        int cell;
        bool control;
        TColor expected;
    };
    for (const TCase& c : {
             TCase{1, true, 0x0000AA},
             TCase{4, true, font},  // mouse over not set: the font's
             TCase{2, true, 0x0000CC},
             TCase{5, true, font},
             TCase{3, true, clBtnShadow},
             TCase{1, false, 0x0000AA},
             TCase{4, false, 0x0000BB},  // taken though not set
             TCase{2, false, 0x0000CC},
             TCase{5, false, 0x000001},
             TCase{3, false, 0x808080},
         }) {
        SCOPED_TRACE(testing::Message() << c.cell << (c.control ? " control" : " window"));
        EXPECT_EQ(ButtonTextColor(c.cell, c.control, font, set), c.expected);
    }
}

TEST(ButtonRules, CaptionSitsOnePixelAboveTheMiddle) {
    const TRect target{0, 0, 75, 25};
    // DT_CALCRECT keeps the target's top left.
    EXPECT_EQ(PlaceButtonCaption(target, {0, 0, 31, 12}, true), (TRect{22, 5, 53, 17}));
    EXPECT_EQ(PlaceButtonCaption(target, {0, 0, 31, 12}, false), (TRect{0, 5, 75, 17}));
    // Odd leftovers round toward zero, also when the caption is taller than the button.
    EXPECT_EQ(PlaceButtonCaption({10, 10, 20, 20}, {10, 10, 23, 31}, true), (TRect{9, 4, 22, 25}));
}

TEST(ButtonRules, MarksBesideTheCaption) {
    const TRect rect{0, 0, 100, 21};
    struct TCase {
        int cellWidth;
        bool leftText, checkBox;
        TRect mark, strip;
    };
    for (const TCase& c : {
             TCase{13, false, true, {2, 4, 15, 17}, {0, 0, 16, 21}},
             TCase{13, false, false, {0, 4, 13, 17}, {0, 0, 16, 21}},
             TCase{10, false, true, {4, 4, 14, 17}, {0, 0, 16, 21}},
             TCase{10, false, false, {2, 4, 12, 17}, {0, 0, 16, 21}},
             TCase{16, false, true, {2, 4, 18, 17}, {0, 0, 16, 21}},
             TCase{16, false, false, {0, 4, 16, 17}, {0, 0, 16, 21}},
             TCase{13, true, true, {87, 4, 100, 17}, {84, 0, 100, 21}},
             TCase{10, true, false, {88, 4, 98, 17}, {84, 0, 100, 21}},
             TCase{16, true, true, {83, 4, 99, 17}, {84, 0, 100, 21}},
         }) {
        SCOPED_TRACE(testing::Message() << c.cellWidth << c.leftText << c.checkBox);
        const TMarkPlacement p = PlaceButtonMark(rect, c.cellWidth, 13, 13, c.leftText, c.checkBox);
        EXPECT_EQ(p.mark, c.mark);
        EXPECT_EQ(p.strip, c.strip);
    }
}

}  // namespace
