// The button skinners on the program's own windows, driven with real mouse and keyboard
// messages: each face is read back from the screen and compared with the cell made from the
// skin's own Buttons image; the calculate, help and exit buttons click exactly once; only one
// button shows the mouse-over face; the radio buttons show the skin's marks. Check boxes made
// for the test show the 12-cell strip's indeterminate marks and BS_LEFTTEXT. A thousand hover,
// press and release rounds leave the GDI and USER counts flat.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "about_box.h"
#include "forms/application.h"
#include "forms/dc_scopes.h"
#include "forms/bit_btn.h"
#include "forms/font.h"
#include "forms/label.h"
#include "forms/speed_button.h"
#include "main_form.h"
#include "skinned_program_fixture.h"
#include "skin/controls/bit_button_layout.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_slice_win.h"
#include "skin/controls/skin_control_tree.h"
#include "skin/manager/skin_manager.h"
#include "skin/skin_data.h"
#include "support/gdi_objects.h"
#include "support/skinner_host_fixture.h"
#include "support/user_objects.h"
#include "support/screen_probe.h"
#include "support/win_test_util.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

TSkinManage* Manager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }

TSkinDescription& Skin() { return MainForm->SkinData1->Skin(); }

// The face cell of a push button of that size, made from the skin's Buttons image over the
// skin's face colour.
std::unique_ptr<TBitmap> ExpectedFace(int width, int height, int cell) {
    TDataSkinButton& b = Skin().Buttons;
    auto face = std::make_unique<TBitmap>();
    face->SetSize(width, height);
    HDC dc = face->Canvas()->Handle();
    const TRect rect{0, 0, width, height};
    FillSolidRect(dc, {0, 0, width, height}, ColorToRGB(Skin().ButtonFaceColour));
    std::unique_ptr<TBitmap> image =
        MakeNineSlice(rect, b.Image, {b.LeftWidth, b.TopHeight, b.RightWidth, b.BottomHeight}, cell,
                      5, b.Tile != 0, false);
    if (b.Trans == 1)
        DrawTransparent(dc, rect, *image, kSkinKeyColor);
    else
        BitBlt(dc, 0, 0, width, height, image->Canvas()->Handle(), 0, 0, SRCCOPY);
    return face;
}

// Where the button's caption goes, measured with its font.
TRect ExpectedCaption(TButton* button) {
    const std::wstring caption = button->Caption();
    TBitmap scratch;
    scratch.SetSize(1, 1);
    HDC dc = scratch.Canvas()->Handle();
    TSavedDC saved(dc);
    SelectObject(dc, button->Font()->Handle());
    const TRect target{0, 0, button->Width(), button->Height()};
    RECT measured{0, 0, target.right, target.bottom};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_CENTER | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP);
    return PlaceButtonCaption(target,
                              {measured.left, measured.top, measured.right, measured.bottom}, true);
}

bool Inside(const TRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Pixels outside the caption's box that differ from the expected face.
int FaceMismatches(TBitmap& shot, TBitmap& face, const TRect& caption) {
    int count = 0;
    HDC s = shot.Canvas()->Handle();
    HDC f = face.Canvas()->Handle();
    for (int y = 0; y < face.Height(); ++y)
        for (int x = 0; x < face.Width(); ++x)
            if (!Inside(caption, x, y) && GetPixel(s, x, y) != GetPixel(f, x, y)) ++count;
    return count;
}

int PixelsOfColor(TBitmap& shot, const TRect& r, COLORREF color) {
    int count = 0;
    HDC s = shot.Canvas()->Handle();
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) count += GetPixel(s, x, y) == color;
    return count;
}

TButtonTextColours SkinTextColours() {
    const TSkinDescription& s = Skin();
    const TDataSkinButton& b = s.Buttons;
    return {s.ButtonTextColour, b.NormalColour2,       b.MouseOverColour2, b.PressedColour2,
            b.HasNormalColour2, b.HasMouseOverColour2, b.HasPressedColour2};
}

