// The default skin's sources (skins/default): packed as the skin tool packs them, parsed, and
// checked for the agreements between the description's metrics and the images' sizes that the
// frame and button painters rely on.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/text.h"
#include "skin/quick_ini.h"
#include "skin/skin_parse.h"
#include "tests/skin/skin_store_builder.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;

namespace {

using testfiles::DefaultSkinFolder;
using testfiles::ReadBytes;

// The description first, then the images by lower-cased name, as the skin tool packs them.
std::vector<TSkinEntry> DefaultSkinEntries() {
    const fs::path folder = DefaultSkinFolder();
    std::vector<TSkinEntry> images;
    std::vector<TSkinEntry> entries;
    for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
        const std::string name = file.path().filename().string();
        const std::string extension = AsciiLowerCase(file.path().extension().string());
        if (extension == ".ini") entries.push_back({name, ReadBytes(file.path())});
        if (extension == ".bmp") images.push_back({name, ReadBytes(file.path())});
    }
    std::sort(images.begin(), images.end(), [](const TSkinEntry& a, const TSkinEntry& b) {
        return AsciiLowerCase(a.name) < AsciiLowerCase(b.name);
    });
    entries.insert(entries.end(), images.begin(), images.end());
    return entries;
}

class DefaultSkin : public testing::Test {
protected:
    void SetUp() override {
        const std::vector<TSkinEntry> entries = DefaultSkinEntries();
        ASSERT_FALSE(entries.empty()) << DefaultSkinFolder().string();
        ASSERT_EQ(AsciiLowerCase(fs::path(entries[0].name).extension().string()), ".ini")
            << "exactly one description, packed first";
        ASSERT_TRUE(std::none_of(entries.begin() + 1, entries.end(), [](const TSkinEntry& e) {
            return AsciiLowerCase(fs::path(e.name).extension().string()) == ".ini";
        }));
        TSkinReader reader;
        skintest::OpenSkin(entries, reader);
        TMemoryStream text;
        std::string name;
        reader.FindEntry(".ini", text, name);
        TQuickIni ini;
        ini.LoadFromStream(&text);
        ParseSkin(skin, ini, reader);
    }

    // Width of one cell of a horizontal strip, height of one of a vertical one.
    static int CellWidth(const TDataSkinObject& o) { return o.Image.Width() / o.FrameCount; }
    static int CellHeight(const TDataSkinObject& o) { return o.Image.Height() / o.FrameCount; }

    TSkinDescription skin;
};

bool IsKey(TBitmap& bitmap, int x, int y) {
    const uint8_t* p = bitmap.ScanLine(y) + 3 * x;
    return p[0] == 255 && p[1] == 0 && p[2] == 255;
}

}  // namespace

TEST_F(DefaultSkin, FrameMetricsAgreeWithTheBorderImages) {
    EXPECT_EQ(skin.SkinName, "Ponderix");
    for (TDataSkinBorder* border :
         {&skin.FrameLeft, &skin.FrameRight, &skin.FrameTop, &skin.FrameBottom}) {
        SCOPED_TRACE(border->Name);
        ASSERT_FALSE(border->Image.Empty());
        ASSERT_EQ(border->FrameCount, 2);  // active and inactive
        EXPECT_EQ(border->Image.PixelFormat(), TPixelFormat::pf24bit);
    }
    // Left and right cells lie side by side, top and bottom ones one above the other.
    const int caption = CellHeight(skin.FrameTop);
    const int border = CellWidth(skin.FrameLeft);
    EXPECT_EQ(skin.FrameLeft.Image.Width() % 2, 0);
    EXPECT_EQ(skin.FrameTop.Image.Height() % 2, 0);
    EXPECT_EQ(CellWidth(skin.FrameRight), border);
    EXPECT_EQ(CellHeight(skin.FrameBottom), border);
    // The side borders' fixed top parts are the caption's ends, their bottom parts the corners
    // beside the bottom border.
    for (TDataSkinBorder* side : {&skin.FrameLeft, &skin.FrameRight}) {
        EXPECT_EQ(side->TopHeight, caption) << side->Name;
        EXPECT_EQ(side->BottomHeight, border) << side->Name;
        EXPECT_GT(side->Image.Height(), side->TopHeight + side->BottomHeight) << side->Name;
    }
    // Rounded top corners: magenta, left out of the window region, in both states.
    EXPECT_TRUE(IsKey(skin.FrameLeft.Image, 0, 0));
    EXPECT_TRUE(IsKey(skin.FrameLeft.Image, border, 0));
    EXPECT_TRUE(IsKey(skin.FrameRight.Image, border - 1, 0));
    EXPECT_TRUE(IsKey(skin.FrameRight.Image, 2 * border - 1, 0));
    // The caption strip itself is opaque: copied as it is.
    for (int y = 0; y < skin.FrameTop.Image.Height(); ++y)
        EXPECT_FALSE(IsKey(skin.FrameTop.Image, 0, y));
}

