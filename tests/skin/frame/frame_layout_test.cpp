// The frame's pure rules: sizes, kinds, cells, button visibility and placement, title placement
// and the caption's hit-test answers.
#include "skin/frame/frame_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameLayout, SizesAreOneCellOfEachPiece) {
    // Two cells per piece: side by side for the sides, one above the other for top and bottom.
    EXPECT_EQ(FrameSizesFromPieces({8, 300, 2}, {64, 52, 2}, {8, 300, 2}, {64, 8, 2}),
              (TFrameSizes{4, 26, 4, 4}));
    EXPECT_EQ(FrameSizesFromPieces({9, 1, 2}, {1, 27, 2}, {7, 1, 1}, {1, 3, 3}),
              (TFrameSizes{4, 13, 7, 1}));
    // A piece without cells has no size rather than dividing by zero.
    EXPECT_EQ(FrameSizesFromPieces({8, 1, 0}, {1, 26, 0}, {8, 1, -1}, {1, 4, 0}), TFrameSizes{});
}

TEST(FrameLayout, BorderKindFollowsStyleAndDialogClass) {
    struct Case {
        uint32_t style;
        bool dialogClass;
        int kind;
    };
    const Case cases[] = {
        {kStylePopup, false, bkCaptionless},
        {kStylePopup | 0x00800000u /*WS_BORDER only*/, false, bkCaptionless},
        {kStylePopup | kStyleCaption | kStyleThickFrame, false, bkSizable},
        {kStyleCaption | kStyleThickFrame | kStyleModalFrame, false, bkSizable},
        {kStyleCaption | kStyleModalFrame, false, bkDialog},
        {kStyleCaption, false, bkFixed},
        {kStylePopup, true, bkDialog},
        {kStyleCaption | kStyleThickFrame, true, bkDialog},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BorderKindOf(c.style, c.dialogClass), c.kind) << std::hex << c.style;
}

TEST(FrameLayout, CapabilitiesAndWindowState) {
    EXPECT_EQ(CapabilitiesOf(kStyleSysMenu, false), capSystemMenu);
    EXPECT_EQ(CapabilitiesOf(0, true), capSystemMenu);
    EXPECT_EQ(CapabilitiesOf(kStyleMinimizeBox | kStyleMaximizeBox, false),
              capMinimize | capMaximize);
    const int expected[] = {fwNormal, fwNormal,    fwMinimized, fwMaximized, fwNormal,
                            fwNormal, fwMinimized, fwMinimized, fwNormal,    fwNormal};
    for (int show = 0; show < 10; ++show)
        EXPECT_EQ(WindowStateFromShowCommand(show), expected[show]) << show;
}

TEST(FrameLayout, CellsByActivityAndState) {
    EXPECT_EQ(BorderPieceCell(true, 2), 1);
    EXPECT_EQ(BorderPieceCell(false, 2), 2);
    EXPECT_EQ(BorderPieceCell(false, 1), 1);
    EXPECT_EQ(SysButtonCaptionCell(true, 4), 1);
    EXPECT_EQ(SysButtonCaptionCell(false, 4), 4);
    EXPECT_EQ(SysButtonCaptionCell(false, 3), 1);
    for (int state = 1; state <= 3; ++state) EXPECT_EQ(SysButtonStateCell(state, 0), state);
    EXPECT_EQ(SysButtonStateCell(3, 100), 4);
    EXPECT_EQ(SysButtonStateCell(2, 100), 2);
}

