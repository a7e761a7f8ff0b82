#include "skin/bitmap_draw_win.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "forms/dc_scopes.h"
#include "forms/owned.h"
#include "skin/bitmap_slice.h"

namespace {

using OwnedBitmap = Owned<HBITMAP, &DeleteObject>;

// The part of the bitmap that a transparent copy into dest takes: dest's size, clipped to the
// bitmap so that nothing outside the image is read.
std::optional<SIZE> CopySize(const TRect& dest, const TBitmap& bitmap) {
    if (dest.right < dest.left || dest.bottom < dest.top) return std::nullopt;
    const int width = std::min(dest.Width(), bitmap.Width());
    const int height = std::min(dest.Height(), bitmap.Height());
    if (width <= 0 || height <= 0) return std::nullopt;
    return SIZE{width, height};
}

// Calls visit(x, y, pixel, isKey) for each pixel of the image's top-left size.cx x size.cy,
// pixel pointing at its blue, green and red bytes, isKey when it equals the key exactly. Reads
// the rows directly rather than through GDI's colour-to-monochrome conversion, which compares
// through the device's colour depth.
template <class Visit>
void ForEachPixel(TBitmap& bitmap, SIZE size, uint32_t keyColor, Visit visit) {
    TConstPixelView pixels = bitmap.Pixels();
    TPixelImage converted;
    if (pixels.format != TPixelFormat::pf24bit && pixels.format != TPixelFormat::pf32bit) {
        converted = ConvertPixels(pixels, bitmap.Palette(), TPixelFormat::pf32bit);
        pixels = converted.View();
    }
    const size_t step = pixels.format == TPixelFormat::pf32bit ? 4 : 3;
    const uint8_t red = uint8_t(keyColor), green = uint8_t(keyColor >> 8),
                  blue = uint8_t(keyColor >> 16);
    for (int y = 0; y < size.cy; ++y) {
        const uint8_t* p = pixels.Row(y);
        for (int x = 0; x < size.cx; ++x, p += step)
            visit(x, y, p, p[0] == blue && p[1] == green && p[2] == red);
    }
}

// A monochrome bitmap of the image's top-left size: 1 (white) where the pixel is the key, 0
// (black) elsewhere.
OwnedBitmap KeyMask(TBitmap& bitmap, SIZE size, uint32_t keyColor) {
    // CreateBitmap takes monochrome rows padded to 16 bits.
    const size_t stride = (size_t(size.cx) + 15) / 16 * 2;
    std::vector<uint8_t> bits(stride * size_t(size.cy), 0);
    ForEachPixel(bitmap, size, keyColor, [&](int x, int y, const uint8_t*, bool key) {
        if (key) bits[size_t(y) * stride + size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7));
    });
    OwnedBitmap mask(CreateBitmap(size.cx, size.cy, 1, 1, bits.data()));
    if (!mask) throw EOutOfResources(L"不能创建位图");
    return mask;
}

// A 32-bit copy of the image's top-left size with premultiplied alpha: the key pixels fully
// transparent (all zero), every other pixel its colour, opaque. Blended over a target it gives
// exactly the keyed copy: an opaque pixel replaces the target's, a transparent one leaves it as
// it was.
std::unique_ptr<TBitmap> KeyedAlphaImage(TBitmap& bitmap, SIZE size, uint32_t keyColor) {
    auto image = std::make_unique<TBitmap>();
    image->SetPixelFormat(TPixelFormat::pf32bit);
    image->SetSize(size.cx, size.cy);
    const TPixelView out = image->Pixels();
    ForEachPixel(bitmap, size, keyColor, [&](int x, int y, const uint8_t* p, bool key) {
        uint8_t* q = out.Row(y) + size_t(x) * 4;
        q[0] = key ? 0 : p[0];
        q[1] = key ? 0 : p[1];
        q[2] = key ? 0 : p[2];
        q[3] = key ? 0 : 0xFF;
    });
    return image;
}

// MaskBlt's mask bit 1 (a key pixel) takes the foreground operation, 0 the background one.
constexpr DWORD kKeepTarget = 0x00AA0029;
constexpr DWORD kMaskedCopy = MAKEROP4(kKeepTarget, SRCCOPY);

}  // namespace

