// The skinned frame of the program's main window, read back from the window: its style, sizes,
// hit-test answers, region and pixels, the title-bar buttons' cells and commands, and the native
// frame given back when skinning is switched off.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "about_box.h"
#include "forms/application.h"
#include "forms/buttons.h"
#include "forms/containers.h"
#include "forms/dc_scopes.h"
#include "forms/edits.h"
#include "forms/exception.h"
#include "forms/forms.h"
#include "forms/menus.h"
#include "main_form.h"
#include "skinned_form_fixture.h"
#include "skinned_program_fixture.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_slice_win.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"
#include "skin/manager/skin_manager.h"
#include "support/screen_probe.h"
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

// What a user sees of a skinned frame, read back from the window: the region's corners, a column
// of the caption against the top piece's active cell, and the title's pixels.
struct TFrameReading {
    bool skinned = false;
    bool captionStyle = false;
    bool cornersCut = false;
    bool captionMiddleKept = false;
    int captionMismatches = -1;
    int titlePixels = 0;
    int titleColourInPiece = -1;
};

TFrameReading ReadFrame(HWND window, TWinSkinForm* frame, TSkinDescription& skin) {
    TFrameReading reading;
    if (!frame || frame->SkinState() != fsActive) return reading;
    reading.skinned = true;
    reading.captionStyle = (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    RECT outer{};
    GetWindowRect(window, &outer);
    const int w = SizeOf(outer).cx;
    const TFrameSizes sizes = frame->FrameSizes();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) != ERROR) {
        reading.cornersCut = !PtInRegion(region, 0, 0) && !PtInRegion(region, w - 1, 0);
        reading.captionMiddleKept = PtInRegion(region, w / 2, sizes.caption / 2);
    }
    DeleteObject(region);
    TDataSkinBorder& top = skin.FrameTop;
    std::unique_ptr<TBitmap> expected =
        MakeNineSlice({0, 0, w - sizes.left - sizes.right, sizes.caption}, top.Image,
                      {top.LeftWidth, top.TopHeight, top.RightWidth, top.BottomHeight}, 1,
                      top.FrameCount, top.Tile != 1, true);
    // A column between the title and the first title-bar button right of it.
    const TRect t = frame->TitleRect();
    int right = w - sizes.right;
    for (const auto& b : frame->SysButtons())
        if (b->Visible && b->Rect.left >= t.right) right = std::min(right, b->Rect.left);
    const int x = (t.right + right) / 2;
    reading.captionMismatches = 0;
    for (int y = 0; y < sizes.caption; ++y)
        reading.captionMismatches +=
            ScreenPixel(window, x, y) != BitmapPixel(*expected, x - sizes.left, y);
    const COLORREF titleColour =
        ColorToRGB(frame->Active() ? skin.TitleTextActiveColour : skin.TitleTextNoActiveColour);
    reading.titleColourInPiece = 0;
    for (int y = t.top; y < t.bottom; ++y)
        for (int px = std::max(t.left, sizes.left); px < std::min(t.right, w - sizes.right); ++px) {
            reading.titlePixels += ScreenPixel(window, px, y) == titleColour;
            reading.titleColourInPiece += BitmapPixel(*expected, px - sizes.left, y) == titleColour;
        }
    return reading;
}

void ExpectSkinnedFrame(const TFrameReading& r) {
    ASSERT_TRUE(r.skinned);
    EXPECT_TRUE(r.cornersCut);
    EXPECT_TRUE(r.captionMiddleKept);
    EXPECT_EQ(r.captionMismatches, 0);
    EXPECT_GT(r.titlePixels, 10);
    EXPECT_EQ(r.titleColourInPiece, 0);
}

// A message box shown while a test runs is read from a thread timer, which the box's own modal
// loop runs: once its frame skinner is active (or after a deadline, so that nothing can hang)
// the reader runs and the box is closed.
struct TBoxReader {
    std::function<void(HWND box, TWinSkinForm* frame)> read;
    DWORD deadline = 0;
    bool ran = false;
};
TBoxReader* boxReader = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK ReadBoxSoon(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&box));
    const bool late = GetTickCount() > boxReader->deadline;
    if (!box) {
        if (late) KillTimer(nullptr, id);
        return;
    }
    TWinSkinForm* frame = static_cast<TSkinManage*>(ExistingSkinManager())->FindFormSkinner(box);
    if (!late && (!frame || frame->SkinState() != fsActive)) return;
    KillTimer(nullptr, id);
    boxReader->ran = true;
    boxReader->read(box, frame);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Shows the box (show() must not return before the box is closed) and reads it.
