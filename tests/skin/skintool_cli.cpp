// The built skintool program, run as a user runs it (host build): exit statuses, messages on
// the right stream, and a pack / unpack round trip through real files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_files.h"
#include "tools/reference/skin_inputs.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

using testfiles::ReadText;
using testfiles::WriteBytes;

struct TResult {
    int status;
    std::string out, err;
};

class SkinToolCli : public ::testing::Test {
protected:
    void SetUp() override {
        root = testfiles::NewTempFolder("skintool_cli");
        fs::create_directories(root / "in");
    }
    void TearDown() override { fs::remove_all(root); }

    TResult Run(const std::string& arguments) {
        const std::string command = std::string("'") + SKINTOOL_PATH + "' " + arguments + " >'" +
                                    (root / "stdout").string() + "' 2>'" +
                                    (root / "stderr").string() + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(root / "stdout"),
                ReadText(root / "stderr")};
    }
    std::string Q(const char* name) const { return "'" + (root / name).string() + "'"; }

    fs::path root;
};

TEST_F(SkinToolCli, PacksUnpacksAndListsThroughFiles) {
    const std::string ini = skinref::SkinDescription(20);
    const std::vector<std::pair<std::string, Bytes>> files = {
        {"skin.ini", Bytes(ini.begin(), ini.end())},
        {"frametop.bmp", skinref::SkinBitmap(500, 29, 1, 4)},
        {"sysbuttons.bmp", skinref::SkinBitmap(84, 21, 4, 5)},
    };
    for (const auto& [name, bytes] : files) WriteBytes(root / "in" / name, bytes);

    TResult r = Run("pack " + Q("in") + " " + Q("s.skn"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("packed 3 entries"), std::string::npos) << r.out;
    r = Run("unpack " + Q("s.skn") + " " + Q("out"));
    ASSERT_EQ(r.status, 0) << r.err;
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(ReadText(root / "out" / name), std::string(bytes.begin(), bytes.end())) << name;
    r = Run("list " + Q("s.skn"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("skin.ini  (skin description)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("sysbuttons.bmp"), std::string::npos) << r.out;
}

TEST_F(SkinToolCli, BadInputExitsNonZeroWithAMessageOnStandardError) {
    WriteBytes(root / "junk.skn", skinref::RandomBytes(3, 1));
    const struct {
        std::string arguments;
        int status;
        const char* message;
    } cases[] = {
        {"", 2, "usage:"},
        {"frobnicate", 2, "unknown command"},
        {"list", 2, "usage: skintool list STORE"},
        {"list " + Q("junk.skn"), 1, "Older Skin File"},
        {"unpack " + Q("absent.skn") + " " + Q("out"), 1, "cannot open"},
        {"pack " + Q("in") + " " + Q("o.skn"), 1, "exactly one skin description"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const TResult r = Run(c.arguments);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
