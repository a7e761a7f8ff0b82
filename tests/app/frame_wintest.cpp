// The skinned frame of the program's main window, read back from the window: its style, sizes,
// hit-test answers, region and pixels, the title-bar buttons' cells and commands, and the native
// frame given back when skinning is switched off.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "about_box.h"
#include "forms/application.h"
#include "forms/menus.h"
#include "main_form.h"
#include "skinned_program_fixture.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_slice_win.h"
#include "skin/manager/skin_manager.h"
#include "support/win_test_util.h"

namespace fs = std::filesystem;

namespace {

TSkinManage* Manager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

COLORREF ScreenPixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

COLORREF BitmapPixel(TBitmap& bitmap, int x, int y) { return bitmap.Canvas()->Pixel(x, y); }

class Frame : public TSkinnedProgramTest {
protected:
    void SetUp() override {
        OpenProgramWindows("ponderix-frame");
        window = MainForm->Handle();
        frame = Manager()->FindFormSkinner(window);
    }
    TSkinDescription& Skin() { return MainForm->SkinData1->Skin(); }
    POINT ScreenPoint(int x, int y) {
        RECT r{};
        GetWindowRect(window, &r);
        return {r.left + x, r.top + y};
    }
    LRESULT HitTest(int x, int y) {
        const POINT p = ScreenPoint(x, y);
        return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    }
    TWinSysButton* ButtonWithAction(int action) {
        for (const auto& b : frame->SysButtons())
            if (b->SkinButton().Action == action) return b.get();
        return nullptr;
    }
    // The cell of a title-bar button's strip at the button's centre.
    COLORREF ButtonCellCentre(TWinSysButton& b, int cell) {
        TDataSkinSysButton& s = b.SkinButton();
        const int w = s.Image.Width() / s.FrameCount;
        return BitmapPixel(s.Image, (cell - 1) * w + w / 2, s.Image.Height() / 2);
    }
    static void RunScheduledAction() {
        ASSERT_TRUE(Manager()->TimerEnabled());
        Manager()->RunPendingAction();
        PumpMessages();
    }

    HWND window = nullptr;
    TWinSkinForm* frame = nullptr;
};

TEST_F(Frame, MainWindowHasTheSkinsFrameAroundTheFormsClientArea) {
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->SkinState(), fsActive);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION, 0);
    const TFrameSizes sizes = frame->FrameSizes();
    EXPECT_EQ(sizes.caption, Skin().FrameTop.Image.Height() / Skin().FrameTop.FrameCount);
    EXPECT_EQ(sizes.left, Skin().FrameLeft.Image.Width() / Skin().FrameLeft.FrameCount);
    RECT client{}, outer{};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 309);
    EXPECT_EQ(SizeOf(outer).cx, 480 + sizes.left + sizes.right);
    EXPECT_EQ(SizeOf(outer).cy, 309 + sizes.caption + sizes.bottom);

    // Hit tests: the caption below its top rows is HTCAPTION, the client HTCLIENT.
    const int w = SizeOf(outer).cx;
    EXPECT_EQ(HitTest(w / 2, 10), HTCAPTION);
    EXPECT_EQ(HitTest(w / 2, sizes.caption + 20), HTCLIENT);

    // The region: the left piece's magenta corner is cut away, the middle of the caption kept.
    ASSERT_TRUE(frame->RegionSet());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    ASSERT_EQ(BitmapPixel(Skin().FrameLeft.Image, 0, 0) & 0xFFFFFF, kSkinKeyColor);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, w - 1, 0));
    EXPECT_TRUE(PtInRegion(region, w / 2, 0));
    EXPECT_TRUE(PtInRegion(region, 2, sizes.caption + 5));
    DeleteObject(region);
}