// Checks that the button shows cell, its caption in the box and the colour the rules give.
void ExpectFace(TButton* button, int cell) {
    SCOPED_TRACE(testing::Message() << "cell " << cell);
    std::unique_ptr<TBitmap> shot = WindowShot(button->Handle());
    std::unique_ptr<TBitmap> face = ExpectedFace(button->Width(), button->Height(), cell);
    const TRect caption = ExpectedCaption(button);
    EXPECT_EQ(FaceMismatches(*shot, *face, caption), 0) << [&] {
        std::string others;
        for (int n = 1; n <= 5; ++n)
            others +=
                " " + std::to_string(FaceMismatches(
                          *shot, *ExpectedFace(button->Width(), button->Height(), n), caption));
        return "against cells 1-5:" + others;
    }();
    const COLORREF text =
        ColorToRGB(ButtonTextColor(cell, true, button->Font()->Color(), SkinTextColours()));
    EXPECT_GT(PixelsOfColor(*shot, caption, text), 0);
}

TSkinControl* SkinnerOf(TComponent* component) {
    TWinSkinForm* frame = Manager()->FindFormSkinner(MainForm->Handle());
    if (frame)
        for (TSkinControl* skinner : frame->ControlSkinners())
            if (skinner->Owner() == component) return skinner;
    return nullptr;
}

POINT ClientCentre(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right / 2, r.bottom / 2};
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

bool Hot(TComponent* button) { return (SkinnerOf(button)->MouseState() & msHot) != 0; }

// The mouse moves onto the window's middle.
void Hover(HWND window) { MoveCursorTo(window, ClientCentre(window)); }

// The mouse leaves the button for a point of another window where no button is; answers
// whether the button's skinner let go of the mouse-over state. The system tells a window that
// the mouse left when its tracking timer next runs; under Wine that notice does not always
// come, and the button is then sent the WM_MOUSELEAVE it asked for.
bool LeaveFor(TComponent* button, HWND window, POINT p) {
    MoveCursorTo(window, p);
    if (!PumpUntil([&] { return !Hot(button); }, 500ms))
        SendMessageW(static_cast<TWinControl*>(button)->Handle(), WM_MOUSELEAVE, 0, 0);
    return PumpUntil([&] { return !Hot(button); }, 1s);
}

// Checks that the window shows cell of the strip as its mark where the placement rule puts it:
// every pixel of the cell that is not the key colour.
void ExpectMark(HWND window, TBitmap& strip, int frameCount, int cell, bool checkBox) {
    SCOPED_TRACE(testing::Message() << "mark cell " << cell);
    std::unique_ptr<TBitmap> shot = WindowShot(window);
    const bool leftText = (GetWindowLongW(window, GWL_STYLE) & BS_LEFTTEXT) != 0;
    const TMarkPlacement place =
        PlaceButtonMark({0, 0, shot->Width(), shot->Height()}, strip.Width() / frameCount,
                        strip.Height(), GetSystemMetrics(SM_CXMENUCHECK), leftText, checkBox);
    const TRect& m = place.mark;
    std::unique_ptr<TBitmap> expected = MakeNineSlice(m, strip, {}, cell, frameCount, false, false);
    int compared = 0, wrong = 0;
    for (int y = 0; y < m.Height(); ++y)
        for (int x = 0; x < m.Width(); ++x) {
            const COLORREF want = GetPixel(expected->Canvas()->Handle(), x, y);
            if (want == kSkinKeyColor) continue;
            ++compared;
            wrong += GetPixel(shot->Canvas()->Handle(), m.left + x, m.top + y) != want;
        }
    EXPECT_GT(compared, 0);
    EXPECT_EQ(wrong, 0);
}

