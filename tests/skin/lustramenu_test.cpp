// The window-menu glyph bitmap is the drawing it was made from, pixel for pixel.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "forms/bmp_decoder.h"

#ifndef PONDERIX_SOURCE_DIR
#error PONDERIX_SOURCE_DIR must name the source tree
#endif

TEST(MenuGlyphs, BitmapMatchesItsDrawing) {
    const std::string folder = std::string(PONDERIX_SOURCE_DIR) + "/skin/resources/";
    std::ifstream bmp(folder + "lustramenu.bmp", std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(bmp), {}};
    ASSERT_FALSE(bytes.empty());
    const TPixelImage image = DecodeBmp(bytes);
    ASSERT_EQ(image.width, 64);
    ASSERT_EQ(image.height, 16);
    ASSERT_EQ(image.format, TPixelFormat::pf1bit);

    std::ifstream text(folder + "lustramenu.txt");
    std::string line;
    int y = 0;
    for (; std::getline(text, line) && !line.empty(); ++y) {
        ASSERT_EQ(line.size(), 64u);
        for (int x = 0; x < 64; ++x) {
            const int index = (image.Row(y)[x / 8] >> (7 - x % 8)) & 1;
            const TPaletteEntry colour = image.palette[static_cast<size_t>(index)];
            const bool black = colour.red == 0 && colour.green == 0 && colour.blue == 0;
            EXPECT_EQ(black, line[static_cast<size_t>(x)] == '#') << "at " << x << ", " << y;
        }
    }
    EXPECT_EQ(y, 16);
}
