// The combo box, group box, tab and panel skinners on the program's own windows, read back from
// the screen and compared with what the skin's own images give: the combo boxes' edge ring and
// drop-down button in each state, the group boxes' rounded frame and caption, the page
// control's tab strip and page border as pages switch, the help window's panel colour while
// skinned and after; and 200 page switches leave the GDI and USER counts flat.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "forms/containers.h"
#include "forms/page_control.h"
#include "skin/controls/combo_box_rules.h"
#include "skin/controls/skin_control_tree.h"
#include "skin/controls/skin_group_box.h"
#include "skin/controls/tab_rules.h"
#include "skin/skin_data.h"
#include "skinned_program_fixture.h"
#include "support/gdi_objects.h"
#include "support/pixel_compare.h"
#include "support/skinner_host_fixture.h"
#include "support/user_objects.h"

namespace {

TSkinManage* Manager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }
TSkinDescription& Skin() { return MainForm->SkinData1->Skin(); }

TSkinControl* SkinnerOf(TComponent* component) {
    TWinSkinForm* frame = Manager()->FindFormSkinner(MainForm->Handle());
    if (frame)
        for (TSkinControl* skinner : frame->ControlSkinners())
            if (skinner->Owner() == component) return skinner;
    return nullptr;
}

// A combo box of that size as the skin draws it, outside its interior: the SunkEdge cell, the
// button cell over it and the arrow cell over that.
std::unique_ptr<TBitmap> ExpectedCombo(int width, int height, int cell, bool buttonAtLeft,
                                       TComboBoxLayout& layout) {
    TDataSkinObject& edge = *Skin().SunkEdge;
    TDataSkinBorder& button = *Skin().ComboButton;
    TDataSkinObject& arrow = *Skin().ExtraImages;
    const TRect all{0, 0, width, height};
    layout = LayOutComboBox(all, GetSystemMetrics(SM_CXHSCROLL), buttonAtLeft);
    auto image = std::make_unique<TBitmap>();
    image->SetSize(width, height);
    HDC dc = image->Canvas()->Handle();
    auto ring = MakeNineSlice(all, edge.Image,
                              {edge.LeftWidth, edge.TopHeight, edge.RightWidth, edge.BottomHeight},
                              cell, 4, edge.Tile != 0, false);
    if (edge.Trans == 1)
        DrawTransparent(dc, all, *ring, kSkinKeyColor);
    else
        BitBlt(dc, 0, 0, width, height, ring->Canvas()->Handle(), 0, 0, SRCCOPY);
    auto face = MakeNineSlice(layout.button, buttonAtLeft ? button.Image2 : button.Image, {}, cell,
                              4, false, false);
    DrawTransparent(dc, layout.button, *face, kSkinKeyColor);
    const TRect glyph =
        CentredIn(layout.arrow, arrow.Image.Width() / arrow.FrameCount, arrow.Image.Height());
    DrawFrameCell(dc, glyph, arrow.Image, cell, arrow.FrameCount, true);
    return image;
}

// Pixels of the combo box outside its interior that differ from the cell's look.
int ComboMismatches(HWND box, int cell, bool buttonAtLeft = false) {
    auto shot = WindowShot(box);
    TComboBoxLayout layout;
    auto expected = ExpectedCombo(shot->Width(), shot->Height(), cell, buttonAtLeft, layout);
    const TRect in = layout.interior;
    int compared = 0;
    const int wrong = Mismatches(
        *shot, {0, 0}, *expected,
        [&](int x, int y) { return x < in.left || x >= in.right || y < in.top || y >= in.bottom; },
        &compared);
    EXPECT_GT(compared, 0);
    return wrong;
}

void ExpectComboCell(HWND box, int cell, bool buttonAtLeft = false, int line = __builtin_LINE()) {
    SCOPED_TRACE(testing::Message() << "combo cell " << cell << " checked at line " << line);
    EXPECT_EQ(ComboMismatches(box, cell, buttonAtLeft), 0) << [&] {
        std::string all;
        for (int n = 1; n <= 4; ++n)
            all += " " + std::to_string(ComboMismatches(box, n, buttonAtLeft));
        return "against cells 1-4:" + all;
    }();
}

