#include "skin/controls/classification_rules.h"

#include <algorithm>
#include <cwctype>

namespace {

bool Gate(const TSkinFacts& skin, TSkinControlType kind) {
    return HasSkinControl(skin.controls, kind);
}
bool TabsGate(const TSkinFacts& skin) { return Gate(skin, xcTab) && skin.hasTabs; }

TClassifyAction Attach(int row, TSkinnerKind skinner, THookKind hook, bool recolour = false) {
    TClassifyAction a;
    a.row = row;
    a.skinner = skinner;
    a.hook = hook;
    a.recolour = recolour;
    return a;
}
TClassifyAction Scroll(int row, TSkinnerKind skinner, int mode) {
    TClassifyAction a = Attach(row, skinner, THookKind::HookScrollControl);
    a.scrollMode = mode;
    return a;
}
TClassifyAction Decided(int row) { return Attach(row, TSkinnerKind::None, THookKind::None); }

}  // namespace

bool NeverSkinnedClass(std::string_view upperName) {
    return upperName == "TDBCOMBOBOXEH" || upperName == "TQRPREVIEW" ||
           upperName == "TFRDESIGNERPAGE" || upperName == "TFRPBOX";
}

std::optional<std::wstring> Skin3rdKind(const std::vector<std::wstring>& lines,
                                        std::string_view className) {
    // Runs for every component of every form a frame skinner attaches to, against every line:
    // a line is folded only as far as it matches, and only the matching one is copied.
    const auto folded = [](wchar_t c) {
        return c < 0x80 ? static_cast<wchar_t>(c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c)
                        : static_cast<wchar_t>(std::towlower(c));
    };
    const auto beginsWithKey = [&](const std::wstring& line) {
        if (line.size() <= className.size() || line[className.size()] != L'=') return false;
        for (size_t i = 0; i < className.size(); ++i)
            if (folded(line[i]) != folded(static_cast<unsigned char>(className[i]))) return false;
        return true;
    };
    for (const std::wstring& line : lines) {
        if (!beginsWithKey(line)) continue;
        std::wstring kind = line.substr(className.size() + 1, 50);
        for (wchar_t& c : kind) c = folded(c);
        return kind;
    }
    return std::nullopt;
}

TClassifyAction Skin3rdAction(const std::wstring& kind, const TSkinFacts& skin) {
    using K = TSkinnerKind;
    using H = THookKind;
    TClassifyAction none;
    if (kind == L"combobox" && Gate(skin, xcCombo)) return Attach(0, K::ComBox, H::HookControl);
    if (kind == L"edit" && Gate(skin, xcEdit)) return Attach(0, K::Edit, H::HookWindow);
    if (kind == L"radiobutton" && Gate(skin, xcRadioButton))
        return Attach(0, K::RadioButton, H::HookControl);
    if (kind == L"panel" && Gate(skin, xcPanel)) {
        TClassifyAction a = Attach(0, K::Box, H::HookControl, true);
        a.setTransparent = true;
        return a;
    }
    if (kind == L"trackbar" && Gate(skin, xcButton)) {
        TClassifyAction a = Attach(0, K::TrackBar, H::HookControl);
        a.setTransparent = true;
        return a;
    }
    if (kind == L"button" && Gate(skin, xcButton)) return Attach(0, K::Button, H::HookControl);
    if (kind == L"bitbtn" && Gate(skin, xcButton)) return Attach(0, K::BitButton, H::HookControl);
    if (kind == L"tab" && TabsGate(skin)) return Attach(0, K::Tab, H::HookWindow);
    if (kind == L"progress" && Gate(skin, xcProgress))
        return Attach(0, K::Progress, H::HookControl);
    if (kind == L"scrollbar" && Gate(skin, xcScrollbar)) {
        TClassifyAction a = Scroll(0, K::Scrollbar, 1);
        a.classifyOwned = true;
        return a;
    }
    if (kind == L"groupbox" && Gate(skin, xcGroupBox))
        return Attach(0, K::GroupBox, H::HookControl, true);
    if (kind == L"radiogroup" && Gate(skin, xcGroupBox)) {
        TClassifyAction a = Attach(0, K::GroupBox, H::HookControl, true);
        if (Gate(skin, xcRadioButton)) a.childSkinner = K::RadioButton;
        return a;
    }
    if (kind == L"checkgroup" && Gate(skin, xcPanel)) {
        TClassifyAction a;
        if (Gate(skin, xcRadioButton)) a.childSkinner = K::CheckBox;
        if (Gate(skin, xcGroupBox)) {
            a.skinner = K::GroupBox;
            a.hook = H::HookControl;
            a.recolour = true;
        }
        return a;
    }
    if (kind == L"checkbox" && Gate(skin, xcCheckBox))
        return Attach(0, K::CheckBox, H::HookControl);
    return none;
}

