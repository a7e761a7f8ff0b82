// The skintool commands, run in-process through the same dispatcher as the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "forms/stream.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"
#include "tools/reference/skin_inputs.h"
#include "tests/support/skintool_fixture.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;
using testfiles::ReadBytes;
using testfiles::WriteBytes;

Bytes Bitmap(Bytes body) {
    body.insert(body.begin(), {'B', 'M'});
    return body;
}

class SkinToolTest : public TSkinToolFixture {
protected:
    SkinToolTest() : TSkinToolFixture("skintool_test") { fs::create_directories(root / "in"); }

    // Packs in/ into a store, unpacks it into out/, and checks every file came back with its
    // lower-cased name and the same bytes.
    void ExpectRoundTrip() {
        ASSERT_EQ(Run({"pack", P("in"), P("skin.skn")}), 0) << err;
        fs::remove_all(root / "out");
        ASSERT_EQ(Run({"unpack", P("skin.skn"), P("out")}), 0) << err;
        size_t files = 0;
        for (const auto& entry : fs::directory_iterator(root / "in")) {
            ++files;
            std::string name = entry.path().filename().string();
            for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
            ASSERT_TRUE(ReadBytes(entry.path()) == ReadBytes(root / "out" / name)) << name;
        }
        EXPECT_EQ(size_t(std::distance(fs::directory_iterator(root / "out"), {})), files);
    }
};

TEST_F(SkinToolTest, RandomDataOfManySizesRoundTrips) {
    // The description may hold any bytes; the images any bytes after "BM".
    for (size_t size : {0, 1, 4035, 4036, 4096, 3 << 20}) {
        SCOPED_TRACE(size);
        fs::remove_all(root / "in");
        fs::create_directories(root / "in");
        WriteBytes(root / "in" / "skin.ini", skinref::RandomBytes(size, uint32_t(size)));
        WriteBytes(root / "in" / "image.bmp", Bitmap(skinref::RandomBytes(size, 1 + size)));
        ExpectRoundTrip();
    }
}

