// A skinned bitmap button's layout as a table: each layout, a given and a centring margin, the
// three-gap spread, an empty caption or glyph, and the glyph cell of each state.
#include "skin/controls/bit_button_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(BitButtonLayout, GlyphAndCaptionPlaces) {
    // A 100 x 40 button, a 16 x 16 glyph and a 30 x 13 caption unless said otherwise.
    const TExtent client{100, 40}, glyph{16, 16}, text{30, 13};
    constexpr auto L = TCaptionAlign::Left, R = TCaptionAlign::Right, C = TCaptionAlign::Centre;
    struct TCase {
        const char* name;
        TBitButtonLayout in;
        TPlace glyph, text;
        TCaptionAlign align;
    };
    for (const TCase& c : {
             TCase{"left", {client, glyph, text, blGlyphLeft, 4, 4, false}, {4, 12}, {24, 14}, L},
             TCase{
                 "right", {client, glyph, text, blGlyphRight, 4, 4, false}, {80, 12}, {46, 14}, R},
             TCase{"top", {client, glyph, text, blGlyphTop, 2, 3, false}, {42, 2}, {35, 21}, C},
             TCase{
                 "bottom", {client, glyph, text, blGlyphBottom, 2, 3, false}, {42, 22}, {35, 6}, C},
             // Margin -1 centres the pair: (100 - 50) / 2.
             TCase{"margin -1",
                   {client, glyph, text, blGlyphLeft, -1, 4, false},
                   {25, 12},
                   {45, 14},
                   L},
             // Centred alignment counts as margin -1 whatever the margin.
             TCase{
                 "taCenter", {client, glyph, text, blGlyphLeft, 9, 4, true}, {25, 12}, {45, 14}, L},
             // Both -1: three equal gaps of (100 - 46) / 3.
             TCase{"margin and spacing -1",
                   {client, glyph, text, blGlyphLeft, -1, -1, false},
                   {18, 12},
                   {52, 14},
                   L},
             // A given margin, spacing -1: the caption centred in what the glyph leaves.
             TCase{"spacing -1",
                   {client, glyph, text, blGlyphLeft, 4, -1, false},
                   {4, 12},
                   {45, 14},
                   L},
             // No caption: no spacing, the glyph alone placed by the margin.
             TCase{"empty caption",
                   {client, glyph, {}, blGlyphLeft, 6, 4, false},
                   {6, 12},
                   {22, 20},
                   L},
             TCase{"empty caption, centred",
                   {client, glyph, {}, blGlyphLeft, -1, 4, false},
                   {42, 12},
                   {58, 20},
                   L},
             TCase{
                 "no glyph", {client, {}, text, blGlyphLeft, -1, 4, false}, {35, 20}, {35, 14}, L},
         }) {
        SCOPED_TRACE(c.name);
        const TBitButtonPlaces p = PlaceBitButton(c.in);
        EXPECT_EQ(p.glyph, c.glyph);
        EXPECT_EQ(p.text, c.text);
        EXPECT_EQ(p.align, c.align);
    }
}

TEST(BitButtonLayout, LayoutNamesAreReadWithoutCase) {
    EXPECT_EQ(BitButtonLayoutFromName("blGlyphRight"), blGlyphRight);
    EXPECT_EQ(BitButtonLayoutFromName("BLGLYPHTOP"), blGlyphTop);
    EXPECT_EQ(BitButtonLayoutFromName("blglyphbottom"), blGlyphBottom);
    EXPECT_EQ(BitButtonLayoutFromName("blGlyphLeft"), blGlyphLeft);
    EXPECT_EQ(BitButtonLayoutFromName(""), blGlyphLeft);  // absent: the glyph on the left
    EXPECT_EQ(BitButtonLayoutFromName("sideways"), blGlyphLeft);
}

TEST(BitButtonLayout, GlyphCellOfEachState) {
    struct TCase {
        bool enabled, pressed;
        int numGlyphs;
        TGlyphCell cell;
    };
    for (const TCase& c : {
             TCase{true, false, 4, {0, false}},
             TCase{false, false, 4, {1, true}},
             TCase{true, true, 4, {2, false}},
             TCase{false, false, 2, {0, true}},
             TCase{true, true, 2, {0, false}},
             TCase{false, false, 1, {0, true}},
         }) {
        SCOPED_TRACE(testing::Message() << c.enabled << c.pressed << c.numGlyphs);
        EXPECT_EQ(BitButtonGlyphCell(c.enabled, c.pressed, c.numGlyphs), c.cell);
    }
}

}  // namespace
