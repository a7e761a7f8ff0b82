#include "skin/skin_parse_rules.h"

#include <algorithm>

#include "forms/stream.h"
#include "skin/quick_ini.h"
#include "skin/skin_reader.h"

namespace {

std::string AsciiUpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace

TColor ParseColour(std::string_view text, TColor defaultColour) {
    return static_cast<TColor>(ParseColourTriple(text, static_cast<uint32_t>(defaultColour)));
}

TSkinColours ReadSkinColours(const TQuickIni& ini) {
    TSkinColours c;
    const auto read = [&ini](const char* key, TColor defaultColour) {
        return ParseColour(ini.ReadString("Colours", key, ""), defaultColour);
    };
    // The order matters: Menubar defaults to the ButtonFace value read just before it.
    c.WindowTextColour = read("WindowText", clWindowText);
    c.ButtonFaceColour = read("ButtonFace", clBtnFace);
    c.ScrollbarColour = read("Scrollbar", clScrollBar);
    c.HilightTextColour = read("HilightText", clHighlightText);
    c.HilightColour = read("Hilight", clHighlight);
    c.MenubarColour = read("Menubar", c.ButtonFaceColour);
    c.MenuColour = read("Menu", clMenu);
    c.MenuTextColour = read("MenuText", clMenuText);
    c.ButtonTextColour = read("ButtonText", clBtnText);
    c.ButtonHilightColour = read("ButtonHilight", clBtnHighlight);
    c.ButtonlightColour = read("Buttonlight", clBtnHighlight);
    c.ButtonShadowColour = read("ButtonShadow", clBtnShadow);
    c.ButtonDkShadowColour = read("ButtonDkShadow", cl3DDkShadow);
    c.MenuBarTextColour = read("MenuBarText", clMenuText);
    c.TitleTextActiveColour = read("TitleTextActive", clCaptionText);
    c.TitleTextNoActiveColour = read("TitleTextNoActive", SystemColor(19));
    return c;
}

std::vector<std::string> TitleBarButtonSections(const TQuickIni& ini) {
    std::vector<std::string> names;
    ini.ReadSections(names);
    std::vector<std::string> kept;
    for (const std::string& name : names) {
        std::string upper = AsciiUpperCase(name);
        if (!upper.starts_with("BUTTON")) continue;
        if (upper == "BUTTON" || upper == "BUTTONS" || upper == "BUTTON.RADIO" ||
            upper == "BUTTON.CHECKBOX") {
            continue;
        }
        // Action -1 marks a button that is shown only where Visibility 0 asks for it.
        if (ini.ReadInteger(upper, "Action", 0) == -1 &&
            ini.ReadInteger(upper, "Visibility", -1) != 0) {
            continue;
        }
        kept.push_back(std::move(upper));
    }
    return kept;
}

TSysButtonFrames SysButtonFrameCount(int32_t frameKey, int32_t action, int imageWidth,
                                     int imageHeight) {
    if (frameKey != 0) return {frameKey, false};
    TSysButtonFrames result{6, false};
    if (imageWidth > 0 && imageHeight > 0) {
        // Three states (normal, pressed, hot) in a wide strip, or six with the inactive ones.
        result.frameCount = double(imageWidth) / double(imageHeight) <= 3.8 ? 3 : 6;
    }
    if (action < 0) result.frameCount = 6;
    result.clearImage = action == 3 || action == 11;
    return result;
}

std::array<TMdiButtonCell, kMdiButtonCount> MdiButtonCells(int imageWidth) {
    const int cell = std::max(imageWidth, 0) / 12;
    std::array<TMdiButtonCell, kMdiButtonCount> cells;
    for (int k = 0; k < kMdiButtonCount; ++k) {
        cells[size_t(k)] = {4 * cell * k, 4 * cell, (cell + 4) * (3 - k)};
    }
    return cells;
}

int32_t ChoiceFrameCount(int32_t declared, int imageWidth, int imageHeight) {
    if (declared != 0) return declared;
    const int cellWidth = imageHeight < 16 ? 13 : 16;
    return std::max(std::max(imageWidth, 0) / cellWidth, 4);
}

int32_t PlainElementTile(int32_t tile) { return tile > 1 ? 0 : tile; }

bool ReadImageEntry(const TSkinReader& reader, std::string_view reference, TMemoryStream& target) {
    target.Clear();
    const std::string name = ImageEntryName(reference);
    if (name.empty()) return false;
    reader.GetEntry(name, target);
    return !target.Bytes().empty();
}
