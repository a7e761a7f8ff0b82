// ParseSkin on skins made in code: a description and BMP images packed into a store, opened with
// TSkinReader, parsed into a TSkinDescription, and read back field by field and pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "forms/font.h"
#include "skin/quick_ini.h"
#include "skin/skin_parse.h"
#include "skin/skin_slots.h"
#include "tests/skin/skin_store_builder.h"

namespace {

using skintest::MarkedBmp;
using skintest::TextEntry;

constexpr TColor Rgb(int r, int g, int b) { return TColor(r | g << 8 | b << 16); }

// Blue, green and red of pixel (x, y) of a pf24bit bitmap, as MarkedBmp wrote them.
struct Pixel {
    int blue, green, red;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};
std::ostream& operator<<(std::ostream& out, const Pixel& p) {
    return out << '(' << p.blue << ',' << p.green << ',' << p.red << ')';
}
Pixel At(TBitmap& bitmap, int x, int y) {
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    const uint8_t* p = bitmap.ScanLine(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

constexpr const char* kFullSkin = R"(
[TitlebarSkin]
SkinName=Test Skin
[Personality]
Left=Folder\left.bmp
LeftTopHeight=5
LeftBotHeight=6
LeftFrame=2
LeftStretch=2
Top=top.bmp
TopTopHeight=7
TopBotHeight=8
TopTrans=0
Right=right.tga
TextBack=textback.bmp
TextShift=0x1A
TextShift=3
TextShiftVert=2
TextRightClip=9
TextAlignment=1
FontHeight=99
ActiveTextR=1
ActiveTextG=2
ActiveTextB=259
InActiveTextR=1
menuBar=menubar.bmp
TileLeftMenu=4
[Fonts]
FontHeight=12
[Colours]
ButtonFace=59 97 131
ButtonText=10 20 30
[Button1]
ButtonImage=sys126.bmp
Align=1
Xcoord=20
Ycoord=3
[Button2]
ButtonImage=sys63.bmp
CombineOp=2
[Button3]
Action=3
ButtonImage=sys63.bmp
[Button4]
Action=3
frame=4
ButtonImage=sys126.bmp
[Button5]
Action=-1
ButtonImage=sys63.bmp
[Button6]
Action=-1
Visibility=0
ButtonImage=sys63.bmp
[Buttons]
Bitmap=buttons.bmp
LeftWidth=3
Tile=2
Style=4
CheckButton=check.bmp
RadioButton=radio.bmp
NormalColour=0x10
NormalColour2=59 97 131
MouseOverColour2=
MouseOverColour2=1 1 1
[Button.Radio]
Image=radio.bmp
[BUTTON.CHECKBOX]
Image=check.bmp
[MDICONTROLS]
Image=mdi.bmp
[Progress]
Bitmap=progress.bmp
Chunk=chunk.bmp
Tile=2
NormalColour=5
[Scrollbar]
Image=scroll.bmp
Tile=2
[ComboButton]
Image=combo.bmp
Style=1
[Tabs]
Image=tabs.bmp
Border=tabborder.bmp
Style=5
Tile=1
PressedColour2=1 2 3
[GroupBox]
Image=FOO.BMP
BackgroundAlignment=2
BackgroundLeftShift=-3
BackgroundRightShift=4
[SunkEdge]
Image=foo.tga
[StatusBarEdges]
Image=missing.bmp
[HorzScrollThumb]
Image=thumb.bmp
FrameCount=7
[VertScrollThumb]
Image=thumb.bmp
[Trackbar.ThumbUp]
Image=thumb.bmp
[UpDown.Horz]
Image=updown.bmp
GlyphImage=glyph.bmp
)";

// The images of kFullSkin; the tag (red) tells them apart.
std::vector<TSkinEntry> FullSkinEntries() {
    return {
        TextEntry("skin.ini", kFullSkin),        {"left.bmp", MarkedBmp(4, 30, 1)},
        {"top.bmp", MarkedBmp(40, 6, 2)},        {"right.tga", MarkedBmp(4, 30, 3)},
        {"textback.bmp", MarkedBmp(20, 10, 4)},  {"menubar.bmp", MarkedBmp(20, 10, 5)},
        {"sys126.bmp", MarkedBmp(126, 21, 6)},   {"sys63.bmp", MarkedBmp(63, 21, 7)},
        {"buttons.bmp", MarkedBmp(50, 20, 8)},   {"check.bmp", MarkedBmp(130, 13, 9)},
        {"radio.bmp", MarkedBmp(64, 16, 10)},    {"mdi.bmp", MarkedBmp(180, 14, 11)},
        {"progress.bmp", MarkedBmp(20, 10, 12)}, {"chunk.bmp", MarkedBmp(6, 10, 13)},
        {"scroll.bmp", MarkedBmp(230, 17, 14)},  {"combo.bmp", MarkedBmp(9, 5, 15)},
        {"tabs.bmp", MarkedBmp(50, 20, 16)},     {"tabborder.bmp", MarkedBmp(8, 8, 17)},
        {"foo.bmp", MarkedBmp(8, 8, 18)},        {"foo.tga", MarkedBmp(8, 8, 19)},
        {"thumb.bmp", MarkedBmp(30, 10, 20)},    {"updown.bmp", MarkedBmp(64, 8, 21)},
        {"glyph.bmp", MarkedBmp(16, 8, 22)},
    };
}

void Parse(TSkinDescription& skin, const std::vector<TSkinEntry>& entries) {
    TSkinReader reader;
    skintest::OpenSkin(entries, reader);
    TQuickIni ini;
    TMemoryStream text;
    std::string name;
    reader.FindEntry(".ini", text, name);
    ini.LoadFromStream(&text);
    ParseSkin(skin, ini, reader);
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH info{};
    EXPECT_EQ(GetObjectW(brush, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.lbStyle, UINT(BS_SOLID));
    return info.lbColor;
}

}  // namespace

TEST(ParseSkin, FrameBordersAndTitleComeFromPersonality) {
    TSkinDescription skin;
    Parse(skin, FullSkinEntries());
    EXPECT_EQ(skin.SkinName, "Test Skin");

    struct Border {
        TDataSkinBorder* border;
        const char* name;
        int width, left, top, right, bottom, frames, tile, trans;
    };
    const Border borders[] = {
        {&skin.FrameLeft, "Left", 4, 0, 5, 0, 6, 2, 2, 1},  // Tile 2 stays
        {&skin.FrameTop, "Top", 40, 7, 0, 8, 0, 1, 1, 0},
        {&skin.FrameRight, "Right", 0, 0, 0, 0, 0, 1, 1, 1},  // right.tga: no image
        {&skin.FrameBottom, "Bottom", 0, 0, 0, 0, 0, 1, 1, 1},
    };
    for (const Border& b : borders) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(b.border->Name, b.name);
        EXPECT_EQ(b.border->Image.Width(), b.width);
        EXPECT_EQ(b.border->LeftWidth, b.left);
        EXPECT_EQ(b.border->TopHeight, b.top);
        EXPECT_EQ(b.border->RightWidth, b.right);
        EXPECT_EQ(b.border->BottomHeight, b.bottom);
        EXPECT_EQ(b.border->FrameCount, b.frames);
        EXPECT_EQ(b.border->Tile, b.tile);
        EXPECT_EQ(b.border->Trans, b.trans);
        EXPECT_TRUE(b.border->Image2.Empty());
    }
    EXPECT_EQ(At(skin.FrameLeft.Image, 3, 29), (Pixel{3, 29, 1}));  // Folder\left.bmp

    const TDataSkinTitle& t = skin.Title;
    EXPECT_EQ(t.Image.Width(), 20);
    EXPECT_EQ(t.LeftWidth, 26);  // 0x1A; the repeated TextShift=3 is not consulted
    EXPECT_EQ(t.TopHeight, 2);
    EXPECT_EQ(t.RightWidth, 9);
    EXPECT_EQ(t.BottomHeight, 0);
    EXPECT_EQ(t.TextAlignment, 1);
    EXPECT_EQ(t.FontHeight, 12);  // from [Fonts], not [Personality]
    EXPECT_EQ(t.ActiveTextColour, Rgb(1, 2, 3));
    EXPECT_EQ(t.InActiveTextColour, clNone);  // G and B missing
    EXPECT_EQ(t.FrameCount, 2);
}

TEST(ParseSkin, TitleBarButtonsAreFilteredCountedAndFollowedByTheMdiButtons) {
    TSkinDescription skin;
    Parse(skin, FullSkinEntries());
    struct Expected {
        const char* name;
        int action, frames, imageWidth, visibility1, combineOp;
    };
    const Expected expected[] = {
        {"BUTTON1", 0, 6, 126, 0, -1},   // 126 x 21: six cells
        {"BUTTON2", 0, 3, 63, 0, 2},     // 63 x 21: three
        {"BUTTON3", 3, 3, 0, 0, -1},     // Action 3 without a frame key: image cleared
        {"BUTTON4", 3, 4, 126, 0, -1},   // frame 4: image and count stay
        {"BUTTON6", -1, 6, 63, -1, -1},  // Action -1 kept by Visibility 0
    };
    ASSERT_EQ(skin.SysButtons.size(), std::size(expected) + 3);
    for (size_t i = 0; i < std::size(expected); ++i) {
        const TDataSkinSysButton& b = *skin.SysButtons[i];
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(b.Name, expected[i].name);
        EXPECT_EQ(b.Action, expected[i].action);
        EXPECT_EQ(b.FrameCount, expected[i].frames);
        EXPECT_EQ(b.Image.Width(), expected[i].imageWidth);
        EXPECT_EQ(b.Visibility1, expected[i].visibility1);
        EXPECT_EQ(b.CombineOp, expected[i].combineOp);
    }
    EXPECT_EQ(skin.SysButtons[0]->Align, 1);
    EXPECT_EQ(skin.SysButtons[0]->Xcoord, 20);
    EXPECT_EQ(skin.SysButtons[0]->Ycoord, 3);

    // mdi.bmp is 180 x 14: cells of 15, four per button.
    const int xcoords[] = {57, 38, 19};
    for (int k = 0; k < 3; ++k) {
        TDataSkinSysButton& b = *skin.SysButtons[std::size(expected) + size_t(k)];
        SCOPED_TRACE(k);
        EXPECT_EQ(b.Action, 7 + k);
        EXPECT_EQ(b.Align, 100);
        EXPECT_EQ(b.Visibility, 100);
        EXPECT_EQ(b.Visibility1, 100);
        EXPECT_EQ(b.FrameCount, 4);
        EXPECT_EQ(b.Xcoord, xcoords[k]);
        EXPECT_EQ(b.Ycoord, 0);
        ASSERT_EQ(b.Image.Width(), 60);
        ASSERT_EQ(b.Image.Height(), 14);
        EXPECT_EQ(At(b.Image, 0, 0), (Pixel{60 * k, 0, 11}));
        EXPECT_EQ(At(b.Image, 59, 13), (Pixel{60 * k + 59, 13, 11}));
    }
}

TEST(ParseSkin, ButtonsAndColoursUseTheSkinsButtonText) {
    TSkinDescription skin;
    Parse(skin, FullSkinEntries());
    EXPECT_EQ(skin.ButtonFaceColour, Rgb(59, 97, 131));
    EXPECT_EQ(skin.MenubarColour, Rgb(59, 97, 131));
    EXPECT_EQ(skin.ButtonTextColour, Rgb(10, 20, 30));
    EXPECT_EQ(skin.MenuColour, clMenu);
    EXPECT_EQ(BrushColour(skin.FaceBrush.Get()), RGB(59, 97, 131));

    const TDataSkinButton& b = skin.Buttons;
    EXPECT_EQ(b.Image.Width(), 50);
    EXPECT_EQ(b.LeftWidth, 3);
    EXPECT_EQ(b.Tile, 2);   // not adjusted
    EXPECT_EQ(b.Style, 0);  // not read
    EXPECT_EQ(b.FrameCount, 5);
    EXPECT_EQ(b.CheckFrameCount, 10);  // 130 wide, 13 high: cells of 13
    EXPECT_EQ(b.RadioFrameCount, 4);   // 64 wide, 16 high: cells of 16
    EXPECT_EQ(b.NormalColour, 16);
    EXPECT_EQ(b.MouseOverColour, -1);
    EXPECT_EQ(b.NormalColour2, Rgb(59, 97, 131));
    EXPECT_TRUE(b.HasNormalColour2);
    // The first MouseOverColour2 line is empty: the skin's button text, and no colour given.
    EXPECT_EQ(b.MouseOverColour2, Rgb(10, 20, 30));
    EXPECT_FALSE(b.HasMouseOverColour2);
    EXPECT_EQ(b.PressedColour2, Rgb(10, 20, 30));
    EXPECT_FALSE(b.HasPressedColour2);
}

TEST(ParseSkin, ElementSlotsKeepTheirKindsTilesAndFrameCounts) {
    TSkinDescription skin;
    Parse(skin, FullSkinEntries());

    ASSERT_TRUE(skin.Progress);
    EXPECT_EQ(skin.Progress->Tile, 2);  // Progress keeps Tile 2
    EXPECT_EQ(skin.Progress->Image2.Width(), 6);
    EXPECT_EQ(skin.Progress->FrameCount, 2);
    EXPECT_EQ(skin.Progress->NormalColour, 0);  // state colours are not read
    ASSERT_TRUE(skin.Scrollbar);
    EXPECT_EQ(skin.Scrollbar->Tile, 0);  // a plain element stores Tile 2 as 0
    EXPECT_EQ(skin.Scrollbar->FrameCount, 23);
    EXPECT_EQ(skin.Scrollbar->NormalColour, -1);
    EXPECT_EQ(skin.Scrollbar->NormalColour2, Rgb(10, 20, 30));

    ASSERT_TRUE(skin.Tabs);
    EXPECT_EQ(skin.Tabs->Style, 0);  // borders do not read Style
    ASSERT_TRUE(skin.ComboButton);
    EXPECT_EQ(skin.ComboButton->Style, 1);  // but the combo button does: its look
    EXPECT_EQ(skin.Tabs->Tile, 1);
    EXPECT_EQ(At(skin.Tabs->Image2, 7, 7), (Pixel{7, 7, 17}));
    EXPECT_EQ(skin.Tabs->PressedColour2, Rgb(1, 2, 3));
    EXPECT_EQ(skin.Tabs->FrameCount, 5);

    // References that load nothing still make the element, with an empty image.
    ASSERT_TRUE(skin.GroupBox);
    EXPECT_TRUE(skin.GroupBox->Image.Empty());  // FOO.BMP: not a lower-case .bmp
    EXPECT_EQ(skin.GroupBox->Name, "GroupBox");
    EXPECT_EQ(skin.GroupBox->BackgroundAlignment, 2);
    EXPECT_EQ(skin.GroupBox->BackgroundLeftShift, -3);
    EXPECT_EQ(skin.GroupBox->BackgroundRightShift, 4);
    EXPECT_EQ(skin.GroupBox->FrameCount, 1);
    ASSERT_TRUE(skin.SunkEdge);
    EXPECT_TRUE(skin.SunkEdge->Image.Empty());  // foo.tga
    EXPECT_EQ(skin.SunkEdge->FrameCount, 4);
    ASSERT_TRUE(skin.StatusBarEdges);
    EXPECT_TRUE(skin.StatusBarEdges->Image.Empty());  // not in the archive
    EXPECT_EQ(skin.StatusBarEdges->FrameCount, 3);

    ASSERT_TRUE(skin.MenuBar);
    EXPECT_EQ(skin.MenuBar->Name, "Personality");
    EXPECT_EQ(skin.MenuBar->LeftWidth, 4);
    EXPECT_EQ(skin.MenuBar->RightWidth, 1);
    EXPECT_EQ(skin.MenuBar->FrameCount, 2);

    ASSERT_TRUE(skin.HorzScrollThumb && skin.VertScrollThumb && skin.TrackbarThumbUp);
    EXPECT_EQ(skin.HorzScrollThumb->FrameCount, 7);
    EXPECT_EQ(skin.VertScrollThumb->FrameCount, 3);
    EXPECT_EQ(skin.TrackbarThumbUp->Name, "Trackbar.ThumbUp");
    EXPECT_EQ(skin.TrackbarThumbUp->FrameCount, 5);
    ASSERT_TRUE(skin.UpDownHorz);
    EXPECT_EQ(skin.UpDownHorz->Image2.Width(), 16);
    EXPECT_EQ(skin.UpDownHorz->FrameCount, 8);

    for (const auto* slot :
         {&skin.Toolbars, &skin.ExtraImages, &skin.Headerbar, &skin.MenuItem, &skin.MenuBackground,
          &skin.HorzScroll, &skin.GroupBoxEdge, &skin.TrackbarThumbDown}) {
        EXPECT_FALSE(*slot);
    }
    EXPECT_FALSE(skin.UpDownVert);
}

TEST(ParseSkin, ComboButtonGetsAMirroredSecondImage) {
    TSkinDescription skin;
    Parse(skin, FullSkinEntries());
    ASSERT_TRUE(skin.ComboButton);
    TDataSkinBorder& combo = *skin.ComboButton;
    EXPECT_EQ(combo.FrameCount, 4);
    ASSERT_EQ(combo.Image2.Width(), 9);
    ASSERT_EQ(combo.Image2.Height(), 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(At(combo.Image2, x, y), At(combo.Image, 8 - x, y)) << x << "," << y;
        }
    }
}

