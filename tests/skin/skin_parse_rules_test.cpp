#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/quick_ini.h"
#include "skin/skin_parse_rules.h"
#include "tests/skin/skin_store_builder.h"

namespace {

TQuickIni Ini(std::string_view text) {
    TQuickIni ini;
    ini.LoadFromText(text);
    return ini;
}

constexpr TColor Rgb(int r, int g, int b) { return TColor(r | g << 8 | b << 16); }

}  // namespace

TEST(SkinColours, WithoutAColoursSectionEveryColourFollowsTheSystem) {
    const TSkinColours c = ReadSkinColours(Ini("[Personality]\nLeft=l.bmp\n"));
    const TColor expected[] = {SystemColor(8),  SystemColor(9),  SystemColor(19), SystemColor(15),
                               SystemColor(18), SystemColor(20), SystemColor(20), SystemColor(16),
                               SystemColor(21), SystemColor(14), SystemColor(13), SystemColor(15),
                               SystemColor(7),  SystemColor(7),  SystemColor(4),  SystemColor(0)};
    const TColor read[] = {c.WindowTextColour,  c.TitleTextActiveColour, c.TitleTextNoActiveColour,
                           c.ButtonFaceColour,  c.ButtonTextColour,      c.ButtonHilightColour,
                           c.ButtonlightColour, c.ButtonShadowColour,    c.ButtonDkShadowColour,
                           c.HilightTextColour, c.HilightColour,         c.MenubarColour,
                           c.MenuBarTextColour, c.MenuTextColour,        c.MenuColour,
                           c.ScrollbarColour};
    for (size_t i = 0; i < std::size(read); ++i) EXPECT_EQ(read[i], expected[i]) << "colour " << i;
}

TEST(SkinColours, TriplesReplaceDefaultsAndTheMenuBarFollowsTheSkinsButtonFace) {
    TSkinColours c =
        ReadSkinColours(Ini("[colours]\n"
                            "ButtonFace=59 97 131\n"
                            "ButtonText=1,2,3\n"
                            "buttontext=9 9 9\n"  // the first line decides
                            "Menu=\n"             // empty: the default
                            "Menu=5 5 5\n"
                            "TitleTextNoActive=255\n"));
    EXPECT_EQ(c.ButtonFaceColour, Rgb(59, 97, 131));
    EXPECT_EQ(c.MenubarColour, Rgb(59, 97, 131));
    EXPECT_EQ(c.ButtonTextColour, Rgb(1, 2, 3));
    EXPECT_EQ(c.MenuColour, clMenu);
    EXPECT_EQ(c.TitleTextNoActiveColour, Rgb(0, 0, 0));
    EXPECT_EQ(c.HilightColour, clHighlight);

    c = ReadSkinColours(Ini("[Colours]\nButtonFace=10 20 30\nMenubar=40 50 60\n"));
    EXPECT_EQ(c.MenubarColour, Rgb(40, 50, 60));
    EXPECT_EQ(ParseColour("", clRed), clRed);
    EXPECT_EQ(ParseColour("1 2 3 4", clRed), Rgb(1, 2, 3));
}

TEST(TitleBarButtons, SectionsBeginningWithButtonQualifyExceptTheControlOnes) {
    const TQuickIni ini =
        Ini("[Buttons]\nAction=1\n"
            "[Button0]\nAction=1\n"
            "[Button.Radio]\n[BUTTON.CHECKBOX]\n[Button]\n[button.checkbox2]\n"
            "[ButtonAny]\n"
            "[Button3]\nAction=-1\n"                      // no Visibility: dropped
            "[Button4]\nAction=-1\nVisibility=0\n"        // kept
            "[Button5]\nAction=-1\nVisibility=1\n"        // dropped
            "[Button6]\nAction=$FFFFFFFF\nVisibility=\n"  // -1 in hexadecimal, no Visibility
            "[Button7]\nAction=-2\n"                      // only -1 is special
            "[MyButton]\n[ButtonX]\nAction=0x1A\n");
    EXPECT_EQ(TitleBarButtonSections(ini),
              (std::vector<std::string>{"BUTTON0", "BUTTON.CHECKBOX2", "BUTTONANY", "BUTTON4",
                                        "BUTTON7", "BUTTONX"}));
}

