// The slate skin (skins/slate), packed as the build packs it: the store opens and holds its
// description and every image the description names, the description gives the values that make
// it unlike the default skin (frame sizes, keyed and tiled border pieces, the centred title on
// its plate, the placement and visibility of its title-bar buttons, the check strip, the simple
// combo box, the tab margins, the menu elements, the scroll bar sizes), and the border pieces
// carry the holes that become the window region's notches and rounded corners.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/bmp_decoder.h"
#include "forms/stream.h"
#include "skin/bitmap_region.h"
#include "skin/frame/frame_layout.h"
#include "skin/quick_ini.h"
#include "skin/skin_parse_rules.h"
#include "skin/skin_reader.h"
#include "tests/support/skintool_fixture.h"
#include "tests/support/test_files.h"

namespace {

// One packed skin, opened, with its description loaded.
struct TOpenedSkin {
    TSkinReader reader;
    TQuickIni ini;

    int Int(const char* section, const char* key) const {
        return ini.ReadInteger(section, key, -12345);
    }
    // The image that a key of the description names, decoded.
    TPixelImage Image(const char* section, const char* key) const {
        TMemoryStream bytes;
        if (!ReadImageEntry(reader, ini.ReadString(section, key, ""), bytes)) return {};
        return DecodeBmp(bytes.Bytes());
    }
    TPieceStrip Piece(const char* stem) const {
        const TPixelImage image = Image("Personality", stem);
        return {image.width, image.height,
                Int("Personality", (std::string(stem) + "Frame").c_str())};
    }
    TFrameSizes Frame() const {
        return FrameSizesFromPieces(Piece("Left"), Piece("Top"), Piece("Right"), Piece("Bottom"));
    }
};

class SlateSkin : public TSkinToolFixture {
protected:
    SlateSkin() : TSkinToolFixture("slate_skin") {}

    void Open(const char* folder, TOpenedSkin& skin) {
        const std::string store = P((std::string(folder) + ".skn").c_str());
        ASSERT_EQ(
            Run({"pack", testfiles::SourcePath(std::string("skins/") + folder).string(), store}), 0)
            << err;
        TMemoryStream bytes(testfiles::ReadBytes(store));
        ASSERT_TRUE(skin.reader.Open(bytes)) << skin.reader.Error();
        TMemoryStream description;
        std::string name;
        skin.reader.FindEntry(".ini", description, name);
        ASSERT_EQ(name, "skin.ini");
        skin.ini.LoadFromStream(&description);
    }
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Open("slate", slate));
        ASSERT_NO_FATAL_FAILURE(Open("default", standard));
    }

    TOpenedSkin slate, standard;
};

// The opaque runs of one cell of a strip, found as the region builder finds them.
std::vector<TRect> OpaqueRuns(const TPixelImage& image, int x, int y, int w, int h) {
    const int bytesPerPixel = image.format == TPixelFormat::pf32bit ? 4 : 3;
    const TConstPixelView cell{
        image.format, w, h, ptrdiff_t(image.stride),
        image.bytes.data() + size_t(y) * image.stride + size_t(x * bytesPerPixel)};
    std::vector<TRect> runs;
    ScanOpaqueRuns(cell, 0, 0, 0xFF00FF, 1, 1, 1, [&runs](std::span<const TRect> batch) {
        runs.insert(runs.end(), batch.begin(), batch.end());
    });
    return runs;
}

bool Covered(const std::vector<TRect>& runs, int x, int y) {
    for (const TRect& r : runs)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    return false;
}

}  // namespace

