// Oracle: any bytes read as a skin description never crash the reader or the value rules, and
// what the reader answers keeps its own promises: section names and values come back trimmed,
// a key asked for twice answers the same, an integer read either parses (the same whatever the
// default) or gives the default, and a colour triple fits in 24 bits or is the default. The
// description's colours and title-bar button sections are read from it as the skin would be.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "skin/quick_ini.h"
#include "skin/skin_parse_rules.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool Trimmed(const std::string& text) {
    return text.empty() || (static_cast<unsigned char>(text.front()) > 0x20 &&
                            static_cast<unsigned char>(text.back()) > 0x20);
}

void CheckValueRules(std::string_view text) {
    const int32_t zero = StrToIntDef(text, 0), one = StrToIntDef(text, 1);
    Check(zero == one || (zero == 0 && one == 1));
    const uint32_t none = 0xFFFFFFFFu;
    const uint32_t colour = ParseColourTriple(text, none);
    Check(colour == none || colour <= 0xFFFFFF);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TQuickIni ini;
    ini.LoadFromText(text);
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    for (const std::string& section : sections) {
        Check(Trimmed(section));
        for (std::string_view key : {"Left", "Image", "FrameCount", "colour", "", "Trans"}) {
            const std::string value = ini.ReadString(section, key, "\x01");
            Check(value == "\x01" || Trimmed(value));
            Check(ini.ReadString(section, key, "\x01") == value);
            const int32_t number = ini.ReadInteger(section, key, -7);
            Check(number == ini.ReadInteger(section, key, -7));
            CheckValueRules(value);
        }
    }
    CheckValueRules(text.substr(0, 64));
    ReadSkinColours(ini);
    TitleBarButtonSections(ini);
    return 0;
}

// A small description in the skin's own dialect, with the forms the reader must take apart.
void PonderixFuzzSeeds(std::vector<std::string>& seeds) {
    seeds.push_back(
        "; comment\r\n[TitlebarSkin]\r\nSkinName=Ponderix\r\n\r\n[Personality]\nLeft=left.bmp\n"
        "LeftTopHeight=26\nLeftTrans=1\nTopFrame=$2\n[Colours]\nButtonFaceColour=213 222 242\n"
        "MenuText=0,0,0\n[SystemButton1]\nImage=close.bmp\nFrameCount=0x3\nAction=0\n"
        "[ SystemButton2 ]\n  Image = max.bmp  \nVisibility=-5\n[systembutton1]\nImage=dup\n");
    seeds.push_back("[a]\rk=v\r[b]\n=\n[]\nx==y\n[c\n]\n");
    seeds.push_back(std::string("[Nul]\nkey=a\0b\n", 14));
}