TEST(ParseSkin, ASecondParseReplacesEverythingAndFollowsTheSystemColours) {
    TSkinDescription skin;
    Parse(skin, FullSkinEntries());
    ASSERT_TRUE(skin.Progress && skin.MenuBar && skin.Scrollbar);

    // No colours, no images, no elements.
    Parse(skin, {TextEntry("plain.ini", "[Personality]\nLeftFrame=3\n")});
    EXPECT_EQ(skin.SkinName, "");
    EXPECT_EQ(skin.ButtonFaceColour, clBtnFace);
    EXPECT_EQ(skin.ButtonTextColour, clBtnText);
    EXPECT_EQ(skin.TitleTextNoActiveColour, SystemColor(COLOR_INACTIVECAPTIONTEXT));
    EXPECT_EQ(BrushColour(skin.FaceBrush.Get()), GetSysColor(COLOR_BTNFACE));
    // Progress and MenuBar are emptied like every other slot.
    EXPECT_FALSE(skin.Progress);
    EXPECT_FALSE(skin.MenuBar);
    EXPECT_FALSE(skin.Scrollbar);
    EXPECT_FALSE(skin.ComboButton);
    EXPECT_TRUE(skin.FrameLeft.Image.Empty());
    EXPECT_EQ(skin.FrameLeft.FrameCount, 3);
    EXPECT_EQ(skin.FrameLeft.TopHeight, 0);
    EXPECT_TRUE(skin.Title.Image.Empty());
    EXPECT_EQ(skin.Title.FontHeight, 14);
    EXPECT_EQ(skin.Title.ActiveTextColour, clNone);
    EXPECT_TRUE(skin.Buttons.Image.Empty());
    EXPECT_EQ(skin.Buttons.CheckFrameCount, 4);
    EXPECT_EQ(skin.Buttons.NormalColour2, clBtnText);
    // Only the MDI-child buttons, without images or places.
    ASSERT_EQ(skin.SysButtons.size(), 3u);
    for (const auto& b : skin.SysButtons) {
        EXPECT_TRUE(b->Image.Empty());
        EXPECT_EQ(b->Xcoord, 0);
    }
}