void ReadMessageBox(const std::function<void()>& show,
                    const std::function<void(HWND, TWinSkinForm*)>& read) {
    TBoxReader reader{read, GetTickCount() + 5000};
    boxReader = &reader;
    SetTimer(nullptr, 0, 50, ReadBoxSoon);
    show();
    boxReader = nullptr;
    EXPECT_TRUE(reader.ran);
}

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
    // Skinned, the form's background is the skin's face colour; unskinned, its own again.
    EXPECT_EQ(MainForm->Color(), Skin().ButtonFaceColour);
    TSkinData* skin = MainForm->SkinData1;
    skin->SetActive(false);
    RunScheduledAction();
    EXPECT_EQ(MainForm->Color(), clBtnFace);
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

// Input as the user gives it, through the system's input queue.
void SendInputs(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
INPUT MouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}
INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

TEST_F(Frame, RightClickOnTheCaptionAndAltSpaceOpenASystemMenuOnBothWindows) {
    ASSERT_NE(frame, nullptr);
    AboutBox->Show();
    const HWND help = AboutBox->Handle();
    ASSERT_NE(ActiveFrameSkinner(help), nullptr);
    struct TCase {
        const char* name;
        HWND window;
        bool rightClick;
    };
    const TCase cases[] = {
        {"main window, right click on the caption", window, true},
        {"main window, Alt+Space", window, false},
        {"help window, right click on the caption", help, true},
        {"help window, Alt+Space", help, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetForegroundWindow(c.window);
        ASSERT_TRUE(
            PumpUntil([&] { return GetActiveWindow() == c.window; }, std::chrono::seconds(2)));
        RECT r{};
        GetWindowRect(c.window, &r);
        menuSeen = false;
        SetTimer(nullptr, 0, 150, EndMenuSoon);
        if (c.rightClick) {
            MoveCursorTo({(r.left + r.right) / 2, r.top + 10});
            SendInputs({MouseButton(MOUSEEVENTF_RIGHTDOWN), MouseButton(MOUSEEVENTF_RIGHTUP)});
        } else {
            SendInputs({Key(VK_MENU, false), Key(VK_SPACE, false), Key(VK_SPACE, true),
                        Key(VK_MENU, true)});
        }
        EXPECT_TRUE(PumpUntil([] { return menuSeen; }, std::chrono::seconds(2)));
        PumpMessages();
    }
    AboutBox->Hide();
    PumpMessages();
}

}  // namespace

namespace {

TEST_F(Frame, HoverTimerLeavesTheButtonOnlyWhenTheCursorHasGone) {
    ASSERT_NE(frame, nullptr);
    SetForegroundWindow(window);
    PumpMessages();
    ASSERT_TRUE(frame->HoverTimerEnabled());
    TWinSysButton* close = ButtonWithAction(0);
    ASSERT_NE(close, nullptr);
    const int cx = (close->Rect.left + close->Rect.right) / 2;
    const int cy = (close->Rect.top + close->Rect.bottom) / 2;
    const POINT p = ScreenPoint(cx, cy);
    SetCursorPos(p.x, p.y);
    SendMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(p.x, p.y));
    ASSERT_EQ(close->State, ncHot);
    // Three ticks with the cursor still on the button: it stays hot.
    PumpUntil([] { return false; }, std::chrono::milliseconds(800));
    EXPECT_EQ(close->State, ncHot);
    EXPECT_EQ(frame->HotObject(), close);
    // The cursor leaves without any message to the frame: the next tick notices.
    const POINT inside = ScreenPoint(100, frame->FrameSizes().caption + 100);
    SetCursorPos(inside.x, inside.y);
    EXPECT_TRUE(PumpUntil([&] { return close->State == ncNormal; }, std::chrono::seconds(2)));
    EXPECT_EQ(frame->HotObject(), nullptr);
    EXPECT_EQ(ScreenPixel(window, cx, cy), ButtonCellCentre(*close, 1));
}