TEST_F(DefaultSkin, TitleBarButtonsFitTheCaptionRightOfTheTitle) {
    const int caption = CellHeight(skin.FrameTop);
    const int borderRight = CellWidth(skin.FrameRight);
    int farthest = 0;
    int withImages = 0;
    for (const auto& b : skin.SysButtons) {
        if (b->Visibility == 100 || b->Image.Empty()) continue;  // MDI-child buttons: none here
        SCOPED_TRACE(b->Name);
        ++withImages;
        EXPECT_EQ(b->FrameCount, 4);  // normal, pressed, hot, inactive
        EXPECT_EQ(b->Image.Width() % 4, 0);
        EXPECT_LE(b->Ycoord + b->Image.Height(), caption);
        EXPECT_GE(b->Ycoord, 0);
        ASSERT_EQ(b->Align, 1);
        EXPECT_GE(b->Xcoord - CellWidth(*b), borderRight);  // clear of the right border
        farthest = std::max(farthest, b->Xcoord);
    }
    EXPECT_EQ(withImages, 4);  // close, maximise, restore, minimise
    // The title stops short of the leftmost button: S.right - TextRightClip <= W - farthest.
    EXPECT_GE(skin.Title.RightWidth + borderRight, farthest);
    // A window-icon button (Action 3) keeps no image of its own.
    EXPECT_TRUE(std::any_of(skin.SysButtons.begin(), skin.SysButtons.end(),
                            [](const auto& b) { return b->Action == 3 && b->Image.Empty(); }));
    EXPECT_EQ(skin.Title.FontHeight, 14);
    EXPECT_NE(skin.Title.ActiveTextColour, clNone);
    EXPECT_NE(skin.Title.InActiveTextColour, clNone);
}

TEST_F(DefaultSkin, ButtonStripsHoldWholeCells) {
    TDataSkinButton& b = skin.Buttons;
    ASSERT_FALSE(b.Image.Empty());
    EXPECT_EQ(b.Image.Width() % b.FrameCount, 0);
    EXPECT_GT(CellWidth(b), b.LeftWidth + b.RightWidth);
    EXPECT_GT(b.Image.Height(), b.TopHeight + b.BottomHeight);
    // 13-pixel marks: the check box skinner's 12-cell and the radio skinner's 8-cell orders.
    EXPECT_EQ(b.CheckFrameCount, 12);
    EXPECT_EQ(b.CheckImage.Width(), 12 * 13);
    EXPECT_EQ(b.RadioFrameCount, 8);
    EXPECT_EQ(b.RadioImage.Width(), 8 * 13);
    EXPECT_EQ(b.CheckImage.Height(), 13);
    EXPECT_EQ(b.RadioImage.Height(), 13);
    EXPECT_TRUE(IsKey(b.RadioImage, 0, 0));  // round marks over the control's background
    EXPECT_NE(skin.ButtonFaceColour, clBtnFace);
    EXPECT_NE(skin.ButtonTextColour, clBtnText);
}