TEST(TitleBarButtons, FrameCountFollowsTheFrameKeyOrTheImageShape) {
    struct Case {
        int32_t frameKey, action;
        int width, height;
        int32_t frames;
        bool clear;
    };
    const Case cases[] = {
        {0, 0, 126, 21, 6, false}, {0, 0, 63, 21, 3, false},  {0, 3, 63, 21, 3, true},
        {0, 11, 126, 21, 6, true}, {4, 3, 126, 21, 4, false},  // a frame key: image kept
        {0, 0, 76, 20, 3, false},                              // exactly 3.8
        {0, 0, 77, 20, 6, false},  {0, 0, 0, 0, 6, false},     // no image
        {0, -1, 63, 21, 6, false}, {0, -5, 30, 30, 6, false}, {-2, 3, 63, 21, -2, false},
    };
    for (const Case& c : cases) {
        const TSysButtonFrames got = SysButtonFrameCount(c.frameKey, c.action, c.width, c.height);
        EXPECT_EQ(got.frameCount, c.frames) << c.frameKey << " " << c.action << " " << c.width;
        EXPECT_EQ(got.clearImage, c.clear) << c.frameKey << " " << c.action << " " << c.width;
    }
}

TEST(TitleBarButtons, MdiButtonsTakeFourCellsOfTwelveAndSitRightToLeft) {
    const auto cells = MdiButtonCells(180);
    const int expected[3][3] = {{0, 60, 57}, {60, 60, 38}, {120, 60, 19}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(cells[k].left, expected[k][0]);
        EXPECT_EQ(cells[k].width, expected[k][1]);
        EXPECT_EQ(cells[k].xcoord, expected[k][2]);
    }
    EXPECT_EQ(MdiButtonCells(191)[2].left, 120);  // the remainder is not used
    EXPECT_EQ(MdiButtonCells(11)[1].width, 0);    // narrower than 12 cells: no image
    EXPECT_EQ(MdiButtonCells(11)[0].xcoord, 12);
}

TEST(ChoiceButtons, FrameCountComesFromTheStripWhenNotDeclared) {
    struct Case {
        int32_t declared;
        int width, height;
        int32_t frames;
    };
    const Case cases[] = {
        {0, 130, 13, 10}, {0, 130, 15, 10}, {0, 160, 16, 10},
        {0, 130, 16, 8},  {0, 48, 16, 4},  // 3 cells still count as 4
        {0, 0, 0, 4},     {7, 130, 13, 7},  {-1, 130, 13, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChoiceFrameCount(c.declared, c.width, c.height), c.frames)
            << c.declared << " " << c.width << "x" << c.height;
    }
    EXPECT_EQ(PlainElementTile(2), 0);
    EXPECT_EQ(PlainElementTile(1), 1);
    EXPECT_EQ(PlainElementTile(-1), -1);
}

TEST(SkinImageReference, OnlyTheLowerCaseBmpNameAfterTheFolderIsLookedUp) {
    const std::vector<uint8_t> foo = skintest::MarkedBmp(4, 2, 7);
    TSkinReader reader;
    skintest::OpenSkin({skintest::TextEntry("skin.ini", "[Personality]\n"),
                        {"Foo.bmp", foo},
                        {"empty.bmp", {}},
                        {"foo.tga", foo}},
                       reader);
    TMemoryStream target(std::vector<uint8_t>{1, 2, 3});
    for (const char* found : {"Folder\\Foo.bmp", "foo.bmp", "C:foo.bmp", "a\\b:c\\FOO.bmp"}) {
        EXPECT_TRUE(ReadImageEntry(reader, found, target)) << found;
        EXPECT_EQ(target.Bytes(), foo) << found;
        EXPECT_EQ(target.Position(), 0) << found;
    }
    for (const char* none :
         {"foo.tga", "FOO.BMP", "foo", "", "Folder\\", "missing.bmp", "empty.bmp", "foo.bmp\\"}) {
        EXPECT_FALSE(ReadImageEntry(reader, none, target)) << none;
        EXPECT_TRUE(target.Bytes().empty()) << none;
    }
}