TEST_F(Frame, SecondClickOnTheWindowIconButtonClosesTheWindow) {
    ASSERT_NE(frame, nullptr);
    SetForegroundWindow(window);
    PumpMessages();
    // The program's windows have no icon: one given to the window is shown once it is skinned
    // again, by the window-icon button.
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_APPLICATION)));
    MainForm->SkinData1->SetActive(false);
    RunScheduledAction();
    MainForm->SkinData1->SetActive(true);
    RunScheduledAction();
    frame = Manager()->FindFormSkinner(window);
    ASSERT_NE(frame, nullptr);
    PumpUntil([&] { return frame->SkinState() == fsActive; }, std::chrono::seconds(2));
    SetForegroundWindow(window);
    PumpMessages();
    TWinSysButton* icon = ButtonWithAction(3);
    ASSERT_NE(icon, nullptr);
    ASSERT_TRUE(icon->Visible);
    // Without a place the press would reach the system as a caption press and start its move
    // loop.
    ASSERT_GT(icon->Rect.Width(), 0);
    const POINT p = ScreenPoint((icon->Rect.left + icon->Rect.right) / 2,
                                (icon->Rect.top + icon->Rect.bottom) / 2);
    const LPARAM at = MAKELPARAM(p.x, p.y);
    // The first click opens the system menu, closed by a timer that its own loop runs.
    menuSeen = false;
    SetTimer(nullptr, 0, 100, EndMenuSoon);
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, at);
    EXPECT_TRUE(menuSeen);
    EXPECT_FALSE(Posted(window, WM_CLOSE, 0));
    // The second click, within the double-click time, closes without a menu.
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, at);
    EXPECT_TRUE(Posted(window, WM_CLOSE, 0));
    EXPECT_FALSE(frame->HoverTimerEnabled());
    // A click after the double-click time opens the menu again.
    Sleep(GetDoubleClickTime() + 50);
    menuSeen = false;
    SetTimer(nullptr, 0, 100, EndMenuSoon);
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageW(window, WM_NCLBUTTONUP, HTCAPTION, at);
    EXPECT_TRUE(menuSeen);
    EXPECT_FALSE(Posted(window, WM_CLOSE, 0));
}

// Sits in the form's own procedure and records the button-down messages that reach it, without
// running them (a caption press would start the system's move loop).
class TButtonDownRecorder : public TObject {
public:
    explicit TButtonDownRecorder(TControl& control) : control(control), saved(control.WindowProc) {
        control.WindowProc = TWndMethod::Of<TButtonDownRecorder, &TButtonDownRecorder::Proc>(this);
    }
    ~TButtonDownRecorder() override { control.WindowProc = saved; }
    std::vector<WPARAM> seen;

private:
    void Proc(TMessage& message) {
        if (message.Msg == WM_NCLBUTTONDOWN)
            seen.push_back(message.WParam);
        else
            saved(message);
    }
    TControl& control;
    TWndMethod saved;
};

TEST_F(Frame, HitTestsAndAButtonDownOnTheCaptionOfAMaximisedWindow) {
    ASSERT_NE(frame, nullptr);
    RECT outer{};
    GetWindowRect(window, &outer);
    const int w = SizeOf(outer).cx;
    // The top rows keep the replaced procedure's answer; the caption below them is HTCAPTION.
    for (int y = 0; y < 3; ++y) {
        const POINT p = ScreenPoint(w / 2, y);
        const LRESULT native = DefWindowProcW(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        EXPECT_EQ(HitTest(w / 2, y), native) << y;
    }
    EXPECT_EQ(HitTest(w / 2, 4), HTCAPTION);

    std::optional<TButtonDownRecorder> recorder;
    recorder.emplace(*MainForm);
    SetForegroundWindow(window);
    PumpMessages();
    const POINT p = ScreenPoint(100, 10);
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    ShowWindow(window, SW_MAXIMIZE);
    PumpMessages();
    ASSERT_EQ(frame->WindowState(), fwMaximized);
    const POINT q = ScreenPoint(100, 10);
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(q.x, q.y));
    const std::vector<WPARAM> seen = recorder->seen;
    recorder.reset();
    ShowWindow(window, SW_RESTORE);
    PumpMessages();
    // Normal: HTCAPTION passes; maximised: it arrives as HTMENU, so the window does not move.
    EXPECT_EQ(seen, (std::vector<WPARAM>{HTCAPTION, HTMENU}));
}

