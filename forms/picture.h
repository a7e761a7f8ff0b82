#pragma once
// TPicture: the image of a TImage, holding one graphic, a bitmap or an icon, which it owns.
//
// Bitmap() and Icon() answer the graphic as that kind, replacing a graphic of the other kind
// with an empty one first (so `picture.Bitmap()->SetSize(...)` always works). OnChange tells
// the holder whenever the image changes, also when the bitmap is drawn on or resized.

#include <memory>

#include "forms/bitmap.h"
#include "forms/icon.h"

class TPicture : public TPersistent {
    PONDERIX_CLASS(TPicture, TPersistent)
public:
    TPicture() = default;
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // The graphic held, or null.
    TGraphic* Graphic() const { return graphic.get(); }
    // Holds a copy of value (a bitmap or an icon), or nothing for null.
    void SetGraphic(const TGraphic* value);
    TBitmap* Bitmap();
    TIcon* Icon();

    int Width() const { return graphic ? graphic->Width() : 0; }
    int Height() const { return graphic ? graphic->Height() : 0; }
    bool Empty() const { return !graphic || graphic->Empty(); }

    // A BMP or .ico file from the stream's position, told apart by their first bytes.
    // EInvalidGraphic for anything else or a malformed file; the picture is then unchanged.
    void LoadFromStream(TStream& stream);
    // The graphic's file; nothing for an empty picture.
    void SaveToStream(TStream& stream);
    // From another picture or from a graphic.
    void Assign(const TPersistent& source) override;

    TNotifyEvent OnChange;

private:
    // Takes ownership of a new graphic (or none) and tells of the change.
    void Replace(std::unique_ptr<TGraphic> value);
    void Changed();

    std::unique_ptr<TGraphic> graphic;
};

// Draws bitmap's source rectangle into dest of canvas, stretched, leaving the pixels of the
// colour key untouched.
void DrawTransparentBitmap(TCanvas& canvas, const TRect& dest, TBitmap& bitmap, const TRect& source,
                           COLORREF key);
// The colour of a bitmap's bottom-left pixel: the transparent colour of glyphs and of pictures
// drawn transparent. Meaningless for an empty bitmap.
COLORREF BottomLeftColor(TBitmap& bitmap);
