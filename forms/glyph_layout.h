#pragma once
// Where a glyph button puts its glyph and its caption: a pure function of the button's size, the
// glyph's size, the caption's size and the layout settings, shared by TBitBtn and TSpeedButton.
//
// Along the layout axis (horizontal for a glyph left or right, vertical for top or bottom) the
// glyph sits Margin pixels from its edge and the caption Spacing pixels past the glyph. Margin -1
// centres the pair; Spacing -1 spreads the free space evenly (with Margin -1 too: three equal
// gaps). Across the axis each part is centred on its own. A missing glyph or caption leaves no
// spacing behind it.

#include "forms/geometry.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TExtent {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const TExtent&, const TExtent&) = default;
};

struct TGlyphPlacement {
    TRect glyph;  // empty (zero-sized) when there is no glyph
    TRect text;   // the caption's measured box at its place
    friend constexpr bool operator==(const TGlyphPlacement&, const TGlyphPlacement&) = default;
};

TGlyphPlacement PlaceGlyphAndText(TExtent client, TExtent glyph, TExtent text, TButtonLayout layout,
                                  int margin, int spacing);

// The state a glyph is drawn in; a glyph strip of NumGlyphs equal cells holds them in this
// order: up, disabled, down, stay-down (a speed button that is Down).
enum TGlyphState { gsUp, gsDisabled, gsDown, gsExclusive };

struct TGlyphCell {
    int index = 0;      // cell of the strip to draw
    bool grey = false;  // turn it grey: a disabled glyph whose strip has no disabled cell
    friend constexpr bool operator==(const TGlyphCell&, const TGlyphCell&) = default;
};

// A state whose cell the strip lacks falls back to the up cell (stay-down falls back to down
// first); numGlyphs outside 1..4 counts as 1.
TGlyphCell ChooseGlyphCell(TGlyphState state, int numGlyphs);