TClassifyAction ClassifyByClass(const TComponentFacts& c, const TSkinFacts& skin) {
    using K = TSkinnerKind;
    using H = THookKind;
    const std::string& n = c.upperName;
    const auto isA = [&](std::string_view name) { return c.isA && c.isA(name); };
    if (isA("TTabControl") && TabsGate(skin)) return Attach(1, K::Tab, H::HookWindow);
    if ((isA("TMenu") || isA("TMenuItem")) && Gate(skin, xcMainMenu)) return Decided(2);
    if (n == "TTABSET" && TabsGate(skin)) return Attach(3, K::Tab31, H::HookControl);
    if (n == "TTABBEDNOTEBOOK" && TabsGate(skin)) return Attach(4, K::Tab, H::HookWindow);
    if (n == "TMVCPANEL") {
        TClassifyAction a = Decided(5);
        a.classifyOwned = true;
        return a;
    }
    if (isA("TPageControl") && TabsGate(skin)) return Attach(6, K::Tab, H::HookWindow);
    if (isA("TCheckBox") && Gate(skin, xcCheckBox)) return Attach(7, K::CheckBox, H::HookControl);
    if (n == "TTRACKBAR" && Gate(skin, xcButton)) return Attach(8, K::TrackBar, H::HookControl);
    if (n == "TUPDOWN" && Gate(skin, xcButton)) return Attach(9, K::UpDown, H::HookControl);
    if (isA("TCustomRadioGroup") && Gate(skin, xcRadioButton)) {
        TClassifyAction a = Attach(10, K::GroupBox, H::HookControl, true);
        a.childSkinner = K::RadioButton;
        return a;
    }
    if (n == "TDBNAVIGATOR" && Gate(skin, xcPanel)) {
        TClassifyAction a = Attach(11, K::Box, H::HookControl, true);
        a.setFlat = true;
        return a;
    }
    if (isA("TCustomGroupBox") && Gate(skin, xcPanel)) {
        TClassifyAction a = Attach(12, K::GroupBox, H::HookControl, true);
        a.classifyOwned = true;
        return a;
    }
    if (isA("TRadioButton") && Gate(skin, xcRadioButton))
        return Attach(13, K::RadioButton, H::HookControl);
    if (isA("TToolBar") && Gate(skin, xcToolbar)) {
        TClassifyAction a = Attach(14, K::Box, H::HookControl, true);
        a.setFlat = a.setTransparent = true;
        return a;
    }
    if (isA("TStatusBar") && Gate(skin, xcStatusBar)) {
        TClassifyAction a = Attach(15, K::StatusBar, H::HookControl);
        a.sizeGripOff = true;
        return a;
    }
    if (isA("TProgressBar") && Gate(skin, xcProgress))
        return Attach(16, K::Progress, H::HookControl);
    if (isA("TScrollBar") && Gate(skin, xcScrollbar))
        return Attach(17, K::ScControl, H::HookControl);
    if (isA("TCustomComboBox") && Gate(skin, xcCombo)) return Attach(18, K::ComBox, H::HookControl);
    if (n == "TDATETIMEPICKER" && Gate(skin, xcEdit)) {
        TClassifyAction a = Attach(19, K::ComBox, H::HookControl);
        a.timePickerIsEdit = true;
        return a;
    }
    if (n == "TRICHEDIT" && Gate(skin, xcScrollbar)) return Scroll(20, K::Scrollbar, 1);
    if ((n == "TWWDBRICHEDIT" || n == "TDXDBMEMO") && Gate(skin, xcScrollbar))
        return Scroll(21, K::Scrollbar, 1);
    if (isA("TBitBtn")) {
        // Without xcBitBtn a bitmap button stays unskinned: the push-button row is not tried.
        return Gate(skin, xcBitBtn) ? Attach(22, K::BitButton, H::HookControl) : Decided(22);
    }
    if (isA("TSpeedButton") && Gate(skin, xcSpeedButton))
        return Attach(23, K::SpeedButton, H::Graphic);
    if (isA("TCustomPanel") && Gate(skin, xcPanel)) {
        TClassifyAction a = Attach(24, K::Box, H::HookControl, true);
        a.classifyOwned = true;
        return a;
    }
    if ((n == "TDXTREELIST" || n == "TDXDBTREELIST" || n == "TDXDBGRID") && Gate(skin, xcScrollbar))
        return Scroll(25, K::Scrollbar, 0);
    if (isA("TCustomListView") && Gate(skin, xcScrollbar)) return Scroll(26, K::ListView, 0);
    if (isA("TCustomMemo") && Gate(skin, xcScrollbar)) return Scroll(27, K::Scrollbar, 1);
    if (isA("TCustomGrid") && Gate(skin, xcScrollbar)) {
        TClassifyAction a = Scroll(28, K::Scrollbar, 1);
        a.gridFixedColour = true;
        return a;
    }
    if (c.needsScrollSkin && Gate(skin, xcScrollbar)) return Scroll(29, K::Scrollbar, 1);
    if (isA("TButton") && Gate(skin, xcButton)) return Attach(30, K::Button, H::HookControl);
    if (isA("TCustomEdit") && Gate(skin, xcEdit)) return Attach(31, K::Edit, H::HookWindow);
    if (isA("TScrollBox")) {
        TClassifyAction a = Decided(32);
        a.classifyOwned = true;
        return a;
    }
    if (isA("TCustomForm")) {
        TClassifyAction a = Attach(33, K::Box, H::HookControl, true);
        a.classifyOwned = true;
        return a;
    }
    return {};
}