class ButtonSkinners : public TSkinnedProgramTest {
protected:
    void SetUp() override {
        MoveCursorTo({1, 1});  // where no window of the test will be
        OpenProgramWindows("ponderix-buttons");
        ASSERT_NE(SkinnerOf(MainForm->Button3), nullptr);
        ASSERT_FALSE(Skin().Buttons.Image.Empty());
        MainForm->Edit1->SetFocus();
        PumpMessages();
    }
    // Counts the runs of a button's handler, which still runs.
    static std::shared_ptr<int> CountClicks(TButton* button) {
        auto runs = std::make_shared<int>(0);
        TNotifyEvent original = button->OnClick;
        button->OnClick = [runs, original](TObject* sender) {
            ++*runs;
            if (original) original(sender);
        };
        return runs;
    }
    static void EnterPipe() {
        for (auto [window, text] : {std::pair{MainForm->ComboBox1->EditHandle(), L"108"},
                                    std::pair{MainForm->ComboBox2->EditHandle(), L"4"},
                                    std::pair{MainForm->Edit1->Handle(), L"6"}})
            for (const wchar_t* c = text; *c; ++c) SendMessageW(window, WM_CHAR, *c, 0);
    }
};

}  // namespace

TEST_F(ButtonSkinners, TheFiveFacesDifferOutsideTheCaption) {
    TButton* button = MainForm->Button3;
    const TRect caption = ExpectedCaption(button);
    for (int a = 1; a <= 5; ++a)
        for (int b = a + 1; b <= 5; ++b) {
            auto fa = ExpectedFace(button->Width(), button->Height(), a);
            auto fb = ExpectedFace(button->Width(), button->Height(), b);
            EXPECT_GT(FaceMismatches(*fa, *fb, caption), 0) << a << " and " << b;
        }
}

TEST_F(ButtonSkinners, ACalculateButtonShowsTheCellOfEachState) {
    TButton* button = MainForm->Button3;
    HWND window = button->Handle();
    EnterPipe();  // the click below calculates rather than report empty boxes
    ExpectFace(button, 1);

    Hover(window);
    EXPECT_TRUE(Hot(button));
    ExpectFace(button, 4);

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(ClientCentre(window)));
    EXPECT_EQ(GetFocus(), window);  // the press focuses the button
    ExpectFace(button, 2);
    SendMessageW(window, WM_LBUTTONUP, 0, At(ClientCentre(window)));
    PumpMessages();
    ExpectFace(button, 4);

    // Focused, without the mouse.
    EXPECT_TRUE(LeaveFor(button, MainForm->GroupBox1->Handle(), {4, 30}));
    EXPECT_EQ(GetFocus(), window);
    ExpectFace(button, 4);

    MainForm->Edit1->SetFocus();
    PumpMessages();
    ExpectFace(button, 1);

    button->SetEnabled(false);
    PumpMessages();
    ExpectFace(button, 3);
    Hover(window);  // a disabled button does not light up
    ExpectFace(button, 3);
    button->SetEnabled(true);
}

TEST_F(ButtonSkinners, TheHelpWindowsDefaultButtonShowsTheDefaultCell) {
    AboutBox->Show();
    PumpMessages();
    TButton* ok = AboutBox->OKButton;
    ASSERT_TRUE(ok->Default());
    AboutBox->Memo1->SetFocus();
    PumpMessages();
    TWinSkinForm* frame = Manager()->FindFormSkinner(AboutBox->Handle());
    ASSERT_NE(frame, nullptr);
    ExpectFace(ok, 5);
    ok->SetFocus();  // default beats focused
    PumpMessages();
    ExpectFace(ok, 5);
}

