#pragma once
// Drawing tools and the canvas: TBrush and TPen (GDI objects made on first use, like TFont),
// TGraphic (what a canvas can draw: bitmaps, image lists' images) and TCanvas, a device context
// with a font, brush and pen.
//
//   TCanvas canvas;                   // raw GDI:
//   canvas.SetHandle(dc);             //   int saved = SaveDC(dc);
//   canvas.Brush()->SetColor(clRed);  //   HBRUSH b = CreateSolidBrush(RGB(255, 0, 0));
//   canvas.FillRect({0, 0, 10, 10});  //   FillRect(dc, &r, b);
//   canvas.SetHandle(nullptr);        //   RestoreDC(dc, saved); DeleteObject(b);
//
// Ownership: a canvas owns the font, brush and pen objects and nothing else. It selects them into
// its context only when a drawing call needs them, takes them out again before they change (their
// GDI objects are remade then) and puts the context back as it found it, with SaveDC/RestoreDC,
// before letting go of a handle. So no GDI object is ever deleted while selected.

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>

#include "forms/exception.h"
#include "forms/font.h"
#include "forms/geometry.h"
#include "forms/owned.h"
#include "forms/stream.h"

// GDI could not make an object (a context, a bitmap): the process is out of GDI resources.
PONDERIX_EXCEPTION(EOutOfResources, Exception);

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
extern const TEnumInfo BrushStyleType;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
extern const TEnumInfo PenStyleType;

class TBrush : public TPersistent {
    PONDERIX_CLASS(TBrush, TPersistent)
public:
    TColor Color() const { return color; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return style; }
    void SetStyle(TBrushStyle value);

    // The GDI brush, owned by this object (a hollow brush for bsClear).
    HBRUSH Handle();
    void Assign(const TPersistent& source) override;

    // Told before the GDI brush is freed (to take it out of a context), then after the change.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

private:
    void Changed();

    TColor color = clWhite;
    TBrushStyle style = bsSolid;
    Owned<HBRUSH, &DeleteObject> handle;
};

class TPen : public TPersistent {
    PONDERIX_CLASS(TPen, TPersistent)
public:
    TColor Color() const { return color; }
    void SetColor(TColor value);
    int Width() const { return width; }
    void SetWidth(int value);
    TPenStyle Style() const { return style; }
    void SetStyle(TPenStyle value);

    // The GDI pen, owned by this object.
    HPEN Handle();
    void Assign(const TPersistent& source) override;

    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

private:
    void Changed();

    TColor color = clBlack;
    int width = 1;
    TPenStyle style = psSolid;
    Owned<HPEN, &DeleteObject> handle;
};

class TCanvas;

// Something a canvas can draw: a bitmap, an icon.
class TGraphic : public TPersistent {
    PONDERIX_CLASS(TGraphic, TPersistent)
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;

    // Draws the whole image into rect of the canvas, stretched to its size.
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
};

class TCanvas : public TPersistent {
    PONDERIX_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The device context, made by CreateHandle when there is none (a bitmap's canvas makes its
    // memory context); EInvalidOperation when the canvas cannot have one.
    HDC Handle();
    // Attaches a context that belongs to someone else (a paint DC, a screen DC); null detaches.
    // The previous context is first put back as it was found.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc != nullptr; }

    TFont* Font() { return &font; }
    TBrush* Brush() { return &brush; }
    TPen* Pen() { return &pen; }
    void SetFont(const TFont& value) { font.Assign(value); }
    void SetBrush(const TBrush& value) { brush.Assign(value); }
    void SetPen(const TPen& value) { pen.Assign(value); }
    // Raster operation of Draw, StretchDraw and CopyRect (SRCCOPY unless changed).
    DWORD CopyMode() const { return copyMode; }
    void SetCopyMode(DWORD value) { copyMode = value; }

    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
    // Text in the font's colour at (x, y); a solid brush fills the background of the text cells,
    // any other brush style leaves it.
    void TextOut(int x, int y, const std::wstring& text);
    // As TextOut, clipped to rect; a solid brush fills all of rect.
    void TextRect(const TRect& rect, int x, int y, const std::wstring& text);

    void FillRect(const TRect& rect);   // with the brush, no outline
    void FrameRect(const TRect& rect);  // one-pixel border in the brush
    void Rectangle(const TRect& rect);  // outlined with the pen, filled with the brush
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    COLORREF Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // Draws a graphic at its own size with its top-left corner at (x, y), or stretched to rect.
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const TRect& rect, TGraphic& graphic);
    // Copies source's sourceRect onto dest of this canvas, stretching when the sizes differ.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

    // Serialises drawing from several threads: Lock waits while another thread holds the
    // canvas, and a bitmap does not replace its image while another thread holds its canvas.
    // Nested calls of one thread count.
    void Lock();
    void Unlock();
    int LockCount() const { return lockCount; }

protected:
    // Makes a context and attaches it with SetHandle; the base has none to make.
    virtual void CreateHandle() {}
    // Puts the context back as found and forgets it (the owner then frees it).
    void DetachHandle() { SetHandle(nullptr); }

private:
    enum : uint32_t { csFontValid = 1, csPenValid = 2, csBrushValid = 4 };
    // The context with the font, pen and brush selected that the next call needs.
    HDC RequiredState(uint32_t objects);
    // Takes one of our objects out of the context, putting a stock object in its place.
    void Deselect(uint32_t object);

    HDC dc = nullptr;
    int savedState = 0;  // SaveDC's answer for the attached context
    uint32_t selected = 0;
    TFont font;
    TBrush brush;
    TPen pen;
    DWORD copyMode = SRCCOPY;
    std::recursive_mutex lock;
    int lockCount = 0;
};