TEST_F(Frame, AWindowMaximisedAtItsFirstActivationGetsTheRegionOfItsMaximisedSize) {
    ASSERT_NE(frame, nullptr);
    TForm form(nullptr);
    form.SetBounds(80, 80, 300, 200);
    form.SetCaption(L"最大化");
    HWND window = form.Handle();
    ASSERT_NE(GetWindowLongW(window, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
    ShowWindow(window, SW_SHOWMAXIMIZED);
    SetForegroundWindow(window);
    TWinSkinForm* maximised = ActiveFrameSkinner(window);
    ASSERT_NE(maximised, nullptr);
    ASSERT_EQ(maximised->WindowState(), fwMaximized);
    RECT outer{};
    GetWindowRect(window, &outer);
    ASSERT_GT(SizeOf(outer).cx, 300);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(SizeOf(box).cx, SizeOf(outer).cx);
    EXPECT_EQ(SizeOf(box).cy, SizeOf(outer).cy);
    ExpectSkinnedFrame(ReadFrame(window, maximised, Skin()));
}

TEST_F(Frame, HelpWindowAndErrorBoxAreSkinnedWhenTheyFirstActivate) {
    ASSERT_NE(frame, nullptr);
    AboutBox->Show();
    HWND help = AboutBox->Handle();
    TWinSkinForm* helpFrame = ActiveFrameSkinner(help);
    ASSERT_NE(helpFrame, nullptr);
    {
        SCOPED_TRACE("help window");
        ASSERT_TRUE(helpFrame->Active());
        ExpectSkinnedFrame(ReadFrame(help, helpFrame, Skin()));
    }
    AboutBox->Hide();
    PumpMessages();

    TFrameReading box;
    TFrameSizes boxSizes;
    RECT boxClient{};
    int borderKind = -1;
    ReadMessageBox(
        [] { Application->ShowException(Exception(L"长度: 'abc' 不是一个有效的浮点值")); },
        [&](HWND w, TWinSkinForm* f) {
            box = ReadFrame(w, f, Skin());
            if (!f) return;
            boxSizes = f->FrameSizes();
            borderKind = f->BorderKind();
            GetClientRect(w, &boxClient);
            RECT outer{};
            GetWindowRect(w, &outer);
            EXPECT_EQ(SizeOf(outer).cy, boxClient.bottom + boxSizes.caption + boxSizes.bottom);
        });
    SCOPED_TRACE("error box");
    EXPECT_EQ(borderKind, bkDialog);
    ExpectSkinnedFrame(box);
}

TEST_F(Frame, AMessageBoxWithALongTitleIsWidenedAndItsControlsMoved) {
    ASSERT_NE(frame, nullptr);
    // The space width of the caption font, as the frame measures it.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    int space = 0;
    {
        HDC dc = GetDC(nullptr);
        HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32W(dc, L" ", 1, &size);
        space = size.cx;
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(nullptr, dc);
    }
    ASSERT_GT(space, 0);
    const TDataSkinTitle& title = Skin().Title;
    // The same box with a short title and with a long one: the long one is widened to the
    // title's width, and its button moved right by half the growth keeps its place against the
    // middle of the box.
    struct TBoxSeen {
        int width = 0, needed = 0, buttonFromMiddle = 0;
    };
    const auto show = [&](const std::wstring& caption) {
        TBoxSeen seen;
        ReadMessageBox([&] { MessageBoxW(window, L"x", caption.c_str(), MB_OK); },
                       [&](HWND w, TWinSkinForm* f) {
                           ASSERT_NE(f, nullptr);
                           const TFrameSizes s = f->FrameSizes();
                           seen.needed = (static_cast<int>(caption.size()) + 7) * space + s.left +
                                         s.right + title.LeftWidth + title.RightWidth +
                                         title.TXTBackleft + title.TXTBackRight;
                           RECT outer{}, client{}, button{};
                           GetWindowRect(w, &outer);
                           GetClientRect(w, &client);
                           seen.width = SizeOf(outer).cx;
                           GetWindowRect(GetDlgItem(w, IDOK), &button);
                           POINT centre{(button.left + button.right) / 2, 0};
                           ScreenToClient(w, &centre);
                           seen.buttonFromMiddle = centre.x - client.right / 2;
                       });
        return seen;
    };
    const TBoxSeen natural = show(L"短");
    const TBoxSeen widened = show(std::wstring(90, L'W'));
    EXPECT_GE(natural.width, natural.needed);
    EXPECT_GT(widened.needed, natural.width);
    EXPECT_EQ(widened.width, widened.needed);
    EXPECT_NEAR(widened.buttonFromMiddle, natural.buttonFromMiddle, 1);
}

// The default skin's files packed into a skin file, with some lines of its description replaced.
std::wstring WriteChangedSkin(const fs::path& folder,
                              const std::vector<std::pair<std::string, std::string>>& lines) {
    std::vector<TSkinEntry> entries;
    for (const auto& file :
         fs::directory_iterator(fs::path(PONDERIX_SOURCE_DIR) / "skins/default")) {
        std::ifstream in(file.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (file.path().filename() == "skin.ini")
            for (const auto& [from, to] : lines) {
                const size_t at = bytes.find(from);
                EXPECT_NE(at, std::string::npos) << from;
                if (at != std::string::npos) bytes.replace(at, from.size(), to);
            }
        entries.push_back(
            {file.path().filename().string(), std::vector<uint8_t>(bytes.begin(), bytes.end())});
    }
    const std::vector<uint8_t> store = PackSkinStore(BuildSkinArchive(entries));
    const fs::path path = folder / "changed.skn";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(store.data()),
               static_cast<std::streamsize>(store.size()));
    return path.wstring();
}

TEST_F(Frame, ASkinFileChangeReloadsTheFrameMetricsAndRefits) {
    ASSERT_NE(frame, nullptr);
    const TFrameSizes before = frame->FrameSizes();
    const fs::path folder = fs::current_path();
    // One cell in the top and left pieces instead of two: the caption and the left border
    // double.
    MainForm->SkinData1->SetSkinFile(
        WriteChangedSkin(folder, {{"TopFrame=2", "TopFrame=1"}, {"LeftFrame=2", "LeftFrame=1"}}));
    ASSERT_FALSE(MainForm->SkinData1->Empty());
    RunScheduledAction();
    const TFrameSizes after = frame->FrameSizes();
    EXPECT_EQ(after.caption, 2 * before.caption);
    EXPECT_EQ(after.left, 2 * before.left);
    EXPECT_EQ(after.right, before.right);
    RECT client{}, outer{};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 309);
    EXPECT_EQ(SizeOf(outer).cx, 480 + after.left + after.right);
    EXPECT_EQ(SizeOf(outer).cy, 309 + after.caption + after.bottom);
    EXPECT_EQ(HitTest(SizeOf(outer).cx / 2, after.caption - 2), HTCAPTION);
    EXPECT_TRUE(frame->RegionSet());
    // The title-bar buttons were made again from the new skin.
    ASSERT_NE(ButtonWithAction(0), nullptr);
    EXPECT_TRUE(ButtonWithAction(0)->Visible);
}

}  // namespace

