// The fonts the program's windows name ("MS Sans Serif" and "宋体", 12 pixels, GB2312) must reach
// a face that has Chinese glyphs: otherwise every caption draws as a row of boxes. Checked through
// the face GDI picked, its glyph table, and the pixels of text drawn into a DIB.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "forms/font.h"
#include "forms/paint_test_surface.h"

namespace {

// A 32-bit top-down DIB in a memory context with one font selected.
class TTextSurface : public TPaintTestSurface {
public:
    TTextSurface(HFONT font, int width, int height)
        : TPaintTestSurface(width, height), originalFont(SelectObject(dc, font)) {}
    ~TTextSurface() { SelectObject(dc, originalFont); }
    TTextSurface(const TTextSurface&) = delete;
    TTextSurface& operator=(const TTextSurface&) = delete;

    // Draws text black on white and answers the pixels.
    std::vector<uint32_t> Render(const std::wstring& text) {
        RECT r{0, 0, width, height};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 2, 2, text.c_str(), static_cast<int>(text.size()));
        return Pixels();
    }

private:
    HGDIOBJ originalFont;
};

int InkCount(const std::vector<uint32_t>& pixels) {
    int n = 0;
    for (uint32_t p : pixels) n += p != 0xFFFFFF;
    return n;
}

TEST(Fonts, ChineseTextFindsGlyphsInTheFacesFormsName) {
    const std::wstring chinese = L"计算重量";
    for (const wchar_t* name : {L"MS Sans Serif", L"宋体", L"SimSun"}) {
        SCOPED_TRACE(testing::Message() << "font " << name);
        TFont font;
        font.SetName(name);
        font.SetHeight(-12);
        font.SetCharset(GB2312_CHARSET);
        TTextSurface surface(font.Handle(), 80, 20);

        wchar_t face[LF_FACESIZE] = {};
        ASSERT_GT(GetTextFaceW(surface.dc, LF_FACESIZE, face), 0);
        EXPECT_EQ(GetTextCharsetInfo(surface.dc, nullptr, 0), GB2312_CHARSET)
            << "face chosen: " << face;

        WORD glyphs[4] = {};
        ASSERT_EQ(
            GetGlyphIndicesW(surface.dc, chinese.c_str(), 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS),
            4u);
        for (WORD g : glyphs) EXPECT_NE(g, 0xFFFF) << "no Chinese glyph in face " << face;
        // The same question finds a glyph missing when it is: a private-use character no face maps.
        WORD missing = 0;
        ASSERT_EQ(GetGlyphIndicesW(surface.dc, L"\xE7FF", 1, &missing, GGI_MARK_NONEXISTING_GLYPHS),
                  1u);
        EXPECT_EQ(missing, 0xFFFF);

        TEXTMETRICW metrics{};
        ASSERT_TRUE(GetTextMetricsW(surface.dc, &metrics));
        // 12 pixels of character height, plus at most a few of internal leading.
        EXPECT_GE(metrics.tmHeight, 12);
        EXPECT_LE(metrics.tmHeight, 16);

        // Two different characters draw differently from each other, and neither looks like the
        // face's missing-glyph box (drawn from two private-use characters no face maps).
        const std::vector<uint32_t> ji = surface.Render(L"计");
        const std::vector<uint32_t> suan = surface.Render(L"算");
        const std::vector<uint32_t> box = surface.Render(L"\xE7FF");
        EXPECT_GT(InkCount(ji), 10);
        EXPECT_GT(InkCount(suan), 10);
        EXPECT_NE(ji, suan);
        EXPECT_NE(ji, box);
        EXPECT_NE(suan, box);
        EXPECT_NE(surface.Render(L"计算"), surface.Render(L"\xE7FF\xE7FE"));
    }
}

}  // namespace
