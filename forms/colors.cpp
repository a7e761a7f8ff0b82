#include "forms/colors.h"

#include <utility>

#include "forms/text.h"

namespace {

template <size_t N>
bool Lookup(const std::pair<const char*, int64_t> (&table)[N], std::string_view ident,
            int64_t& value) {
    for (const auto& [name, v] : table) {
        if (SameTextAscii(name, ident)) {
            value = v;
            return true;
        }
    }
    return false;
}

}  // namespace

bool IdentToColor(std::string_view ident, int64_t& color) {
    static const std::pair<const char*, int64_t> kColors[] = {
        {"clBlack", clBlack},
        {"clWhite", clWhite},
        {"clRed", clRed},
        {"clGreen", clGreen},
        {"clBlue", clBlue},
        {"clNavy", clNavy},
        {"clGray", clGray},
        {"clSilver", clSilver},
        {"clFuchsia", clFuchsia},
        {"clNone", clNone},
        {"clDefault", clDefault},
        {"clScrollBar", clScrollBar},
        {"clBackground", clBackground},
        {"clActiveCaption", clActiveCaption},
        {"clInactiveCaption", clInactiveCaption},
        {"clMenu", clMenu},
        {"clWindow", clWindow},
        {"clWindowFrame", clWindowFrame},
        {"clMenuText", clMenuText},
        {"clWindowText", clWindowText},
        {"clCaptionText", clCaptionText},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
        {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow},
        {"clGrayText", clGrayText},
        {"clBtnText", clBtnText},
        {"clBtnHighlight", clBtnHighlight},
        {"cl3DDkShadow", cl3DDkShadow},
        {"cl3DLight", cl3DLight},
        {"clInfoText", clInfoText},
        {"clInfoBk", clInfoBk},
    };
    return Lookup(kColors, ident, color);
}

bool IdentToCharset(std::string_view ident, int64_t& charset) {
    static const std::pair<const char*, int64_t> kCharsets[] = {
        {"ANSI_CHARSET", 0},          {"DEFAULT_CHARSET", 1},   {"SYMBOL_CHARSET", 2},
        {"SHIFTJIS_CHARSET", 128},    {"HANGEUL_CHARSET", 129}, {"GB2312_CHARSET", 134},
        {"CHINESEBIG5_CHARSET", 136}, {"OEM_CHARSET", 255},
    };
    return Lookup(kCharsets, ident, charset);
}