TEST_F(SlateSkin, EveryImageTheDescriptionNamesIsInTheStore) {
    std::vector<std::string> sections;
    slate.ini.ReadSections(sections);
    int images = 0;
    for (const std::string& section : sections) {
        for (const char* key :
             {"Image", "Bitmap", "ButtonImage", "Left", "Right", "Top", "Bottom", "TextBack",
              "menuBar", "CheckButton", "RadioButton", "Border", "Chunk", "GlyphImage"}) {
            // Keys match without regard to case: [Colours] Menubar is no image.
            const std::string value = slate.ini.ReadString(section, key, "");
            if (value.size() < 4 || value.substr(value.size() - 4) != ".bmp") continue;
            SCOPED_TRACE(section + "." + key);
            const TPixelImage image = slate.Image(section.c_str(), key);
            EXPECT_GT(image.width, 0);
            EXPECT_GE(image.height, 2);
            ++images;
        }
    }
    EXPECT_EQ(images, slate.reader.Count() - 1);  // every entry but the description is named
}

TEST_F(SlateSkin, DescriptionTakesTheOtherPathsOfTheEngine) {
    EXPECT_EQ(slate.ini.ReadString("TitlebarSkin", "SkinName", ""), "Slate");
    EXPECT_EQ(slate.Frame(), (TFrameSizes{8, 30, 8, 8}));
    EXPECT_EQ(standard.Frame(), (TFrameSizes{4, 26, 4, 4}));

    const struct {
        const char* section;
        const char* key;
        int slate;
        bool differs = true;  // from the default skin's value
    } values[] = {
        // All four pieces keyed (the default skin keys only its side pieces), all four middles
        // tiled (Stretch 0).
        {"Personality", "LeftTrans", 1, false},
        {"Personality", "RightTrans", 1, false},
        {"Personality", "TopTrans", 1},
        {"Personality", "BottomTrans", 1},
        {"Personality", "LeftStretch", 0},
        {"Personality", "RightStretch", 0},
        {"Personality", "TopStretch", 0},
        {"Personality", "BottomStretch", 0},
        // The title centred on its plate.
        {"Personality", "TextAlignment", 1},
        {"Personality", "Textbackground", 1},
        {"Personality", "TXTBackleft", 10},
        {"Personality", "TXTBackRight", 10},
        // The simple combo box, the 8-cell check strip, two-cell thumbs.
        {"ComboButton", "Style", 1},
        {"Buttons", "CheckButtonFrame", 8},
        {"HorzScrollThumb", "FrameCount", 2},
        {"VertScrollThumb", "FrameCount", 2},
        // Tabs with other margins, tiled.
        {"Tabs", "LeftWidth", 6},
        {"Tabs", "TopHeight", 3},
        {"Tabs", "BottomHeight", 3},
        {"Tabs", "Tile", 1},
        {"Personality", "TileMenu", 1},
    };
    for (const auto& v : values) {
        SCOPED_TRACE(std::string(v.section) + "." + v.key);
        EXPECT_EQ(slate.Int(v.section, v.key), v.slate);
        // A missing key reads as its default, which the default skin relies on.
        if (v.differs) EXPECT_NE(standard.Int(v.section, v.key), v.slate);
    }

    // The TextBack plate: two cells one above the other, each as high as the caption.
    const TPixelImage back = slate.Image("Personality", "TextBack");
    EXPECT_EQ(back.height, 2 * 30);
    EXPECT_GT(back.width, 10 + 10);

    // Eight check cells of 14 pixels and four radio cells.
    const TPixelImage check = slate.Image("Buttons", "CheckButton");
    const TPixelImage radio = slate.Image("Buttons", "RadioButton");
    EXPECT_EQ(ChoiceFrameCount(slate.Int("Buttons", "CheckButtonFrame"), check.width, check.height),
              8);
    EXPECT_EQ(check.width, 8 * 14);
    EXPECT_EQ(ChoiceFrameCount(slate.Int("Buttons", "RadioButtonFrame"), radio.width, radio.height),
              4);

    // Scroll bar cells of 20 pixels (the default's are 16) and thumbs of two 28 x 20 cells.
    EXPECT_EQ(slate.Image("Scrollbar", "Image").width, 23 * 20);
    EXPECT_EQ(standard.Image("Scrollbar", "Image").width, 23 * 16);
    const TPixelImage thumb = slate.Image("HorzScrollThumb", "Image");
    EXPECT_EQ(thumb.width, 2 * 28);
    EXPECT_EQ(thumb.height, 20);
    EXPECT_EQ(slate.Image("VertScrollThumb", "Image").height, 28);

    // The menu elements.
    EXPECT_GT(slate.Image("Personality", "menuBar").width, 0);
    EXPECT_GT(slate.Image("MenuItem", "Image").width, 0);
    EXPECT_GT(slate.Image("MenuBackground", "Image").width, 0);
}

