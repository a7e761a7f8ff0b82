#include "forms/menu_text.h"

#include <array>

namespace {

// Virtual-key codes named here; the portable core has no <windows.h>.
struct KeyName {
    uint8_t key;
    const wchar_t* name;
};
constexpr std::array kKeyNames{
    KeyName{0x08, L"BkSp"},
    KeyName{0x09, L"Tab"},
    KeyName{0x0D, L"Enter"},
    KeyName{0x1B, L"Esc"},
    KeyName{0x20, L"Space"},
    KeyName{0x21, L"PgUp"},
    KeyName{0x22, L"PgDn"},
    KeyName{0x23, L"End"},
    KeyName{0x24, L"Home"},
    KeyName{0x25, L"Left"},
    KeyName{0x26, L"Up"},
    KeyName{0x27, L"Right"},
    KeyName{0x28, L"Down"},
    KeyName{0x2D, L"Ins"},
    KeyName{0x2E, L"Del"},
    KeyName{0x6A, L"Num *"},
    KeyName{0x6B, L"Num +"},
    KeyName{0x6D, L"Num -"},
    KeyName{0x6E, L"Num ."},
    KeyName{0x6F, L"Num /"},
    // Punctuation keys, named by their unshifted character on a US layout.
    KeyName{0xBA, L";"},
    KeyName{0xBB, L"="},
    KeyName{0xBC, L","},
    KeyName{0xBD, L"-"},
    KeyName{0xBE, L"."},
    KeyName{0xBF, L"/"},
    KeyName{0xC0, L"`"},
    KeyName{0xDB, L"["},
    KeyName{0xDC, L"\\"},
    KeyName{0xDD, L"]"},
    KeyName{0xDE, L"'"},
};

struct Modifier {
    TShortCut bit;
    const wchar_t* name;
};
constexpr std::array kModifiers{Modifier{scCtrl, L"Ctrl+"}, Modifier{scShift, L"Shift+"},
                                Modifier{scAlt, L"Alt+"}};

std::wstring KeyToText(uint8_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::wstring(1, key);
    if (key >= 0x60 && key <= 0x69) return L"Num " + std::wstring(1, L'0' + (key - 0x60));
    if (key >= 0x70 && key <= 0x87) return L"F" + std::to_wstring(key - 0x6F);  // F1..F24
    for (const KeyName& k : kKeyNames)
        if (k.key == key) return k.name;
    return {};
}

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

bool SameTextAscii(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

}  // namespace

TShortCut ShortCut(uint32_t key, TShiftState shift) {
    if (key == 0 || key > 0xFF) return scNone;
    TShortCut result = static_cast<TShortCut>(key);
    if (shift & ssShift) result |= scShift;
    if (shift & ssCtrl) result |= scCtrl;
    if (shift & ssAlt) result |= scAlt;
    return result;
}

std::wstring ShortCutToText(TShortCut shortCut) {
    const std::wstring name = KeyToText(static_cast<uint8_t>(shortCut & 0xFF));
    if (name.empty()) return {};
    std::wstring text;
    for (const Modifier& m : kModifiers)
        if (shortCut & m.bit) text += m.name;
    return text + name;
}

TShortCut TextToShortCut(std::wstring_view text) {
    TShortCut modifiers = 0;
    for (bool more = true; more;) {
        more = false;
        for (const Modifier& m : kModifiers) {
            const std::wstring_view prefix(m.name);
            if (text.size() > prefix.size() &&
                SameTextAscii(text.substr(0, prefix.size()), prefix)) {
                modifiers |= m.bit;
                text.remove_prefix(prefix.size());
                more = true;
            }
        }
    }
    for (unsigned key = 1; key <= 0xFF; ++key) {
        const std::wstring name = KeyToText(static_cast<uint8_t>(key));
        if (!name.empty() && SameTextAscii(name, text))
            return static_cast<TShortCut>(key | modifiers);
    }
    return scNone;
}

std::wstring StripHotkey(std::wstring_view caption) {
    std::wstring shown;
    shown.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != L'&') {
            shown += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == L'&') {
            shown += L'&';
            ++i;
        }
    }
    return shown;
}

wchar_t HotkeyOf(std::wstring_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;  // a literal "&"
            continue;
        }
        return Upper(caption[i + 1]);
    }
    return 0;
}