TEST(ParseSkin, RepeatedParsesHoldNoGdiObjects) {
    TSkinDescription skin;
    const std::vector<TSkinEntry> entries = FullSkinEntries();
    Parse(skin, entries);
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 20; ++i) Parse(skin, entries);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

TEST(ParseSkin, AnEntryThatIsNotABmpEndsTheParseWithTheLoadersError) {
    TSkinDescription skin;
    const std::string bad = "BM this is not a bitmap";
    EXPECT_THROW(Parse(skin, {TextEntry("skin.ini", "[Personality]\nTop=top.bmp\n"),
                              TextEntry("top.bmp", bad)}),
                 EInvalidGraphic);
    EXPECT_FALSE(skin.FaceBrush);  // the parse stopped before its last step
}

// Every slot of the table, described by its own image key: each is filled from its own section
// with its own image, named after that section, with its cell count; a skin that describes none
// of them leaves every slot empty.
TEST(ParseSkin, EverySlotIsReadFromItsOwnSectionAndEmptiedByTheNextSkin) {
    std::string description;
    std::vector<TSkinEntry> entries = {{}};
    for (size_t i = 0; i < kSkinSlotCount; ++i) {
        const TSkinSlotInfo& slot = kSkinSlots[i];
        const std::string image = "slot" + std::to_string(i) + ".bmp";
        description += "[" + std::string(slot.section) + "]\n" + std::string(slot.imageKey) + "=" +
                       image + "\n";
        entries.push_back({image, MarkedBmp(int(10 + i), 4, uint8_t(i))});
    }
    entries[0] = TextEntry("skin.ini", description);
    TSkinDescription skin;
    Parse(skin, entries);
    size_t index = 0;
    ForEachSkinSlot(skin, [&index](const auto& slot, const TSkinSlotInfo& info) {
        SCOPED_TRACE(info.member);
        ASSERT_TRUE(slot);
        EXPECT_EQ(slot->Name, info.section);
        EXPECT_EQ(slot->Image.Width(), int(10 + index));
        EXPECT_EQ(At(slot->Image, 0, 0).red, int(index));
        EXPECT_EQ(slot->FrameCount, info.frameCount);
        ++index;
    });
    EXPECT_EQ(index, kSkinSlotCount);

    Parse(skin, {TextEntry("plain.ini", "[Personality]\nLeftFrame=3\n")});
    ForEachSkinSlot(skin, [](const auto& slot, const TSkinSlotInfo& info) {
        EXPECT_FALSE(slot) << info.member;
    });
}
