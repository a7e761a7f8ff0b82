#include "skin/bitmap_slice_win.h"

#include "forms/dc_scopes.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_slice.h"

namespace {

bool InsideOut(const TRect& r) { return r.right < r.left || r.bottom < r.top; }

// A new image of the given size for drawing pieces into; the strip's pf32bit is kept so that a
// fourth byte survives the copy.
std::unique_ptr<TBitmap> NewImage(const TBitmap& strip, int width, int height) {
    auto image = std::make_unique<TBitmap>();
    if (strip.PixelFormat() == TPixelFormat::pf32bit) image->SetPixelFormat(TPixelFormat::pf32bit);
    image->SetSize(width, height);
    return image;
}

// An image put at dest's top-left corner at its own size.
void PutImage(HDC dc, const TRect& dest, TBitmap& image, bool transparent) {
    if (transparent) {
        DrawTransparent(dc, dest, image, kSkinKeyColor);
    } else if (!image.Empty()) {
        BitBlt(dc, dest.left, dest.top, image.Width(), image.Height(), image.Canvas()->Handle(), 0,
               0, SRCCOPY);
    }
}

void DrawPieces(HDC dc, const TNineSlice& pieces, TBitmap& strip) {
    HDC source = strip.Canvas()->Handle();
    for (const TSlicePiece& piece : pieces) {
        if (piece.tile) {
            TileBitmap(dc, piece.dest, strip, piece.source);
        } else {
            StretchPiece(dc, piece.dest, source, piece.source);
        }
    }
}

}  // namespace

std::unique_ptr<TBitmap> MakeNineSlice(const TRect& dest, TBitmap& strip, const TRect& margins,
                                       int cellNumber, int frameCount, bool tileCentre,
                                       bool vertical) {
    const std::optional<TRect> cell =
        CellRect(strip.Width(), strip.Height(), cellNumber, frameCount, vertical);
    if (InsideOut(dest)) return NewImage(strip, 0, 0);
    const TRect area{0, 0, dest.Width(), dest.Height()};
    std::unique_ptr<TBitmap> image = NewImage(strip, area.right, area.bottom);
    if (image->Empty()) return image;
    HDC dc = image->Canvas()->Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    if (cell) {
        DrawPieces(dc,
                   NineSlicePieces(area, *cell, margins,
                                   tileCentre ? TCentreMode::Tile : TCentreMode::Stretch),
                   strip);
    }
    return image;
}

void DrawNineSlice(HDC dc, const TRect& dest, TBitmap& strip, const TRect& margins, int cellNumber,
                   int frameCount, bool transparent, bool tileCentre, bool vertical) {
    if (InsideOut(dest)) return;
    // A cell outside the strip draws nothing, not a black rectangle.
    const std::optional<TRect> cell =
        CellRect(strip.Width(), strip.Height(), cellNumber, frameCount, vertical);
    if (!cell) return;
    const TNineSlice pieces = NineSlicePieces(
        dest, *cell, margins, tileCentre ? TCentreMode::Tile : TCentreMode::Stretch);
    // A keyed picture has the key colour taken out of it as a whole, and pieces that leave
    // parts undrawn show the composed image's black there: both go through the composed image.
    if (transparent || !ReadsOnlyInside(pieces, strip.Width(), strip.Height())) {
        const std::unique_ptr<TBitmap> image =
            MakeNineSlice(dest, strip, margins, cellNumber, frameCount, tileCentre, vertical);
        PutImage(dc, dest, *image, transparent);
        return;
    }
    // Otherwise the pieces go straight onto the target, clipped to dest as the composed image
    // would be: no image is made and freed for each draw.
    const TSavedDC saved(dc);
    IntersectClipRect(dc, dest.left, dest.top, dest.right, dest.bottom);
    SetStretchBltMode(dc, COLORONCOLOR);
    DrawPieces(dc, pieces, strip);
}

void DrawNineSliceBorder(HDC dc, const TRect& dest, TBitmap& strip, const TRect& margins,
                         int cellNumber, int frameCount, bool, bool vertical) {
    const std::optional<TRect> cell =
        CellRect(strip.Width(), strip.Height(), cellNumber, frameCount, vertical);
    if (!cell || InsideOut(dest)) return;
    SetStretchBltMode(dc, COLORONCOLOR);
    DrawPieces(dc, NineSlicePieces(dest, *cell, margins, TCentreMode::None), strip);
}

void DrawThreeSlice(TCanvas& canvas, const TRect& dest, TBitmap& strip, const TRect& margins,
                    int cellNumber, int frameCount, bool transparent, bool vertical) {
    if (InsideOut(dest)) return;
    const std::optional<TRect> cell =
        CellRect(strip.Width(), strip.Height(), cellNumber, frameCount, vertical);
    if (!cell) return;
    const TRect area{0, 0, dest.Width(), dest.Height()};
    const std::optional<TThreeSlice> slice =
        ThreeSlicePieces(area, *cell, margins.left, margins.right);
    const std::unique_ptr<TBitmap> image = NewImage(strip, area.right, area.bottom);
    if (!slice || image->Empty()) return;
    HDC dc = image->Canvas()->Handle();
    HDC source = strip.Canvas()->Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchPiece(dc, slice->leftCap.dest, source, slice->leftCap.source);
    for (int i = 0; i < slice->middleCount; ++i) {
        const TSlicePiece middle = slice->Middle(i);
        StretchPiece(dc, middle.dest, source, middle.source);
    }
    StretchPiece(dc, slice->rightCap.dest, source, slice->rightCap.source);
    PutImage(canvas.Handle(), dest, *image, transparent);
}

void DrawFrameCell(HDC dc, const TRect& dest, TBitmap& strip, int cellNumber, int frameCount,
                   bool transparent) {
    if (InsideOut(dest)) return;
    const std::optional<TRect> cell =
        CellRect(strip.Width(), strip.Height(), cellNumber, frameCount, false);
    if (!cell) return;
    const std::unique_ptr<TBitmap> image = NewImage(strip, dest.Width(), dest.Height());
    if (image->Empty()) return;
    // The new context's own stretch mode, as this routine has always drawn.
    StretchPiece(image->Canvas()->Handle(), {0, 0, dest.Width(), dest.Height()},
                 strip.Canvas()->Handle(), *cell);
    PutImage(dc, dest, *image, transparent);
}
