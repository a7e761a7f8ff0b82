#pragma once
// The kinds of control a skin component can be told to skin (its SkinControls set), apart from
// the component so that the portable classification rules can name them.

#include <cstdint>

enum TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcSystemMenu,
    xcFastReport
};
using TSkinControlTypes = uint32_t;  // bit n for TSkinControlType n

constexpr bool HasSkinControl(TSkinControlTypes set, TSkinControlType kind) {
    return (set >> kind) & 1u;
}