// Moves the mouse as the user does. Under Wine a move is now and then lost: it is sent again.
void MoveMouseTo(POINT screen) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        MoveCursorTo(screen);
        POINT now{};
        GetCursorPos(&now);
        if (now.x == screen.x && now.y == screen.y) return;
    }
}

// A point of the main window where no combo box is.
POINT Away() {
    POINT p{4, 30};
    ClientToScreen(MainForm->GroupBox1->Handle(), &p);
    return p;
}

// The mouse leaves the box. Under Wine the class library is not always told (the system's
// leave notice does not always come); it is then told as it would be.
void Unhover(TComboBox* combo) {
    MoveMouseTo(Away());
    if (dynamic_cast<TSkinComBox*>(SkinnerOf(combo))->Hot()) combo->Perform(CM_MOUSELEAVE);
    PumpMessages();
    EXPECT_FALSE(dynamic_cast<TSkinComBox*>(SkinnerOf(combo))->Hot());
}

class ContainerSkinners : public TSkinnedProgramTest {
protected:
    void SetUp() override {
        OpenProgramWindows("ponderix-containers");
        MoveMouseTo(Away());
        ASSERT_NE(Skin().SunkEdge, nullptr);
        ASSERT_NE(Skin().ComboButton, nullptr);
        ASSERT_NE(Skin().Tabs, nullptr);
        MainForm->Edit1->SetFocus();
        PumpMessages();
    }
};

}  // namespace

TEST_F(ContainerSkinners, TheFourComboCellsDifferOutsideTheInterior) {
    HWND box = MainForm->ComboBox1->Handle();
    for (int a = 1; a <= 4; ++a)
        for (int b = a + 1; b <= 4; ++b) {
            TComboBoxLayout layout;
            auto shot = WindowShot(box);
            auto fa = ExpectedCombo(shot->Width(), shot->Height(), a, false, layout);
            auto fb = ExpectedCombo(shot->Width(), shot->Height(), b, false, layout);
            EXPECT_GT(Mismatches(*fa, {0, 0}, *fb, [](int, int) { return true; }), 0)
                << a << " and " << b;
        }
}

TEST_F(ContainerSkinners, TheProgramsComboBoxesShowTheRingAndTheButtonInEachState) {
    for (TComboBox* combo : {MainForm->ComboBox1, MainForm->ComboBox3}) {
        SCOPED_TRACE(testing::Message()
                     << "combo box " << std::string(combo->Name().begin(), combo->Name().end()));
        HWND box = combo->Handle();
        ASSERT_NE(dynamic_cast<TSkinComBox*>(SkinnerOf(combo)), nullptr);
        ExpectComboCell(box, 1);

        // Under the mouse, over its button.
        RECT r{};
        GetWindowRect(box, &r);
        MoveMouseTo(Away());  // a move onto the button follows, wherever the mouse was
        MoveMouseTo({r.right - 5, (r.top + r.bottom) / 2});
        PumpUntil([&] { return dynamic_cast<TSkinComBox*>(SkinnerOf(combo))->Hot(); },
                  std::chrono::seconds(1));
        ExpectComboCell(box, 4);
        Unhover(combo);
        ExpectComboCell(box, 1);

        // Focused (the focus is in its edit part).
        combo->SetFocus();
        PumpMessages();
        ExpectComboCell(box, 4);

        // Pressed: the list drops down; released: focused again.
        const LPARAM at = MAKELPARAM(r.right - r.left - 5, (r.bottom - r.top) / 2);
        SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ExpectComboCell(box, 2);
        SendMessageW(box, WM_LBUTTONUP, 0, at);
        SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
        PumpMessages();
        ExpectComboCell(box, 4);
        // A press whose release ends in the list (an item picked by dragging) is over when the
        // list closes.
        SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ExpectComboCell(box, 2);
        SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
        ReleaseCapture();  // as the release in the list would have ended it
        PumpMessages();
        ExpectComboCell(box, 4);
        MainForm->Edit1->SetFocus();
        Unhover(combo);
        ExpectComboCell(box, 1);
    }
}

