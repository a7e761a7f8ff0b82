#include "skin/controls/bit_button_layout.h"

#include <algorithm>
#include <cctype>

namespace {

bool Horizontal(TButtonLayout layout) { return layout == blGlyphLeft || layout == blGlyphRight; }

// The extent's size along the layout axis.
int Along(const TExtent& e, bool horizontal) { return horizontal ? e.width : e.height; }
int Across(const TExtent& e, bool horizontal) { return horizontal ? e.height : e.width; }

}  // namespace

TBitButtonPlaces PlaceBitButton(const TBitButtonLayout& in) {
    const bool horizontal = Horizontal(in.layout);
    const int client = Along(in.client, horizontal);
    const int glyph = Along(in.glyph, horizontal);
    const int text = Along(in.text, horizontal);
    const int glyphAcross = (Across(in.client, horizontal) - Across(in.glyph, horizontal) + 1) / 2;
    const int textAcross = (Across(in.client, horizontal) - Across(in.text, horizontal) + 1) / 2;

    int margin = in.margin;
    int spacing = in.spacing;
    if (in.text.width == 0 || in.glyph.width == 0) spacing = 0;
    if (margin == -1 || in.centred) {
        if (spacing == -1) {
            margin = (client - (glyph + text)) / 3;
            spacing = margin;
        } else {
            margin = (client - (glyph + spacing + text)) / 2;
        }
    } else if (spacing == -1) {
        spacing = (client - (margin + glyph) - text) / 2;
    }

    int glyphAlong = 0, textAlong = 0;
    TBitButtonPlaces out;
    switch (in.layout) {
        case blGlyphLeft:
            glyphAlong = margin;
            textAlong = glyphAlong + glyph + spacing;
            out.align = TCaptionAlign::Left;
            break;
        case blGlyphRight:
            glyphAlong = client - margin - glyph;
            textAlong = glyphAlong - spacing - text;
            out.align = TCaptionAlign::Right;
            break;
        case blGlyphTop:
            glyphAlong = margin;
            textAlong = glyphAlong + glyph + spacing;
            out.align = TCaptionAlign::Centre;
            break;
        case blGlyphBottom:
            glyphAlong = client - margin - glyph;
            textAlong = glyphAlong - spacing - text;
            out.align = TCaptionAlign::Centre;
            break;
    }
    if (horizontal) {
        out.glyph = {glyphAlong, glyphAcross};
        out.text = {textAlong, textAcross};
    } else {
        out.glyph = {glyphAcross, glyphAlong};
        out.text = {textAcross, textAlong};
    }
    return out;
}

TButtonLayout BitButtonLayoutFromName(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "blglyphright") return blGlyphRight;
    if (lower == "blglyphtop") return blGlyphTop;
    if (lower == "blglyphbottom") return blGlyphBottom;
    return blGlyphLeft;
}

TGlyphCell BitButtonGlyphCell(bool enabled, bool pressed, int numGlyphs) {
    const int state = pressed ? 3 : !enabled ? 2 : 1;
    return {numGlyphs == 4 ? state - 1 : 0, state == 2};
}
