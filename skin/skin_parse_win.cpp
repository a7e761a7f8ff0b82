#include "skin/skin_parse.h"

#include <cstring>
#include <type_traits>

#include "forms/font.h"
#include "forms/stream.h"
#include "skin/bitmap_transform.h"
#include "skin/quick_ini.h"
#include "skin/skin_reader.h"

namespace {

class TSkinParser {
public:
    TSkinParser(TSkinDescription& skin, const TQuickIni& ini, const TSkinReader& reader)
        : skin(skin), ini(ini), reader(reader) {}

    void Run();

private:
    std::string Str(std::string_view section, std::string_view key) const {
        return ini.ReadString(section, key, "");
    }
    int32_t Int(std::string_view section, std::string_view key, int32_t defaultValue) const {
        return ini.ReadInteger(section, key, defaultValue);
    }
    void Load(TBitmap& bitmap, std::string_view reference) const {
        LoadImage(bitmap, reference, reader);
    }

    void ReadFrameBorder(TDataSkinBorder& border) const;
    void ReadSysButtons() const;
    void ReadMdiButtons() const;
    void ReadButtons() const;
    void ReadTitle() const;
    void ReadStateColours(TDataSkinObject& object, std::string_view section) const;
    // Empties the slot and refills it only when its image key has a value (even one naming an
    // image the archive lacks), read the slot's way.
    template <typename T>
    void ReadSlot(std::unique_ptr<T>& slot, const TSkinSlotInfo& info) const;
    void ReadElementValues(TDataSkinObject& object, std::string_view section, bool readStyle) const;
    void ReadProgressValues(TDataSkinObject& object, std::string_view section) const;
    void ReadMenuBarValues(TDataSkinObject& object, std::string_view section) const;
    void CountFrames() const;

