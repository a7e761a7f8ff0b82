#include "forms/icon_dir.h"

#include <string>

#include "forms/pixels.h"

namespace {

constexpr size_t kDirSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

uint16_t U16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
uint32_t U32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

[[noreturn]] void Fail(const std::wstring& what, size_t at) {
    throw EInvalidGraphic(L"图标文件无效: " + what + L" (字节 " + std::to_wstring(at) + L")");
}

// Rows of `bits`-per-pixel at `width`, padded to 4 bytes; width is at most 256 here.
size_t Stride(int width, int bits) {
    return (static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32 * 4;
}

// Checks one image of the directory; answers its description.
TIconImageInfo CheckImage(std::span<const uint8_t> file, size_t entryAt) {
    const uint32_t size = U32(file, entryAt + 8);
    const uint32_t offset = U32(file, entryAt + 12);
    if (offset > file.size() || size > file.size() - offset) Fail(L"图像超出文件末尾", entryAt + 8);
    const std::span<const uint8_t> image = file.subspan(offset, size);
    if (image.size() >= 4 && image[0] == 0x89 && image[1] == 'P' && image[2] == 'N' &&
        image[3] == 'G')
        Fail(L"不支持 PNG 图像", offset);
    if (image.size() < kInfoHeaderSize) Fail(L"图像头不完整", offset);
    const uint32_t headerSize = U32(image, 0);
    const auto width = static_cast<int32_t>(U32(image, 4));
    const auto doubledHeight = static_cast<int32_t>(U32(image, 8));
    const uint16_t planes = U16(image, 12);
    const uint16_t bits = U16(image, 14);
    const uint32_t compression = U32(image, 16);
    const uint32_t colorsUsed = U32(image, 32);
    if (headerSize < kInfoHeaderSize || headerSize > image.size()) Fail(L"图像头长度错误", offset);
    if (width <= 0 || width > kMaxIconDimension) Fail(L"图像宽度错误", offset + 4);
    // Icons are stored bottom-up with the mask below the colours: a positive, even height.
    if (doubledHeight <= 0 || doubledHeight % 2 != 0 || doubledHeight / 2 > kMaxIconDimension)
        Fail(L"图像高度错误", offset + 8);
    if (planes != 1) Fail(L"位面数错误", offset + 12);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        Fail(L"不支持的颜色位数", offset + 14);
    if (compression != 0) Fail(L"不支持压缩图像", offset + 16);
    size_t colors = 0;
    if (bits <= 8) {
        const size_t most = size_t(1) << bits;
        if (colorsUsed > most) Fail(L"调色板过大", offset + 32);
        colors = colorsUsed ? colorsUsed : most;
    }
    const int height = doubledHeight / 2;
    const size_t need = headerSize + colors * 4 +
                        Stride(width, bits) * static_cast<size_t>(height) +
                        Stride(width, 1) * static_cast<size_t>(height);
    if (need > image.size()) Fail(L"图像数据不完整", offset);
    return {offset, size, width, height, bits};
}

}  // namespace

bool LooksLikeIconFile(std::span<const uint8_t> file) {
    return file.size() >= 4 && U16(file, 0) == 0 && U16(file, 2) == 1;
}

TIconImageInfo ChooseIconImage(std::span<const uint8_t> file) {
    if (file.size() < kDirSize) Fail(L"文件头不完整", 0);
    if (!LooksLikeIconFile(file)) Fail(L"不是图标文件", 0);
    const size_t count = U16(file, 4);
    if (count == 0) Fail(L"没有图像", 4);
    if (count > (file.size() - kDirSize) / kEntrySize) Fail(L"图像目录超出文件末尾", 4);
    TIconImageInfo best;
    for (size_t i = 0; i < count; ++i) {
        const TIconImageInfo info = CheckImage(file, kDirSize + i * kEntrySize);
        const long area = long(info.width) * info.height;
        const long bestArea = long(best.width) * best.height;
        if (area > bestArea || (area == bestArea && info.bitCount > best.bitCount)) best = info;
    }
    return best;
}