TEST_F(Frame, CaptionShowsTheTopPieceTheTitleAndOnlyTheCloseAndIconButtons) {
    ASSERT_NE(frame, nullptr);
    SetForegroundWindow(window);
    PumpMessages();
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    RECT outer{};
    GetWindowRect(window, &outer);
    const int w = SizeOf(outer).cx;
    const TFrameSizes sizes = frame->FrameSizes();
    TDataSkinBorder& top = Skin().FrameTop;
    std::unique_ptr<TBitmap> expected =
        MakeNineSlice({0, 0, w - sizes.left - sizes.right, sizes.caption}, top.Image,
                      {top.LeftWidth, top.TopHeight, top.RightWidth, top.BottomHeight}, 1,
                      top.FrameCount, top.Tile != 1, true);
    // A column between the title and the buttons shows the top piece's active cell.
    for (int y = 0; y < sizes.caption; y += 5)
        EXPECT_EQ(ScreenPixel(window, w - 60, y), BitmapPixel(*expected, w - 60 - sizes.left, y))
            << y;
    // The title is drawn in TitleTextActive where the top piece has no such colour.
    const COLORREF titleColour = ColorToRGB(Skin().TitleTextActiveColour);
    const TRect t = frame->TitleRect();
    int drawn = 0, inPiece = 0;
    for (int y = t.top; y < t.bottom; ++y)
        for (int x = t.left; x < t.right; ++x) {
            drawn += ScreenPixel(window, x, y) == titleColour;
            inPiece += BitmapPixel(*expected, x - sizes.left, y) == titleColour;
        }
    EXPECT_GT(drawn, 10);
    EXPECT_EQ(inPiece, 0);
    // The main window has neither box: close and icon show, maximise and minimise do not.
    EXPECT_TRUE(ButtonWithAction(0)->Visible);
    EXPECT_TRUE(ButtonWithAction(3)->Visible);
    EXPECT_FALSE(ButtonWithAction(1)->Visible);
    EXPECT_FALSE(ButtonWithAction(2)->Visible);
}

TEST_F(Frame, CloseButtonHoverPressAndClick) {
    ASSERT_NE(frame, nullptr);
    SetForegroundWindow(window);
    PumpMessages();
    TWinSysButton* close = ButtonWithAction(0);
    ASSERT_NE(close, nullptr);
    ASSERT_TRUE(frame->Active());
    const int cx = (close->Rect.left + close->Rect.right) / 2;
    const int cy = (close->Rect.top + close->Rect.bottom) / 2;
    const POINT p = ScreenPoint(cx, cy);
    const LPARAM at = MAKELPARAM(p.x, p.y);
    SendMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, at);
    EXPECT_EQ(close->State, ncHot);
    EXPECT_EQ(ScreenPixel(window, cx, cy), ButtonCellCentre(*close, 3));
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, at);
    EXPECT_EQ(close->State, ncPressed);
    EXPECT_EQ(ScreenPixel(window, cx, cy), ButtonCellCentre(*close, 2));
    SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, at);
    // The click posts the close command to the window.
    MSG posted{};
    ASSERT_TRUE(PeekMessageW(&posted, window, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ(posted.wParam, static_cast<WPARAM>(SC_CLOSE));
    // Moving on to the caption beside it gives the button its normal cell back.
    const POINT beside = ScreenPoint(cx - 60, cy);
    SendMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(beside.x, beside.y));
    EXPECT_EQ(close->State, ncNormal);
    EXPECT_EQ(frame->HotObject(), nullptr);
    EXPECT_EQ(ScreenPixel(window, cx, cy), ButtonCellCentre(*close, 1));
}

TEST_F(Frame, SwitchingSkinningOffGivesTheNativeFrameBackAndOnSkinsAgain) {
    ASSERT_NE(frame, nullptr);
    TSkinData* skin = MainForm->SkinData1;
    skin->SetActive(false);
    RunScheduledAction();
    ASSERT_EQ(Manager()->FindFormSkinner(window), nullptr);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    RECT client{}, outer{};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 309);
    RECT native{0, 0, 480, 309};
    AdjustWindowRectEx(&native, style, FALSE, GetWindowLongW(window, GWL_EXSTYLE));
    EXPECT_EQ(SizeOf(outer).cx, SizeOf(native).cx);
    EXPECT_EQ(SizeOf(outer).cy, SizeOf(native).cy);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(window, region), ERROR);
    DeleteObject(region);

    skin->SetActive(true);
    RunScheduledAction();
    frame = Manager()->FindFormSkinner(window);
    ASSERT_NE(frame, nullptr);
    PumpUntil([&] { return frame->SkinState() == fsActive; }, std::chrono::milliseconds(2000));
    GetClientRect(window, &client);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 309);
    EXPECT_TRUE(frame->RegionSet());
}

// Whether the window has a message of that number (and wParam) waiting; takes it off the queue.
bool Posted(HWND window, UINT msg, WPARAM wParam) {
    MSG m{};
    while (PeekMessageW(&m, window, msg, msg, PM_REMOVE))
        if (m.wParam == wParam) return true;
    return false;
}

