#pragma once
// The classification's decisions as pure functions: which control skinner a component or a bare
// child window gets, and how it is attached, from what can be read off it (class name and
// ancestry, style, tag) and the skin's settings. The frame skinner's classification (Win32)
// carries the decisions out.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/skin_control_types.h"

enum class TSkinnerKind {
    None,
    Button,
    BitButton,
    SpeedButton,
    CheckBox,
    RadioButton,
    ComBox,
    Edit,
    StatusBar,
    Box,
    GroupBox,
    UpDown,
    Tab,
    Tab31,
    Progress,
    TrackBar,
    Sizer,
    ScControl,
    Header,
    Scrollbar,
    ListView,
};

enum class THookKind { None, HookControl, HookWindow, HookScrollControl, Graphic };

// What to do with one component.
struct TClassifyAction {
    int row = 0;  // the class table's row that decided; 0 for none (or a Skin3rd line)
    TSkinnerKind skinner = TSkinnerKind::None;
    THookKind hook = THookKind::None;
    bool recolour = false;
    int scrollMode = 0;
    bool classifyOwned = false;     // SkinComponents on the component afterwards
    bool setFlat = false;           // its published "Flat" := True first
    bool setTransparent = false;    // its published "Transparent" := True first
    bool gridFixedColour = false;   // the grid's FixedColor := the skin's face colour
    bool timePickerIsEdit = false;  // a picker of kind time gets TSkinEdit instead
    TSkinnerKind childSkinner = TSkinnerKind::None;  // every child control first gets this
    bool parentOnlyWithGroupBox = false;             // the group box part needs xcGroupBox
    bool sizeGripOff = false;  // the status bar's own size grip is switched off first
};

// What the class rows test, read off the component.
struct TComponentFacts {
    std::string upperName;                      // the upper-cased class name
    std::function<bool(std::string_view)> isA;  // of that class or derived from it
    bool windowed = false;
    bool needsScrollSkin = false;
};

struct TSkinFacts {
    TSkinControlTypes controls = 0;
    bool hasTabs = false;  // the skin has a Tabs element
};

// Whether a component's Tag exempts it: the remainder keeps the sign (-199 gives -99).
constexpr bool TagDisables(intptr_t tag, int disableTag) { return tag % 100 == disableTag; }

// The upper-cased class names that are never skinned, whatever the rows say.
bool NeverSkinnedClass(std::string_view upperName);

// The Skin3rd mapping of a class: no value when no line names it; a kind, lower-cased, at most
// 50 characters, from the first line that begins (case-insensitively) with the class name and "=".
std::optional<std::wstring> Skin3rdKind(const std::vector<std::wstring>& lines,
                                        std::string_view className);
// The action for a Skin3rd kind; None (handled, nothing attached) for "nil", an unknown kind or a
// closed gate.
TClassifyAction Skin3rdAction(const std::wstring& kind, const TSkinFacts& skin);

// The first class-table row whose test and gate hold; row 0 when none does.
TClassifyAction ClassifyByClass(const TComponentFacts& component, const TSkinFacts& skin);

// Whether a windowed control gets the scroll bar skinner.
bool NeedsScrollSkinRule(bool windowed, uint32_t style, intptr_t tag,
                         const std::function<bool(std::string_view)>& isA);

// The skinner for a bare child window by its lower-cased class name and style.
enum class TWindowSkinner {
    None,
    CheckBox,
    RadioButton,
    Button,
    ComBox,
    ComBoxChild,
    Sizer,
    Tab,
    Edit
};
TWindowSkinner ClassifyWindowClass(const std::wstring& lowerClass, uint32_t style, bool hasChild);
