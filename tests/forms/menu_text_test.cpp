// Shortcut texts and hotkey markers of menu captions.
#include <gtest/gtest.h>

#include "forms/menu_text.h"

TEST(MenuText, ShortCutTextNamesModifiersThenKey) {
    const struct {
        TShortCut shortCut;
        const wchar_t* text;
    } cases[] = {
        {scCtrl | 'S', L"Ctrl+S"},
        {16467, L"Ctrl+S"},  // as a form description stores it
        {scCtrl | scShift | 0x74, L"Ctrl+Shift+F5"},
        {scAlt | 0x2E, L"Alt+Del"},
        {scShift | scAlt | scCtrl | '7', L"Ctrl+Shift+Alt+7"},
        {0x67, L"Num 7"},
        {0x87, L"F24"},
        {0x0D, L"Enter"},
        {scCtrl | 0xBC, L"Ctrl+,"},
        {scCtrl | 0x6B, L"Ctrl+Num +"},
        {scNone, L""},
        {scCtrl, L""},         // modifiers without a key
        {scCtrl | 0x07, L""},  // a key without a name
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortCutToText(c.shortCut), c.text) << c.shortCut;
        if (*c.text) {
            EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.shortCut;
        }
    }
}

TEST(MenuText, EveryNamedShortCutReadsBackFromItsText) {
    for (unsigned key = 1; key <= 0xFF; ++key) {
        for (TShortCut modifiers : {TShortCut{0}, scCtrl, TShortCut(scShift | scAlt)}) {
            const auto shortCut = static_cast<TShortCut>(key | modifiers);
            const std::wstring text = ShortCutToText(shortCut);
            if (!text.empty()) {
                EXPECT_EQ(TextToShortCut(text), shortCut) << key;
            }
        }
    }
}

TEST(MenuText, TextToShortCutIgnoresCaseAndModifierOrder) {
    EXPECT_EQ(TextToShortCut(L"shift+ctrl+s"), scCtrl | scShift | 'S');
    EXPECT_EQ(TextToShortCut(L"ALT+f4"), scAlt | 0x73);
    EXPECT_EQ(TextToShortCut(L"Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut(L"Ctrl+Banana"), scNone);
    EXPECT_EQ(TextToShortCut(L""), scNone);
    EXPECT_EQ(ShortCut('S', ssCtrl | ssShift), scCtrl | scShift | 'S');
    EXPECT_EQ(ShortCut(0x100, ssCtrl), scNone);
}

TEST(MenuText, HotkeyMarkers) {
    const struct {
        const wchar_t* caption;
        const wchar_t* shown;
        wchar_t hotkey;
    } cases[] = {
        {L"&File", L"File", L'F'},
        {L"文件(&f)", L"文件(f)", L'F'},
        {L"Save && Exit", L"Save & Exit", 0},
        {L"A&&B &Cd", L"A&B Cd", L'C'},
        {L"Trailing&", L"Trailing", 0},
        {L"&&&x", L"&x", L'X'},
        {L"", L"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StripHotkey(c.caption), c.shown);
        EXPECT_EQ(HotkeyOf(c.caption), c.hotkey);
    }
}
