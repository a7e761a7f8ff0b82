// Glyph buttons: TBitBtn drawn by itself through the reflected WM_DRAWITEM, TSpeedButton painted
// by its parent, each read back pixel by pixel; the speed button's mouse rule and group rule
// replayed with real mouse messages; both read from a form description.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "bmp_test_writer.h"
#include "forms/bit_btn.h"
#include "forms/form_reader.h"
#include "forms/forms.h"
#include "forms/properties.h"
#include "forms/speed_button.h"
#include "paint_test_surface.h"
#include "support/gdi_objects.h"
#include "support/hex.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00, kYellow = 0xFFFF00;
constexpr uint32_t kMagenta = 0xFF00FF, kSentinel = 0x123456;
const uint32_t kFace = Rgb(GetSysColor(COLOR_BTNFACE));

// A strip of solid cells, each size x size; the strip's bottom-left pixel is the magenta key.
void MakeStrip(TBitmap& strip, int size, std::initializer_list<uint32_t> colors) {
    strip.SetSize(size * static_cast<int>(colors.size()), size);
    int cell = 0;
    for (uint32_t rgb : colors) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                uint8_t* p = strip.ScanLine(y) + (cell * size + x) * 3;
                p[0] = uint8_t(rgb), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb >> 16);
            }
        ++cell;
    }
    uint8_t* corner = strip.ScanLine(size - 1);
    corner[0] = 0xFF, corner[1] = 0, corner[2] = 0xFF;
}

// Paints a windowed control into a surface of its size with WM_PRINTCLIENT.
void PrintButton(TWinControl& button, TPaintTestSurface& surface) {
    surface.Fill(kSentinel);
    SendMessageW(button.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc), PRF_CLIENT);
}

TEST(BitBtn, DrawsTheGlyphCellOfEachState) {
    TForm form(nullptr);
    auto* button = new TBitBtn(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 75, 25);
    MakeStrip(*button->Glyph(), 10, {kRed, kBlue, kGreen});
    button->SetNumGlyphs(3);
    EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

    TPaintTestSurface surface(75, 25);
    // No caption, margin -1: the glyph centred at ((75 - 10) / 2, (25 - 10 + 1) / 2) = (32, 8).
    PrintButton(*button, surface);
    EXPECT_EQ(surface.Count(kRed, 32, 8, 42, 18), 99);
    EXPECT_EQ(surface.At(32, 17), kFace);  // the key pixel shows the face
    EXPECT_EQ(surface.Count(kSentinel, 0, 0, 75, 25), 0);

    // Pressed: the down cell, one pixel down and right.
    SendMessageW(button->Handle(), BM_SETSTATE, TRUE, 0);
    PrintButton(*button, surface);
    EXPECT_EQ(surface.Count(kGreen, 33, 9, 43, 19), 100);
    SendMessageW(button->Handle(), BM_SETSTATE, FALSE, 0);

    button->SetEnabled(false);
    PrintButton(*button, surface);
    EXPECT_EQ(surface.Count(kBlue, 32, 8, 42, 18), 100);

    // A strip without a disabled cell: the up cell turned grey (red's luminance, 77/256 of 255).
    button->SetNumGlyphs(1);
    button->Glyph()->SetSize(10, 10);
    PrintButton(*button, surface);
    EXPECT_EQ(surface.Count(0x4C4C4C, 32, 8, 42, 18), 99);
    EXPECT_EQ(surface.Count(kRed, 0, 0, 75, 25), 0);
}