TEST_F(DefaultSkin, ComboBoxAndTabElementsHoldWholeCells) {
    ASSERT_TRUE(skin.SunkEdge && skin.ComboButton && skin.ExtraImages && skin.Tabs);
    // Combo boxes draw SunkEdge and ComboButton in four states and the arrow from ExtraImages.
    for (const TDataSkinObject* o : {static_cast<TDataSkinObject*>(skin.SunkEdge.get()),
                                     static_cast<TDataSkinObject*>(skin.ComboButton.get()),
                                     static_cast<TDataSkinObject*>(skin.ExtraImages.get()),
                                     static_cast<TDataSkinObject*>(skin.Tabs.get())}) {
        SCOPED_TRACE(o->Name);
        ASSERT_FALSE(o->Image.Empty());
        EXPECT_EQ(o->Image.Width() % o->FrameCount, 0);
        EXPECT_GT(CellWidth(*o), o->LeftWidth + o->RightWidth);
        EXPECT_GT(o->Image.Height(), o->TopHeight + o->BottomHeight);
    }
    EXPECT_EQ(skin.SunkEdge->FrameCount, 4);
    EXPECT_EQ(skin.ComboButton->FrameCount, 4);
    EXPECT_EQ(skin.ComboButton->Style, 0);  // the full look, with SunkEdge and the arrow
    EXPECT_EQ(skin.ComboButton->Image2.Width(), skin.ComboButton->Image.Width());
    EXPECT_EQ(skin.ExtraImages->FrameCount, 5);
    // The page border is drawn with margins 4, 5, 4, 4.
    EXPECT_GT(skin.Tabs->Image2.Width(), 8);
    EXPECT_GT(skin.Tabs->Image2.Height(), 9);
    EXPECT_NE(skin.Tabs->NormalColour2, skin.Tabs->MouseOverColour2);
}

TEST_F(DefaultSkin, ScrollBarPartsAreSixteenPixelCells) {
    ASSERT_TRUE(skin.Scrollbar && skin.HorzScroll && skin.VertScroll && skin.HorzScrollThumb &&
                skin.VertScrollThumb);
    // Every part is drawn into a 16-pixel strip: square cells avoid stretching across the bar.
    for (const TDataSkinObject* o :
         {skin.Scrollbar.get(), skin.HorzScroll.get(), skin.VertScroll.get(),
          skin.HorzScrollThumb.get(), skin.VertScrollThumb.get()}) {
        SCOPED_TRACE(o->Name);
        ASSERT_FALSE(o->Image.Empty());
        EXPECT_EQ(o->Image.Height(), 16);
        EXPECT_EQ(o->Image.Width(), 16 * o->FrameCount);
        EXPECT_LT(o->LeftWidth + o->RightWidth, 16);
        EXPECT_LT(o->TopHeight + o->BottomHeight, 16);
    }
    EXPECT_EQ(skin.Scrollbar->FrameCount, 23);
    EXPECT_EQ(skin.HorzScrollThumb->FrameCount, 3);  // read from the section
    EXPECT_EQ(skin.VertScrollThumb->FrameCount, 3);
    // The arrow cells sit on the strip's background: their corners are magenta.
    for (int cell : {1, 2, 5, 6, 9, 10, 13, 14}) {
        EXPECT_TRUE(IsKey(skin.Scrollbar->Image, 16 * (cell - 1), 0)) << cell;
    }
}

TEST_F(DefaultSkin, MenuItemsAndBackgroundKeepTheirBorders) {
    ASSERT_TRUE(skin.MenuItem && skin.MenuBackground);
    EXPECT_EQ(skin.MenuItem->FrameCount, 5);
    EXPECT_EQ(skin.MenuItem->Image.Width() % 5, 0);
    EXPECT_NE(skin.MenuItem->Trans, 0);  // normal items show the popup's background
    EXPECT_EQ(skin.MenuBackground->FrameCount, 1);
    // The popup border copied from the background is 3 pixels: the margins keep it unscaled.
    for (int32_t margin : {skin.MenuBackground->LeftWidth, skin.MenuBackground->TopHeight,
                           skin.MenuBackground->RightWidth, skin.MenuBackground->BottomHeight}) {
        EXPECT_EQ(margin, 3);
    }
    // Selected captions are drawn in HilightText over cell 4: it must not be the menu colour.
    const uint8_t* selected =
        skin.MenuItem->Image.ScanLine(10) + 3 * (3 * CellWidth(*skin.MenuItem) + 12);
    EXPECT_NE(TColor(selected[2] | selected[1] << 8 | selected[0] << 16), skin.MenuColour);
    EXPECT_NE(skin.HilightTextColour, skin.MenuColour);
}

