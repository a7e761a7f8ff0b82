#include "forms/bmp_decoder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

// Reading order: file header -> info header -> bit-field masks -> colour table -> pixels. Each
// step checks that the bytes it is about to read lie inside the input before reading them, and
// offsets are compared as `length > size - offset` with offset <= size already established, so
// no sum can wrap.

namespace {

// biCompression values.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiJpeg = 4;
constexpr uint32_t kBiPng = 5;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER
constexpr size_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER
constexpr size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

[[noreturn]] void Fail(size_t offset, const std::wstring& what) {
    throw EInvalidGraphic(L"位图图像无效（偏移 " + std::to_wstring(offset) + L"）：" + what);
}

std::wstring Num(uint64_t value) { return std::to_wstring(value); }

std::wstring Hex(uint32_t value) {
    std::wstring text = L"0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += L"0123456789ABCDEF"[(value >> shift) & 15];
    return text;
}

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
int32_t I32(const uint8_t* p) { return int32_t(U32(p)); }

void Put16(uint8_t* p, uint32_t value) {
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
}
void Put32(uint8_t* p, uint32_t value) {
    Put16(p, value);
    Put16(p + 2, value >> 16);
}

// Bytes of the pixel bits in one row, without padding.
size_t UsedRowBytes(int width, int bits) { return (size_t(width) * size_t(bits) + 7) / 8; }

// The last used byte of an indexed row keeps only the bits of real pixels.
uint8_t TailMask(int width, int bits) {
    const unsigned used = unsigned(size_t(width) * size_t(bits) % 8);
    return used == 0 ? 0xFF : uint8_t(0xFF << (8 - used));
}

// One colour channel of a bit-field pixel.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;  // mask >> shift: the channel's largest value