TEST(BitBtn, PlacesGlyphBesideItsCaption) {
    TForm form(nullptr);
    auto* button = new TBitBtn(&form);
    button->SetParent(&form);
    button->SetBounds(0, 0, 90, 25);
    button->SetCaption(L"计算");
    MakeStrip(*button->Glyph(), 10, {kRed});

    // The caption's width measured apart, in the button's font.
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, button->Font()->Handle());
    SIZE text{};
    GetTextExtentPoint32W(screen, L"计算", 2, &text);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    ASSERT_GT(text.cx, 0);

    struct Case {
        TButtonLayout layout;
        int margin;
        int glyphLeft;  // expected
        int textLeft, textRight;
    };
    const int free = 90 - (10 + 4 + text.cx);
    const Case cases[] = {
        {blGlyphLeft, -1, free / 2, free / 2 + 14, free / 2 + 14 + text.cx},
        {blGlyphRight, -1, 90 - free / 2 - 10, 90 - free / 2 - 14 - text.cx, 90 - free / 2 - 14},
        {blGlyphLeft, 3, 3, 17, 17 + text.cx},
    };
    TPaintTestSurface surface(90, 25);
    for (const Case& c : cases) {
        button->SetLayout(c.layout);
        button->SetMargin(c.margin);
        PrintButton(*button, surface);
        EXPECT_EQ(surface.Count(kRed, c.glyphLeft, 8, c.glyphLeft + 10, 18), 99) << c.layout;
        // Caption ink lies between textLeft and textRight, none between glyph and caption.
        const int ink = 25 * text.cx - surface.Count(kFace, c.textLeft, 0, c.textRight, 25);
        EXPECT_GT(ink, 20) << c.layout;
        const int gapLeft = c.layout == blGlyphLeft ? c.glyphLeft + 10 : c.textRight;
        EXPECT_EQ(surface.Count(kFace, gapLeft, 3, gapLeft + 4, 22), 4 * 19) << c.layout;
    }
}

TEST(BitBtn, StaysOwnerDrawnAsDefaultAndClicksOnEveryPress) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* button = new TBitBtn(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 75, 25);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form.Show();

    button->SetDefault(true);
    EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    TPaintTestSurface surface(75, 25);
    PrintButton(*button, surface);
    const uint32_t frame = Rgb(GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(surface.Count(frame, 0, 0, 75, 1), 75);  // the default button's frame
    EXPECT_EQ(surface.Count(frame, 0, 0, 1, 25), 25);
    button->SetDefault(false);
    EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    PrintButton(*button, surface);
    EXPECT_LT(surface.Count(frame, 0, 0, 1, 25), 25);

    // A press and a quick second press (a double click) are two clicks.
    const LPARAM inside = MAKELPARAM(20, 12);
    SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(button->Handle(), WM_LBUTTONUP, 0, inside);
    SendMessageW(button->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
    SendMessageW(button->Handle(), WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(clicks, 2);
    form.Hide();
}

// A form with speed buttons, driven through the form's own mouse messages.
class SpeedButtons : public testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(0, 0, 300, 120);
        for (TSpeedButton*& b : buttons) {
            b = new TSpeedButton(&form);
            b->SetParent(&form);
            b->OnClick = [this, b](TObject*) {
                clicked += b == buttons[0] ? "A" : b == buttons[1] ? "B" : "C";
            };
        }
        buttons[0]->SetBounds(10, 10, 40, 30);
        buttons[1]->SetBounds(60, 10, 40, 30);
        buttons[2]->SetBounds(110, 10, 40, 30);
        form.HandleNeeded();
    }

    void Mouse(UINT msg, POINT p) {
        SendMessageW(form.Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(p.x, p.y));
    }
    // Press and release inside a button.
    void ClickOn(TSpeedButton* b) {
        const POINT p{b->Left() + 5, b->Top() + 5};
        Mouse(WM_MOUSEMOVE, p);
        Mouse(WM_LBUTTONDOWN, p);
        Mouse(WM_LBUTTONUP, p);
        SendMessageW(form.Handle(), WM_MOUSELEAVE, 0, 0);
    }
    void Render(TPaintTestSurface& surface) {
        surface.Fill(kSentinel);
        SendMessageW(form.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(surface.dc), 0);
    }

    TForm form{nullptr};
    TSpeedButton* buttons[3] = {};
    std::string clicked;
};