// Every element the painters read is present, with the cell count its painter assumes, and
// its image divides into whole cells.
TEST_F(DefaultSkin, EveryElementSlotIsFilledWithItsCells) {
    ForEachSkinSlot(skin, [this](const auto& slot, const TSkinSlotInfo& info) {
        SCOPED_TRACE(info.section);
        ASSERT_NE(slot, nullptr);
        ASSERT_FALSE(slot->Image.Empty());
        EXPECT_EQ(slot->FrameCount, info.frameCount);
        EXPECT_EQ(slot->Image.Width() % slot->FrameCount, 0);
        EXPECT_LT(slot->LeftWidth + slot->RightWidth, CellWidth(*slot));
    });
    // The caption text background: two cells (its margins are the title's text placement),
    // as high as the caption so that it lines up.
    ASSERT_FALSE(skin.Title.Image.Empty());
    EXPECT_EQ(skin.Title.FrameCount, 2);
    EXPECT_EQ(skin.Title.Image.Height(), CellHeight(skin.FrameTop));
    // The second images: the progress chunk, the tab page border and the up-down glyphs, the
    // glyph strips cut into the same eight cells as the buttons.
    EXPECT_FALSE(skin.Progress->Image2.Empty());
    EXPECT_FALSE(skin.Tabs->Image2.Empty());
    for (const TDataSkinBorder* updown : {skin.UpDownHorz.get(), skin.UpDownVert.get()}) {
        SCOPED_TRACE(updown->Name);
        ASSERT_FALSE(updown->Image2.Empty());
        EXPECT_EQ(updown->Image2.Width() % 8, 0);
        EXPECT_LE(updown->Image2.Width() / 8, CellWidth(*updown));
        EXPECT_LE(updown->Image2.Height(), updown->Image.Height());
    }
    // Cell 5 of ExtraImages is the status bar's size grip: dots towards the bottom-right
    // corner on magenta, drawn transparent.
    const int grip = 4 * CellWidth(*skin.ExtraImages);
    const int side = skin.ExtraImages->Image.Height();
    EXPECT_TRUE(IsKey(skin.ExtraImages->Image, grip, 0));
    EXPECT_FALSE(IsKey(skin.ExtraImages->Image, grip + side - 3, side - 3));
    // Maximised MDI children get minimise, restore and close from MDICONTROLS.
    int mdi = 0;
    for (const auto& b : skin.SysButtons) {
        if (b->Visibility != 100) continue;
        ++mdi;
        EXPECT_FALSE(b->Image.Empty()) << b->Action;
        EXPECT_EQ(b->Image.Width(), 4 * 18);
    }
    EXPECT_EQ(mdi, 3);
    // All sixteen colours come from the skin, none from the desktop.
    const TSkinColours& c = skin;
    for (TColor colour : {c.WindowTextColour, c.TitleTextActiveColour, c.TitleTextNoActiveColour,
                          c.ButtonFaceColour, c.ButtonTextColour, c.ButtonHilightColour,
                          c.ButtonlightColour, c.ButtonShadowColour, c.ButtonDkShadowColour,
                          c.HilightTextColour, c.HilightColour, c.MenubarColour,
                          c.MenuBarTextColour, c.MenuTextColour, c.MenuColour, c.ScrollbarColour}) {
        EXPECT_EQ(uint32_t(colour) & 0xFF000000u, 0u) << std::hex << uint32_t(colour);
    }
}