TEST(FrameLayout, VisibilityTable) {
    const uint8_t all = capSystemMenu | capMinimize | capMaximize;
    struct Case {
        int visibility, visibility1, action;
        TSysButtonContext context;
        bool visible;
    };
    const TSysButtonContext normal{all, fwNormal, true, bkSizable, false, 0};
    const TSysButtonContext maximised{all, fwMaximized, true, bkSizable, false, 0};
    const TSysButtonContext inactive{all, fwNormal, false, bkSizable, false, 0};
    const TSysButtonContext bare{0, fwNormal, true, bkSizable, false, 0};
    const TSysButtonContext sysOnly{capSystemMenu, fwNormal, true, bkFixed, false, 0};
    const TSysButtonContext dialog{all, fwNormal, true, bkDialog, false, 0};
    const TSysButtonContext mdiBar{all, fwNormal, true, bkSizable, true, 19};
    const TSysButtonContext mdiNoBar{all, fwNormal, true, bkSizable, true, 0};
    const Case cases[] = {
        // 0: always, except a close button without a system menu.
        {0, 0, 0, normal, true},
        {0, 0, 0, bare, false},
        {0, 0, 4, bare, true},
        // 1, 2: maximised or not.
        {1, 0, 4, maximised, true},
        {1, 0, 4, normal, false},
        {2, 0, 4, normal, true},
        {2, 0, 4, maximised, false},
        {0, 1, 4, normal, false},
        // 3, 4: active or not.
        {3, 0, 4, normal, true},
        {3, 0, 4, inactive, false},
        {4, 0, 4, inactive, true},
        {0, 4, 4, normal, false},
        // 5: never.
        {5, 0, 4, normal, false},
        {0, 5, 4, normal, false},
        // 6 to 9: the boxes (A also wants the system menu, B does not).
        {6, 0, 4, normal, true},
        {6, 0, 4, TSysButtonContext{capMaximize, fwNormal, true, 0, false, 0}, false},
        {0, 6, 4, TSysButtonContext{capMaximize, fwNormal, true, 0, false, 0}, true},
        {6, 0, 4, sysOnly, false},
        {7, 0, 4, sysOnly, true},
        {7, 0, 4, normal, false},
        {8, 0, 4, normal, true},
        {8, 0, 4, TSysButtonContext{capMinimize, fwNormal, true, 0, false, 0}, false},
        {0, 8, 4, TSysButtonContext{capMinimize, fwNormal, true, 0, false, 0}, true},
        {9, 0, 4, sysOnly, true},
        {9, 0, 4, normal, false},
        // 100: a maximised MDI child with a menu bar; Visibility1 100 follows A.
        {100, 100, 8, mdiBar, true},
        {100, 100, 8, mdiNoBar, false},
        {100, 100, 8, normal, false},
        {0, 100, 4, normal, true},
        // 200 to 2000 always, the rest never.
        {200, 0, 4, bare, true},
        {2000, 2000, 4, bare, true},
        {2001, 0, 4, normal, false},
        {10, 0, 4, normal, false},
        {99, 0, 4, normal, false},
        {0, 50, 4, normal, false},
        {150, 0, 4, normal, false},
        {-1, 0, 4, normal, false},
        // By action: the boxes need their capability, the icon buttons no dialog.
        {0, 0, 1, sysOnly, false},
        {0, 0, 2, sysOnly, false},
        {0, 0, 1, normal, true},
        {0, 0, 3, sysOnly, true},
        {0, 0, 3, dialog, false},
        {0, 0, 11, dialog, false},
        {0, 0, 12, dialog, false},
        {0, 0, 0, dialog, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSysButtonVisible(c.visibility, c.visibility1, c.action, c.context), c.visible)
            << c.visibility << "/" << c.visibility1 << " action " << c.action;
}

TEST(FrameLayout, ButtonPlacementByAlign) {
    TSysButtonPlacement p;
    p.windowWidth = 488;
    p.titleRect = {32, 0, 200, 26};
    p.captionHeight = 26;
    p.menuBarHeight = 20;
    p.borderLeft = 4;
    p.borderRight = 4;
    struct Case {
        int align;
        TRect r;
    };
    const Case cases[] = {
        {0, {8, 5, 26, 23}},       {1, {464, 5, 482, 23}}, {2, {4, 5, 22, 23}},
        {8, {4, 5, 22, 23}},       {3, {210, 5, 228, 23}}, {9, {210, 5, 228, 23}},
        {100, {470, 27, 488, 45}}, {7, {0, 0, 18, 18}},
    };
    for (const Case& c : cases) {
        const int x = c.align == 0 ? 8 : c.align == 1 ? 24 : c.align == 100 ? 14 : 10;
        EXPECT_EQ(PlaceSysButton(c.align, x, c.align == 100 ? 0 : 5, 18, 18, p), c.r) << c.align;
    }
    // The menu bar's left end moves MDI buttons inwards, from the left for right-to-left windows.
    p.menuBarLeftWidth = 3;
    EXPECT_EQ(PlaceSysButton(100, 14, 0, 18, 18, p), (TRect{467, 27, 485, 45}));
    p.rightToLeft = true;
    EXPECT_EQ(PlaceSysButton(100, 14, 0, 18, 18, p), (TRect{21, 27, 39, 45}));
}

TEST(FrameLayout, TitlePlacement) {
    TTitleInput in;
    in.strip = {4, 0, 484, 26};
    in.textWidth = 100;
    in.textHeight = 14;
    in.textShift = 28;
    in.textRightClip = 72;
    struct Case {
        int alignment;
        bool rtl, popup, dialog;
        int backLeft, backRight, rightButtonsLeft;
        TRect title, text;
    };
    const Case cases[] = {
        {0, false, false, false, 0, 0, 0, {32, 6, 132, 20}, {32, 6, 132, 20}},
        {1, false, false, false, 0, 0, 0, {194, 6, 294, 20}, {194, 6, 294, 20}},
        {2, false, false, false, 0, 0, 0, {312, 6, 412, 20}, {312, 6, 412, 20}},
        {5, false, false, false, 0, 0, 0, {4, 6, 104, 20}, {4, 6, 104, 20}},
        {0, true, false, false, 0, 0, 0, {312, 6, 412, 20}, {312, 6, 412, 20}},
        // The back plate's caps widen the title and narrow the text inside it.
        {0, false, false, false, 5, 7, 0, {32, 6, 144, 20}, {37, 6, 137, 20}},
        // A dialog's left-aligned text starts 16 pixels further left.
        {0, false, false, true, 0, 0, 0, {32, 6, 132, 20}, {16, 6, 132, 20}},
        {1, false, false, true, 0, 0, 0, {194, 6, 294, 20}, {194, 6, 294, 20}},
        // Popups widen up to 5 pixels short of the right buttons, never narrow.
        {0, false, true, false, 0, 0, 420, {32, 6, 415, 20}, {32, 6, 415, 20}},
        {0, false, true, false, 0, 0, 100, {32, 6, 132, 20}, {32, 6, 132, 20}},
    };
    for (const Case& c : cases) {
        in.alignment = c.alignment;
        in.rightToLeft = c.rtl;
        in.popup = c.popup;
        in.dialog = c.dialog;
        in.backLeft = c.backLeft;
        in.backRight = c.backRight;
        in.rightButtonsLeft = c.rightButtonsLeft;
        const TTitlePlacement placed = PlaceTitle(in);
        EXPECT_EQ(placed.titleRect, c.title) << c.alignment << c.rtl << c.popup << c.dialog;
        EXPECT_EQ(placed.textRect, c.text) << c.alignment << c.rtl << c.popup << c.dialog;
    }
    // A long title is clipped short of the right clip; the vertical shift counts half.
    in = TTitleInput{};
    in.strip = {4, 0, 200, 26};
    in.textWidth = 400;
    in.textHeight = 14;
    in.textRightClip = 72;
    in.textShiftVert = 5;
    EXPECT_EQ(PlaceTitle(in).titleRect, (TRect{4, 8, 128, 22}));
}

TEST(FrameLayout, HitTestAnswers) {
    // Caption 26: the top 3 rows keep the answer, the caption rows are HTCAPTION, the rows under
    // it HTMENU; border and client answers stay.
    struct Case {
        int previous, y, answer;
    };
    const Case cases[] = {{2, 0, 2},  {0, 2, 0},  {0, 3, 2},   {2, 25, 2},  {0, 26, 5},
                          {2, 40, 5}, {1, 10, 1}, {13, 1, 13}, {12, 2, 12}, {10, 30, 10}};
    for (const Case& c : cases)
        EXPECT_EQ(FrameHitTest(c.previous, c.y, 26), c.answer) << c.previous << " " << c.y;
}

TEST(FrameLayout, MessageBoxWidth) {
    EXPECT_EQ(MessageBoxNeededWidth(20, 6, {4, 26, 4, 4}, 28, 72, 0, 0), 27 * 6 + 8 + 100);
    EXPECT_EQ(MessageBoxNeededWidth(0, 4, {3, 20, 5, 2}, 0, 0, 2, 3), 28 + 8 + 5);
}

TEST(FrameLayout, ToolButtonCellByCustomDrawState) {
    struct Case {
        TToolButtonState state;
        int cell;
    };
    const Case cases[] = {
        {{.selected = true, .hot = true, .disabled = true}, 2},
        {{.focused = true, .grayed = true}, 4},
        {{.hot = true, .isDefault = true}, 4},
        {{.grayed = true, .isDefault = true}, 0},
        {{.disabled = true, .isDefault = true}, 0},
        {{.isDefault = true}, 1},
        {{}, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ToolButtonCell(cases[i].state), cases[i].cell) << i;
}

}  // namespace
