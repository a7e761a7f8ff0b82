// The Chinese text of the program's windows as Wine draws it: every font the form descriptions
// ask for, the faces a skin may name, and the system's caption font (which a skin's caption font
// is when it names none) must come out as the face with crisp 12- and 14-pixel strikes, and a
// complex glyph must keep its strokes apart. The mapping belongs to the Wine prefix, so on
// Windows, where SimSun itself answers, there is nothing to check.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "forms/colors.h"
#include "forms/dc_scopes.h"
#include "forms/font.h"
#include "forms/form_text.h"
#include "forms/owned.h"
#include "forms/paint_test_surface.h"

namespace {

// The prefix's copy of "WenQuanYi Zen Hei Sharp" whose strikes advance as its outlines do.
const wchar_t kCrispFace[] = L"WenQuanYi Zen Hei Sharp Fitted";

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"); }

// A font as a description asks for it: face, height and character set.
struct TFontRequest {
    std::wstring name;
    int height = 0;
    int charset = DEFAULT_CHARSET;
    std::string where;
};

std::string_view ResourceText(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!resource) return {};
    return {static_cast<const char*>(LockResource(LoadResource(module, resource))),
            SizeofResource(module, resource)};
}

// Every font property of the object and its children: "Font.Name", "TitleFont.Height", ...
void CollectFonts(const TFormObject& object, std::vector<TFontRequest>& fonts) {
    for (const TFormProperty& p : object.properties) {
        const size_t dot = p.path.rfind(".Name");
        if (dot == std::string::npos || dot + 5 != p.path.size() || !p.path.ends_with("Font.Name"))
            continue;
        const std::string prefix = p.path.substr(0, dot);
        TFontRequest font{p.value.text, 0, DEFAULT_CHARSET, object.name + "." + prefix};
        for (const TFormProperty& q : object.properties) {
            if (q.path == prefix + ".Height") font.height = static_cast<int>(q.value.integer);
            if (q.path == prefix + ".Charset") {
                int64_t charset = q.value.integer;
                if (q.value.kind == TFormValue::Kind::Identifier)
                    IdentToCharset(q.value.identifier, charset);
                font.charset = static_cast<int>(charset);
            }
        }
        fonts.push_back(font);
    }
    for (const TFormObject& child : object.children) CollectFonts(child, fonts);
}

std::vector<uint8_t> NameTable(HDC dc) {
    constexpr DWORD tag = 'n' | 'a' << 8 | 'm' << 16 | 'e' << 24;
    const DWORD size = GetFontData(dc, tag, 0, nullptr, 0);
    if (size == GDI_ERROR) return {};
    std::vector<uint8_t> bytes(size);
    GetFontData(dc, tag, 0, bytes.data(), size);
    return bytes;
}

// The font's name table, which tells faces of one font file apart.
std::vector<uint8_t> NameTableOf(HFONT font) {
    const TMemoryDC dc(nullptr, nullptr);
    const TSavedDC saved(dc.Dc());
    SelectObject(dc.Dc(), font);
    return NameTable(dc.Dc());
}

// Draws one character black on white as the controls do and counts what a reader needs to
// see: the enclosed white areas (strokes drawn apart leave them open, merged strokes fill them)
// and the pixels that are neither black nor white (anti-aliased, soft text).
struct TGlyphShape {
    int holes = 0;
    int greys = 0;
};

