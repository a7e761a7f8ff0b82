#include "forms/glyph_layout.h"

namespace {

bool IsEmpty(TExtent e) { return e.width <= 0 || e.height <= 0; }

}  // namespace

TGlyphPlacement PlaceGlyphAndText(TExtent client, TExtent glyph, TExtent text, TButtonLayout layout,
                                  int margin, int spacing) {
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    // Sizes along (a) and across (c) the layout axis.
    const int clientA = horizontal ? client.width : client.height;
    const int clientC = horizontal ? client.height : client.width;
    const int glyphA = horizontal ? glyph.width : glyph.height;
    const int glyphC = horizontal ? glyph.height : glyph.width;
    const int textA = horizontal ? text.width : text.height;
    const int textC = horizontal ? text.height : text.width;

    if (IsEmpty(glyph) || IsEmpty(text)) spacing = 0;
    // Across the axis each part is centred by itself; the +1 puts an odd pixel after the part.
    const int glyphCrossPos = (clientC - glyphC + 1) / 2;
    const int textCrossPos = (clientC - textC + 1) / 2;

    if (margin == -1) {
        if (spacing == -1) {
            margin = (clientA - (glyphA + textA)) / 3;
            spacing = margin;
        } else {
            margin = (clientA - (glyphA + spacing + textA)) / 2;
        }
    } else if (spacing == -1) {
        spacing = (clientA - (margin + glyphA) - textA) / 2;
    }

    int glyphPos = 0, textPos = 0;
    switch (layout) {
        case blGlyphLeft:
        case blGlyphTop:
            glyphPos = margin;
            textPos = glyphPos + glyphA + spacing;
            break;
        case blGlyphRight:
        case blGlyphBottom:
            glyphPos = clientA - margin - glyphA;
            textPos = glyphPos - spacing - textA;
            break;
    }

    auto rect = [horizontal](int along, int across, int sizeA, int sizeC) {
        return horizontal ? TRect{along, across, along + sizeA, across + sizeC}
                          : TRect{across, along, across + sizeC, along + sizeA};
    };
    return {rect(glyphPos, glyphCrossPos, glyphA, glyphC),
            rect(textPos, textCrossPos, textA, textC)};
}

TGlyphCell ChooseGlyphCell(TGlyphState state, int numGlyphs) {
    if (numGlyphs < 1 || numGlyphs > 4) numGlyphs = 1;
    switch (state) {
        case gsUp: return {0, false};
        case gsDisabled: return numGlyphs >= 2 ? TGlyphCell{1, false} : TGlyphCell{0, true};
        case gsDown: return {numGlyphs >= 3 ? 2 : 0, false};
        case gsExclusive: return {numGlyphs >= 4 ? 3 : numGlyphs >= 3 ? 2 : 0, false};
    }
    return {};
}
