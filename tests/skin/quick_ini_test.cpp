#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/stream.h"
#include "skin/quick_ini.h"

namespace {

TQuickIni Ini(std::string_view text) {
    TQuickIni ini;
    ini.LoadFromText(text);
    return ini;
}

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

}  // namespace

TEST(QuickIni, LinesSectionsAndKeysFollowTheDialect) {
    using namespace std::literals;
    const TQuickIni ini =
        Ini("Orphan=before any header\r\n"
            "[Buttons]\r\n"
            "  LeftWidth = 4 \t\r\n"
            "; comment=1\r"
            "Trans=\n"
            "trans=1\n"
            "Image=Folder\\Buttons.bmp\n"
            "Equation=a=b\n"
            "NoEquals\n"
            "\n\r\n\r\r"
            "[ Buttons ]\n"
            "LeftWidth=99\n"
            "[BUTTONS]\n"
            "TopHeight=7\n"
            "[Colours]\x01\n"
            "  \t Menu=1 2 3\n"
            "[Last]\n"
            "Key=value\0[Hidden]\nKey=x\n"sv);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Buttons", "LeftWidth", "4"},
        {"buttons", "LEFTWIDTH", "4"},
        {"Buttons", "Trans", "default"},  // first match is empty: default, not "1"
        {"Buttons", "Image", "Folder\\Buttons.bmp"},
        {"Buttons", "Equation", "a=b"},
        {"Buttons", "NoEquals", "default"},
        {"Buttons", "comment", "default"},
        {"Buttons", "TopHeight", "default"},
        {" Buttons ", "LeftWidth", "99"},  // inner blanks name another section
        {"Colours", "Menu", "1 2 3"},
        {"Last", "Key", "value"},
        {"Hidden", "Key", "default"},  // after the NUL
        {"Orphan", "Orphan", "default"},
        {"Missing", "Key", "default"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.expected)
            << c.section << "/" << c.key;
    }
    std::vector<std::string> names{"stale"};
    ini.ReadSections(names);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Buttons", "Buttons", "BUTTONS", "Colours", "Last"}));
}

TEST(QuickIni, LoadsFromTheStreamPositionAndReplacesEverything) {
    TQuickIni ini = Ini("[Old]\nKey=1\n");
    const std::string text = "junk[New]\nKey=2\n";
    TMemoryStream stream(std::vector<uint8_t>(text.begin(), text.end()));
    stream.SetPosition(4);
    ini.LoadFromStream(&stream);
    EXPECT_EQ(ini.ReadString("New", "Key", ""), "2");
    EXPECT_EQ(ini.ReadString("Old", "Key", "gone"), "gone");
    ini.LoadFromStream(nullptr);
    EXPECT_EQ(ini.ReadString("New", "Key", ""), "2");
    EXPECT_EQ(TQuickIni().ReadString("New", "Key", "empty"), "empty");
}

TEST(QuickIni, IntegersFollowTheIntegerRules) {
    struct Case {
        const char* value;
        int32_t expected;
    };
    const Case cases[] = {
        {"26", 26},
        {"0x1A", 26},
        {"0X1a", 26},
        {"$1A", 26},
        {"x1A", 26},
        {"X1a", 26},
        {"-0x10", -16},
        {"+7", 7},
        {"-5", -5},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", -999},
        {"$FFFFFFFF", -1},
        {"$100000000", -999},
        {"99999999999", -999},
        {"0x", -999},
        {"$", -999},
        {"-", -999},
        {"1.5", -999},
        {"12a", -999},
        {"0x-1", -999},
        {"--1", -999},
        {"1 2", -999},
        {"$G", -999},
        {"", -999},
    };
    for (const Case& c : cases) {
        const TQuickIni ini = Ini(std::string("[S]\nK=") + c.value + "\n");
        EXPECT_EQ(ini.ReadInteger("S", "K", -999), c.expected) << c.value;
    }
}

TEST(QuickIni, ColourTriplesCollectDigitRuns) {
    struct Case {
        const char* text;
        uint32_t expected;
    };
    const Case cases[] = {
        {"59 97 131", Rgb(59, 97, 131)},
        {"213,222,242", Rgb(213, 222, 242)},
        {"255", Rgb(0, 0, 0)},       // a lone pending number is not stored
        {"10 20", Rgb(10, 0, 0)},    // nor is the second one at the end
        {"10 20 ", Rgb(10, 20, 0)},  // (the reader trims, so only as a direct argument)
        {"1 2 3 4 5", Rgb(1, 2, 3)},
        {"256 257 -1", Rgb(0, 1, 1)},  // minus signs separate; components modulo 256
        {"1.5 2", Rgb(1, 5, 2)},       // and so do points
        {"1 2 99999999999999999999", Rgb(1, 2, 255)},  // (10^20 - 1) mod 256
        {"abc", Rgb(0, 0, 0)},
        {"", 0x12345678},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseColourTriple(c.text, 0x12345678), c.expected) << c.text;
}

TEST(QuickIni, RgbKeyTriplesNeedAllThreeKeys) {
    const TQuickIni ini =
        Ini("[Personality]\n"
            "ActiveTextR=300\nActiveTextG=0x10\nActiveTextB=0\n"
            "InActiveTextR=1\nInActiveTextG=2\n"
            "OtherR=1\nOtherG=-2\nOtherB=3\n");
    EXPECT_EQ(ReadRgbKeyTriple(ini, "Personality", "ActiveText", 0x1FFFFFFF), Rgb(44, 16, 0));
    EXPECT_EQ(ReadRgbKeyTriple(ini, "Personality", "InActiveText", 0x1FFFFFFF), 0x1FFFFFFFu);
    EXPECT_EQ(ReadRgbKeyTriple(ini, "Personality", "Other", 0x1FFFFFFF), 0x1FFFFFFFu);
}

TEST(QuickIni, ImageReferencesKeepTheNameOfLowerCaseBmpFiles) {
    struct Case {
        const char* reference;
        const char* entry;
    };
    const Case cases[] = {
        {"Folder\\Foo.bmp", "Foo.bmp"},
        {"C:foo.bmp", "foo.bmp"},
        {"C:\\a\\b\\c.bmp", "c.bmp"},
        {"foo.bmp", "foo.bmp"},
        {"a/b.bmp", "a/b.bmp"},
        {"x.tar.bmp", "x.tar.bmp"},
        {"foo.tga", ""},
        {"FOO.BMP", ""},
        {"foo.Bmp", ""},
        {"foo", ""},
        {"", ""},
        {"dir.bmp\\foo", ""},
        {"foo.bmp.tga", ""},
        {"folder\\", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ImageEntryName(c.reference), c.entry) << c.reference;
}
