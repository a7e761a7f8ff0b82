// The default skin's images, drawn in code so that skins/default can be regenerated exactly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SkinArtFile {
    std::string name;            // file name inside the skin's folder, lower case
    std::vector<uint8_t> bytes;  // a complete 24-bit BMP file
};

// Every image of the default skin, in a fixed order.
std::vector<SkinArtFile> MakeDefaultSkinImages();
