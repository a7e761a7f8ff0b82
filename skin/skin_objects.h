#pragma once
// The skin objects: one skinned element each, an image strip of FrameCount equal cells (one per
// drawing state, numbered from 1) with the sizes of its unscaled edges, state values and state
// text colours. TSkinDescription is everything one parse of a skin description builds
// (skin/skin_parse.h); the skin component owns one, and painters only read it. Painters must not
// keep pointers to slot objects or title-bar buttons across a skin change: a parse frees them.
//
// Fields are named after the ini keys that fill them; all start at 0 (colours too) and keep that
// value when a parse does not read them.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "forms/bitmap.h"
#include "forms/colors.h"
#include "forms/owned.h"
#include "skin/skin_parse_rules.h"
#include "skin/skin_slots.h"

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string name = {}) : Name(std::move(name)) {}
    virtual ~TDataSkinObject() = default;
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    int32_t LeftWidth = 0;     // unscaled left part of a cell
    int32_t TopHeight = 0;     // unscaled top part
    int32_t RightWidth = 0;    // unscaled right part
    int32_t BottomHeight = 0;  // unscaled bottom part
    TBitmap Image;             // FrameCount cells side by side; empty: draw the native look
    int32_t Trans = 0;         // non-zero: drawn with the magenta key colour transparent
    int32_t Tile = 0;          // how the middle parts are filled; the painter decides
    std::string Name;          // the section (or stem) read from
    int32_t FrameCount = 0;    // cells in Image
    int32_t Style = 0;         // element-specific drawing style
    int32_t NormalColour = 0;  // state values; -1 when the skin gives none
    int32_t MouseOverColour = 0;
    int32_t PressedColour = 0;
    TColor NormalColour2 = 0;  // text colours of the three states
    TColor MouseOverColour2 = 0;
    TColor PressedColour2 = 0;
};

// The four window-frame borders, Tabs, Progress, ComboButton, UpDownHorz and UpDownVert: a
// second image (Progress: the chunk; ComboButton: the mirrored button; UpDown: the glyphs).
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    TBitmap Image2;
};

// The one Buttons object: push buttons in Image, check boxes and radio buttons in their own
// strips.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    TBitmap CheckImage;
    TBitmap RadioImage;
    int32_t RadioFrameCount = 0;
    int32_t CheckFrameCount = 0;
    // The skin gave a text colour for that state (else the colour is ButtonTextColour).
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// The caption text of skinned windows. The base metrics carry text placement here: LeftWidth is
// TextShift, TopHeight TextShiftVert, RightWidth TextRightClip, BottomHeight 0; Image is the
// TextBack plate.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t TextAlignment = 0;
    int32_t Textbackground = 0;
    int32_t FontHeight = 0;
    int32_t TXTBackleft = 0;
    int32_t TXTBackRight = 0;
    TColor ActiveTextColour = 0;  // clNone when the skin gives none
    TColor InActiveTextColour = 0;
};

// One title-bar button; the painters and the frame skinner interpret the codes.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t Xcoord = 0;
    int32_t Ycoord = 0;
    int32_t CombineOp = 0;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

// The caption plate of group boxes.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int32_t BackgroundLeftShift = 0;
    int32_t BackgroundRightShift = 0;
    int32_t BackgroundAlignment = 0;
};

// What a parse builds. Title, Buttons and the four borders live as long as the description and
// are overwritten by each parse; the title-bar buttons and the element slots are freed and
// rebuilt (a slot stays empty when the skin does not describe that element).
class TSkinDescription : public TSkinColours {
public:
    TSkinDescription() = default;
    TSkinDescription(const TSkinDescription&) = delete;
    TSkinDescription& operator=(const TSkinDescription&) = delete;

    std::string SkinName;
    TDataSkinTitle Title{"Title"};
    TDataSkinButton Buttons{"Buttons"};
    TDataSkinBorder FrameLeft{"Left"};
    TDataSkinBorder FrameRight{"Right"};
    TDataSkinBorder FrameTop{"Top"};
    TDataSkinBorder FrameBottom{"Bottom"};
    // One per title-bar button section, in file order, then the three MDI-child buttons.
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;

    // The element slots (skin/skin_slots.h), each named after its section.
#define PONDERIX_DECLARE_SKIN_SLOT(member, type, ...) std::unique_ptr<type> member;
    PONDERIX_SKIN_SLOTS(PONDERIX_DECLARE_SKIN_SLOT)
#undef PONDERIX_DECLARE_SKIN_SLOT

    // A solid brush of ButtonFaceColour (a system colour resolved when the brush is made);
    // remade by each parse.
    Owned<HBRUSH, &DeleteObject> FaceBrush;
};
