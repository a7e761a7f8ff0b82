// skintool preview on the default skin: every element is drawn (none reported missing) onto a
// sheet that is a readable BMP; a skin with only its borders reports every other element as
// missing. The host build has no GDI, so there the command must refuse rather than succeed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "skin/skin_slots.h"
#include "tests/support/skintool_fixture.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;

namespace {

class SkinPreview : public TSkinToolFixture {
protected:
    SkinPreview() : TSkinToolFixture("skin_preview") {}
};

#ifdef _WIN32
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}
#endif

}  // namespace

TEST_F(SkinPreview, DrawsEveryElementOfTheDefaultSkin) {
    ASSERT_EQ(Run({"pack", testfiles::DefaultSkinFolder().string(), P("default.skn")}), 0) << err;
    const int status = Run({"preview", P("default.skn"), P("sheet.bmp")});
#ifdef _WIN32
    ASSERT_EQ(status, 0) << err;
    EXPECT_EQ(out.find("not in the skin"), std::string::npos) << out;
    EXPECT_NE(out.find("(Ponderix)"), std::string::npos) << out;
    const std::vector<uint8_t> bmp = testfiles::ReadBytes(P("sheet.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Le32(bmp, 2), bmp.size());
    const int width = int(Le32(bmp, 18)), height = int(Le32(bmp, 22));
    EXPECT_GT(width, 400);
    EXPECT_GT(height, 1000);  // one row per image: dozens of rows
#else
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("Windows build"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(P("sheet.bmp")));
#endif
}

#ifdef _WIN32
TEST_F(SkinPreview, ReportsTheElementsASkinLeavesOut) {
    fs::create_directories(root / "in");
    fs::copy_file(testfiles::DefaultSkinFolder() / "left.bmp", root / "in" / "left.bmp");
    std::ofstream(root / "in" / "skin.ini") << "[Personality]\nLeft=left.bmp\nLeftFrame=2\n";
    ASSERT_EQ(Run({"pack", P("in"), P("bare.skn")}), 0) << err;
    ASSERT_EQ(Run({"preview", P("bare.skn"), P("sheet.bmp")}), 0) << err;
    EXPECT_NE(out.find(": 1 images"), std::string::npos) << out;
    for (const char* name : {"Right", "Buttons", "Buttons.CheckButton"}) {
        EXPECT_NE(out.find(std::string("not in the skin: ") + name + "\n"), std::string::npos)
            << name;
    }
    for (const TSkinSlotInfo& slot : kSkinSlots) {
        EXPECT_NE(out.find("not in the skin: " + std::string(SkinSlotLabel(slot)) + "\n"),
                  std::string::npos)
            << slot.member;
    }
    EXPECT_TRUE(fs::exists(P("sheet.bmp")));
}
#endif
