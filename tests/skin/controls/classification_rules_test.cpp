// The classification's decisions, as tables: the tag rule, the Skin3rd lines and kinds, the
// class rows with their gates, the scroll bar rule and the bare-window classes.
#include "skin/controls/classification_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr TSkinControlTypes kAll = 0x3FFFF;
constexpr TSkinControlTypes Without(TSkinControlType kind) { return kAll & ~(1u << kind); }

// A component of a class with these ancestors (the class itself first).
TComponentFacts Component(std::string upperName, std::vector<std::string> classes,
                          bool needsScroll = false) {
    TComponentFacts facts;
    facts.upperName = std::move(upperName);
    facts.isA = [classes](std::string_view name) {
        for (const std::string& c : classes)
            if (c == name) return true;
        return false;
    };
    facts.windowed = true;
    facts.needsScrollSkin = needsScroll;
    return facts;
}

TEST(ClassificationRules, TagRemainderKeepsItsSign) {
    struct TCase {
        intptr_t tag;
        int disableTag;
        bool disabled;
    };
    for (const TCase& c :
         {TCase{99, 99, true}, TCase{199, 99, true}, TCase{-99, 99, false}, TCase{-199, -99, true},
          TCase{0, 99, false}, TCase{100, 0, true}, TCase{55, 99, false}}) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(TagDisables(c.tag, c.disableTag), c.disabled);
    }
}

TEST(ClassificationRules, Skin3rdTakesTheFirstLineThatStartsWithTheClassAndEquals) {
    const std::vector<std::wstring> lines = {L"TComboboxex=combobox", L"TMyButton=nil",
                                             L"tmybutton=button",
                                             L"TWide=" + std::wstring(60, L'x'), L"TPanelX=Panel"};
    EXPECT_EQ(Skin3rdKind(lines, "TCOMBOBOX"), std::nullopt);  // the key includes the "="
    EXPECT_EQ(Skin3rdKind(lines, "TCOMBOBOXEX"), L"combobox");
    EXPECT_EQ(Skin3rdKind(lines, "TMYBUTTON"), L"nil");  // first line only
    EXPECT_EQ(Skin3rdKind(lines, "TPANELX"), L"panel");
    EXPECT_EQ(Skin3rdKind(lines, "TWIDE")->size(), 50u);
    EXPECT_EQ(Skin3rdKind({}, "TBUTTON"), std::nullopt);
    // Lines shorter than the key, differing only in its last letter, or with an empty kind.
    const std::vector<std::wstring> odd = {L"TPan", L"TPANEM=panel", L"TPANEL=", L"TGrid=MyTab"};
    EXPECT_EQ(Skin3rdKind(odd, "TPANEL"), L"");
    EXPECT_EQ(Skin3rdKind(odd, "TPAN"), std::nullopt);
    EXPECT_EQ(Skin3rdKind(odd, "TGRID"), L"mytab");
}

TEST(ClassificationRules, Skin3rdKindsAndTheirGates) {
    struct TCase {
        const wchar_t* kind;
        TSkinControlTypes controls;
        bool tabs;
        TSkinnerKind skinner;
        THookKind hook;
        bool recolour;
    };
    using K = TSkinnerKind;
    using H = THookKind;
    for (const TCase& c : {
             TCase{L"combobox", kAll, false, K::ComBox, H::HookControl, false},
             TCase{L"combobox", Without(xcCombo), false, K::None, H::None, false},
             TCase{L"edit", kAll, false, K::Edit, H::HookWindow, false},
             TCase{L"panel", kAll, false, K::Box, H::HookControl, true},
             TCase{L"button", Without(xcButton), false, K::None, H::None, false},
             TCase{L"bitbtn", Without(xcBitBtn), false, K::BitButton, H::HookControl, false},
             TCase{L"tab", kAll, false, K::None, H::None, false},
             TCase{L"tab", kAll, true, K::Tab, H::HookWindow, false},
             TCase{L"scrollbar", kAll, false, K::Scrollbar, H::HookScrollControl, false},
             TCase{L"groupbox", Without(xcPanel), false, K::GroupBox, H::HookControl, true},
             TCase{L"groupbox", Without(xcGroupBox), false, K::None, H::None, false},
             TCase{L"checkbox", kAll, false, K::CheckBox, H::HookControl, false},
             TCase{L"nosuchkind", kAll, true, K::None, H::None, false},
         }) {
        SCOPED_TRACE(testing::Message() << std::string(c.kind, c.kind + wcslen(c.kind)));
        const TClassifyAction a = Skin3rdAction(c.kind, {c.controls, c.tabs});
        EXPECT_EQ(a.skinner, c.skinner);
        EXPECT_EQ(a.hook, c.hook);
        EXPECT_EQ(a.recolour, c.recolour);
    }
    const TClassifyAction radioGroup = Skin3rdAction(L"radiogroup", {kAll, false});
    EXPECT_EQ(radioGroup.childSkinner, TSkinnerKind::RadioButton);
    EXPECT_EQ(radioGroup.skinner, TSkinnerKind::GroupBox);
    const TClassifyAction checkGroup = Skin3rdAction(L"checkgroup", {Without(xcGroupBox), false});
    EXPECT_EQ(checkGroup.childSkinner, TSkinnerKind::CheckBox);
    EXPECT_EQ(checkGroup.skinner, TSkinnerKind::None);
}