TEST_F(ContainerSkinners, TypingAndCompletionInASkinnedComboBoxWorkAsBefore) {
    TComboBox* combo = MainForm->ComboBox1;
    HWND edit = combo->EditHandle();
    combo->SetFocus();
    for (wchar_t c : std::wstring(L"33")) SendMessageW(edit, WM_CHAR, c, 0);
    PumpMessages();
    // "33" completes to the first size that begins with it, the rest highlighted.
    EXPECT_EQ(combo->Text(), L"33.5");
    EXPECT_EQ(combo->SelStart(), 2);
    EXPECT_EQ(combo->SelLength(), 2);
    ExpectComboCell(combo->Handle(), 4);
}

TEST_F(ContainerSkinners, AComboBoxWithTheButtonAtTheLeftTakesTheMirroredImage) {
    TForm form(nullptr);
    form.SetBounds(60, 60, 300, 120);
    form.Show();
    TTestSkinnerHost host;
    HWND box = CreateWindowExW(WS_EX_LEFTSCROLLBAR, L"COMBOBOX", L"",
                               WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 150, 200,
                               form.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(box, nullptr);
    auto* skinner = new TSkinComBox(&host);
    skinner->HookWindow(box, MainForm->SkinData1, &host, host.ControlCanvas());
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    PumpMessages();
    ExpectComboCell(box, 1, true);
    // The mirrored image is not the plain one: the check can tell them apart.
    EXPECT_GT(ComboMismatches(box, 1, false), 0);
    DestroyWindow(box);
}

TEST_F(ContainerSkinners, ComboButtonStyleOneGivesEveryComboBoxTheSimpleLook) {
    TDataSkinBorder& button = *Skin().ComboButton;
    button.Style = 1;
    HWND box = MainForm->ComboBox1->Handle();
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    auto shot = WindowShot(box);
    const int w = shot->Width(), h = shot->Height();
    // The outer frame in the shadow colour, the next ring in the context's brush (white).
    const COLORREF shadow = ColorToRGB(Skin().ButtonShadowColour);
    EXPECT_EQ(PixelsOfColor(*shot, {0, 0, w, 1}, shadow), w);
    EXPECT_EQ(PixelsOfColor(*shot, {0, 0, 1, h}, shadow), h);
    EXPECT_EQ(PixelsOfColor(*shot, {1, 1, w - 1, 2}, RGB(255, 255, 255)), w - 2);
    // The button: cell 1 of ComboButton stretched over the brush.
    const TRect face = SimpleComboButton({0, 0, w, h}, GetSystemMetrics(SM_CYVTHUMB));
    TBitmap expected;
    expected.SetSize(face.Width(), face.Height());
    FillSolidRect(expected.Canvas()->Handle(), {0, 0, face.Width(), face.Height()},
                  RGB(255, 255, 255));
    DrawFrameCell(expected.Canvas()->Handle(), {0, 0, face.Width(), face.Height()}, button.Image, 1,
                  button.FrameCount, true);
    int compared = 0;
    EXPECT_EQ(Mismatches(
                  *shot, {face.left, face.top}, expected, [](int, int) { return true; }, &compared),
              0);
    EXPECT_GT(compared, 0);
    // SunkEdge is not drawn.
    EXPECT_GT(ComboMismatches(box, 1), 0);
    button.Style = 0;
}

TEST_F(ContainerSkinners, GroupBoxesHaveTheRoundedFrameAndTheCaptionInterruptingIt) {
    for (TGroupBox* group : {MainForm->GroupBox1, MainForm->GroupBox2}) {
        ASSERT_NE(dynamic_cast<TSkinGroupBox*>(SkinnerOf(group)), nullptr);
        auto shot = WindowShot(group->Handle());
        const int w = shot->Width(), h = shot->Height();
        TBitmap scratch;
        scratch.SetSize(1, 1);
        HDC dc = scratch.Canvas()->Handle();
        SelectObject(dc, group->Font()->Handle());
        SIZE digit{}, caption{};
        GetTextExtentPoint32W(dc, L"0", 1, &digit);
        const std::wstring text = group->Caption();
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &caption);
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        const int y = GroupBoxFrameTop(digit.cy);
        const COLORREF shadow = ColorToRGB(Skin().ButtonShadowColour);
        const COLORREF face = ColorToRGB(Skin().ButtonFaceColour);
        // The rounded frame: straight edges in the shadow colour, the control's own frame
        // outside it wiped out with the face colour.
        EXPECT_EQ(PixelOf(*shot, 1, h / 2), shadow);
        EXPECT_EQ(PixelOf(*shot, w - 2, h / 2), shadow);
        EXPECT_EQ(PixelOf(*shot, w / 2, h - 2), shadow);
        EXPECT_EQ(PixelOf(*shot, 0, h / 2), face);
        EXPECT_EQ(PixelOf(*shot, w - 1, h / 2), face);
        EXPECT_EQ(PixelOf(*shot, w / 2, h - 1), face);
        // Rounded: the corner pixel itself is not the frame's.
        EXPECT_NE(PixelOf(*shot, 1, h - 2), shadow);
        // The top edge runs to the caption 9 pixels from the left, and on after it.
        EXPECT_EQ(PixelOf(*shot, kGroupBoxCaptionIndent - 1, y), shadow);
        EXPECT_EQ(PixelOf(*shot, kGroupBoxCaptionIndent + caption.cx + 2, y), shadow);
        // Over the caption's width the edge is broken: the caption's opaque face background
        // (or its text) is there.
        EXPECT_EQ(
            PixelsOfColor(*shot,
                          {kGroupBoxCaptionIndent, y, kGroupBoxCaptionIndent + caption.cx, y + 1},
                          shadow),
            0);
        EXPECT_GT(
            PixelsOfColor(*shot, {kGroupBoxCaptionIndent, 0, kGroupBoxCaptionIndent + 1, digit.cy},
                          face),
            0);
    }
}