namespace {

TEST_F(Frame, ANewWindowTextIsPaintedAsTheTitle) {
    ASSERT_NE(frame, nullptr);
    SetForegroundWindow(window);
    PumpMessages();
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const TRect before = frame->TitleRect();
    MainForm->SetCaption(L"Ponderix 钢材重量计算器 WWWWWWWW");
    PumpMessages();
    EXPECT_EQ(frame->Caption(), L"Ponderix 钢材重量计算器 WWWWWWWW");
    const TRect after = frame->TitleRect();
    ASSERT_GT(after.right, before.right + 20);
    // The longer title is on the screen: its colour where the old title ended.
    const COLORREF titleColour = ColorToRGB(Skin().TitleTextActiveColour);
    int drawn = 0;
    for (int y = after.top; y < after.bottom; ++y)
        for (int x = before.right; x < after.right; ++x)
            drawn += ScreenPixel(window, x, y) == titleColour;
    EXPECT_GT(drawn, 10);
}

TEST_F(Frame, ReapplySkinMessageRefitsTheFrameToTheSkinAsItIsNow) {
    ASSERT_NE(frame, nullptr);
    const TFrameSizes before = frame->FrameSizes();
    TDataSkinBorder& top = Skin().FrameTop;
    const int cells = top.FrameCount;
    top.FrameCount = 1;
    SendMessageW(window, CN_ReapplySkin, 0, 0);
    RECT client{}, outer{};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(frame->FrameSizes().caption, cells * before.caption);
    EXPECT_EQ(client.bottom, 309);
    EXPECT_EQ(SizeOf(outer).cy, 309 + cells * before.caption + before.bottom);
    top.FrameCount = cells;
    SendMessageW(window, CN_ReapplySkin, 0, 0);
    GetWindowRect(window, &outer);
    EXPECT_EQ(SizeOf(outer).cy, 309 + before.caption + before.bottom);
    EXPECT_EQ(frame->SkinState(), fsActive);
}

}  // namespace

