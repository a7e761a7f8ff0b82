// The .ico directory reader: which image it picks, and a table of damaged files that each must be
// refused before any of their bytes would reach the platform.
#include <gtest/gtest.h>

#include <functional>

#include "forms/icon_dir.h"
#include "forms/pixels.h"
#include "ico_test_writer.h"

namespace {

using ico_test::Solid;

void Set32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}
void Set16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

TEST(IconDir, ChoosesTheLargestImageThenTheMostColours) {
    const auto file = ico_test::Write({Solid(16, 32, 0xFF0000FF), Solid(32, 24, 0xFF00FF00),
                                       Solid(32, 32, 0xFFFF0000), Solid(24, 32, 0)});
    const TIconImageInfo info = ChooseIconImage(file);
    EXPECT_EQ(info.width, 32);
    EXPECT_EQ(info.height, 32);
    EXPECT_EQ(info.bitCount, 32);
    // The third image: after the directory, the 16 x 16 and the 24-bit 32 x 32 images.
    const size_t first = 6 + 4 * 16;
    const size_t second = first + 40 + 16 * 16 * 4 + 16 * 4;
    const size_t third = second + 40 + 32 * 96 + 32 * 4;
    EXPECT_EQ(info.offset, third);
    EXPECT_EQ(info.size, 40u + 32 * 32 * 4 + 32 * 4);
    EXPECT_TRUE(LooksLikeIconFile(file));
}

TEST(IconDir, RefusesDamagedFiles) {
    const auto good = ico_test::Write({Solid(16, 32, 0xFF112233)});
    const size_t entry = 6, image = 6 + 16;
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
    };
    const Case cases[] = {
        {"shorter than the directory header", [](auto& b) { b.resize(5); }},
        {"a cursor file (type 2)", [](auto& b) { Set16(b, 2, 2); }},
        {"reserved word set", [](auto& b) { Set16(b, 0, 1); }},
        {"no images", [](auto& b) { Set16(b, 4, 0); }},
        {"more entries than the file holds", [](auto& b) { Set16(b, 4, 60); }},
        {"image offset past the end", [&](auto& b) { Set32(b, entry + 12, uint32_t(b.size())); }},
        {"offset plus size wraps", [&](auto& b) { Set32(b, entry + 8, 0xFFFFFFF0u); }},
        {"image size past the end", [&](auto& b) { Set32(b, entry + 8, uint32_t(b.size())); }},
        {"image too short for its header", [&](auto& b) { Set32(b, entry + 8, 39); }},
        {"header size below 40", [&](auto& b) { Set32(b, image, 12); }},
        {"header size beyond the image", [&](auto& b) { Set32(b, image, 0x10000); }},
        {"zero width", [&](auto& b) { Set32(b, image + 4, 0); }},
        {"negative width", [&](auto& b) { Set32(b, image + 4, 0xFFFFFFF0u); }},
        {"width above 256", [&](auto& b) { Set32(b, image + 4, 257); }},
        {"odd doubled height", [&](auto& b) { Set32(b, image + 8, 31); }},
        {"top-down (negative) height", [&](auto& b) { Set32(b, image + 8, uint32_t(-32)); }},
        {"two planes", [&](auto& b) { Set16(b, image + 12, 2); }},
        {"16 bits per pixel", [&](auto& b) { Set16(b, image + 14, 16); }},
        {"compressed", [&](auto& b) { Set32(b, image + 16, 3); }},
        {"pixels cut short", [&](auto& b) { Set32(b, entry + 8, uint32_t(b.size() - image - 1)); }},
        {"wider than its pixel data", [&](auto& b) { Set32(b, image + 4, 17); }},
        {"8-bit palette of 257 colours",
         [&](auto& b) {
             Set16(b, image + 14, 8);
             Set32(b, image + 32, 257);
         }},
        {"a PNG image",
         [&](auto& b) {
             const uint8_t png[] = {0x89, 'P', 'N', 'G'};
             std::copy(png, png + 4, b.begin() + image);
         }},
    };
    EXPECT_NO_THROW(ChooseIconImage(good));
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        c.damage(bytes);
        EXPECT_THROW(ChooseIconImage(bytes), EInvalidGraphic) << c.what;
    }
}

TEST(IconDir, OneDamagedImageSpoilsTheFile) {
    auto file = ico_test::Write({Solid(16, 32, 0xFF000000), Solid(32, 32, 0xFF000000)});
    Set32(file, 6 + 16 + 12, uint32_t(file.size()));  // the second entry points past the end
    EXPECT_THROW(ChooseIconImage(file), EInvalidGraphic);
}

}  // namespace
