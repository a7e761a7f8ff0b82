#include "skin/quick_ini.h"

#include <algorithm>

#include "forms/stream.h"
#include "forms/text.h"

namespace {

// Blanks and control characters: every byte up to the space.
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
    return text;
}

bool IsSectionHeader(std::string_view line) {
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

void TQuickIni::LoadFromStream(TStream* stream) {
    if (stream == nullptr) return;
    std::string text;
    char chunk[4096];
    for (int64_t n; (n = stream->Read(chunk, sizeof chunk)) > 0;) text.append(chunk, size_t(n));
    LoadFromText(text);
}

void TQuickIni::LoadFromText(std::string_view text) {
    lines.clear();
    sections.clear();
    text = text.substr(0, text.find('\0'));  // a NUL ends the text
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(start, end - start));
        // CR LF is one line end; CR CR or LF CR are two.
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        if (line.empty() || line.front() == ';') continue;
        if (IsSectionHeader(line)) sections.push_back({std::string(line), lines.size()});
        lines.emplace_back(line);
    }
}

void TQuickIni::ReadSections(std::vector<std::string>& list) const {
    list.clear();
    for (const SectionHeader& s : sections) {
        list.emplace_back(Trim(std::string_view(s.header).substr(1, s.header.size() - 2)));
    }
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    std::string header = "[";
    header.append(section).append("]");
    const auto found = std::find_if(sections.begin(), sections.end(), [&](const SectionHeader& s) {
        return SameTextAscii(s.header, header);
    });
    if (found == sections.end()) return std::string(defaultValue);

    const std::string wanted = AsciiLowerCase(key);
    for (size_t i = found->line + 1; i < lines.size() && !IsSectionHeader(lines[i]); ++i) {
        const std::string_view line = lines[i];
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;  // no key: never matched
        if (AsciiLowerCase(Trim(line.substr(0, equals))) != wanted) continue;
        // The first matching line decides, even with an empty value.
        const std::string_view value = Trim(line.substr(equals + 1));
        return std::string(value.empty() ? defaultValue : value);
    }
    return std::string(defaultValue);
}

int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key,
                               int32_t defaultValue) const {
    std::string text = ReadString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.replace(0, 2, "$");
    }
    return StrToIntDef(text, defaultValue);
}

int32_t StrToIntDef(std::string_view text, int32_t defaultValue) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        i += 1;
    } else if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X") {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return defaultValue;  // no digits

    const uint64_t base = hex ? 16 : 10;
    // Hexadecimal may fill all 32 bits; decimal must fit the signed range.
    const uint64_t limit = hex ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0 || uint64_t(digit) >= base) return defaultValue;
        value = value * base + uint64_t(digit);
        if (value > limit) return defaultValue;
    }
    uint32_t bits = static_cast<uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
}

uint32_t ParseColourTriple(std::string_view text, uint32_t defaultColour) {
    if (text.empty()) return defaultColour;
    uint32_t components[3] = {0, 0, 0};
    int stored = 0;
    bool collecting = false;
    uint32_t number = 0;  // kept modulo 256, which is all a component keeps
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            number = (number * 10 + uint32_t(c - '0')) % 256;
            collecting = true;
        } else if (collecting) {
            if (stored < 3) components[stored] = number;
            ++stored;
            collecting = false;
            number = 0;
        }
    }
    if (collecting && stored == 2) components[2] = number;
    return components[0] | components[1] << 8 | components[2] << 16;
}

uint32_t ReadRgbKeyTriple(const TQuickIni& ini, std::string_view section, std::string_view stem,
                          uint32_t preset) {
    int32_t rgb[3];
    const char* suffixes[3] = {"R", "G", "B"};
    for (int k = 0; k < 3; ++k) {
        rgb[k] = ini.ReadInteger(section, std::string(stem) + suffixes[k], -1);
        if (rgb[k] < 0) return preset;
    }
    return uint32_t(rgb[0] % 256) | uint32_t(rgb[1] % 256) << 8 | uint32_t(rgb[2] % 256) << 16;
}

std::string ImageEntryName(std::string_view reference) {
    const size_t separator = reference.find_last_of("\\:");
    const std::string_view name =
        separator == std::string_view::npos ? reference : reference.substr(separator + 1);
    const size_t dot = name.rfind('.');
    // Exactly ".bmp": other extensions (.tga, .BMP, none) load no image.
    if (dot == std::string_view::npos || name.substr(dot) != ".bmp") return "";
    return std::string(name);
}