TEST_F(ButtonSkinners, AClickRunsTheHandlerOnceAndCalculates) {
    TButton* button = MainForm->Button3;
    HWND window = button->Handle();
    auto runs = CountClicks(button);
    EnterPipe();

    // Mouse: over, press, release.
    Hover(window);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(ClientCentre(window)));
    SendMessageW(window, WM_LBUTTONUP, 0, At(ClientCentre(window)));
    PumpMessages();
    EXPECT_EQ(*runs, 1);
    EXPECT_EQ(MainForm->Edit3->Text(), L"         61.555");

    // Space, on the focused button: pressed while held, clicked by the button on release.
    MainForm->Edit3->SetTextValue(L"");
    EXPECT_TRUE(LeaveFor(button, MainForm->GroupBox1->Handle(), {4, 30}));
    button->SetFocus();
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
    ExpectFace(button, 2);
    SendMessageW(window, WM_KEYUP, VK_SPACE, 0);
    PumpMessages();
    EXPECT_EQ(*runs, 2);
    EXPECT_EQ(MainForm->Edit3->Text(), L"         61.555");
    ExpectFace(button, 4);

    // A mouse release while Space is held does not click twice.
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(window, WM_LBUTTONUP, 0, At(ClientCentre(window)));
    SendMessageW(window, WM_KEYUP, VK_SPACE, 0);
    PumpMessages();
    EXPECT_EQ(*runs, 3);

    // BM_CLICK, as the calculator's own tests click.
    SendMessageW(window, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(*runs, 4);
}

TEST_F(ButtonSkinners, APressInsideAndAReleaseOutsideDoesNotClick) {
    TButton* button = MainForm->Button3;
    HWND window = button->Handle();
    auto runs = CountClicks(button);
    EnterPipe();
    Hover(window);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(ClientCentre(window)));
    ExpectFace(button, 2);
    HWND outside = MainForm->GroupBox1->Handle();
    EXPECT_TRUE(LeaveFor(button, outside, {4, 30}));
    // The release goes to the window under the mouse; the button never sees it.
    SendMessageW(outside, WM_LBUTTONUP, 0, MAKELPARAM(4, 30));
    PumpMessages();
    EXPECT_EQ(*runs, 0);
    EXPECT_EQ(MainForm->Edit3->Text(), L"");
    EXPECT_EQ(SkinnerOf(button)->MouseState() & msPressed, 0);
    ExpectFace(button, 4);  // not pressed: only the focus the press gave it

    // Coming back and releasing there does not click either: the press ended on leaving.
    Hover(window);
    SendMessageW(window, WM_LBUTTONUP, 0, At(ClientCentre(window)));
    PumpMessages();
    EXPECT_EQ(*runs, 0);
}

TEST_F(ButtonSkinners, OnlyOneButtonShowsTheMouseOverFace) {
    TButton* help = MainForm->Button1;
    TButton* exit = MainForm->Button2;
    Hover(help->Handle());
    EXPECT_TRUE(Hot(help));
    ExpectFace(help, 4);
    // Straight onto the exit button: the help button is told that the mouse left.
    Hover(exit->Handle());
    EXPECT_TRUE(Hot(exit));
    EXPECT_FALSE(Hot(help));
    ExpectFace(exit, 4);
    ExpectFace(help, 1);
    EXPECT_EQ(Manager()->FindFormSkinner(MainForm->Handle())->HotControl(), SkinnerOf(exit));
}

