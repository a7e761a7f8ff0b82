#pragma once
// Test skins made in code: a skin description and BMP images packed into a store the way the
// skin tool packs one, then opened with TSkinReader, ready for ParseSkin.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/bmp_decoder.h"
#include "forms/stream.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"

namespace skintest {

// A pf24bit BMP file of width x height whose pixel (x, y) has blue x, green y and red `tag`, so
// that a test can tell which columns of which image ended up where.
inline std::vector<uint8_t> MarkedBmp(int width, int height, uint8_t tag) {
    TPixelImage image(TPixelFormat::pf24bit, width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = uint8_t(x);
            row[3 * x + 1] = uint8_t(y);
            row[3 * x + 2] = tag;
        }
    }
    return EncodeBmp(image);
}

inline TSkinEntry TextEntry(std::string name, std::string_view text) {
    return {std::move(name), std::vector<uint8_t>(text.begin(), text.end())};
}

// Packs the entries into a store (archive, then LZHUF) and opens it with reader.
inline void OpenSkin(const std::vector<TSkinEntry>& entries, TSkinReader& reader) {
    TMemoryStream store(PackSkinStore(BuildSkinArchive(entries)));
    ASSERT_TRUE(reader.Open(store)) << reader.Error();
}

}  // namespace skintest
