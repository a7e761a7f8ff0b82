#pragma once
// Pixels in the memory layout of Windows device-independent bitmaps (DIBs), shared by the bitmap
// classes, the BMP decoder and the skin's bitmap utilities. The Win32 side hands these bytes to
// GDI unchanged:
//   - pf24bit rows hold blue, green, red per pixel; pf32bit rows blue, green, red, alpha;
//   - pf1bit, pf4bit and pf8bit rows hold palette indices, the leftmost pixel in the most
//     significant bits of its byte;
//   - every row is padded to a multiple of 4 bytes.
//
// TPixelView borrows rows that live elsewhere (a DIB section, a TPixelImage); its stride is
// negative when the memory is a bottom-up DIB. TPixelImage owns its rows, top row first.

#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "forms/exception.h"

// Image data that cannot be read (a malformed BMP file).
PONDERIX_EXCEPTION(EInvalidGraphic, Exception);
// An operation that the image cannot take (a pixel format it does not handle, a row it lacks).
PONDERIX_EXCEPTION(EInvalidGraphicOperation, Exception);

enum class TPixelFormat : uint8_t { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

// Largest width or height of an image, and largest pixel buffer, that the program creates or
// decodes: far above any skin image, low enough that a hostile file cannot exhaust memory.
inline constexpr int kMaxImageDimension = 32768;
inline constexpr size_t kMaxImageBytes = size_t(256) << 20;

int BitsPerPixel(TPixelFormat format);
bool IsIndexed(TPixelFormat format);
// Bytes in one DIB row of the given width (width >= 0): rows are padded to 4 bytes.
size_t DibStride(TPixelFormat format, int width);

// One palette colour, laid out as Win32's RGBQUAD.
struct TPaletteEntry {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
    friend constexpr bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};
static_assert(sizeof(TPaletteEntry) == 4, "must match RGBQUAD");

// A non-owning view of a bitmap's rows. Row(y) is row y counted from the top, whatever the
// memory order. TPixelView writes, TConstPixelView only reads; a writable view converts to a
// read-only one.
template <typename Byte>
struct TBasicPixelView {
    TPixelFormat format = TPixelFormat::pf32bit;
    int width = 0;
    int height = 0;
    ptrdiff_t stride = 0;  // bytes from a row to the one below it; negative for bottom-up memory
    Byte* top = nullptr;   // first byte of the top row

    constexpr TBasicPixelView() = default;
    constexpr TBasicPixelView(TPixelFormat format, int width, int height, ptrdiff_t stride,
                              Byte* top)
        : format(format), width(width), height(height), stride(stride), top(top) {}
    template <typename Other>
    requires(
        std::is_same_v<const Other, Byte> &&
        !std::is_same_v<Other, Byte>) constexpr TBasicPixelView(const TBasicPixelView<Other>& other)
        : format(other.format),
          width(other.width),
          height(other.height),
          stride(other.stride),
          top(other.top) {}

    Byte* Row(int y) const { return top + ptrdiff_t(y) * stride; }
};
using TPixelView = TBasicPixelView<uint8_t>;
using TConstPixelView = TBasicPixelView<const uint8_t>;

// An owned image: rows top-down, each DibStride(format, width) bytes. Indexed images carry
// their palette (the BMP decoder always gives 2^bits entries, so every index is valid; readers
// treat a missing entry as black).
struct TPixelImage {
    TPixelFormat format = TPixelFormat::pf24bit;
    int width = 0;
    int height = 0;
    size_t stride = 0;
    std::vector<TPaletteEntry> palette;
    std::vector<uint8_t> bytes;

    TPixelImage() = default;
    // All pixels zero, palette empty. EInvalidGraphicOperation for a negative size or one above
    // kMaxImageDimension / kMaxImageBytes.
    TPixelImage(TPixelFormat format, int width, int height);

    uint8_t* Row(int y) { return bytes.data() + size_t(y) * stride; }
    const uint8_t* Row(int y) const { return bytes.data() + size_t(y) * stride; }
    TPixelView View() { return {format, width, height, ptrdiff_t(stride), bytes.data()}; }
    TConstPixelView View() const {
        return {format, width, height, ptrdiff_t(stride), bytes.data()};
    }
};

// A copy of the pixels in pf24bit or pf32bit (the only targets). Indices are looked up in the
// palette (a missing entry gives black); a pf32bit result from a source without alpha gets a
// fourth byte of 0, as GDI gives; pf24bit drops the fourth byte.
TPixelImage ConvertPixels(const TConstPixelView& source, std::span<const TPaletteEntry> palette,
                          TPixelFormat target);