// Closes the menu being tracked a moment after it opens, noting that a menu window was shown.
bool menuSeen = false;
void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    menuSeen = menuSeen || FindWindowW(L"#32768", nullptr) != nullptr;
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(Frame, ButtonWithoutBuiltInActionPostsButtonAction) {
    ASSERT_NE(frame, nullptr);
    SetForegroundWindow(window);
    PumpMessages();
    TWinSysButton* close = ButtonWithAction(0);
    ASSERT_NE(close, nullptr);
    close->SkinButton().Action = 4;
    const POINT p = ScreenPoint(close->Rect.left + 2, close->Rect.top + 2);
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(Posted(window, CN_ButtonAction, 4));
    EXPECT_FALSE(Posted(window, WM_SYSCOMMAND, SC_CLOSE));
    close->SkinButton().Action = 0;
}

TEST_F(Frame, InactiveWindowShowsItsInactiveCellsAndNoHover) {
    ASSERT_NE(frame, nullptr);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    PumpUntil([&] { return !frame->Active(); }, std::chrono::milliseconds(2000));
    ASSERT_FALSE(frame->Active());
    EXPECT_FALSE(frame->HoverTimerEnabled());
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    // The left piece's second cell, at a row inside its stretched middle.
    TDataSkinBorder& left = Skin().FrameLeft;
    RECT outer{};
    GetWindowRect(window, &outer);
    const int h = SizeOf(outer).cy;
    std::unique_ptr<TBitmap> expected =
        MakeNineSlice({0, 0, frame->FrameSizes().left, h}, left.Image,
                      {left.LeftWidth, left.TopHeight, left.RightWidth, left.BottomHeight}, 2,
                      left.FrameCount, left.Tile != 1, false);
    EXPECT_EQ(ScreenPixel(window, 1, h / 2), BitmapPixel(*expected, 1, h / 2));
    TWinSysButton* close = ButtonWithAction(0);
    const int cx = (close->Rect.left + close->Rect.right) / 2;
    const int cy = (close->Rect.top + close->Rect.bottom) / 2;
    EXPECT_EQ(ScreenPixel(window, cx, cy), ButtonCellCentre(*close, 4));
    const POINT p = ScreenPoint(cx, cy);
    SendMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(close->State, ncNormal);
    EXPECT_EQ(frame->HotObject(), nullptr);
    DestroyWindow(other);
}

TEST_F(Frame, DoubleClickRestoresOnlyAWindowThatIsNotNormal) {
    ASSERT_NE(frame, nullptr);
    const POINT p = ScreenPoint(100, 10);
    // No maximise box: a normal window stays as it is.
    SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(p.x, p.y));
    EXPECT_FALSE(Posted(window, WM_SYSCOMMAND, SC_MAXIMIZE));
    EXPECT_EQ(frame->WindowState(), fwNormal);
    ShowWindow(window, SW_MAXIMIZE);
    PumpMessages();
    ASSERT_EQ(frame->WindowState(), fwMaximized);
    SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(Posted(window, WM_SYSCOMMAND, SC_RESTORE));
    ShowWindow(window, SW_RESTORE);
    PumpMessages();
}

TEST_F(Frame, RightClickOpensTheOwnSystemMenuAndItsCloseItemCloses) {
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->SystemMenu(), nullptr);
    TPopupMenu& menu = *frame->SystemMenu();
    EXPECT_EQ(menu.Tag(), 33333);
    std::vector<std::wstring> captions;
    for (int i = 0; i < menu.Items()->Count(); ++i)
        captions.push_back(menu.Items()->Items(i)->Caption());
    // Neither box: no Maximize and no Minimize.
    EXPECT_EQ(captions, (std::vector<std::wstring>{L" Restore ", L"-", L" Close "}));
    SetForegroundWindow(window);
    PumpMessages();
    const POINT p = ScreenPoint(100, 10);
    menuSeen = false;
    SetTimer(nullptr, 0, 100, EndMenuSoon);
    SendMessageW(window, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(menuSeen);
    // A second right click within the double-click time does not close (no title-bar button).
    SendMessageW(window, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    EXPECT_FALSE(Posted(window, WM_CLOSE, 0));
    menu.Items()->Items(2)->Click();
    EXPECT_TRUE(Posted(window, WM_CLOSE, 0));
}

}  // namespace