TEST(ClassificationRules, TheFirstClassRowWhoseTestAndGateHoldDecides) {
    using K = TSkinnerKind;
    using H = THookKind;
    struct TCase {
        TComponentFacts component;
        TSkinFacts skin;
        int row;
        TSkinnerKind skinner;
        THookKind hook;
    };
    const std::vector<std::string> button = {"TButton", "TButtonControl", "TWinControl"};
    const std::vector<std::string> bitBtn = {"TBitBtn", "TButton", "TWinControl"};
    const std::vector<std::string> memo = {"TMemo", "TCustomEdit", "TWinControl"};
    const std::vector<std::string> groupBox = {"TGroupBox", "TCustomGroupBox", "TWinControl"};
    const std::vector<TCase> cases = {
        {Component("TPAGECONTROL", {"TPageControl"}), {kAll, true}, 6, K::Tab, H::HookWindow},
        {Component("TPAGECONTROL", {"TPageControl"}), {kAll, false}, 0, K::None, H::None},
        {Component("TTABSET", {}), {kAll, true}, 3, K::Tab31, H::HookControl},
        {Component("TMAINMENU", {"TMainMenu", "TMenu"}), {kAll, false}, 2, K::None, H::None},
        {Component("TCHECKBOX", {"TCheckBox"}), {kAll, false}, 7, K::CheckBox, H::HookControl},
        {Component("TGROUPBOX", groupBox), {kAll, false}, 12, K::GroupBox, H::HookControl},
        // A group box matched by class is gated by xcPanel, not xcGroupBox.
        {Component("TGROUPBOX", groupBox),
         {Without(xcGroupBox), false},
         12,
         K::GroupBox,
         H::HookControl},
        {Component("TGROUPBOX", groupBox), {Without(xcPanel), false}, 0, K::None, H::None},
        {Component("TRADIOBUTTON", {"TRadioButton"}),
         {kAll, false},
         13,
         K::RadioButton,
         H::HookControl},
        {Component("TCOMBOBOX", {"TComboBox", "TCustomComboBox"}),
         {kAll, false},
         18,
         K::ComBox,
         H::HookControl},
        {Component("TRICHEDIT", {}), {kAll, false}, 20, K::Scrollbar, H::HookScrollControl},
        {Component("TBITBTN", bitBtn), {kAll, false}, 22, K::BitButton, H::HookControl},
        // Without xcBitBtn a bitmap button is not skinned, not even as a push button.
        {Component("TBITBTN", bitBtn), {Without(xcBitBtn), false}, 22, K::None, H::None},
        {Component("TSPEEDBUTTON", {"TSpeedButton"}),
         {kAll, false},
         23,
         K::SpeedButton,
         H::Graphic},
        {Component("TPANEL", {"TPanel", "TCustomPanel"}),
         {kAll, false},
         24,
         K::Box,
         H::HookControl},
        {Component("TDXDBGRID", {}), {kAll, false}, 25, K::Scrollbar, H::HookScrollControl},
        {Component("TDBGRID", {"TDBGrid", "TCustomGrid"}),
         {kAll, false},
         28,
         K::Scrollbar,
         H::HookScrollControl},
        {Component("TMEMO", memo, true), {kAll, false}, 29, K::Scrollbar, H::HookScrollControl},
        {Component("TMEMO", memo, true), {Without(xcScrollbar), false}, 31, K::Edit, H::HookWindow},
        {Component("TBUTTON", button), {kAll, false}, 30, K::Button, H::HookControl},
        {Component("TBUTTON", button), {Without(xcButton), false}, 0, K::None, H::None},
        {Component("TEDIT", {"TEdit", "TCustomEdit"}), {kAll, false}, 31, K::Edit, H::HookWindow},
        {Component("TFORM", {"TForm", "TCustomForm"}), {kAll, false}, 33, K::Box, H::HookControl},
        {Component("TLABEL", {"TLabel", "TGraphicControl"}), {kAll, true}, 0, K::None, H::None},
        // The indicators: up-downs and track bars are gated by xcButton.
        {Component("TTRACKBAR", {"TTrackBar"}), {kAll, false}, 8, K::TrackBar, H::HookControl},
        {Component("TUPDOWN", {"TUpDown"}), {kAll, false}, 9, K::UpDown, H::HookControl},
        {Component("TUPDOWN", {"TUpDown"}), {Without(xcButton), false}, 0, K::None, H::None},
        {Component("TSTATUSBAR", {"TStatusBar"}), {kAll, false}, 15, K::StatusBar, H::HookControl},
        {Component("TPROGRESSBAR", {"TProgressBar"}),
         {kAll, false},
         16,
         K::Progress,
         H::HookControl},
        {Component("TPROGRESSBAR", {"TProgressBar"}),
         {Without(xcProgress), false},
         0,
         K::None,
         H::None},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.component.upperName + " row " + std::to_string(c.row));
        const TClassifyAction a = ClassifyByClass(c.component, c.skin);
        EXPECT_EQ(a.row, c.row);
        EXPECT_EQ(a.skinner, c.skinner);
        EXPECT_EQ(a.hook, c.hook);
    }
    const TClassifyAction grid =
        ClassifyByClass(Component("TDBGRID", {"TCustomGrid"}), {kAll, false});
    EXPECT_TRUE(grid.gridFixedColour);
    EXPECT_EQ(grid.scrollMode, 1);
    EXPECT_EQ(ClassifyByClass(Component("TDXTREELIST", {}), {kAll, false}).scrollMode, 0);
    EXPECT_TRUE(
        ClassifyByClass(Component("TPANEL", {"TCustomPanel"}), {kAll, false}).classifyOwned);
    EXPECT_TRUE(ClassifyByClass(Component("TDBNAVIGATOR", {}), {kAll, false}).setFlat);
    EXPECT_TRUE(
        ClassifyByClass(Component("TSTATUSBAR", {"TStatusBar"}), {kAll, false}).sizeGripOff);
    EXPECT_TRUE(NeverSkinnedClass("TQRPREVIEW"));
    EXPECT_FALSE(NeverSkinnedClass("TBUTTON"));
}

