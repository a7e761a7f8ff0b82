// Glyph and caption placement of glyph buttons, and the glyph strip cell for each state, against
// positions worked out by hand.
#include <gtest/gtest.h>

#include "forms/glyph_layout.h"

namespace {

TEST(GlyphLayout, PlacesGlyphAndCaption) {
    struct Case {
        const char* what;
        TExtent client, glyph, text;
        TButtonLayout layout;
        int margin, spacing;
        TRect glyphAt, textAt;
    };
    const Case cases[] = {
        // 75 - (16 + 4 + 30) = 25 free, 12 before the glyph; across: (25 - 16 + 1) / 2 = 5.
        {"left, centred",
         {75, 25},
         {16, 16},
         {30, 13},
         blGlyphLeft,
         -1,
         4,
         {12, 5, 28, 21},
         {32, 6, 62, 19}},
        {"right, centred",
         {75, 25},
         {16, 16},
         {30, 13},
         blGlyphRight,
         -1,
         4,
         {47, 5, 63, 21},
         {13, 6, 43, 19}},
        // 60 - (16 + 4 + 13) = 27 free, 13 above; across: (60 - 16 + 1) / 2 = 22, (60 - 30 + 1) / 2
        // = 15.
        {"top, centred",
         {60, 60},
         {16, 16},
         {30, 13},
         blGlyphTop,
         -1,
         4,
         {22, 13, 38, 29},
         {15, 33, 45, 46}},
        {"bottom, centred",
         {60, 60},
         {16, 16},
         {30, 13},
         blGlyphBottom,
         -1,
         4,
         {22, 31, 38, 47},
         {15, 14, 45, 27}},
        // Margin and spacing both -1: 90 - 45 = 45 free in three gaps of 15.
        {"three equal gaps",
         {90, 20},
         {15, 15},
         {30, 12},
         blGlyphLeft,
         -1,
         -1,
         {15, 3, 30, 18},
         {45, 4, 75, 16}},
        // Margin 2, spacing -1: (100 - 22 - 40) / 2 = 19 between.
        {"spacing spreads",
         {100, 30},
         {20, 20},
         {40, 10},
         blGlyphLeft,
         2,
         -1,
         {2, 5, 22, 25},
         {41, 10, 81, 20}},
        // No caption: no spacing, the glyph alone sits at the margin.
        {"glyph alone at margin",
         {40, 20},
         {16, 16},
         {0, 0},
         blGlyphLeft,
         3,
         4,
         {3, 2, 19, 18},
         {19, 10, 19, 10}},
        {"glyph alone centred",
         {40, 30},
         {8, 8},
         {0, 0},
         blGlyphLeft,
         -1,
         4,
         {16, 11, 24, 19},
         {24, 15, 24, 15}},
        // No glyph: the caption alone is centred.
        {"caption alone",
         {75, 25},
         {0, 0},
         {30, 13},
         blGlyphLeft,
         -1,
         4,
         {22, 13, 22, 13},
         {22, 6, 52, 19}},
        // Odd free space: the division rounds toward zero, the odd pixel goes after.
        {"odd free space",
         {31, 11},
         {10, 10},
         {0, 0},
         blGlyphRight,
         -1,
         4,
         {11, 1, 21, 11},
         {11, 6, 11, 6}},
    };
    for (const Case& c : cases) {
        const TGlyphPlacement p =
            PlaceGlyphAndText(c.client, c.glyph, c.text, c.layout, c.margin, c.spacing);
        EXPECT_EQ(p.glyph, c.glyphAt) << c.what;
        EXPECT_EQ(p.text, c.textAt) << c.what;
    }
}

TEST(GlyphLayout, ChoosesTheStripCellForEachState) {
    const TGlyphState states[] = {gsUp, gsDisabled, gsDown, gsExclusive};
    // Rows: NumGlyphs 1 to 4; columns: up, disabled, down, stay-down.
    const TGlyphCell expected[4][4] = {
        {{0, false}, {0, true}, {0, false}, {0, false}},
        {{0, false}, {1, false}, {0, false}, {0, false}},
        {{0, false}, {1, false}, {2, false}, {2, false}},
        {{0, false}, {1, false}, {2, false}, {3, false}},
    };
    for (int n = 1; n <= 4; ++n)
        for (int s = 0; s < 4; ++s)
            EXPECT_EQ(ChooseGlyphCell(states[s], n), expected[n - 1][s]) << n << " " << s;
    // Counts outside 1..4 read as a single cell.
    EXPECT_EQ(ChooseGlyphCell(gsDisabled, 0), (TGlyphCell{0, true}));
    EXPECT_EQ(ChooseGlyphCell(gsExclusive, 7), (TGlyphCell{0, false}));
}

}  // namespace