TGlyphShape DrawGlyph(HFONT font, wchar_t glyph) {
    constexpr int size = 24;
    TPaintTestSurface surface(size, size);
    {
        const TSavedDC saved(surface.dc);
        SelectObject(surface.dc, font);
        PatBlt(surface.dc, 0, 0, size, size, WHITENESS);
        SetTextColor(surface.dc, RGB(0, 0, 0));
        SetBkMode(surface.dc, TRANSPARENT);
        TextOutW(surface.dc, 4, 4, &glyph, 1);
    }
    const std::vector<uint32_t> pixels = surface.Pixels();
    std::vector<int> ink(size * size), seen(size * size);
    TGlyphShape shape;
    for (int i = 0; i < size * size; ++i) {
        const uint32_t level = pixels[i] & 0xFF;
        ink[i] = level < 128;
        shape.greys += level != 0 && level != 0xFF;
    }
    // White areas that do not reach the border, 4-connected.
    for (int start = 0; start < size * size; ++start) {
        if (ink[start] || seen[start]) continue;
        bool open = false;
        std::vector<int> stack{start};
        seen[start] = 1;
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            const int x = p % size, y = p / size;
            open |= x == 0 || y == 0 || x == size - 1 || y == size - 1;
            const int next[4] = {x > 0 ? p - 1 : -1, x < size - 1 ? p + 1 : -1,
                                 y > 0 ? p - size : -1, y < size - 1 ? p + size : -1};
            for (int q : next)
                if (q >= 0 && !ink[q] && !seen[q]) seen[q] = 1, stack.push_back(q);
        }
        shape.holes += !open;
    }
    return shape;
}

// How far right of its measured width a line is drawn: the line is measured as an auto-sized
// label measures it (DrawText, DT_CALCRECT) and drawn black on white from x = 0 without
// clipping; the answer is the inked columns at or past the measured width (0 when the line
// fits).
int InkPastMeasuredWidth(HFONT font, const std::wstring& line) {
    constexpr int width = 400, height = 32;
    TPaintTestSurface surface(width, height);
    RECT measured{};
    {
        const TSavedDC saved(surface.dc);
        SelectObject(surface.dc, font);
        DrawTextW(surface.dc, line.c_str(), -1, &measured,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        PatBlt(surface.dc, 0, 0, width, height, WHITENESS);
        SetTextColor(surface.dc, RGB(0, 0, 0));
        SetBkMode(surface.dc, TRANSPARENT);
        RECT all{0, 0, width, height};
        DrawTextW(surface.dc, line.c_str(), -1, &all, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    const std::vector<uint32_t> pixels = surface.Pixels();
    int rightmost = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((pixels[y * width + x] & 0xFF) < 128) rightmost = std::max(rightmost, x);
    return std::max(0, rightmost + 1 - static_cast<int>(measured.right));
}

HFONT CrispFont(int height) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, DEFAULT_QUALITY,
                       0, kCrispFace);
}

// What Wine answers for the font: the face asked for (a replacement keeps that name) or the
// crisp face's own; and the face's name table must be the crisp face's.
void ExpectCrispFace(HFONT font, const std::wstring& askedFor, int height) {
    wchar_t face[LF_FACESIZE] = {};
    {
        const TMemoryDC dc(nullptr, nullptr);
        const TSavedDC saved(dc.Dc());
        SelectObject(dc.Dc(), font);
        GetTextFaceW(dc.Dc(), LF_FACESIZE, face);
    }
    const std::wstring answered = face;
    EXPECT_TRUE(answered == askedFor || answered == kCrispFace)
        << "Wine answers " << testing::PrintToString(answered);

    Owned<HFONT, &DeleteObject> crisp(CrispFont(height));
    const std::vector<uint8_t> crispName = NameTableOf(crisp.Get());
    ASSERT_FALSE(crispName.empty()) << "the crisp face is not installed";
    EXPECT_TRUE(NameTableOf(font) == crispName)
        << "another face than " << testing::PrintToString(std::wstring(kCrispFace));
}

// The face, and 槽, whose right half holds nine small closed areas at these sizes, keeping at
// least six of them open, in black and white only.
void ExpectCrisp(HFONT font, const std::wstring& askedFor, int height) {
    ExpectCrispFace(font, askedFor, height);
    const TGlyphShape shape = DrawGlyph(font, L'槽');
    EXPECT_GE(shape.holes, 6) << "槽 drawn with strokes merged";
    EXPECT_EQ(shape.greys, 0) << "槽 drawn soft";
}

class ChineseFonts : public testing::Test {
protected:
    void SetUp() override {
        if (!UnderWine()) GTEST_SKIP() << "on Windows SimSun itself answers";
    }
};

}  // namespace