    explicit Channel(uint32_t mask = 0) : mask(mask) {
        if (mask != 0) {
            shift = std::countr_zero(mask);
            max = mask >> shift;
        }
    }
    // round(v * 255 / max); max is odd (2^n - 1), so there are no ties.
    uint8_t Scale(uint32_t pixel) const {
        return uint8_t((uint64_t((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
};

// What the headers say, with every offset into the input.
struct Dib {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t headerAt = 0;
    uint32_t headerSize = 0;
    bool core = false;
    int width = 0;
    int height = 0;  // number of rows, positive
    bool topDown = false;
    int bits = 0;
    uint32_t compression = kBiRgb;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
    uint32_t masks[4] = {};  // red, green, blue, alpha
    size_t masksAt = 0;
    size_t tablesAt = 0;  // first byte after the header and any masks that follow it
    size_t bitsAt = 0;
    size_t bitsEnd = 0;
    TPixelFormat format = TPixelFormat::pf24bit;

    bool Rle() const { return compression == kBiRle4 || compression == kBiRle8; }
    bool Bitfields() const {
        return compression == kBiBitfields || compression == kBiAlphaBitfields;
    }
};

TPixelFormat OutputFormat(const Dib& d) {
    switch (d.bits) {
        case 1: return TPixelFormat::pf1bit;
        case 4: return TPixelFormat::pf4bit;
        case 8: return TPixelFormat::pf8bit;
        case 24: return TPixelFormat::pf24bit;
        case 32: return TPixelFormat::pf32bit;
        default:
            return d.Bitfields() && d.masks[3] != 0 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
    }
}

// Header size and fields; planes and bit depth checked. Width and height stay raw: signed, and
// wider than int.
void ReadHeaderFields(Dib& d, int64_t& width, int64_t& height) {
    const size_t at = d.headerAt;
    if (4 > d.size - at) Fail(at, L"文件在信息头处截断");
    d.headerSize = U32(d.data + at);
    switch (d.headerSize) {
        case 12:
        case 40:
        case 52:
        case 56:
        case 108:
        case 124: break;
        default:
            Fail(at,
                 L"不支持的信息头大小 " + Num(d.headerSize) + L"（可用 12、40、52、56、108、124）");
    }
    if (d.headerSize > d.size - at) {
        Fail(at, L"信息头截断：需要 " + Num(d.headerSize) + L" 字节，只有 " + Num(d.size - at));
    }
    const uint8_t* h = d.data + at;
    d.core = d.headerSize == kCoreHeaderSize;
    unsigned planes;
    if (d.core) {
        width = U16(h + 4);
        height = U16(h + 6);
        planes = U16(h + 8);
        d.bits = U16(h + 10);
    } else {
        width = I32(h + 4);
        height = I32(h + 8);
        planes = U16(h + 12);
        d.bits = U16(h + 14);
        d.compression = U32(h + 16);
        d.sizeImage = U32(h + 20);
        d.colorsUsed = U32(h + 32);
        if (d.headerSize >= 52) {
            d.masksAt = at + 40;
            for (int i = 0; i < 3; ++i) d.masks[i] = U32(h + 40 + 4 * i);
        }
        if (d.headerSize >= 56) d.masks[3] = U32(h + 52);
    }
    const size_t planesAt = at + (d.core ? 8 : 12), bitsAt = planesAt + 2;
    if (planes != 1) Fail(planesAt, L"位面数为 " + Num(planes) + L"，应为 1");
    const bool bitsOk = d.bits == 1 || d.bits == 4 || d.bits == 8 || d.bits == 24 ||
                        (!d.core && (d.bits == 16 || d.bits == 32));
    if (!bitsOk) Fail(bitsAt, L"不支持每像素 " + Num(d.bits) + L" 位");
}

void CheckCoding(const Dib& d) {
    const size_t compressionAt = d.headerAt + 16;
    switch (d.compression) {
        case kBiRgb: break;
        case kBiRle8:
        case kBiRle4: {
            const int need = d.compression == kBiRle8 ? 8 : 4;
            if (d.bits != need) {
                Fail(compressionAt, (need == 8 ? L"RLE8" : L"RLE4") +
                                        std::wstring(L" 压缩要求每像素 ") + Num(need) +
                                        L" 位，这里是 " + Num(d.bits) + L" 位");
            }
            break;
        }
        case kBiBitfields:
        case kBiAlphaBitfields:
            if (d.bits != 16 && d.bits != 32) {
                Fail(compressionAt,
                     L"位域编码要求每像素 16 或 32 位，这里是 " + Num(d.bits) + L" 位");
            }
            break;
        case kBiJpeg:
        case kBiPng: Fail(compressionAt, L"不支持内嵌 JPEG 或 PNG 数据的位图");
        default: Fail(compressionAt, L"未知的压缩方式 " + Num(d.compression));
    }
}

void SetSize(Dib& d, int64_t width, int64_t height) {
    const size_t widthAt = d.headerAt + 4, heightAt = d.headerAt + (d.core ? 6 : 8);
    if (width < 1) Fail(widthAt, L"宽度 " + std::to_wstring(width) + L" 无效，应大于 0");
    if (height == 0) Fail(heightAt, L"高度为 0");
    d.topDown = height < 0;
    if (d.topDown) height = -height;
    if (width > kMaxImageDimension || height > kMaxImageDimension) {
        Fail(widthAt, L"尺寸 " + Num(width) + L" x " + Num(height) + L" 超过上限 " +
                          Num(kMaxImageDimension) + L" x " + Num(kMaxImageDimension));
    }
    d.width = int(width);
    d.height = int(height);
    if (d.topDown && d.Rle()) Fail(heightAt, L"自上而下存放的位图不能使用 RLE 压缩");
}

// Finds the bit-field masks (inside the larger headers, after a plain one) and where the colour
// table starts.
void ReadMasks(Dib& d) {
    d.tablesAt = d.headerAt + d.headerSize;
    if (d.headerSize == kInfoHeaderSize && d.Bitfields()) {
        // A plain info header is followed by its masks: red, green, blue (and alpha).
        const size_t count = d.compression == kBiAlphaBitfields ? 4 : 3;
        if (count * 4 > d.size - d.tablesAt) Fail(d.tablesAt, L"位域掩码截断");
        d.masksAt = d.tablesAt;
        for (size_t i = 0; i < count; ++i) d.masks[i] = U32(d.data + d.tablesAt + 4 * i);
        d.tablesAt += count * 4;
    }
    if (!d.Bitfields()) {
        // Masks in a V4/V5 header mean nothing without bit-field coding.
        const uint32_t rgb555[4] = {0x7C00, 0x03E0, 0x001F, 0};
        std::copy(rgb555, rgb555 + 4, d.masks);
    }
}

void CheckOutputSize(Dib& d, const TBmpDecodeOptions& options) {
    d.format = OutputFormat(d);
    const size_t outBytes = DibStride(d.format, d.width) * size_t(d.height);
    const size_t limit = std::min(options.maxPixelBytes, kMaxImageBytes);
    if (outBytes > limit) {
        Fail(d.headerAt + 4, L"图像 " + Num(d.width) + L" x " + Num(d.height) + L" 解码后需要 " +
                                 Num(outBytes) + L" 字节，超过上限 " + Num(limit));
    }
}

void CheckMasks(const Dib& d) {
    if (!d.Bitfields()) return;
    static const wchar_t* const names[4] = {L"红色", L"绿色", L"蓝色", L"透明度"};
    for (int i = 0; i < 4; ++i) {
        const uint32_t mask = d.masks[i];
        const size_t maskAt = d.masksAt + 4 * size_t(i);
        if (mask == 0) {
            if (i == 3) continue;  // no alpha
            Fail(maskAt, std::wstring(names[i]) + L"掩码为 0");
        }
        const uint32_t bits = mask >> std::countr_zero(mask);
        if ((bits & (bits + 1)) != 0) {
            Fail(maskAt, std::wstring(names[i]) + L"掩码 " + Hex(mask) + L" 的位不连续");
        }
        if (d.bits == 16 && mask > 0xFFFF) {
            Fail(maskAt, std::wstring(names[i]) + L"掩码 " + Hex(mask) + L" 超出 16 位像素");
        }
        for (int j = 0; j < i; ++j) {
            if ((mask & d.masks[j]) != 0) {
                Fail(maskAt, std::wstring(names[i]) + L"掩码 " + Hex(mask) + L" 与" + names[j] +
                                 L"掩码 " + Hex(d.masks[j]) + L" 重叠");
            }
        }
    }
}

// Reads the colour table of an indexed image, padded with black to 2^bits entries. Answers the
// offset just after the table.
size_t ReadPalette(const Dib& d, std::vector<TPaletteEntry>& palette) {
    const size_t maxColors = size_t(1) << d.bits;
    const size_t count = d.core || d.colorsUsed == 0 ? maxColors : d.colorsUsed;
    if (count > maxColors) {
        Fail(d.headerAt + 32, L"调色板颜色数 " + Num(count) + L" 超过每像素 " + Num(d.bits) +
                                  L" 位所能索引的 " + Num(maxColors));
    }
    const size_t entrySize = d.core ? 3 : 4;
    const size_t bytes = count * entrySize;
    if (bytes > d.size - d.tablesAt) {
        Fail(d.tablesAt, L"调色板（" + Num(count) + L" 色，" + Num(bytes) +
                             L" 字节）越过文件末尾（还剩 " + Num(d.size - d.tablesAt) + L" 字节）");
    }
    palette.assign(maxColors, TPaletteEntry{});
    const uint8_t* p = d.data + d.tablesAt;
    for (size_t i = 0; i < count; ++i, p += entrySize) {
        palette[i] = TPaletteEntry{p[0], p[1], p[2], 0};
    }
    return d.tablesAt + bytes;
}

// Fixes where the pixel bits end and checks that the uncompressed rows are all there.
void LocateBitsEnd(Dib& d) {
    const size_t available = d.size - d.bitsAt;
    if (d.Rle()) {
        if (d.sizeImage == 0) {
            d.bitsEnd = d.size;
        } else if (d.sizeImage > available) {
            Fail(d.bitsAt, L"RLE 数据截断：信息头给出 " + Num(d.sizeImage) + L" 字节，只有 " +
                               Num(available) + L" 字节");
        } else {
            d.bitsEnd = d.bitsAt + d.sizeImage;
        }
        return;
    }
    const uint64_t need = uint64_t((size_t(d.width) * size_t(d.bits) + 31) / 32 * 4) * d.height;
    if (need > available) {
        Fail(d.bitsAt, L"像素数据截断：" + Num(d.width) + L" x " + Num(d.height) + L"、每像素 " +
                           Num(d.bits) + L" 位需要 " + Num(need) + L" 字节，只有 " +
                           Num(available) + L" 字节");
    }
    d.bitsEnd = d.bitsAt + size_t(need);
}

void DecodeUncompressed(const Dib& d, TPixelImage& image) {
    const size_t sourceStride = (size_t(d.width) * size_t(d.bits) + 31) / 32 * 4;
    const bool rawCopy = d.bits != 16 && !d.Bitfields();
    const Channel red(d.masks[0]), green(d.masks[1]), blue(d.masks[2]), alpha(d.masks[3]);
    const bool out32 = image.format == TPixelFormat::pf32bit;
    const size_t outStep = out32 ? 4 : 3;
    for (int r = 0; r < d.height; ++r) {
        const uint8_t* in = d.data + d.bitsAt + size_t(r) * sourceStride;
        uint8_t* out = image.Row(d.topDown ? r : d.height - 1 - r);
        if (rawCopy) {
            const size_t used = UsedRowBytes(d.width, d.bits);
            std::memcpy(out, in, used);
            if (d.bits < 8) out[used - 1] &= TailMask(d.width, d.bits);
            continue;
        }
        for (int x = 0; x < d.width; ++x, out += outStep) {
            const uint32_t pixel = d.bits == 16 ? U16(in + 2 * size_t(x)) : U32(in + 4 * size_t(x));
            out[0] = blue.Scale(pixel);
            out[1] = green.Scale(pixel);
            out[2] = red.Scale(pixel);
            if (out32) out[3] = alpha.mask != 0 ? alpha.Scale(pixel) : 0;
        }
    }
}

// RLE8 and RLE4: pairs of (count, value) runs and escapes (0,0 end of line; 0,1 end of bitmap;
// 0,2,dx,dy delta; 0,n absolute run of n pixels padded to a 16-bit boundary). Rows are stored
// bottom-up. A run or delta that leaves the image is an error, as is data that ends before the
// end-of-bitmap escape.
void DecodeRle(const Dib& d, TPixelImage& image) {
    const bool rle4 = d.compression == kBiRle4;
    const uint8_t* p = d.data + d.bitsAt;
    const uint8_t* const end = d.data + d.bitsEnd;
    int x = 0;
    int y = 0;  // stored row, counted from the bottom

    auto checkRun = [&](size_t at, unsigned count) {
        if (y >= d.height) Fail(at, L"RLE 游程写在最后一行之后");
        if (count > unsigned(d.width - x)) {
            Fail(at, L"RLE 游程越出自底向上第 " + Num(y) + L" 行：从 x = " + Num(x) + L" 起 " +
                         Num(count) + L" 个像素，行宽 " + Num(d.width));
        }
    };
    auto put = [&](uint8_t* row, int at, unsigned index) {
        if (!rle4) {
            row[at] = uint8_t(index);
        } else if (at & 1) {
            row[at >> 1] = uint8_t((row[at >> 1] & 0xF0) | index);
        } else {
            row[at >> 1] = uint8_t((row[at >> 1] & 0x0F) | index << 4);
        }
    };

    for (;;) {
        const size_t at = size_t(p - d.data);
        if (end - p < 2) Fail(at, L"RLE 数据在位图结束标记之前截断");
        const unsigned count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            checkRun(at, count);
            uint8_t* row = image.Row(d.height - 1 - y);
            for (unsigned i = 0; i < count; ++i) {
                put(row, x + int(i), rle4 ? (i & 1 ? value & 15 : value >> 4) : value);
            }
            x += int(count);
            continue;
        }
        switch (value) {
            case 0:  // end of line
                if (y >= d.height) Fail(at, L"RLE 行结束标记越过最后一行");
                x = 0;
                ++y;
                break;
            case 1:  // end of bitmap
                return;
            case 2: {  // delta
                if (end - p < 2) Fail(at, L"RLE 位移命令截断");
                const int dx = p[0], dy = p[1];
                p += 2;
                if (dx > d.width - x || dy > d.height - y) {
                    Fail(at, L"RLE 位移 (" + Num(dx) + L", " + Num(dy) + L") 从 (" + Num(x) +
                                 L", " + Num(y) + L") 越出 " + Num(d.width) + L" x " +
                                 Num(d.height) + L" 的图像");
                }
                x += dx;
                y += dy;
                break;
            }
            default: {  // absolute run
                const size_t bytes = rle4 ? (value + 1) / 2 : value;
                const size_t padded = bytes + (bytes & 1);
                if (padded > size_t(end - p)) {
                    Fail(at, L"RLE 绝对模式数据截断：需要 " + Num(padded) + L" 字节，只有 " +
                                 Num(size_t(end - p)) + L" 字节");
                }
                checkRun(at, value);
                uint8_t* row = image.Row(d.height - 1 - y);
                for (unsigned i = 0; i < value; ++i) {
                    put(row, x + int(i),
                        rle4 ? (i & 1 ? p[i >> 1] & 15 : p[i >> 1] >> 4) : unsigned(p[i]));
                }
                x += int(value);
                p += padded;
                break;
            }
        }
    }
}

// Decodes the DIB whose info header starts at headerAt. fileBitsAt is the pixel offset from the
// file header, or 0 for a packed DIB, whose pixels follow its colour table.
TPixelImage DecodeDib(std::span<const uint8_t> input, size_t headerAt, size_t fileBitsAt,
                      const TBmpDecodeOptions& options) {
    Dib d;
    d.data = input.data();
    d.size = input.size();
    d.headerAt = headerAt;
    int64_t width = 0, height = 0;
    ReadHeaderFields(d, width, height);
    CheckCoding(d);
    SetSize(d, width, height);
    ReadMasks(d);
    CheckMasks(d);
    CheckOutputSize(d, options);

    std::vector<TPaletteEntry> palette;
    size_t tablesEnd = d.tablesAt;
    if (d.bits <= 8) {
        tablesEnd = ReadPalette(d, palette);
    } else if (fileBitsAt == 0) {
        // Direct-colour DIBs may carry a colour table for palette displays: skip it.
        const uint64_t table = uint64_t(d.colorsUsed) * 4;
        if (table > d.size - d.tablesAt) {
            Fail(d.headerAt + 32, L"颜色表（" + Num(d.colorsUsed) + L" 色）越过数据末尾");
        }
        tablesEnd = d.tablesAt + size_t(table);
    }

    if (fileBitsAt == 0) {
        d.bitsAt = tablesEnd;
    } else {
        if (fileBitsAt > d.size) {
            Fail(10, L"像素数据偏移 " + Num(fileBitsAt) + L" 越过文件末尾（文件 " + Num(d.size) +
                         L" 字节）");
        }
        if (fileBitsAt < d.tablesAt) {
            Fail(10, L"像素数据偏移 " + Num(fileBitsAt) + L" 落在信息头之内（信息头止于 " +
                         Num(d.tablesAt) + L"）");
        }
        if (fileBitsAt < tablesEnd) {
            Fail(d.tablesAt, L"调色板（止于偏移 " + Num(tablesEnd) + L"）与偏移 " +
                                 Num(fileBitsAt) + L" 处的像素数据重叠");
        }
        d.bitsAt = fileBitsAt;
    }
    LocateBitsEnd(d);

    // Allocated only now that the headers are sound and the pixel data is known to be there.
    TPixelImage image(d.format, d.width, d.height);
    image.palette = std::move(palette);
    if (d.Rle()) {
        DecodeRle(d, image);
    } else {
        DecodeUncompressed(d, image);
    }
    return image;
}

}  // namespace

TPixelImage DecodeBmp(std::span<const uint8_t> file, const TBmpDecodeOptions& options) {
    if (file.size() < kFileHeaderSize) {
        Fail(0, L"文件只有 " + Num(file.size()) + L" 字节，不足以容纳 14 字节的文件头");
    }
    if (file[0] != 'B' || file[1] != 'M') Fail(0, L"文件头标记不是 \"BM\"");
    const uint32_t bitsAt = U32(file.data() + 10);
    // An offset of 0 would mean "packed"; a file's pixels can never start there.
    if (bitsAt < kFileHeaderSize) Fail(10, L"像素数据偏移 " + Num(bitsAt) + L" 落在文件头之内");
    return DecodeDib(file, kFileHeaderSize, bitsAt, options);
}

TPixelImage DecodePackedDib(std::span<const uint8_t> dib, const TBmpDecodeOptions& options) {
    return DecodeDib(dib, 0, 0, options);
}

TPixelImage LoadBmpFromStream(TStream& stream) {
    const int64_t remaining = stream.Size() - stream.Position();
    std::vector<uint8_t> bytes(remaining > 0 ? size_t(remaining) : 0);
    stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
    return DecodeBmp(bytes);
}

std::vector<uint8_t> EncodeBmp(const TConstPixelView& pixels,
                               std::span<const TPaletteEntry> palette) {
    const int width = pixels.width, height = pixels.height;
    if (width < 1 || height < 1 || width > kMaxImageDimension || height > kMaxImageDimension) {
        throw EInvalidGraphicOperation(L"无法把 " + Num(std::max(width, 0)) + L" x " +
                                       Num(std::max(height, 0)) + L" 的位图保存为 BMP");
    }
    const int bits = BitsPerPixel(pixels.format);
    size_t colors = 0;
    if (bits <= 8) {
        colors = palette.size();
        if (colors == 0 || colors > (size_t(1) << bits)) {
            throw EInvalidGraphicOperation(L"每像素 " + Num(bits) + L" 位的位图需要 1 到 " +
                                           Num(size_t(1) << bits) + L" 个调色板颜色，这里有 " +
                                           Num(colors) + L" 个");
        }
    }
    const size_t stride = DibStride(pixels.format, width);
    const size_t imageBytes = stride * size_t(height);
    if (imageBytes > kMaxImageBytes) {
        throw EInvalidGraphicOperation(L"位图过大，无法保存为 BMP");
    }
    const size_t bitsAt = kFileHeaderSize + kInfoHeaderSize + colors * 4;
    std::vector<uint8_t> out(bitsAt + imageBytes, 0);
    uint8_t* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, uint32_t(out.size()));
    Put32(p + 10, uint32_t(bitsAt));
    p += kFileHeaderSize;
    Put32(p, kInfoHeaderSize);
    Put32(p + 4, uint32_t(width));
    Put32(p + 8, uint32_t(height));  // positive: bottom-up rows
    Put16(p + 12, 1);
    Put16(p + 14, uint32_t(bits));
    Put32(p + 16, kBiRgb);
    Put32(p + 20, uint32_t(imageBytes));
    Put32(p + 32, uint32_t(colors));
    p += kInfoHeaderSize;
    for (size_t i = 0; i < colors; ++i, p += 4) {
        p[0] = palette[i].blue;
        p[1] = palette[i].green;
        p[2] = palette[i].red;
    }
    const size_t used = UsedRowBytes(width, bits);
    for (int r = 0; r < height; ++r, p += stride) {
        std::memcpy(p, pixels.Row(height - 1 - r), used);
        if (bits < 8) p[used - 1] &= TailMask(width, bits);
    }
    return out;
}

std::vector<uint8_t> EncodeBmp(const TPixelImage& image) {
    return EncodeBmp(image.View(), image.palette);
}

void SaveBmpToStream(TStream& stream, const TPixelImage& image) {
    const std::vector<uint8_t> bytes = EncodeBmp(image);
    stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}