    TSkinDescription& skin;
    const TQuickIni& ini;
    const TSkinReader& reader;
};

// Cut columns [left, left + width) of a pf24bit source into target, as a pf24bit image.
void CopyColumns(TBitmap& source, int left, int width, TBitmap& target) {
    if (width <= 0 || left + width > source.Width()) return;
    target.SetPixelFormat(TPixelFormat::pf24bit);
    target.SetSize(width, source.Height());
    const TConstPixelView from = source.Pixels();
    const TPixelView to = target.Pixels();
    for (int y = 0; y < from.height; ++y) {
        std::memcpy(to.Row(y), from.Row(y) + 3 * left, size_t(3 * width));
    }
}

void TSkinParser::Run() {
    skin.SkinName = Str("TitlebarSkin", "SkinName");
    for (TDataSkinBorder* border :
         {&skin.FrameLeft, &skin.FrameRight, &skin.FrameTop, &skin.FrameBottom}) {
        ReadFrameBorder(*border);
    }
    static_cast<TSkinColours&>(skin) = ReadSkinColours(ini);
    ReadSysButtons();
    ReadMdiButtons();
    ReadButtons();
    ReadTitle();
    ForEachSkinSlot(skin, [this](auto& slot, const TSkinSlotInfo& info) { ReadSlot(slot, info); });
    CountFrames();
    // Made from the colour's current value when it refers to a system colour.
    skin.FaceBrush.Reset(CreateSolidBrush(ColorToRGB(skin.ButtonFaceColour)));
}

// All keys of the frame borders are in [Personality], named after the border: Left, LeftTopHeight,
// LeftBotHeight, LeftFrame, LeftStretch, LeftTrans. The side borders have fixed top and bottom
// parts, the top and bottom borders fixed left and right parts.
void TSkinParser::ReadFrameBorder(TDataSkinBorder& border) const {
    const std::string& stem = border.Name;
    Load(border.Image, Str("Personality", stem));
    const int32_t first = Int("Personality", stem + "TopHeight", 0);
    const int32_t last = Int("Personality", stem + "BotHeight", 0);
    const bool side = stem == "Left" || stem == "Right";
    border.LeftWidth = side ? 0 : first;
    border.RightWidth = side ? 0 : last;
    border.TopHeight = side ? first : 0;
    border.BottomHeight = side ? last : 0;
    border.FrameCount = Int("Personality", stem + "Frame", 1);
    border.Tile = Int("Personality", stem + "Stretch", 1);  // kept as it is, 2 included
    border.Trans = Int("Personality", stem + "Trans", 1);
}

void TSkinParser::ReadSysButtons() const {
    skin.SysButtons.clear();
    for (const std::string& section : TitleBarButtonSections(ini)) {
        auto button = std::make_unique<TDataSkinSysButton>(section);
        button->Action = Int(section, "Action", 0);
        button->Align = Int(section, "Align", 0);
        button->Xcoord = Int(section, "Xcoord", 0);
        button->Ycoord = Int(section, "Ycoord", 0);
        button->Visibility = Int(section, "Visibility", 0);
        button->Visibility1 = Int(section, "Visibility1", button->Action == -1 ? -1 : 0);
        button->CombineOp = Int(section, "CombineOp", -1);
        Load(button->Image, Str(section, "ButtonImage"));
        const TSysButtonFrames frames =
            SysButtonFrameCount(Int(section, "frame", 0), button->Action, button->Image.Width(),
                                button->Image.Height());
        button->FrameCount = frames.frameCount;
        if (frames.clearImage) button->Image.SetSize(0, 0);
        skin.SysButtons.push_back(std::move(button));
    }
}

// The minimise, restore and close buttons of a maximised MDI child, cut from one image.
void TSkinParser::ReadMdiButtons() const {
    TDataSkinSysButton* added[kMdiButtonCount];
    for (int k = 0; k < kMdiButtonCount; ++k) {
        auto button = std::make_unique<TDataSkinSysButton>();
        button->Action = 7 + k;
        button->Align = 100;
        button->Visibility = 100;
        button->Visibility1 = 100;
        button->FrameCount = 4;
        added[k] = button.get();
        skin.SysButtons.push_back(std::move(button));
    }
    TBitmap strip;
    Load(strip, Str("MDICONTROLS", "Image"));
    if (strip.Empty()) return;
    strip.SetPixelFormat(TPixelFormat::pf24bit);
    const auto cells = MdiButtonCells(strip.Width());
    for (int k = 0; k < kMdiButtonCount; ++k) {
        CopyColumns(strip, cells[size_t(k)].left, cells[size_t(k)].width, added[k]->Image);
        added[k]->Xcoord = cells[size_t(k)].xcoord;
    }
}

void TSkinParser::ReadButtons() const {
    TDataSkinButton& b = skin.Buttons;
    b.LeftWidth = Int("Buttons", "LeftWidth", 0);
    b.RightWidth = Int("Buttons", "RightWidth", 0);
    b.TopHeight = Int("Buttons", "TopHeight", 0);
    b.BottomHeight = Int("Buttons", "BottomHeight", 0);
    b.Trans = Int("Buttons", "Trans", 0);
    Load(b.Image, Str("Buttons", "Bitmap"));
    b.Tile = Int("Buttons", "Tile", 0);  // kept as it is
    Load(b.CheckImage, Str("Buttons", "CheckButton"));
    Load(b.RadioImage, Str("Buttons", "RadioButton"));
    b.RadioFrameCount = Int("Buttons", "RadioButtonFrame", 0);
    b.CheckFrameCount = Int("Buttons", "CheckButtonFrame", 0);
    b.HasNormalColour2 = !Str("Buttons", "NormalColour2").empty();
    b.HasMouseOverColour2 = !Str("Buttons", "MouseOverColour2").empty();
    b.HasPressedColour2 = !Str("Buttons", "PressedColour2").empty();
    ReadStateColours(b, "Buttons");
}

void TSkinParser::ReadTitle() const {
    TDataSkinTitle& t = skin.Title;
    Load(t.Image, Str("Personality", "TextBack"));
    t.LeftWidth = Int("Personality", "TextShift", 0);
    t.TopHeight = Int("Personality", "TextShiftVert", 0);
    t.RightWidth = Int("Personality", "TextRightClip", 0);
    t.BottomHeight = 0;
    t.TextAlignment = Int("Personality", "TextAlignment", 0);
    t.Textbackground = Int("Personality", "Textbackground", 0);
    t.FontHeight = Int("Fonts", "FontHeight", 14);
    t.TXTBackleft = Int("Personality", "TXTBackleft", 0);
    t.TXTBackRight = Int("Personality", "TXTBackRight", 0);
    t.ActiveTextColour = static_cast<TColor>(
        ReadRgbKeyTriple(ini, "Personality", "ActiveText", static_cast<uint32_t>(clNone)));
    t.InActiveTextColour = static_cast<TColor>(
        ReadRgbKeyTriple(ini, "Personality", "InActiveText", static_cast<uint32_t>(clNone)));
}

void TSkinParser::ReadStateColours(TDataSkinObject& object, std::string_view section) const {
    object.NormalColour = Int(section, "NormalColour", -1);
    object.MouseOverColour = Int(section, "MouseOverColour", -1);
    object.PressedColour = Int(section, "PressedColour", -1);
    object.NormalColour2 = ParseColour(Str(section, "NormalColour2"), skin.ButtonTextColour);
    object.MouseOverColour2 = ParseColour(Str(section, "MouseOverColour2"), skin.ButtonTextColour);
    object.PressedColour2 = ParseColour(Str(section, "PressedColour2"), skin.ButtonTextColour);
}

template <typename T>
void TSkinParser::ReadSlot(std::unique_ptr<T>& slot, const TSkinSlotInfo& info) const {
    // A skin without an element must not keep the previous skin's one.
    slot.reset();
    const std::string image = Str(info.section, info.imageKey);
    if (image.empty()) return;
    auto element = std::make_unique<T>(std::string(info.section));
    Load(element->Image, image);
    constexpr bool border = std::is_same_v<T, TDataSkinBorder>;
    if constexpr (border) {
        if (!info.secondImageKey.empty()) {
            if (const std::string second = Str(info.section, info.secondImageKey);
                !second.empty()) {
                Load(element->Image2, second);
            }
        }
        if (info.reader == TSkinSlotReader::MirroredElement && !element->Image.Empty()) {
            element->Image2.Assign(element->Image);
            element->Image2.SetPixelFormat(TPixelFormat::pf24bit);
            MirrorBitmap(element->Image2.Pixels());
        }
    }
    switch (info.reader) {
        case TSkinSlotReader::Element:
        case TSkinSlotReader::MirroredElement:
            // The combo button's Style picks its look (1: the simple one), so it is read
            // there although the other border elements ignore Style.
            ReadElementValues(*element, info.section,
                              !border || info.reader == TSkinSlotReader::MirroredElement);
            if constexpr (std::is_same_v<T, TDataSkinBoxLabel>) {
                element->BackgroundAlignment = Int(info.section, "BackgroundAlignment", 0);
                element->BackgroundLeftShift = Int(info.section, "BackgroundLeftShift", 0);
                element->BackgroundRightShift = Int(info.section, "BackgroundRightShift", 0);
            }
            break;
        case TSkinSlotReader::Progress: ReadProgressValues(*element, info.section); break;
        case TSkinSlotReader::MenuBar: ReadMenuBarValues(*element, info.section); break;
    }
    slot = std::move(element);
}

// Plain and box-label elements and the combo button read a Style; other borders do not.
void TSkinParser::ReadElementValues(TDataSkinObject& object, std::string_view section,
                                    bool readStyle) const {
    if (readStyle) object.Style = Int(section, "Style", 0);
    object.LeftWidth = Int(section, "LeftWidth", 0);
    object.RightWidth = Int(section, "RightWidth", 0);
    object.TopHeight = Int(section, "TopHeight", 0);
    object.BottomHeight = Int(section, "BottomHeight", 0);
    object.Trans = Int(section, "Trans", 0);
    object.Tile = PlainElementTile(Int(section, "Tile", 0));
    ReadStateColours(object, section);
}

// The state colours are not read and stay 0.
void TSkinParser::ReadProgressValues(TDataSkinObject& object, std::string_view section) const {
    object.Style = Int(section, "Style", 0);
    object.LeftWidth = Int(section, "LeftWidth", 0);
    object.RightWidth = Int(section, "RightWidth", 0);
    object.TopHeight = Int(section, "TopHeight", 0);
    object.BottomHeight = Int(section, "BottomHeight", 0);
    object.Trans = Int(section, "Trans", 0);
    object.Tile = Int(section, "Tile", 0);  // kept as it is, 2 included
}

// The menu bar strip lives in [Personality], beside the window's other settings.
void TSkinParser::ReadMenuBarValues(TDataSkinObject& object, std::string_view section) const {
    object.Tile = Int(section, "TileMenu", 0);
    object.LeftWidth = Int(section, "TileLeftMenu", 1);
    object.RightWidth = Int(section, "TileRightMenu", 1);
}

// Cells per image: fixed by the element for most, read for the scroll thumbs, computed from the
// strips for check boxes and radio buttons. Frame borders and title-bar buttons keep the counts
// they were read with.
void TSkinParser::CountFrames() const {
    TDataSkinButton& b = skin.Buttons;
    b.FrameCount = 5;
    b.RadioFrameCount =
        ChoiceFrameCount(b.RadioFrameCount, b.RadioImage.Width(), b.RadioImage.Height());
    b.CheckFrameCount =
        ChoiceFrameCount(b.CheckFrameCount, b.CheckImage.Width(), b.CheckImage.Height());
    skin.Title.FrameCount = 2;

    ForEachSkinSlot(skin, [this](auto& slot, const TSkinSlotInfo& info) {
        if (!slot) return;
        slot->FrameCount = info.frameCountKey.empty()
                               ? info.frameCount
                               : Int(info.section, info.frameCountKey, info.frameCount);
    });
}

}  // namespace

void LoadImage(TBitmap& bitmap, std::string_view reference, const TSkinReader& reader) {
    TMemoryStream entry;
    if (ReadImageEntry(reader, reference, entry)) {
        bitmap.LoadFromStream(entry);
    } else {
        bitmap.SetSize(0, 0);
    }
}

void ParseSkin(TSkinDescription& skin, const TQuickIni& ini, const TSkinReader& reader) {
    TSkinParser(skin, ini, reader).Run();
}
