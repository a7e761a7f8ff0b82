#pragma once
// The element slots of a skin: for each one the member of TSkinDescription that holds it, the
// class of its object, the section it is read from, how it is read, the keys of its images and
// its frame count. This one list declares the members (skin/skin_objects.h), drives the parser
// (skin/skin_parse_win.cpp) and the preview sheet of the skin tool, and tells the tests what a
// skin is read into. It is portable so that host code can read it as well.
//
// The slots are listed in the order the parser reads them.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

// How a slot is read from its section.
enum class TSkinSlotReader : uint8_t {
    // The image under imageKey, then the metrics, Tile (a value above 1 kept as 0), Style (not
    // for borders) and the state colours; a border also loads its second image from
    // secondImageKey, a box label reads its background placement.
    Element,
    // As Element; then the second image is the first one mirrored left to right (for
    // right-to-left combo boxes).
    MirroredElement,
    // The progress bar: the image under Bitmap, the chunk under Chunk, Style, the metrics,
    // Trans and Tile (kept as it is); no state colours.
    Progress,
    // The menu bar, kept in the shared section Personality: the strip under menuBar, TileMenu,
    // TileLeftMenu and TileRightMenu.
    MenuBar,
};

struct TSkinSlotInfo {
    std::string_view member;          // the member of TSkinDescription
    std::string_view section;         // the section of the skin description
    TSkinSlotReader reader;           // how the section is read
    std::string_view imageKey;        // key of Image
    std::string_view secondImageKey;  // key of Image2 (borders only); empty: none
    int32_t frameCount;               // cells in Image, the default when frameCountKey is set
    std::string_view frameCountKey;   // the section's key that gives the count; empty: fixed
};

// X(member, class, section, reader, image key, second image key, frame count, frame count key).
// No skin names an image under "****": the combo button's second image is its mirror.
#define PONDERIX_SKIN_SLOTS(X)                                                                    \
    X(Progress, TDataSkinBorder, "Progress", Progress, "Bitmap", "Chunk", 2, "")                  \
    X(MenuBar, TDataSkinObject, "Personality", MenuBar, "menuBar", "", 2, "")                     \
    X(GroupBoxEdge, TDataSkinObject, "GroupBoxEdge", Element, "Image", "", 2, "")                 \
    X(GroupBox, TDataSkinBoxLabel, "GroupBox", Element, "Image", "", 1, "")                       \
    X(Toolbars, TDataSkinObject, "Toolbars", Element, "Image", "", 5, "")                         \
    X(Tabs, TDataSkinBorder, "Tabs", Element, "Image", "Border", 5, "")                           \
    X(StatusBarEdges, TDataSkinObject, "StatusBarEdges", Element, "Image", "", 3, "")             \
    X(ComboButton, TDataSkinBorder, "ComboButton", MirroredElement, "Image", "****", 4, "")       \
    X(SunkEdge, TDataSkinObject, "SunkEdge", Element, "Image", "", 4, "")                         \
    X(ExtraImages, TDataSkinObject, "ExtraImages", Element, "Image", "", 5, "")                   \
    X(Headerbar, TDataSkinObject, "Headerbar", Element, "Image", "", 5, "")                       \
    X(MenuItem, TDataSkinObject, "MenuItem", Element, "Image", "", 5, "")                         \
    X(MenuBackground, TDataSkinObject, "MenuBackground", Element, "Image", "", 1, "")             \
    X(Scrollbar, TDataSkinObject, "Scrollbar", Element, "Image", "", 23, "")                      \
    X(HorzScroll, TDataSkinObject, "HorzScroll", Element, "Image", "", 4, "")                     \
    X(VertScroll, TDataSkinObject, "VertScroll", Element, "Image", "", 4, "")                     \
    X(HorzScrollThumb, TDataSkinObject, "HorzScrollThumb", Element, "Image", "", 3, "FrameCount") \
    X(VertScrollThumb, TDataSkinObject, "VertScrollThumb", Element, "Image", "", 3, "FrameCount") \
    X(TrackbarThumbHorz, TDataSkinObject, "Trackbar.ThumbHorz", Element, "Image", "", 5, "")      \
    X(TrackbarThumbVert, TDataSkinObject, "Trackbar.ThumbVert", Element, "Image", "", 5, "")      \
    X(TrackbarThumbLeft, TDataSkinObject, "Trackbar.ThumbLeft", Element, "Image", "", 5, "")      \
    X(TrackbarThumbRight, TDataSkinObject, "Trackbar.ThumbRight", Element, "Image", "", 5, "")    \
    X(TrackbarThumbUp, TDataSkinObject, "Trackbar.ThumbUp", Element, "Image", "", 5, "")          \
    X(TrackbarThumbDown, TDataSkinObject, "Trackbar.ThumbDown", Element, "Image", "", 5, "")      \
    X(UpDownHorz, TDataSkinBorder, "UpDown.Horz", Element, "Image", "GlyphImage", 8, "")          \
    X(UpDownVert, TDataSkinBorder, "UpDown.Vert", Element, "Image", "GlyphImage", 8, "")

#define PONDERIX_SKIN_SLOT_INFO(member, type, section, reader, image, second, frames, key) \
    TSkinSlotInfo{#member, section, TSkinSlotReader::reader, image, second, frames, key},
inline constexpr TSkinSlotInfo kSkinSlots[] = {PONDERIX_SKIN_SLOTS(PONDERIX_SKIN_SLOT_INFO)};
#undef PONDERIX_SKIN_SLOT_INFO

inline constexpr size_t kSkinSlotCount = std::size(kSkinSlots);

// Calls visit(slot, info) for every slot of a skin description, in the order of kSkinSlots;
// slot is the member itself (a std::unique_ptr of the slot's class).
template <typename Description, typename Visit>
void ForEachSkinSlot(Description& skin, Visit&& visit) {
    size_t index = 0;
#define PONDERIX_VISIT_SKIN_SLOT(member, ...) visit(skin.member, kSkinSlots[index++]);
    PONDERIX_SKIN_SLOTS(PONDERIX_VISIT_SKIN_SLOT)
#undef PONDERIX_VISIT_SKIN_SLOT
}

// What to call a slot for a skin's author: its section, or its member when the section is shared
// with other settings (the menu bar's Personality).
constexpr std::string_view SkinSlotLabel(const TSkinSlotInfo& info) {
    return info.reader == TSkinSlotReader::MenuBar ? info.member : info.section;
}