TEST_F(ButtonSkinners, TheHelpAndExitButtonsAndEnterOnTheDefaultButton) {
    auto helpRuns = CountClicks(MainForm->Button1);
    HWND help = MainForm->Button1->Handle();
    Hover(help);
    SendMessageW(help, WM_LBUTTONDOWN, MK_LBUTTON, At(ClientCentre(help)));
    SendMessageW(help, WM_LBUTTONUP, 0, At(ClientCentre(help)));
    PumpMessages();
    EXPECT_EQ(*helpRuns, 1);
    ASSERT_TRUE(IsWindowVisible(AboutBox->Handle()));

    // Enter in the help window goes to its default button, which closes it.
    auto okRuns = CountClicks(AboutBox->OKButton);
    AboutBox->OKButton->SetFocus();
    MSG enter{AboutBox->OKButton->Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(Application->IsDialogKey(enter));
    PumpMessages();
    EXPECT_EQ(*okRuns, 1);
    EXPECT_FALSE(IsWindowVisible(AboutBox->Handle()));

    // The exit button's handler runs once (counted; the program is not ended here).
    TButton* exit = MainForm->Button2;
    auto exitRuns = std::make_shared<int>(0);
    exit->OnClick = [exitRuns](TObject*) { ++*exitRuns; };
    Hover(exit->Handle());
    SendMessageW(exit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(ClientCentre(exit->Handle())));
    SendMessageW(exit->Handle(), WM_LBUTTONUP, 0, At(ClientCentre(exit->Handle())));
    PumpMessages();
    EXPECT_EQ(*exitRuns, 1);
}

TEST_F(ButtonSkinners, ThePagesRadioButtonsShowTheSkinsMarks) {
    MainForm->PageControl1->SetActivePage(MainForm->TabSheet2);
    PumpMessages();
    TDataSkinButton& b = Skin().Buttons;
    ASSERT_EQ(b.RadioFrameCount, 8);
    ASSERT_TRUE(MainForm->RadioButton1->Checked());
    ExpectMark(MainForm->RadioButton1->Handle(), b.RadioImage, 8, 5, false);  // checked: 2 -> 5
    ExpectMark(MainForm->RadioButton2->Handle(), b.RadioImage, 8, 1, false);
    // A click moves the check, and both marks follow.
    SendMessageW(MainForm->RadioButton2->Handle(), BM_CLICK, 0, 0);
    PumpMessages();
    ExpectMark(MainForm->RadioButton2->Handle(), b.RadioImage, 8, 5, false);
    ExpectMark(MainForm->RadioButton1->Handle(), b.RadioImage, 8, 1, false);
    MainForm->RadioButton1->SetEnabled(false);
    PumpMessages();
    ExpectMark(MainForm->RadioButton1->Handle(), b.RadioImage, 8, 4, false);  // disabled: 3 -> 4
}

TEST_F(ButtonSkinners, ThreeStateCheckBoxesShowTheTwelveCellStripsMarks) {
    TForm form(nullptr);
    form.SetBounds(80, 80, 300, 150);
    form.Show();
    TTestSkinnerHost host;
    TDataSkinButton& b = Skin().Buttons;
    ASSERT_EQ(b.CheckFrameCount, 12);
    const struct {
        DWORD style;
        int top;
    } boxes[] = {{0, 10}, {BS_LEFTTEXT, 40}};
    for (const auto& c : boxes) {
        SCOPED_TRACE(c.style ? "BS_LEFTTEXT" : "mark on the left");
        HWND box =
            CreateWindowExW(0, L"BUTTON", L"三态", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE | c.style,
                            10, c.top, 120, 20, form.Handle(), nullptr, nullptr, nullptr);
        ASSERT_NE(box, nullptr);
        auto* skinner = new TSkinCheckBox(&host);
        skinner->HookWindow(box, MainForm->SkinData1, &host, host.ControlCanvas());
        InvalidateRect(box, nullptr, TRUE);
        PumpMessages();
        ExpectMark(box, b.CheckImage, 12, 1, true);
        SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
        PumpMessages();
        ExpectMark(box, b.CheckImage, 12, 5, true);
        SendMessageW(box, BM_SETCHECK, BST_INDETERMINATE, 0);
        PumpMessages();
        ExpectMark(box, b.CheckImage, 12, 9, true);
        EnableWindow(box, FALSE);
        PumpMessages();
        ExpectMark(box, b.CheckImage, 12, 12, true);
        SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
        PumpMessages();
        ExpectMark(box, b.CheckImage, 12, 8, true);
        DestroyWindow(box);
    }
}

TEST_F(ButtonSkinners, HoverPressAndReleaseRoundsLeaveTheObjectCountsFlat) {
    TButton* help = MainForm->Button1;
    TButton* exit = MainForm->Button2;
    HWND window = help->Handle();
    int runs = 0;
    help->OnClick = [&runs](TObject*) { ++runs; };
    exit->OnClick = nullptr;
    const POINT centre = ClientCentre(window);
    // Over the help button, a click, then over to the exit button, which takes the hot face.
    auto round = [&] {
        Hover(window);
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(centre));
        SendMessageW(window, WM_LBUTTONUP, 0, At(centre));
        Hover(exit->Handle());
    };
    round();  // the first paints make the buffers
    const int gdiBefore = GdiObjectCount();
    const int userBefore = UserObjectCount();
    for (int i = 0; i < 1000; ++i) round();
    EXPECT_EQ(runs, 1001);
    EXPECT_FALSE(Hot(help));
    EXPECT_EQ(GdiObjectCount(), gdiBefore);
    EXPECT_EQ(UserObjectCount(), userBefore);
}