namespace {

// How the page control's tabs show: the outer ring of each tab against cells 1 and 2 of the
// Tabs image composed at the tab's size, one pixel lower, within the strip.
struct TTabLook {
    int cell1 = 0, cell2 = 0, compared = 0;
};

TTabLook TabLook(HWND tab, int index) {
    TDataSkinBorder& tabs = *Skin().Tabs;
    RECT item{}, adjusted{};
    SendMessageW(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    auto shot = WindowShot(tab);
    adjusted = {0, 0, shot->Width(), shot->Height()};
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&adjusted));
    const TRect display = TabDisplayRect(
        {adjusted.left, adjusted.top, adjusted.right, adjusted.bottom}, TTabSide::Top);
    const TRect place = TRect{item.left, item.top, item.right, item.bottom}.Offset(0, 1);
    TTabLook look;
    for (int cell = 1; cell <= 2; ++cell) {
        auto expected = MakeNineSlice(
            place, tabs.Image, {tabs.LeftWidth, tabs.TopHeight, tabs.RightWidth, tabs.BottomHeight},
            cell, tabs.FrameCount, tabs.Tile != 0, false);
        int compared = 0;
        const int wrong = Mismatches(
            *shot, {place.left, place.top}, *expected,
            [&](int x, int y) {
                return place.top + y < display.top &&
                       InRing(x, y, place.Width(), place.Height(), 2);
            },
            &compared);
        (cell == 1 ? look.cell1 : look.cell2) = wrong;
        look.compared = compared;
    }
    return look;
}

void ExpectSelectedTab(TPageControl* pages, int selected) {
    HWND tab = pages->Handle();
    auto shot = WindowShot(tab);
    const TDataSkinBorder& tabs = *Skin().Tabs;
    for (int i = 0; i < pages->PageCount(); ++i) {
        SCOPED_TRACE(testing::Message() << "tab " << i << ", selected " << selected);
        const TTabLook look = TabLook(tab, i);
        EXPECT_GT(look.compared, 0);
        EXPECT_EQ(i == selected ? look.cell2 : look.cell1, 0)
            << "cell 1: " << look.cell1 << ", cell 2: " << look.cell2;
        EXPECT_GT(i == selected ? look.cell1 : look.cell2, 0);
        RECT item{};
        SendMessageW(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
        const TRect inside{item.left + 2, item.top + 2, item.right - 2, item.bottom};
        const COLORREF textColor =
            ColorToRGB(i == selected ? tabs.MouseOverColour2 : tabs.NormalColour2);
        EXPECT_GT(PixelsOfColor(*shot, inside, textColor), 5);
    }
}

}  // namespace

