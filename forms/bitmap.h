#pragma once
// TBitmap: an image held in a DIB section, with a canvas for GDI drawing and row pointers for
// direct pixel work.
//
// The bitmap owns its DIB section and, through its canvas, one memory context that has the DIB
// selected. The context is made when the canvas is first used and released whenever the image is
// replaced (size, pixel format, loading, Assign) and when the bitmap is freed; the canvas object
// itself stays the same for the bitmap's whole life.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "forms/graphics.h"
#include "forms/pixel_formats.h"
#include "forms/pixels.h"

class TBitmapCanvas;

class TBitmap : public TGraphic {
    PONDERIX_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const override { return width; }
    int Height() const override { return height; }
    bool Empty() const override { return width == 0 || height == 0; }
    // Resizing keeps the pixels of the area common to the old and new size; new pixels are 0
    // (black, or palette entry 0). EInvalidGraphicOperation for a negative size or one above
    // kMaxImageDimension.
    void SetWidth(int value) { SetSize(value, height); }
    void SetHeight(int value) { SetSize(width, value); }
    void SetSize(int newWidth, int newHeight);

    // pf24bit for a new bitmap. Changing it converts the pixels: to pf24bit/pf32bit exactly, to
    // an indexed format by taking each pixel's nearest colour in that format's standard palette
    // (DefaultPalette).
    TPixelFormat PixelFormat() const { return format; }
    void SetPixelFormat(TPixelFormat value);
    // The colour table of an indexed bitmap (2^bits entries); empty for pf24bit and pf32bit.
    const std::vector<TPaletteEntry>& Palette() const { return palette; }

    // Row y counted from the top, in the layout of forms/pixels.h. EInvalidGraphicOperation
    // for a row outside the image. GDI drawing is flushed first.
    uint8_t* ScanLine(int y);
    // All rows at once, GDI drawing flushed (empty view for an empty bitmap).
    TPixelView Pixels();
    TConstPixelView Pixels() const;

    TCanvas* Canvas();
    // The DIB section; null while the bitmap is empty.
    HBITMAP Handle() const { return dib.Get(); }
    // Lets the canvas's memory context go so that the DIB can be selected into another context
    // (a DIB lives in one context at a time); the canvas makes a new one when next used.
    void FreeContext();

    // A BMP file: any that the BMP decoder reads; the image is replaced only when it decodes.
    void LoadFromStream(TStream& stream) override;
    // An uncompressed bottom-up BMP file; EInvalidGraphicOperation for an empty bitmap.
    void SaveToStream(TStream& stream) override;
    // Copies another bitmap's size, format, palette and pixels (never shares them).
    void Assign(const TPersistent& source) override;
    void Draw(TCanvas& canvas, const TRect& rect) override;

    TNotifyEvent OnChange;

private:
    // Replaces the DIB with a new zeroed one after the context lets go of the old one, which is
    // answered so that its pixels can be read before it is freed. Nothing changes on failure.
    Owned<HBITMAP, &DeleteObject> NewImage(TPixelFormat newFormat, int newWidth, int newHeight,
                                           std::vector<TPaletteEntry> newPalette);
    void CopyFrom(const TConstPixelView& source);
    void Changed();

    TPixelFormat format = TPixelFormat::pf24bit;
    int width = 0;
    int height = 0;
    std::vector<TPaletteEntry> palette;
    Owned<HBITMAP, &DeleteObject> dib;
    uint8_t* bits = nullptr;  // the DIB's memory, bottom row first
    std::unique_ptr<TBitmapCanvas> canvas;
};