TEST_F(SpeedButtons, ClickOnlyOnAReleaseThatEndsAPressInside) {
    const POINT in{120, 20}, out{250, 100};
    struct Row {
        const char* what;
        std::vector<std::pair<UINT, POINT>> steps;
        bool enabled;
        const char* clicks;
    };
    const Row rows[] = {
        {"press and release inside",
         {{WM_MOUSEMOVE, in}, {WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}},
         true,
         "C"},
        {"double click",
         {{WM_MOUSEMOVE, in}, {WM_LBUTTONDBLCLK, in}, {WM_LBUTTONUP, in}},
         true,
         "C"},
        {"release outside",
         {{WM_MOUSEMOVE, in}, {WM_LBUTTONDOWN, in}, {WM_MOUSEMOVE, out}, {WM_LBUTTONUP, out}},
         true,
         ""},
        {"leave and come back",
         {{WM_MOUSEMOVE, in},
          {WM_LBUTTONDOWN, in},
          {WM_MOUSEMOVE, out},
          {WM_MOUSEMOVE, in},
          {WM_LBUTTONUP, in}},
         true,
         ""},
        {"release without a press", {{WM_MOUSEMOVE, in}, {WM_LBUTTONUP, in}}, true, ""},
        {"pressed outside, released inside",
         {{WM_LBUTTONDOWN, out}, {WM_MOUSEMOVE, in}, {WM_LBUTTONUP, in}},
         true,
         ""},
        {"disabled", {{WM_MOUSEMOVE, in}, {WM_LBUTTONDOWN, in}, {WM_LBUTTONUP, in}}, false, ""},
    };
    for (const Row& row : rows) {
        clicked.clear();
        buttons[2]->SetEnabled(row.enabled);
        for (const auto& [msg, p] : row.steps) Mouse(msg, p);
        SendMessageW(form.Handle(), WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(clicked, row.clicks) << row.what;
        EXPECT_FALSE(buttons[2]->Pressed()) << row.what;
        EXPECT_FALSE(buttons[2]->Down()) << row.what;  // no group: never stays down
    }
}

TEST_F(SpeedButtons, OneOfAGroupStaysDown) {
    buttons[0]->SetGroupIndex(1);
    buttons[1]->SetGroupIndex(1);
    ClickOn(buttons[0]);
    EXPECT_TRUE(buttons[0]->Down());
    ClickOn(buttons[1]);
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_FALSE(buttons[0]->Down());
    ClickOn(buttons[1]);  // the down button of a group that keeps one down stays down
    EXPECT_TRUE(buttons[1]->Down());
    buttons[1]->SetDown(false);
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_EQ(clicked, "ABB");

    buttons[0]->SetAllowAllUp(true);  // for the whole group
    EXPECT_TRUE(buttons[1]->AllowAllUp());
    ClickOn(buttons[1]);
    EXPECT_FALSE(buttons[1]->Down());
    buttons[0]->SetDown(true);
    buttons[2]->SetDown(true);  // not in a group
    EXPECT_TRUE(buttons[0]->Down());
    EXPECT_FALSE(buttons[2]->Down());
}

TEST_F(SpeedButtons, PaintTheCellOfEachState) {
    TSpeedButton* b = buttons[2];
    MakeStrip(*b->Glyph(), 8, {kRed, kBlue, kGreen, kYellow});
    b->SetNumGlyphs(4);
    RECT client;
    GetClientRect(form.Handle(), &client);
    TPaintTestSurface surface(client.right, client.bottom);
    // No caption: the glyph centred at (110 + 16, 10 + 11); pressed or down, one pixel further.
    Render(surface);
    EXPECT_EQ(surface.Count(kRed, 126, 21, 134, 29), 63);
    EXPECT_EQ(surface.At(126, 28), kFace);

    Mouse(WM_MOUSEMOVE, {120, 20});
    Mouse(WM_LBUTTONDOWN, {120, 20});
    Render(surface);
    EXPECT_EQ(surface.Count(kGreen, 127, 22, 135, 30), 64);
    SendMessageW(form.Handle(), WM_MOUSELEAVE, 0, 0);

    b->SetGroupIndex(5);
    b->SetDown(true);
    Render(surface);
    EXPECT_EQ(surface.Count(kYellow, 127, 22, 135, 30), 64);

    b->SetDown(false);
    b->SetAllowAllUp(true);
    b->SetDown(false);
    b->SetEnabled(false);
    Render(surface);
    EXPECT_EQ(surface.Count(kBlue, 126, 21, 134, 29), 64);

    // Flat and transparent, not under the mouse: no edge and no face, only the glyph.
    b->SetEnabled(true);
    b->SetFlat(true);
    b->SetTransparent(true);
    Render(surface);
    EXPECT_EQ(surface.Count(kRed, 126, 21, 134, 29), 63);
    EXPECT_EQ(surface.Count(kSentinel, 110, 10, 150, 40), 40 * 30 - 63);
}

TEST_F(SpeedButtons, RepaintingKeepsTheGdiObjectCount) {
    auto* bitBtn = new TBitBtn(&form);
    bitBtn->SetParent(&form);
    bitBtn->SetBounds(10, 50, 75, 25);
    bitBtn->SetCaption(L"计算");
    MakeStrip(*bitBtn->Glyph(), 10, {kRed});
    bitBtn->SetEnabled(false);  // the grey glyph and the embossed caption
    MakeStrip(*buttons[0]->Glyph(), 8, {kRed, kBlue});
    buttons[0]->SetNumGlyphs(2);
    buttons[0]->SetCaption(L"开");
    RECT client;
    GetClientRect(form.Handle(), &client);
    TPaintTestSurface formSurface(client.right, client.bottom), buttonSurface(75, 25);
    auto round = [&] {
        Render(formSurface);
        PrintButton(*bitBtn, buttonSurface);
    };
    round();
    const int before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) round();
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(GlyphButtons, ReadFromADescriptionAndAnswerThePropertiesTheSkinReads) {
    bmp_test::Picture strip;
    strip.width = 32;
    strip.height = 16;
    strip.values.assign(32 * 16, kRed);
    const std::string glyph = Hex(bmp_test::Write(strip, {}));
    const std::string text =
        "object Form1: TForm\n"
        "  object BitBtn1: TBitBtn\n"
        "    Caption = '确定'\n    Default = True\n    NumGlyphs = 2\n"
        "    Layout = blGlyphTop\n    Margin = 2\n    Spacing = 6\n"
        "    GlyphData = {" +
        glyph +
        "}\n"
        "  end\n"
        "  object SpeedButton1: TSpeedButton\n"
        "    Caption = '开'\n    GroupIndex = 3\n    Down = True\n    Flat = True\n"
        "    Transparent = True\n    Layout = blGlyphRight\n"
        "    GlyphData = {" +
        glyph +
        "}\n"
        "  end\n"
        "end\n";
    TForm form(nullptr);
    ReadComponentFromText(form, text, L"glyph buttons");
    TComponent* bitBtn = form.FindComponent(L"BitBtn1");
    TComponent* speed = form.FindComponent(L"SpeedButton1");
    ASSERT_NE(bitBtn, nullptr);
    ASSERT_NE(speed, nullptr);

    EXPECT_EQ(GetStrPropByName(bitBtn, "Caption"), L"确定");
    EXPECT_EQ(GetEnumPropName(bitBtn, "Default"), "True");
    EXPECT_EQ(GetIntProp(bitBtn, "NumGlyphs"), 2);
    EXPECT_EQ(GetEnumPropName(bitBtn, "Layout"), "blGlyphTop");
    EXPECT_EQ(GetIntProp(bitBtn, "Margin"), 2);
    EXPECT_EQ(GetIntProp(bitBtn, "Spacing"), 6);
    auto* bitGlyph =
        dynamic_cast<TBitmap*>(GetObjectPropByName(bitBtn, "Glyph", TBitmap::StaticClass()));
    ASSERT_NE(bitGlyph, nullptr);
    EXPECT_EQ(bitGlyph->Width(), 32);
    EXPECT_NE(GetObjectPropByName(bitBtn, "Font", TFont::StaticClass()), nullptr);

    EXPECT_EQ(GetStrPropByName(speed, "Caption"), L"开");
    EXPECT_EQ(GetEnumPropName(speed, "Down"), "True");
    EXPECT_EQ(GetEnumPropName(speed, "Flat"), "True");
    EXPECT_EQ(GetEnumPropName(speed, "Transparent"), "True");
    EXPECT_EQ(GetEnumPropName(speed, "Layout"), "blGlyphRight");
    EXPECT_EQ(GetIntProp(speed, "NumGlyphs"), 1);
    EXPECT_EQ(GetIntProp(speed, "Spacing"), 4);
    EXPECT_EQ(GetIntProp(speed, "Margin"), -1);
    auto* speedGlyph =
        dynamic_cast<TBitmap*>(GetObjectPropByName(speed, "Glyph", TBitmap::StaticClass()));
    ASSERT_NE(speedGlyph, nullptr);
    EXPECT_EQ(speedGlyph->Height(), 16);
}

}  // namespace