bool DrawTransparentBlended(HDC dc, const TRect& dest, TBitmap& bitmap, uint32_t keyColor) {
    const std::optional<SIZE> size = CopySize(dest, bitmap);
    if (!size) return true;
    const std::unique_ptr<TBitmap> image = KeyedAlphaImage(bitmap, *size, keyColor);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // gdi32's own entry point, which msimg32's AlphaBlend forwards to.
    return GdiAlphaBlend(dc, dest.left, dest.top, size->cx, size->cy, image->Canvas()->Handle(), 0,
                         0, size->cx, size->cy, blend) != FALSE;
}

bool DrawTransparentMasked(HDC dc, const TRect& dest, TBitmap& bitmap, uint32_t keyColor) {
    const std::optional<SIZE> size = CopySize(dest, bitmap);
    if (!size) return true;
    const OwnedBitmap mask = KeyMask(bitmap, *size, keyColor);
    return MaskBlt(dc, dest.left, dest.top, size->cx, size->cy, bitmap.Canvas()->Handle(), 0, 0,
                   mask.Get(), 0, 0, kMaskedCopy) != FALSE;
}

void DrawTransparentThreeTransfers(HDC dc, const TRect& dest, TBitmap& bitmap, uint32_t keyColor) {
    const std::optional<SIZE> size = CopySize(dest, bitmap);
    if (!size) return;
    const OwnedBitmap mask = KeyMask(bitmap, *size, keyColor);
    const TMemoryDC maskDc(dc, mask.Get());
    if (!maskDc) throw EOutOfResources(L"不能创建内存设备描述表");
    HDC source = bitmap.Canvas()->Handle();
    const int x = dest.left, y = dest.top, w = size->cx, h = size->cy;
    BitBlt(dc, x, y, w, h, source, 0, 0, SRCINVERT);
    // A monochrome source reaches a colour target as text colour for 0 and background colour
    // for 1: key pixels AND with white (kept), all others with black (cleared).
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, w, h, maskDc.Dc(), 0, 0, SRCAND);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    BitBlt(dc, x, y, w, h, source, 0, 0, SRCINVERT);
}

void DrawTransparent(HDC dc, const TRect& dest, TBitmap& bitmap, uint32_t keyColor) {
    if (DrawTransparentBlended(dc, dest, bitmap, keyColor)) return;
    if (!DrawTransparentMasked(dc, dest, bitmap, keyColor))
        DrawTransparentThreeTransfers(dc, dest, bitmap, keyColor);
}

void TileBitmap(HDC dc, const TRect& dest, TBitmap& bitmap, const TRect& source) {
    if (source.Width() < 0 || source.Height() < 0) return;
    if (source.Width() == 0 || source.Height() == 0) return;
    const int width = source.Width(), height = source.Height();
    TBitmap piece;
    piece.SetPixelFormat(bitmap.PixelFormat() == TPixelFormat::pf32bit ? TPixelFormat::pf32bit
                                                                       : TPixelFormat::pf24bit);
    piece.SetSize(width, height);
    HDC pieceDc = piece.Canvas()->Handle();
    // Only the part of the source inside the bitmap is read; the rest of the piece stays black.
    const TRect inside{std::max(source.left, 0), std::max(source.top, 0),
                       std::min(source.right, bitmap.Width()),
                       std::min(source.bottom, bitmap.Height())};
    if (!inside.IsEmpty()) {
        BitBlt(pieceDc, inside.left - source.left, inside.top - source.top, inside.Width(),
               inside.Height(), bitmap.Canvas()->Handle(), inside.left, inside.top, SRCCOPY);
    }
    ForEachTile(dest, width, height,
                [&](int x, int y) { BitBlt(dc, x, y, width, height, pieceDc, 0, 0, SRCCOPY); });
}

void TileBitmap(TCanvas& canvas, const TRect& dest, TBitmap& bitmap, const TRect& source) {
    TileBitmap(canvas.Handle(), dest, bitmap, source);
}

void StretchPiece(HDC dc, const TRect& dest, HDC sourceDc, const TRect& source) {
    if (dest.IsEmpty() || source.IsEmpty()) return;
    StretchBlt(dc, dest.left, dest.top, dest.Width(), dest.Height(), sourceDc, source.left,
               source.top, source.Width(), source.Height(), SRCCOPY);
}