namespace {

TEST_F(Frame, ToolButtonsAreDrawnFromTheSkinsButtonImageByTheirState) {
    ASSERT_NE(frame, nullptr);
    TDataSkinButton& buttons = Skin().Buttons;
    ASSERT_FALSE(buttons.Image.Empty());
    const COLORREF background = RGB(1, 2, 3);
    const auto blank = [&] {
        auto b = std::make_unique<TBitmap>();
        b->SetPixelFormat(TPixelFormat::pf24bit);
        b->SetSize(60, 24);
        FillSolidRect(b->Canvas()->Handle(), {0, 0, 60, 24}, background);
        return b;
    };
    struct Case {
        TToolButtonState state;
        int cell;  // 0: nothing drawn
        bool hasColour;
        TColor colour;
    };
    const Case cases[] = {
        {{.isDefault = true}, 1, buttons.HasNormalColour2, buttons.NormalColour2},
        {{.selected = true}, 2, buttons.HasPressedColour2, buttons.PressedColour2},
        {{.hot = true}, 4, buttons.HasMouseOverColour2, buttons.MouseOverColour2},
        {{.disabled = true, .isDefault = true}, 0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        std::unique_ptr<TBitmap> drawn = blank(), expected = blank();
        const TColor before = clFuchsia;
        drawn->Canvas()->Font()->SetColor(before);
        EXPECT_EQ(frame->ToolButtonDraw(*drawn->Canvas(), {0, 0, 60, 24}, c.state), c.cell != 0);
        EXPECT_EQ(drawn->Canvas()->Font()->Color(), c.hasColour ? c.colour : before);
        if (c.cell != 0)
            DrawNineSlice(
                expected->Canvas()->Handle(), {1, 1, 59, 23}, buttons.Image,
                {buttons.LeftWidth, buttons.TopHeight, buttons.RightWidth, buttons.BottomHeight},
                c.cell, 5, buttons.Trans != 0, false, false);
        int differing = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 60; ++x)
                differing += BitmapPixel(*drawn, x, y) != BitmapPixel(*expected, x, y);
        EXPECT_EQ(differing, 0);
        // The one-pixel edge is the tool bar's.
        EXPECT_EQ(BitmapPixel(*drawn, 0, 0), background);
        EXPECT_EQ(BitmapPixel(*drawn, 59, 23), background);
    }
}

}  // namespace