namespace {

constexpr COLORREF kGlyphUp = RGB(0, 192, 0);
constexpr COLORREF kGlyphSecond = RGB(0, 0, 200);
constexpr COLORREF kGlyphKey = RGB(255, 255, 255);

// A strip of two 16 x 16 cells: green, then blue; each cell's left column is white, the colour
// of its bottom-left pixel, and so transparent.
void MakeGlyph(TBitmap& glyph) {
    glyph.SetPixelFormat(TPixelFormat::pf24bit);
    glyph.SetSize(32, 16);
    HDC dc = glyph.Canvas()->Handle();
    FillSolidRect(dc, {0, 0, 16, 16}, kGlyphUp);
    FillSolidRect(dc, {16, 0, 32, 16}, kGlyphSecond);
    FillSolidRect(dc, {0, 0, 1, 16}, kGlyphKey);
    FillSolidRect(dc, {16, 0, 17, 16}, kGlyphKey);
}

TExtent CaptionExtent(TBitBtn* button) {
    const std::wstring caption = button->Caption();
    if (caption.empty()) return {};
    TBitmap scratch;
    scratch.SetSize(1, 1);
    HDC dc = scratch.Canvas()->Handle();
    TSavedDC saved(dc);
    SelectObject(dc, button->Font()->Handle());
    RECT r{0, 0, button->Width(), button->Height()};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

// A bitmap button with a published Alignment, as bitmap buttons of other class libraries have:
// the skinner reads it by name, so it serves them too.
class TAlignedBitBtn : public TBitBtn {
    PONDERIX_CLASS(TAlignedBitBtn, TBitBtn)
public:
    using TBitBtn::TBitBtn;
    TAlignment Alignment() const { return alignment; }
    void SetAlignment(TAlignment value) { alignment = value; }

private:
    TAlignment alignment = taLeftJustify;
};

PONDERIX_DEFINE_CLASS(TAlignedBitBtn, [](TClassBuilder<TAlignedBitBtn>& b) {
    b.Enum("Alignment", AlignmentType, &TAlignedBitBtn::Alignment, &TAlignedBitBtn::SetAlignment);
})

TEST_F(ButtonSkinners, BitmapButtonsLayTheirGlyphOutAndGreyItWhenDisabled) {
    TForm form(nullptr);
    form.SetBounds(60, 60, 400, 300);
    form.Show();
    TTestSkinnerHost host;
    TBitmap glyph;
    MakeGlyph(glyph);
    const COLORREF grey = RGB(64, 64, 64);  // (0 + 192 + 0) div 3
    struct TCase {
        const char* name;
        const wchar_t* caption;
        TButtonLayout layout;
        int margin, spacing;
        bool enabled;
        COLORREF glyphColor;
        TAlignment alignment = taLeftJustify;
    };
    for (const TCase& c : {
             TCase{"left", L"确定", blGlyphLeft, 4, 4, true, kGlyphUp},
             TCase{"right", L"确定", blGlyphRight, 4, 4, true, kGlyphUp},
             TCase{"top", L"确定", blGlyphTop, 2, 2, true, kGlyphUp},
             TCase{"bottom", L"确定", blGlyphBottom, 2, 2, true, kGlyphUp},
             TCase{"margin -1", L"确定", blGlyphLeft, -1, 4, true, kGlyphUp},
             TCase{"margin and spacing -1", L"确定", blGlyphLeft, -1, -1, true, kGlyphUp},
             TCase{"empty caption", L"", blGlyphLeft, 10, 4, true, kGlyphUp},
             TCase{"disabled, first cell grey", L"确定", blGlyphLeft, 4, 4, false, grey},
             TCase{"taCenter", L"确定", blGlyphLeft, 4, 4, true, kGlyphUp, taCenter},
         }) {
        SCOPED_TRACE(c.name);
        auto* button = new TAlignedBitBtn(&form);
        button->SetAlignment(c.alignment);
        button->SetParent(&form);
        button->SetBounds(20, 20, 120, 48);
        button->SetCaption(c.caption);
        button->SetGlyph(&glyph);
        button->SetNumGlyphs(2);
        button->SetLayout(c.layout);
        button->SetMargin(c.margin);
        button->SetSpacing(c.spacing);
        button->SetEnabled(c.enabled);
        auto* skinner = new TSkinBitButton(button);
        skinner->HookControl(&host, MainForm->SkinData1, false, host.ControlCanvas());
        PumpMessages();

        TBitButtonLayout layout;
        layout.client = {button->Width(), button->Height()};
        layout.glyph = {16, 16};
        layout.text = CaptionExtent(button);
        layout.layout = c.layout;
        layout.margin = c.margin;
        layout.spacing = c.spacing;
        layout.centred = c.alignment == taCenter;
        const TBitButtonPlaces places = PlaceBitButton(layout);
        std::unique_ptr<TBitmap> shot = WindowShot(button->Handle());
        std::unique_ptr<TBitmap> face =
            ExpectedFace(button->Width(), button->Height(), c.enabled ? 1 : 3);
        HDC s = shot->Canvas()->Handle();
        const int gx = places.glyph.x, gy = places.glyph.y;
        EXPECT_EQ(GetPixel(s, gx + 8, gy + 8), c.glyphColor);
        EXPECT_EQ(GetPixel(s, gx + 15, gy + 15), c.glyphColor);
        // The transparent column shows the face.
        EXPECT_EQ(GetPixel(s, gx, gy + 8), GetPixel(face->Canvas()->Handle(), gx, gy + 8));
        // Just outside the glyph: the face (away from the caption).
        const TRect caption{places.text.x, places.text.y, places.text.x + layout.text.width,
                            places.text.y + layout.text.height};
        const TRect glyphBox{gx, gy, gx + 16, gy + 16};
        int wrong = 0;
        HDC f = face->Canvas()->Handle();
        for (int y = 0; y < face->Height(); ++y)
            for (int x = 0; x < face->Width(); ++x)
                if (!Inside(caption, x, y) && !Inside(glyphBox, x, y))
                    wrong += GetPixel(s, x, y) != GetPixel(f, x, y);
        EXPECT_EQ(wrong, 0);
        delete button;
    }
}

TEST_F(ButtonSkinners, ASpeedButtonThatStaysDownShowsThePressedCellEvenDisabled) {
    TForm form(nullptr);
    form.SetBounds(60, 60, 300, 200);
    form.Show();
    TTestSkinnerHost host;
    auto* button = new TSpeedButton(&form);
    button->SetParent(&form);
    button->SetBounds(20, 20, 60, 30);
    auto* skinner = new TSkinSpeedButton(button);
    skinner->HookGraphicControl(&host, MainForm->SkinData1, host.ControlCanvas());
    // What the parent shows where the button is, against the face cell made from the skin.
    auto shows = [&](int cell) {
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpMessages();
        TBitmap shot;
        shot.SetSize(button->Width(), button->Height());
        TWindowDC dc(form.Handle(), TWindowDC::Client);
        BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), dc.Dc(), button->Left(),
               button->Top(), SRCCOPY);
        return FaceMismatches(shot, *ExpectedFace(button->Width(), button->Height(), cell), {});
    };
    EXPECT_EQ(shows(1), 0);
    button->SetEnabled(false);
    EXPECT_EQ(shows(3), 0);
    button->SetGroupIndex(1);
    button->SetDown(true);
    EXPECT_EQ(shows(2), 0);  // down beats disabled
    button->SetEnabled(true);
    EXPECT_EQ(shows(2), 0);
}