TEST(ClassificationRules, ScrollSkinRule) {
    const auto none = [](std::string_view) { return false; };
    const auto listBox = [](std::string_view n) { return n == "TCustomListBox"; };
    EXPECT_TRUE(NeedsScrollSkinRule(true, 0x00200000, 0, none));  // WS_VSCROLL
    EXPECT_TRUE(NeedsScrollSkinRule(true, 0x00100000, 0, none));  // WS_HSCROLL
    EXPECT_TRUE(NeedsScrollSkinRule(true, 0, 55, none));
    EXPECT_TRUE(NeedsScrollSkinRule(true, 0, 0, listBox));
    EXPECT_FALSE(NeedsScrollSkinRule(true, 0, 54, none));
    EXPECT_FALSE(NeedsScrollSkinRule(false, 0x00300000, 55, listBox));  // no window
}

TEST(ClassificationRules, BareWindowsByClassAndStyle) {
    using W = TWindowSkinner;
    struct TCase {
        const wchar_t* cls;
        uint32_t style;
        bool child;
        W expected;
    };
    for (const TCase& c : {
             TCase{L"button", 0x0, false, W::Button},       // BS_PUSHBUTTON
             TCase{L"button", 0x1, false, W::Button},       // BS_DEFPUSHBUTTON
             TCase{L"button", 0x2, false, W::CheckBox},     // BS_CHECKBOX
             TCase{L"button", 0x3, false, W::CheckBox},     // BS_AUTOCHECKBOX
             TCase{L"button", 0x4, false, W::RadioButton},  // BS_RADIOBUTTON
             TCase{L"button", 0x5, false, W::CheckBox},     // BS_3STATE
             TCase{L"button", 0x7, false, W::None},         // BS_GROUPBOX
             TCase{L"button", 0x9, false, W::RadioButton},  // BS_AUTORADIOBUTTON
             TCase{L"combobox", 0x1, false, W::None},       // CBS_SIMPLE
             TCase{L"combobox", 0x2, false, W::ComBox},     // CBS_DROPDOWN
             TCase{L"comboboxex32", 0, true, W::ComBoxChild},
             TCase{L"comboboxex32", 0, false, W::None},
             TCase{L"scrollbar", 0, false, W::Sizer},
             TCase{L"systabcontrol32", 0x2000, false, W::None},  // TCS_OWNERDRAWFIXED
             TCase{L"systabcontrol32", 0, false, W::Tab},
             TCase{L"edit", 0, false, W::Edit},
             TCase{L"static", 0, false, W::None},
         }) {
        SCOPED_TRACE(testing::Message() << c.style);
        EXPECT_EQ(ClassifyWindowClass(c.cls, c.style, c.child), c.expected);
    }
}

}  // namespace