namespace {

TEST_F(Frame, AMessageBoxButtonStopsBeingHotWhenTheCursorLeavesIt) {
    ASSERT_NE(frame, nullptr);
    bool hot = false, left = false, stayed = false;
    ReadMessageBox([&] { MessageBoxW(window, L"消息正文", L"标题", MB_OK); },
                   [&](HWND w, TWinSkinForm* f) {
                       ASSERT_NE(f, nullptr);
                       HWND ok = GetDlgItem(w, IDOK);
                       RECT r{};
                       GetWindowRect(ok, &r);
                       SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                       SendMessageW(ok, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
                       hot = f->HotControl() != nullptr;
                       // While the cursor stays on it, the timer leaves it hot.
                       PumpUntil([] { return false; }, std::chrono::milliseconds(600));
                       stayed = f->HotControl() != nullptr;
                       RECT box{};
                       GetWindowRect(w, &box);
                       SetCursorPos(box.left + 20, (box.top + r.top) / 2);
                       left = PumpUntil([&] { return f->HotControl() == nullptr; },
                                        std::chrono::seconds(2));
                   });
    EXPECT_TRUE(hot);
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(left);
}

}  // namespace

namespace {

TEST_F(Frame, PiecesWithoutTransparencyGiveARectangularRegionAtEverySize) {
    ASSERT_NE(frame, nullptr);
    TSkinDescription& d = Skin();
    TDataSkinBorder* pieces[] = {&d.FrameLeft, &d.FrameRight, &d.FrameTop, &d.FrameBottom};
    int saved[4];
    for (int i = 0; i < 4; ++i) saved[i] = std::exchange(pieces[i]->Trans, 0);
    SendMessageW(window, CN_ReapplySkin, 0, 0);
    const auto regionBox = [&] {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        RECT box{-1, -1, -1, -1};
        if (GetWindowRgn(window, region) != ERROR) GetRgnBox(region, &box);
        DeleteObject(region);
        return box;
    };
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT box = regionBox();
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, SizeOf(outer).cx);
    EXPECT_EQ(box.bottom, SizeOf(outer).cy);
    // The corner the skin would cut is kept.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(window, region);
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    DeleteObject(region);
    // A new size gets a new rectangle.
    SetWindowPos(window, nullptr, 0, 0, SizeOf(outer).cx + 40, SizeOf(outer).cy + 20,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    box = regionBox();
    EXPECT_EQ(box.right, SizeOf(outer).cx + 40);
    EXPECT_EQ(box.bottom, SizeOf(outer).cy + 20);
    for (int i = 0; i < 4; ++i) pieces[i]->Trans = saved[i];
}

}  // namespace

namespace {

// The paint messages each window of the thread receives while it lives: the sent ones (frame,
// background) through a WH_CALLWNDPROC hook, WM_PAINT through a WH_GETMESSAGE hook.
class TPaintCounter {
public:
    struct TCounts {
        int frames = 0, backgrounds = 0, paints = 0;
    };
    TPaintCounter() {
        active = this;
        sent = SetWindowsHookExW(WH_CALLWNDPROC, &Sent, nullptr, GetCurrentThreadId());
        taken = SetWindowsHookExW(WH_GETMESSAGE, &Taken, nullptr, GetCurrentThreadId());
    }
    ~TPaintCounter() {
        UnhookWindowsHookEx(sent);
        UnhookWindowsHookEx(taken);
        active = nullptr;
    }
    TCounts Of(HWND window) const {
        const auto found = counts.find(window);
        return found == counts.end() ? TCounts{} : found->second;
    }

private:
    static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && active) {
            if (message->message == WM_NCPAINT) ++active->counts[message->hwnd].frames;
            if (message->message == WM_ERASEBKGND) ++active->counts[message->hwnd].backgrounds;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK Taken(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && active && message->message == WM_PAINT)
            ++active->counts[message->hwnd].paints;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline TPaintCounter* active = nullptr;
    HHOOK sent = nullptr, taken = nullptr;
    std::map<HWND, TCounts> counts;
};

class FrameOfATestForm : public TSkinnedFormTest {
protected:
    FrameOfATestForm() : TSkinnedFormTest("ponderix-frame-form") {}
};

}  // namespace

// What a window's controls would paint between the frame skinner's attach, at the window's
// first activation, and CN_SkinActive is dropped: the fit's repaint then paints each of them
// whole, once.
TEST_F(FrameOfATestForm, AWindowsControlsArePaintedOnceWhenItFirstShows) {
    auto* edit = Place<TEdit>(20, 20, 120, 22);
    auto* button = Place<TButton>(20, 60, 90, 26);
    auto* group = Place<TGroupBox>(160, 20, 200, 120);
    TPaintCounter counter;
    ShowForm();
    for (TWinControl* control : std::initializer_list<TWinControl*>{edit, button, group}) {
        SCOPED_TRACE(control->ClassName());
        const TPaintCounter::TCounts counts = counter.Of(control->Handle());
        EXPECT_EQ(counts.frames, 1);
        EXPECT_EQ(counts.backgrounds, 1);
        EXPECT_GE(counts.paints, 1);
        EXPECT_FALSE(GetUpdateRect(control->Handle(), nullptr, FALSE));
    }
}

// A window that CN_SkinActive does not fit to the frame (one without a caption) is repainted
// whole all the same when its skinned painting starts, so nothing stays unpainted.
TEST_F(FrameOfATestForm, ACaptionlessWindowIsPaintedWholeWhenItsSkinBecomesActive) {
    form->SetBorderStyle(bsNone);
    auto* button = Place<TButton>(20, 60, 90, 26);
    TPaintCounter counter;
    ShowForm();
    const TPaintCounter::TCounts counts = counter.Of(button->Handle());
    EXPECT_GE(counts.frames, 1);
    EXPECT_GE(counts.paints, 1);
    EXPECT_FALSE(GetUpdateRect(button->Handle(), nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(form->Handle(), nullptr, FALSE));
}
