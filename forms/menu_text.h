#pragma once
// Menu texts without the platform: keyboard shortcuts as numbers and as the text a menu shows
// beside an item ("Ctrl+S"), and the "&" hotkey markers of captions.
//
// A shortcut is a virtual-key code in the low byte plus modifier bits, the value that form
// descriptions store (Ctrl+S is 0x4053 = 16467).

#include <cstdint>
#include <string>
#include <string_view>

using TShortCut = uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

enum TShiftStateFlag : uint32_t { ssShift = 1u << 0, ssAlt = 1u << 1, ssCtrl = 1u << 2 };
using TShiftState = uint32_t;

// The shortcut of a virtual key with modifiers; scNone when key is 0 or above 0xFF.
TShortCut ShortCut(uint32_t key, TShiftState shift);

// "Ctrl+S", "Ctrl+Shift+F5", "Alt+Del", "Num 7": modifiers in the order Ctrl, Shift, Alt, then
// the key's name. Keys without a name (and scNone) give an empty text.
std::wstring ShortCutToText(TShortCut shortCut);
// The reverse, ignoring ASCII letter case and accepting the modifiers in any order; scNone for
// a text that names no key.
TShortCut TextToShortCut(std::wstring_view text);

// A caption as shown: "&&" becomes "&", a single "&" (the hotkey marker) goes.
std::wstring StripHotkey(std::wstring_view caption);
// The character after the hotkey marker, upper-cased for ASCII letters; 0 when there is none.
wchar_t HotkeyOf(std::wstring_view caption);