TEST_F(SlateSkin, TitleBarButtonsSitLeftAndBesideTheTitleAndOneOnlyWhileActive) {
    struct TButton {
        std::string section;
        int action, align, visibility;
    };
    std::vector<TButton> buttons;
    for (const std::string& section : TitleBarButtonSections(slate.ini))
        buttons.push_back({section, slate.Int(section.c_str(), "Action"),
                           slate.Int(section.c_str(), "Align"),
                           slate.Int(section.c_str(), "Visibility")});
    ASSERT_EQ(buttons.size(), 6u);
    int leftAligned = 0, titleRelative = 0, activeOnly = 0;
    for (const TButton& b : buttons) {
        SCOPED_TRACE(b.section);
        EXPECT_NE(b.align, 1) << "no button is placed from the right edge";
        leftAligned += b.align == 0;
        titleRelative += b.align == 2 || b.align == 3;
        if (b.visibility != 3) continue;
        ++activeOnly;
        TSysButtonContext context;
        context.capabilities = capMaximize | capMinimize | capSystemMenu;
        EXPECT_TRUE(IsSysButtonVisible(b.visibility, 0, b.action, context));
        context.active = false;
        EXPECT_FALSE(IsSysButtonVisible(b.visibility, 0, b.action, context));
    }
    EXPECT_EQ(leftAligned, 4);  // close, minimise, maximise and restore
    EXPECT_EQ(titleRelative, 2);
    EXPECT_EQ(activeOnly, 1);
}

TEST_F(SlateSkin, BorderPiecesHaveTheHolesOfTheShapedEdges) {
    const TFrameSizes frame = slate.Frame();
    // Left piece, active cell: the caption's top corner is cut diagonally and the bottom corner
    // rounded; the edge between them is whole.
    const TPixelImage left = slate.Image("Personality", "Left");
    const std::vector<TRect> side = OpaqueRuns(left, 0, 0, frame.left, left.height);
    const int h = left.height;
    const struct {
        int x, y;
        bool opaque;
    } sidePoints[] = {
        {0, 0, false},     {5, 0, false},    {0, 5, false},    {7, 0, true},
        {0, 7, true},      {0, h / 2, true}, {7, h / 2, true}, {0, h - 1, false},
        {1, h - 2, false}, {7, h - 1, true}, {0, h - 9, true},
    };
    for (const auto& p : sidePoints)
        EXPECT_EQ(Covered(side, p.x, p.y), p.opaque) << "left piece (" << p.x << ", " << p.y << ")";

    // Top piece, active cell (the upper one): a notch 12 pixels wide and 5 deep cut into the top
    // edge near each end; the tiled middle is whole.
    const TPixelImage top = slate.Image("Personality", "Top");
    const std::vector<TRect> caption = OpaqueRuns(top, 0, 0, top.width, frame.caption);
    const int w = top.width;
    const struct {
        int x, y;
        bool opaque;
    } topPoints[] = {
        {6, 0, false},    {17, 4, false},    {6, 5, true},       {5, 0, true},
        {18, 0, true},    {w - 7, 0, false}, {w - 18, 4, false}, {w / 2, 0, true},
        {w - 6, 0, true}, {w / 2, 29, true},
    };
    for (const auto& p : topPoints)
        EXPECT_EQ(Covered(caption, p.x, p.y), p.opaque)
            << "top piece (" << p.x << ", " << p.y << ")";

    // The default skin's top piece has no hole at all.
    const TPixelImage plain = standard.Image("Personality", "Top");
    const std::vector<TRect> plainRuns = OpaqueRuns(plain, 0, 0, plain.width, plain.height);
    EXPECT_EQ(plainRuns.size(), size_t(plain.height));
}
