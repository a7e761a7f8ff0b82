// Oracle: decoding any bytes, as a BMP file or as a packed DIB, either fails with EInvalidGraphic
// (any other exception escapes and counts as a crash) or gives a well-formed image: DIB stride,
// rows that fill the buffer exactly, a full palette for indexed formats, zero bits past the last
// pixel. A decoded image survives encoding and decoding again unchanged, and on small images the
// whole-pixel transforms undo themselves and the region scan covers exactly the opaque pixels.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "forms/bmp_decoder.h"
#include "skin/bitmap_region.h"
#include "skin/bitmap_transform.h"
#include "tests/forms/bmp_test_writer.h"

namespace {

// Small enough that every input decodes quickly; the full limit is tested in the unit tests.
constexpr size_t kFuzzPixelBytes = size_t(4) << 20;
constexpr size_t kTransformPixels = 64 * 64;

void Check(bool ok) {
    if (!ok) std::abort();
}

void CheckWellFormed(const TPixelImage& image) {
    Check(image.width >= 1 && image.height >= 1);
    Check(image.stride == DibStride(image.format, image.width));
    Check(image.bytes.size() == image.stride * size_t(image.height));
    const int bits = BitsPerPixel(image.format);
    Check(bits > 8 ? image.palette.empty() : image.palette.size() == size_t(1) << bits);
    const size_t usedBits = size_t(image.width) * size_t(bits);
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* row = image.Row(y);
        for (size_t bit = usedBits; bit < image.stride * 8; ++bit) {
            Check(((row[bit / 8] >> (7 - bit % 8)) & 1) == 0);
        }
    }
}

void CheckRoundTrip(const TPixelImage& image) {
    const TPixelImage back = DecodeBmp(EncodeBmp(image));
    Check(back.format == image.format && back.width == image.width && back.height == image.height &&
          back.bytes == image.bytes && back.palette == image.palette);
}

void CheckTransforms(const TPixelImage& image) {
    if (size_t(image.width) * size_t(image.height) > kTransformPixels) return;
    const TPixelImage original = ConvertPixels(image.View(), image.palette, TPixelFormat::pf32bit);

    TPixelImage turned = original;
    RotateBitmapLeft(turned);
    Check(turned.width == original.height && turned.height == original.width);
    RotateBitmapRight(turned);
    Check(turned.bytes == original.bytes);

    TPixelImage mirrored = original;
    MirrorBitmap(mirrored.View());
    FlipBitmap(mirrored.View());
    FlipBitmap(mirrored.View());
    MirrorBitmap(mirrored.View());
    Check(mirrored.bytes == original.bytes);

    if (original.height < 2) return;
    size_t opaque = 0;
    for (int y = 0; y < original.height; ++y) {
        for (int x = 0; x < original.width; ++x) {
            const uint8_t* p = original.Row(y) + 4 * x;
            opaque += !(p[0] == 0xFF && p[1] <= 1 && p[2] == 0xFF);
        }
    }
    size_t covered = 0;
    ScanOpaqueRuns(original.View(), 0, 0, 0xFF00FF, 0, 1, 0, [&](std::span<const TRect> batch) {
        for (const TRect& r : batch) {
            Check(r.Height() == 1 && r.Width() > 0 && r.left >= 0 && r.right <= original.width);
            covered += size_t(r.Width());
        }
    });
    Check(covered == opaque);
}

void Exercise(const TPixelImage& image) {
    CheckWellFormed(image);
    CheckRoundTrip(image);
    CheckTransforms(image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const TBmpDecodeOptions options{.maxPixelBytes = kFuzzPixelBytes};
    try {
        Exercise(DecodeBmp(bytes, options));
    } catch (const EInvalidGraphic&) {
    }
    try {
        Exercise(DecodePackedDib(bytes, options));
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}

// One small file for each header, depth and coding.
void PonderixFuzzSeeds(std::vector<std::string>& seeds) {
    using namespace bmp_test;
    const std::array<uint32_t, 4> r565 = {0xF800, 0x07E0, 0x001F, 0};
    const std::array<uint32_t, 4> argb = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    const std::array<uint32_t, 4> argb4444 = {0x0F00, 0x00F0, 0x000F, 0xF000};
    const Layout layouts[] = {
        {Header::Core, 1},
        {Header::Core, 8},
        {Header::Core, 24},
        {Header::Info, 1},
        {Header::Info, 4, Coding::Rgb, true},
        {Header::Info, 8},
        {Header::Info, 16},
        {Header::Info, 24},
        {Header::Info, 32, Coding::Rgb, true},
        {Header::Info, 4, Coding::Rle4, false, {}, true},
        {Header::Info, 8, Coding::Rle8, false, {}, true},
        {Header::Info, 8, Coding::Rle8},
        {Header::Info, 16, Coding::Bitfields, false, r565},
        {Header::Info, 16, Coding::AlphaBitfields, false, argb4444},
        {Header::Info56, 16, Coding::Bitfields, true, argb4444},
        {Header::V4, 32, Coding::Bitfields, false, argb},
        {Header::V5, 32, Coding::Bitfields, true, argb},
        {Header::V5, 8},
        {Header::Info, 8, Coding::Rgb, false, {}, false, false},
        {Header::Info, 16, Coding::Bitfields, false, r565, false, false},
    };
    for (const Layout& l : layouts) {
        Picture p{5, 3, {}, {}};
        const int colors = l.bits <= 8 ? 1 << l.bits : 0;
        for (int i = 0; i < colors; ++i) {
            p.palette.push_back({uint8_t(i * 40), uint8_t(255 - i), uint8_t(i * 7)});
        }
        for (int i = 0; i < p.width * p.height; ++i) {
            const uint32_t v = uint32_t(i * 2654435761u);
            p.values.push_back(colors ? uint32_t(i / 2) % uint32_t(colors)
                                      : (l.bits == 24   ? v >> 8
                                         : l.bits == 16 ? v >> 16
                                                        : v));
        }
        const std::vector<uint8_t> file = Write(p, l);
        seeds.emplace_back(file.begin(), file.end());
    }
}