// The fonts of the main window and the help window, made by the class library exactly as their
// descriptions ask.
TEST_F(ChineseFonts, FontsOfTheFormDescriptions) {
    std::vector<TFontRequest> fonts;
    for (const wchar_t* form : {L"TMAINFORM", L"TABOUTBOX"}) {
        const std::string_view text = ResourceText(form);
        ASSERT_FALSE(text.empty())
            << "no description " << testing::PrintToString(std::wstring(form));
        CollectFonts(ParseFormText(text, form), fonts);
    }
    std::vector<std::wstring> names;
    for (const TFontRequest& f : fonts) names.push_back(f.name);
    ASSERT_NE(std::find(names.begin(), names.end(), L"宋体"), names.end());
    ASSERT_NE(std::find(names.begin(), names.end(), L"MS Sans Serif"), names.end());

    for (const TFontRequest& request : fonts) {
        SCOPED_TRACE(request.where);
        TFont font;
        font.SetName(request.name);
        font.SetHeight(request.height);
        font.SetCharset(request.charset);
        ExpectCrisp(font.Handle(), request.name, -request.height);
    }
}

// The Chinese faces a skin may name, and the face of the caption font the system gives a skin
// that names none, at the sizes the windows and the skin's captions use. The caption font
// itself is bold, which no installed face draws crisply at these sizes: only its face is
// checked at that weight.
TEST_F(ChineseFonts, FacesASkinMayAskForAtTwelveAndFourteenPixels) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    const std::wstring captionFace = metrics.lfCaptionFont.lfFaceName;
    for (const std::wstring& name :
         {std::wstring(L"宋体"), std::wstring(L"SimSun"), std::wstring(L"新宋体"),
          std::wstring(L"NSimSun"), captionFace}) {
        for (int height : {12, 14}) {
            SCOPED_TRACE(testing::PrintToString(name) + " " + std::to_string(height));
            LOGFONTW lf = metrics.lfCaptionFont;
            lf.lfHeight = -height;
            lf.lfCharSet = GB2312_CHARSET;
            wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
            if (name == captionFace) {
                Owned<HFONT, &DeleteObject> caption(CreateFontIndirectW(&lf));
                ExpectCrispFace(caption.Get(), name, height);
            }
            lf.lfWeight = FW_NORMAL;
            Owned<HFONT, &DeleteObject> font(CreateFontIndirectW(&lf));
            ExpectCrisp(font.Get(), name, height);
        }
    }
}

// Lines of Latin letters, digits and spaces, alone and beside Chinese, as the help window shows
// them: drawn with every font of the form descriptions, none may reach past the width it is
// measured to, or an auto-sized label clips its last pixels ("1.0" drawn as "1.C"). With the
// unfitted "WenQuanYi Zen Hei Sharp" these lines reach 1 to 5 pixels past their width: Wine
// measures a glyph by its outline's advance and draws it with its strike's.
TEST_F(ChineseFonts, LinesDrawWithinTheirMeasuredWidth) {
    std::vector<TFontRequest> fonts;
    for (const wchar_t* form : {L"TMAINFORM", L"TABOUTBOX"})
        CollectFonts(ParseFormText(ResourceText(form), form), fonts);
    ASSERT_FALSE(fonts.empty());
    for (const TFontRequest& request : fonts) {
        TFont font;
        font.SetName(request.name);
        font.SetHeight(request.height);
        font.SetCharset(request.charset);
        for (const wchar_t* line :
             {L"Ponderix  1.0 2026.", L"Ponderix  1.0", L"2026", L"版权所有 (C) 2026",
              L"联系：ponderix@example.org", L"槽钢/工字钢 壁厚 帮助 重量"}) {
            SCOPED_TRACE(request.where + " " + testing::PrintToString(std::wstring(line)));
            EXPECT_EQ(InkPastMeasuredWidth(font.Handle(), line), 0);
        }
    }
}
