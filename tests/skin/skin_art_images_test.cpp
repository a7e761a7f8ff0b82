// The committed images of each of the project's skins are exactly what tools/skinart draws: a
// change to the drawing code without regenerating the images (or an edited image) fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "forms/text.h"
#include "tests/support/test_files.h"
#include "tools/skinart/default_images.h"
#include "tools/skinart/slate_images.h"

namespace fs = std::filesystem;

TEST(SkinArtImages, CommittedImagesMatchTheDrawingCode) {
    const struct {
        const char* folder;
        std::vector<SkinArtFile> (*draw)();
    } sets[] = {{"skins/default", MakeDefaultSkinImages}, {"skins/slate", MakeSlateSkinImages}};
    for (const auto& set : sets) {
        SCOPED_TRACE(set.folder);
        const fs::path folder = testfiles::SourcePath(set.folder);
        ASSERT_TRUE(fs::is_directory(folder)) << folder.string();
        const std::vector<SkinArtFile> drawn = set.draw();
        ASSERT_FALSE(drawn.empty());
        std::set<std::string> names;
        for (const SkinArtFile& file : drawn) {
            SCOPED_TRACE(file.name);
            EXPECT_TRUE(names.insert(file.name).second) << "drawn twice";
            const std::vector<uint8_t> committed = testfiles::ReadBytes(folder / file.name);
            ASSERT_EQ(committed.size(), file.bytes.size());
            const auto mismatch =
                std::mismatch(committed.begin(), committed.end(), file.bytes.begin());
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
}
