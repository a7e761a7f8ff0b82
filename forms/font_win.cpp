#include "forms/font.h"

#include <cwchar>

const TEnumInfo FontStyleType{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};

PONDERIX_DEFINE_CLASS(TFont, [](TClassBuilder<TFont>& b) {
    b.NamedInteger("Charset", &IdentToCharset, &TFont::Charset, &TFont::SetCharset);
    b.NamedInteger("Color", &IdentToColor, &TFont::Color, &TFont::SetColor);
    b.Integer("Height", &TFont::Height, &TFont::SetHeight);
    b.String("Name", &TFont::Name, &TFont::SetName);
    b.Set("Style", FontStyleType, &TFont::Style, &TFont::SetStyle);
})

TFont::TFont() = default;

void TFont::SetName(const std::wstring& value) {
    if (value != name) name = value, Changed();
}
void TFont::SetHeight(int value) {
    if (value != height) height = value, Changed();
}
void TFont::SetCharset(int value) {
    if (value != charset) charset = value, Changed();
}
void TFont::SetStyle(TFontStyles value) {
    if (value != style) style = value, Changed();
}
void TFont::SetColor(TColor value) {
    if (value != color) color = value, Changed();
}

void TFont::Changed() {
    if (OnChanging) OnChanging(this);
    // The old GDI font lives until the listeners have switched to the new one: a window that
    // was given it by WM_SETFONT still draws with it until then.
    Owned<HFONT, &DeleteObject> old = std::move(handle);
    if (OnChange) OnChange(this);
}

HFONT TFont::Handle() {
    if (!handle) {
        LOGFONTW lf{};
        lf.lfHeight = height;
        lf.lfWeight = (style & (1u << fsBold)) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style & (1u << fsItalic)) ? TRUE : FALSE;
        lf.lfUnderline = (style & (1u << fsUnderline)) ? TRUE : FALSE;
        lf.lfStrikeOut = (style & (1u << fsStrikeOut)) ? TRUE : FALSE;
        lf.lfCharSet = static_cast<BYTE>(charset);
        lf.lfQuality = DEFAULT_QUALITY;
        wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
        handle.Reset(CreateFontIndirectW(&lf));
    }
    return handle.Get();
}

void TFont::Assign(const TPersistent& source) {
    if (auto* other = dynamic_cast<const TFont*>(&source)) {
        if (other == this) return;
        name = other->name;
        height = other->height;
        charset = other->charset;
        style = other->style;
        color = other->color;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}
