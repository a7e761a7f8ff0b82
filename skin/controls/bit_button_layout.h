#pragma once
// Where a skinned bitmap button puts its glyph and its caption, from the button's published
// Layout, Margin, Spacing and Alignment: a pure function of the sizes.
//
// Along the layout axis (horizontal for a glyph left or right, vertical for top or bottom) the
// glyph sits Margin pixels from its edge and the caption Spacing pixels past it; across the
// axis each is centred on its own. Margin -1, or a centred alignment, centres the pair (with
// Spacing -1 too: three equal gaps); a given Margin with Spacing -1 centres the caption in the
// space the glyph leaves. A missing glyph or caption leaves no spacing.

#include <string>

#include "forms/glyph_layout.h"

struct TBitButtonLayout {
    TExtent client;  // the button
    TExtent glyph;   // the glyph's cell (0 by 0 without one)
    TExtent text;    // the measured caption (0 by 0 without one)
    TButtonLayout layout = blGlyphLeft;
    int margin = -1;
    int spacing = 4;
    bool centred = false;  // the Alignment property reads taCenter
};

// How the caption is aligned in its box (DrawText's DT_LEFT, DT_RIGHT or DT_CENTER).
enum class TCaptionAlign { Left, Right, Centre };

struct TPlace {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const TPlace&, const TPlace&) = default;
};

struct TBitButtonPlaces {
    TPlace glyph;
    TPlace text;
    TCaptionAlign align = TCaptionAlign::Left;
};

TBitButtonPlaces PlaceBitButton(const TBitButtonLayout& in);

// The Layout property's value name, lower-cased; any other name (or none) lays the glyph left.
TButtonLayout BitButtonLayoutFromName(const std::string& name);

// The cell (from 0) of a glyph strip a bitmap button draws: pressed, else disabled, else up;
// only a strip of four has a cell per state, any other shows its first. A disabled glyph is
// drawn grey.
TGlyphCell BitButtonGlyphCell(bool enabled, bool pressed, int numGlyphs);