TEST_F(ContainerSkinners, ThePageControlsStripShowsTheSelectedTabAndFollowsPageSwitches) {
    TPageControl* pages = MainForm->PageControl1;
    ASSERT_NE(dynamic_cast<TSkinTab*>(SkinnerOf(pages)), nullptr);
    ASSERT_NE(Skin().Tabs->MouseOverColour2, Skin().Tabs->NormalColour2);
    ExpectSelectedTab(pages, 0);
    for (int page : {2, 5, 1}) {
        pages->SetTabIndex(page);
        PumpMessages();
        ExpectSelectedTab(pages, page);
    }
}

TEST_F(ContainerSkinners, ThePageBorderComesFromTheSecondTabsImage) {
    TPageControl* pages = MainForm->PageControl1;
    HWND tab = pages->Handle();
    auto shot = WindowShot(tab);
    RECT adjusted{0, 0, shot->Width(), shot->Height()};
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&adjusted));
    const TRect display = TabDisplayRect(
        {adjusted.left, adjusted.top, adjusted.right, adjusted.bottom}, TTabSide::Top);
    // The border drawn alone on a sentinel colour.
    constexpr COLORREF kSentinel = RGB(1, 2, 3);
    TBitmap expected;
    expected.SetSize(shot->Width(), shot->Height());
    HDC dc = expected.Canvas()->Handle();
    FillSolidRect(dc, {0, 0, shot->Width(), shot->Height()}, kSentinel);
    DrawNineSliceBorder(dc, display, Skin().Tabs->Image2, {4, 5, 4, 4}, 1, 1, false, false);
    const RECT page = pages->ActivePage()->BoundsRect();
    int compared = 0;
    const int wrong = Mismatches(
        *shot, {0, 0}, expected,
        [&](int x, int y) {
            const POINT p{x, y};
            return PixelOf(expected, x, y) != kSentinel && !PtInRect(&page, p);
        },
        &compared);
    EXPECT_GT(compared, 100);
    EXPECT_EQ(wrong, 0);
}

TEST_F(ContainerSkinners, APanelTakesTheFaceColourWhileSkinnedAndGetsItsOwnBack) {
    AboutBox->Show();
    PumpMessages();
    TPanel* panel = AboutBox->Panel1;
    EXPECT_EQ(panel->Color(), Skin().ButtonFaceColour);
    auto shot = WindowShot(panel->Handle());
    EXPECT_EQ(PixelOf(*shot, 8, 68), ColorToRGB(Skin().ButtonFaceColour));

    MainForm->SkinData1->SetActive(false);
    Manager()->RunPendingAction();
    PumpMessages();
    ASSERT_TRUE(Manager()->FormSkinners().empty());
    // Its own colour: the help window's, which it follows again.
    EXPECT_TRUE(panel->ParentColor());
    EXPECT_EQ(panel->Color(), AboutBox->Color());
    AboutBox->SetColor(clWindow);
    EXPECT_EQ(panel->Color(), clWindow);
}

TEST_F(ContainerSkinners, TwoHundredPageSwitchesLeaveTheObjectCountsFlat) {
    TPageControl* pages = MainForm->PageControl1;
    // One round first: each page makes its controls' windows when first shown.
    for (int i = 0; i < pages->PageCount(); ++i) {
        pages->SetTabIndex(i);
        PumpMessages();
    }
    const int gdiBefore = GdiObjectCount();
    const int userBefore = UserObjectCount();
    for (int i = 0; i < 200; ++i) {
        pages->SetTabIndex(i % pages->PageCount());
        PumpMessages();
    }
    EXPECT_EQ(GdiObjectCount(), gdiBefore);
    EXPECT_EQ(UserObjectCount(), userBefore);
    ExpectSelectedTab(pages, 199 % pages->PageCount());
}