bool NeedsScrollSkinRule(bool windowed, uint32_t style, intptr_t tag,
                         const std::function<bool(std::string_view)>& isA) {
    constexpr uint32_t kScrollStyles = 0x00100000u | 0x00200000u;  // WS_HSCROLL | WS_VSCROLL
    if (!windowed) return false;
    return (style & kScrollStyles) != 0 || isA("TMemo") || tag == 55 || isA("TCustomListBox");
}

TWindowSkinner ClassifyWindowClass(const std::wstring& cls, uint32_t style, bool hasChild) {
    const auto has = [style](uint32_t bits) { return (style & bits) == bits; };
    if (cls == L"button") {
        if (has(7)) return TWindowSkinner::None;  // group box
        if (has(3) || has(2) || has(5)) return TWindowSkinner::CheckBox;
        if (has(9) || has(4)) return TWindowSkinner::RadioButton;
        return TWindowSkinner::Button;
    }
    if (cls == L"combobox") return (style & 3) == 1 ? TWindowSkinner::None : TWindowSkinner::ComBox;
    if (cls == L"comboboxex32")
        return hasChild ? TWindowSkinner::ComBoxChild : TWindowSkinner::None;
    if (cls == L"scrollbar") return TWindowSkinner::Sizer;
    if (cls == L"systabcontrol32")
        return (style & 0x2000) ? TWindowSkinner::None : TWindowSkinner::Tab;  // TCS_OWNERDRAWFIXED
    if (cls == L"edit") return TWindowSkinner::Edit;
    return TWindowSkinner::None;
}
