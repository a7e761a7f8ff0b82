// Oracle: reading any bytes as an .ico file either fails with EInvalidGraphic (any other
// exception escapes and counts as a crash) or chooses an image that lies wholly inside the file,
// with a size the directory allows and a bit count an icon can have; a file that does not start
// like an icon is never accepted.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "forms/icon_dir.h"
#include "forms/pixels.h"
#include "tests/forms/ico_test_writer.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> file(data, size);
    try {
        const TIconImageInfo info = ChooseIconImage(file);
        Check(LooksLikeIconFile(file));
        Check(info.offset <= size && info.size <= size - info.offset);
        Check(info.width >= 1 && info.width <= kMaxIconDimension);
        Check(info.height >= 1 && info.height <= kMaxIconDimension);
        Check(info.bitCount == 1 || info.bitCount == 4 || info.bitCount == 8 ||
              info.bitCount == 16 || info.bitCount == 24 || info.bitCount == 32);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}

// Icons of one and of several images, opaque and with a mask.
void PonderixFuzzSeeds(std::vector<std::string>& seeds) {
    auto solid = [](int side, int bits, uint32_t argb) {
        ico_test::Image image{
            side, side, bits, std::vector<uint32_t>(size_t(side * side), argb), {}};
        image.transparent.assign(size_t(side * side), false);
        image.transparent[0] = true;
        return image;
    };
    const std::vector<std::vector<ico_test::Image>> files = {
        {solid(16, 32, 0xFF112233)},
        {solid(16, 24, 0xFF445566), solid(32, 32, 0x80FF0000)},
        {solid(1, 32, 0xFFFFFFFF), solid(48, 24, 0xFF000000), solid(24, 32, 0)},
    };
    for (const auto& images : files) {
        const std::vector<uint8_t> file = ico_test::Write(images);
        seeds.emplace_back(file.begin(), file.end());
    }
}
