#pragma once
// TFont: the font of a control or canvas. Its GDI font is made on first use and remade after a
// change; whoever holds the font is told of changes through OnChange.

#include <windows.h>

#include <string>

#include "forms/colors.h"
#include "forms/component.h"
#include "forms/owned.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint32_t;  // bit n for TFontStyle n
extern const TEnumInfo FontStyleType;

class TFont : public TPersistent {
    PONDERIX_CLASS(TFont, TPersistent)
public:
    TFont();

    const std::wstring& Name() const { return name; }
    void SetName(const std::wstring& value);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return height; }
    void SetHeight(int value);
    int Charset() const { return charset; }
    void SetCharset(int value);
    TFontStyles Style() const { return style; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return color; }
    void SetColor(TColor value);

    // The GDI font, owned by this object.
    HFONT Handle();
    void Assign(const TPersistent& source) override;

    // Told before the GDI font is freed, so that a holder which has it selected into a device
    // context can put that context's own font back first; OnChange follows.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

private:
    void Changed();

    std::wstring name = L"MS Sans Serif";
    int height = -11;
    int charset = DEFAULT_CHARSET;
    TFontStyles style = 0;
    TColor color = clWindowText;
    Owned<HFONT, &DeleteObject> handle;
};

// The colour's RGB value, with system colour references resolved.
COLORREF ColorToRGB(TColor color);