TEST_F(SkinToolTest, RepetitiveDataAndSkinBitmapsRoundTrip) {
    const std::string ini = skinref::SkinDescription(60);
    WriteBytes(root / "in" / "Skin.ini", Bytes(ini.begin(), ini.end()));
    WriteBytes(root / "in" / "zeros.bmp", Bitmap(Bytes(2 << 20, 0)));
    WriteBytes(root / "in" / "pattern.bmp", Bitmap(skinref::RepetitiveBytes(100000, 3)));
    WriteBytes(root / "in" / "FrameTop.bmp", skinref::SkinBitmap(400, 30, 1, 1));
    WriteBytes(root / "in" / "CheckBox.bmp", skinref::SkinBitmap(97, 13, 8, 2));
    WriteBytes(root / "in" / "button.bmp", skinref::SkinBitmap(321, 23, 5, 3));
    ExpectRoundTrip();
    EXPECT_LT(fs::file_size(root / "skin.skn"), fs::file_size(root / "in" / "zeros.bmp") / 20);

    // Order: the description first, then the images by lower-cased name.
    TSkinReader reader;
    TMemoryStream store(ReadBytes(root / "skin.skn"));
    ASSERT_TRUE(reader.Open(store));
    EXPECT_EQ(reader.Names(),
              (std::vector<std::string>{"skin.ini", "button.bmp", "checkbox.bmp", "frametop.bmp",
                                        "pattern.bmp", "zeros.bmp"}));

    ASSERT_EQ(Run({"list", P("skin.skn")}), 0) << err;
    EXPECT_NE(out.find("version 20000, 6 entries"), std::string::npos) << out;
    EXPECT_NE(out.find(std::to_string(ini.size()) + "  skin.ini  (skin description)"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find(std::to_string(2 + (2 << 20)) + "  zeros.bmp\n"), std::string::npos) << out;
}

TEST_F(SkinToolTest, BadFoldersAndArgumentsFail) {
    WriteBytes(root / "in" / "a.bmp", Bitmap({1, 2, 3}));
    const struct {
        const char* what;
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {"no description", {"pack", P("in"), P("o.skn")}, 1, "exactly one skin description"},
        {"no folder", {"pack", P("missing"), P("o.skn")}, 1, "is not a folder"},
        {"too few arguments", {"pack", P("in")}, 2, "usage: skintool pack DIR OUT"},
        {"unknown command", {"inflate", P("in")}, 2, "unknown command"},
        {"no command", {}, 2, "usage:"},
        {"missing store", {"list", P("missing.skn")}, 1, "cannot open"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Run(c.args), c.status);
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
    }
    EXPECT_FALSE(fs::exists(root / "o.skn"));

    WriteBytes(root / "in" / "one.ini", {});
    WriteBytes(root / "in" / "two.ini", {});
    EXPECT_EQ(Run({"pack", P("in"), P("o.skn")}), 1);
    EXPECT_NE(err.find("found 2"), std::string::npos) << err;
    fs::remove(root / "in" / "two.ini");
    WriteBytes(root / "in" / "fake.bmp", {'G', 'I', 'F'});
    EXPECT_EQ(Run({"pack", P("in"), P("o.skn")}), 1);
    EXPECT_NE(err.find("fake.bmp\" is not a BMP file"), std::string::npos) << err;
    fs::remove(root / "in" / "fake.bmp");
    WriteBytes(root / "in" / "notes.txt", {'x'});
    EXPECT_EQ(Run({"pack", P("in"), P("o.skn")}), 0) << err;
    EXPECT_NE(err.find("skipping"), std::string::npos);
}

TEST_F(SkinToolTest, StoresThatCannotBeUsedFailWithTheReason) {
    const auto store = [](const std::vector<TSkinEntry>& entries) {
        return PackSkinStore(BuildSkinArchive(entries));
    };
    const struct {
        const char* what;
        Bytes bytes;
        const char* message;
        bool listable;  // the store opens; only its names are unfit for files
    } cases[] = {
        {"older", PackSkinStore(Bytes{0x1F, 0x4E, 0, 0}), "This is Older Skin File Please update",
         false},
        {"empty", {}, "This is Older Skin File", false},
        {"absurd size", {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}, "LZH : Declared unpacked size", false},
        {"escaping name", store({{"../evil.bmp", {'B', 'M'}}}), "path separator", true},
        {"absolute name", store({{"/tmp/evil.bmp", {'B', 'M'}}}), "path separator", true},
        {"empty name", store({{"ok.bmp", {}}, {"", {'B', 'M'}}}), "it is empty", true},
        {"dot dot", store({{"..", {}}}), "names a folder", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(root / "bad.skn", c.bytes);
        EXPECT_EQ(Run({"unpack", P("bad.skn"), P("out")}), 1);
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_FALSE(fs::exists(root / "out")) << "nothing is written";
        EXPECT_EQ(Run({"list", P("bad.skn")}), c.listable ? 0 : 1);
    }
    EXPECT_FALSE(fs::exists(root.parent_path() / "evil.bmp"));
}

TEST_F(SkinToolTest, DuplicateNamesUnpackTheFirst) {
    WriteBytes(root / "dup.skn",
               PackSkinStore(BuildSkinArchive(std::vector<TSkinEntry>{
                   {"A.bmp", {'B', 'M', '1'}}, {"a.BMP", {'B', 'M', '2'}}, {"s.ini", {}}})));
    ASSERT_EQ(Run({"unpack", P("dup.skn"), P("out")}), 0) << err;
    EXPECT_EQ(ReadBytes(root / "out" / "a.bmp"), (Bytes{'B', 'M', '1'}));
    EXPECT_NE(err.find("skipping a second entry named \"a.bmp\""), std::string::npos) << err;
}

}  // namespace
