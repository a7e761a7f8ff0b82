#pragma once
// TQuickIni: the reader of the skin description, an ini text in single-byte ANSI, kept as bytes.
//
// The dialect, exactly as skins are written:
// - lines end at CR, LF or CR LF; a NUL byte ends the text;
// - each line is trimmed of blanks and control characters (bytes up to 0x20); empty lines and
//   lines starting with ";" are dropped;
// - a line starting with "[" and ending with "]" is a section header; its section runs to the
//   next header, and lines before the first header are never read;
// - section names match ASCII case-insensitively on the whole text between the brackets (inner
//   blanks count); of two sections with one name only the first is found;
// - a key line is key=value, both sides trimmed; keys match after ASCII lower-casing; within a
//   section the first matching line decides, even when its value is empty (the default is used
//   then and later lines are not consulted).
//
// The value-type rules of the skin description (integers, colour triples, RGB key triples, image
// references) are the free functions below.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStream;

class TQuickIni {
public:
    // Reads from the stream's position to its end and rebuilds both lists. A null stream leaves
    // the reader as it was.
    void LoadFromStream(TStream* stream);
    void LoadFromText(std::string_view text);

    // The section names in file order, brackets removed and trimmed; duplicates stay.
    void ReadSections(std::vector<std::string>& list) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // The string by the integer rules, after a leading "0x"/"0X" (with digits after it) has
    // become "$".
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

private:
    struct SectionHeader {
        std::string header;  // as trimmed, brackets included
        size_t line;         // its index in `lines`
    };

    std::vector<std::string> lines;
    std::vector<SectionHeader> sections;
};

// Integer rule: [sign] then decimal digits, or a hexadecimal prefix ("$", "x", "X", "0x", "0X")
// and hexadecimal digits; nothing else, no blanks. Decimal values must fit a signed 32-bit
// integer; hexadecimal ones may use all 32 bits ("$FFFFFFFF" is -1). Anything else gives the
// default.
int32_t StrToIntDef(std::string_view text, int32_t defaultValue);

// Colour triple: red, green and blue as decimal numbers separated by any non-digit characters
// ("213 222 242", "213,222,242"), giving red + green × 256 + blue × 65536, each component
// modulo 256. Each non-digit ends the number being collected and stores it as the next
// component; at the end of the text a pending number is stored only when exactly two
// components are stored already, so "255" alone is black. Components not given are 0, numbers
// after the third are ignored. An empty text gives the default.
uint32_t ParseColourTriple(std::string_view text, uint32_t defaultColour);

// RGB key triple: the integer keys stem+"R", stem+"G", stem+"B" (each -1 when absent); when all
// three are 0 or more, the colour (each component modulo 256), else the preset.
uint32_t ReadRgbKeyTriple(const TQuickIni& ini, std::string_view section, std::string_view stem,
                          uint32_t preset);

// Image reference: the archive entry name to load, i.e. the part after the last "\" or ":", or
// "" when no image is to be loaded (empty name, or an extension other than exactly ".bmp").
std::string ImageEntryName(std::string_view reference);
