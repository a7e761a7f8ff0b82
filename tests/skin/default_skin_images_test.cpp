// The committed images of skins/default are exactly what tools/skinart draws: a change to the
// drawing code without regenerating the images (or an edited image) fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "forms/text.h"
#include "tools/skinart/default_images.h"

namespace fs = std::filesystem;

namespace {

// skins/default beside this source file's tests/skin folder. Under Wine the compiler's
// absolute Unix path is found on drive Z:.
fs::path DefaultSkinFolder() {
    const fs::path source = __FILE__;
    fs::path folder = source.parent_path().parent_path().parent_path() / "skins" / "default";
    if (!fs::is_directory(folder)) folder = fs::path("Z:" + folder.generic_string());
    return folder;
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(DefaultSkinImages, CommittedImagesMatchTheDrawingCode) {
    const fs::path folder = DefaultSkinFolder();
    ASSERT_TRUE(fs::is_directory(folder)) << folder.string();
    const std::vector<SkinArtFile> drawn = MakeDefaultSkinImages();
    ASSERT_FALSE(drawn.empty());
    std::set<std::string> names;
    for (const SkinArtFile& file : drawn) {
        SCOPED_TRACE(file.name);
        EXPECT_TRUE(names.insert(file.name).second) << "drawn twice";
        const std::vector<uint8_t> committed = ReadBytes(folder / file.name);
        ASSERT_EQ(committed.size(), file.bytes.size());
        const auto mismatch = std::mismatch(committed.begin(), committed.end(), file.bytes.begin());
        EXPECT_TRUE(mismatch.first == committed.end())
            << "first difference at byte " << (mismatch.first - committed.begin());
    }
    // No stray image in the folder: every BMP there comes from the drawing code.
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (AsciiLowerCase(entry.path().extension().string()) != ".bmp") continue;
        EXPECT_TRUE(names.count(entry.path().filename().string()))
            << entry.path().filename().string() << " is not drawn by skinart";
    }
}
