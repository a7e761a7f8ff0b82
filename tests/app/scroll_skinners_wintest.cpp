// The scroll bar skinners on real windows under the program's skin, driven with real messages:
// the section grids' and a memo's bars are read back from the screen and compared with bars
// made from the skin's own images at the place the thumb geometry gives; the corner square is
// the skin's face colour; an arrow click scrolls one line and shows the pressed arrow while
// the scroll message runs; dragging a thumb moves the grid's top row and stops at
// max - page + 1 (at max without a page); the drag loop uses no processor time while the mouse
// is still and ends when the capture is taken away or the window destroyed; a mode-0 list view
// leaves the thumb to its own logic and shows the skin's header background right of its last
// column; a dialog's bare scroll bar becomes a shadow-coloured frame; the scroll bar control is
// drawn from the skin.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "forms/dc_scopes.h"
#include "forms/edits.h"
#include "forms/list_view.h"
#include "forms/page_control.h"
#include "forms/scroll_bar.h"
#include "forms/text.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_slice_win.h"
#include "skin/controls/skin_control_tree.h"
#include "skin/frame/win_skin_form.h"
#include "skin/manager/skin_manager.h"
#include "skin/skin_data.h"
#include "skinned_program_fixture.h"
#include "support/screen_probe.h"

using namespace std::chrono_literals;

namespace {

TSkinManage* Manager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }
TSkinDescription& Skin() { return MainForm->SkinData1->Skin(); }

constexpr int kStrip = 16;

COLORREF Pixel(TBitmap& b, int x, int y) { return GetPixel(b.Canvas()->Handle(), x, y); }

TRect Margins(const TDataSkinObject& o) {
    return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
}

// Copies a composed piece onto target at its rectangle, leaving magenta pixels out when keyed.
void Lay(TBitmap& target, TBitmap& piece, const TRect& at, bool keyed) {
    for (int y = 0; y < piece.Height(); ++y)
        for (int x = 0; x < piece.Width(); ++x) {
            const COLORREF c = Pixel(piece, x, y);
            if (!keyed || c != kSkinKeyColor)
                SetPixel(target.Canvas()->Handle(), at.left + x, at.top + y, c);
        }
}

struct TExpectedCells {
    int first, second, thumb;
};

// A bar length pixels long as the skin's images make it, 16 thick: the scroll bar colour, the
// track between the arrows, the two arrow cells and, where the geometry puts it, the thumb.
std::unique_ptr<TBitmap> ExpectedBar(int length, bool vertical, const TBarGeometry& g,
                                     TExpectedCells cells) {
    const TSkinDescription& s = Skin();
    auto bar = std::make_unique<TBitmap>();
    bar->SetSize(vertical ? kStrip : length, vertical ? length : kStrip);
    FillSolidRect(bar->Canvas()->Handle(), {0, 0, bar->Width(), bar->Height()},
                  ColorToRGB(s.ScrollbarColour));
    const auto along = [&](int start, int n) {
        return vertical ? TRect{0, start, kStrip, start + n} : TRect{start, 0, start + n, kStrip};
    };
    const int a = g.arrow;
    if (length - 2 * a > 0) {
        TDataSkinObject& track = vertical ? *s.VertScroll : *s.HorzScroll;
        const TRect r = along(a, length - 2 * a);
        auto piece = MakeNineSlice(r, track.Image, Margins(track), 1, 4, track.Tile != 0, false);
        Lay(*bar, *piece, r, track.Trans == 1);
    }
    const int arrow = length < 2 * a ? length / 2 : a;
    for (bool second : {false, true}) {
        const TRect r = along(second ? length - arrow : 0, arrow);
        auto piece = MakeNineSlice(r, s.Scrollbar->Image, {}, second ? cells.second : cells.first,
                                   23, false, false);
        Lay(*bar, *piece, r, true);
    }
    if (g.thumb > 0 && g.track >= g.thumb) {
        TDataSkinObject& thumb = vertical ? *s.VertScrollThumb : *s.HorzScrollThumb;
        const TRect r = along(arrow + std::min(g.offset, g.track - g.thumb), g.thumb);
        auto piece = MakeNineSlice(r, thumb.Image, Margins(thumb), cells.thumb, thumb.FrameCount,
                                   false, false);
        Lay(*bar, *piece, r, thumb.Trans == 1);
    }
    return bar;
}

// The 16-pixel bar stretched onto the window's bar, as thick as the system's bars are.
std::unique_ptr<TBitmap> OntoBar(TBitmap& bar, const TRect& target) {
    auto stretched = std::make_unique<TBitmap>();
    stretched->SetSize(target.Width(), target.Height());
    HDC dc = stretched->Canvas()->Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, target.Width(), target.Height(), bar.Canvas()->Handle(), 0, 0, bar.Width(),
               bar.Height(), SRCCOPY);
    return stretched;
}

int Mismatches(TBitmap& shot, const TRect& at, TBitmap& expected) {
    int count = 0;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            count += Pixel(shot, at.left + x, at.top + y) != Pixel(expected, x, y);
    return count;
}

int PixelsNotOfColor(TBitmap& shot, const TRect& r, COLORREF color) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) count += Pixel(shot, x, y) != color;
    return count;
}

SCROLLINFO Info(HWND window, int bar) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(window, bar, &info);
    return info;
}

// The thumb the geometry rules give for the window's scroll information now.
TBarGeometry GeometryNow(HWND window, bool vertical, int length) {
    const SCROLLINFO i = Info(window, vertical ? SB_VERT : SB_HORZ);
    const std::optional<TBarGeometry> g = ThumbGeometry(
        length, GetSystemMetrics(SM_CXHSCROLL), {i.nMin, i.nMax, static_cast<int>(i.nPage), i.nPos},
        8, GetSystemMetrics(SM_CXHTHUMB));
    return g.value_or(TBarGeometry{GetSystemMetrics(SM_CXHSCROLL), 0, 0, 0});
}

// The same for a scroll bar control, from its own scroll information.
TBarGeometry GeometryNowOfControl(HWND bar, int length) {
    SCROLLINFO i{sizeof i, SIF_ALL, 0, 0, 0, 0, 0};
    SendMessageW(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&i));
    return ThumbGeometry(length, GetSystemMetrics(SM_CYVSCROLL),
                         {i.nMin, i.nMax, static_cast<int>(i.nPage), i.nPos}, 8,
                         GetSystemMetrics(SM_CYVTHUMB))
        .value_or(TBarGeometry{});
}

// Shows the page of the main window that holds the control.
void ShowPageOf(TControl* control) {
    for (TWinControl* p = control->Parent(); p; p = p->Parent())
        if (auto* page = dynamic_cast<TTabSheet*>(p)) {
            MainForm->PageControl1->SetActivePage(page);
            PumpMessages();
            return;
        }
    ADD_FAILURE() << "not on a page";
}

template <class T>
T* SkinnerOf(TComponent* control) {
    for (int i = 0; i < control->ComponentCount(); ++i)
        if (auto* skinner = dynamic_cast<T*>(control->Components(i))) return skinner;
    return nullptr;
}

// Checks that both of the window's bars (those it has) show the skin, with normal cells, and
// that the corner between two bars is the skin's face colour.
void ExpectSkinnedBars(HWND window, TSkinScrollbar& skinner) {
    skinner.PaintControl(nullptr);
    auto shot = WindowShot(window);
    const TScrollBarRects& r = skinner.BarRects();
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    for (bool vertical : {false, true}) {
        if (!(style & (vertical ? WS_VSCROLL : WS_HSCROLL))) continue;
        SCOPED_TRACE(vertical ? "vertical bar" : "horizontal bar");
        const TRect& bar = vertical ? r.vert : r.horz;
        const int length = vertical ? bar.Height() : bar.Width();
        ASSERT_GT(length, 0);
        EXPECT_EQ((vertical ? bar.Width() : bar.Height()), GetSystemMetrics(SM_CXHSCROLL));
        const TBarGeometry g = GeometryNow(window, vertical, length);
        auto expected = ExpectedBar(length, vertical, g, {vertical ? 9 : 1, vertical ? 13 : 5, 1});
        EXPECT_EQ(Mismatches(*shot, bar, *OntoBar(*expected, bar)), 0);
    }
    if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) {
        ASSERT_FALSE(r.corner.IsEmpty());
        EXPECT_EQ(PixelsNotOfColor(*shot, r.corner, ColorToRGB(Skin().ButtonFaceColour)), 0);
    }
}

// A window point in screen coordinates.
POINT ScreenOf(HWND window, int x, int y) {
    RECT w{};
    GetWindowRect(window, &w);
    return {w.left + x, w.top + y};
}

LPARAM PointParam(POINT p) { return MAKELPARAM(p.x, p.y); }

// A windowed control with both bars that records the scroll messages and presses it gets.
class TScrollProbe : public TWinControl {
    PONDERIX_CLASS(TScrollProbe, TWinControl)
public:
    using TWinControl::TWinControl;
    struct TScroll {
        int code, pos;
    };
    std::vector<TScroll> scrolls;
    int ownPresses = 0;
    int systemScrolls = 0;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.Style |= WS_VSCROLL | WS_HSCROLL;
        params.ExStyle |= WS_EX_CLIENTEDGE;
    }
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_VSCROLL)
            scrolls.push_back({LOWORD(message.WParam), HIWORD(message.WParam)});
        if (message.Msg == WM_NCLBUTTONDOWN) ++ownPresses;
        if (message.Msg == WM_SYSCOMMAND && (message.WParam & 0xFFF0) == SC_VSCROLL)
            ++systemScrolls;
        TWinControl::WndProc(message);
    }
};

}  // namespace

PONDERIX_DEFINE_CLASS(TScrollProbe, [](TClassBuilder<TScrollProbe>&) {})

namespace {

// Sees every message of a control after the skinner has handled it.
class TAfterSkinner : public TObject {
public:
    explicit TAfterSkinner(TControl& target) : control(target), saved(target.WindowProc) {
        target.WindowProc = TWndMethod::Of<TAfterSkinner, &TAfterSkinner::Relay>(this);
    }
    ~TAfterSkinner() { control.WindowProc = saved; }
    std::function<void(TMessage&)> after;

private:
    void Relay(TMessage& message) {
        saved(message);
        if (after) after(message);
    }
    TControl& control;
    TWndMethod saved;
};

class ScrollSkinners : public TSkinnedProgramTest {
protected:
    void SetUp() override { OpenProgramWindows("ponderix-scroll-skinners"); }
    // A test form, shown and skinned by the skin manager as the program's windows are.
    std::unique_ptr<TForm> SkinnedForm(const std::function<void(TForm&)>& fill) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(80, 80, 420, 320);
        fill(*form);
        form->Show();
        EXPECT_TRUE(PumpUntil([&] { return Manager()->FindFormSkinner(form->Handle()); }, 3s));
        PumpMessages();
        return form;
    }
};

TEST_F(ScrollSkinners, TheSectionGridsShowTheirBarsFromTheSkin) {
    for (TDBGrid* grid :
         {MainForm->DBGrid1, MainForm->DBGrid2, MainForm->DBGrid3, MainForm->DBGrid4}) {
        SCOPED_TRACE(WideToUtf8(grid->Name()));
        ShowPageOf(grid);
        // The plate page shows its grid for the checkered plates only.
        if (grid == MainForm->DBGrid4) MainForm->RadioButton13Click(nullptr);
        PumpMessages();
        ASSERT_TRUE(IsWindowVisible(grid->Handle()));
        auto* skinner = SkinnerOf<TSkinScrollbar>(grid);
        ASSERT_TRUE(skinner);
        EXPECT_EQ(skinner->Mode(), 1);
        ExpectSkinnedBars(grid->Handle(), *skinner);
    }
}

TEST_F(ScrollSkinners, AMemoWithBothBarsAndAnArrowClickThatScrollsOneLine) {
    TMemo* memo = nullptr;
    auto form = SkinnedForm([&](TForm& f) {
        memo = new TMemo(&f);
        memo->SetParent(&f);
        memo->SetBounds(10, 10, 300, 200);
        memo->SetWordWrap(false);
        memo->SetScrollBars(ssBoth);
    });
    std::wstring text;
    for (int i = 0; i < 100; ++i)
        text += L"第 " + std::to_wstring(i) + L" 行 " + std::wstring(60, L'x') + L"\r\n";
    memo->SetText(text);
    PumpMessages();
    auto* skinner = SkinnerOf<TSkinScrollbar>(memo);
    ASSERT_TRUE(skinner);
    EXPECT_EQ(skinner->Mode(), 1);
    ExpectSkinnedBars(memo->Handle(), *skinner);

    // A click on the down arrow: the window's own tracking scrolls one line; right after the
    // line message has been handled the arrow shows its pressed cell, and once the press ends
    // the normal one.
    const TRect bar = skinner->BarRects().vert;
    const TBarGeometry g = skinner->Geometry(true);
    std::unique_ptr<TBitmap> duringLine;
    TAfterSkinner after(*memo);
    after.after = [&](TMessage& m) {
        if (m.Msg == WM_VSCROLL && LOWORD(m.WParam) == SB_LINEDOWN && !duringLine)
            duringLine = WindowShot(memo->Handle());
    };
    const LRESULT firstLine = SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
    PostMessageW(memo->Handle(), WM_LBUTTONUP, 0, 0);
    SendMessageW(memo->Handle(), WM_NCLBUTTONDOWN, HTVSCROLL,
                 PointParam(ScreenOf(memo->Handle(), bar.left + 8, bar.bottom - 8)));
    PumpMessages();
    EXPECT_EQ(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), firstLine + 1);
    ASSERT_TRUE(duringLine);
    const TBarGeometry moved = GeometryNow(memo->Handle(), true, bar.Height());
    EXPECT_EQ(Mismatches(*duringLine, bar,
                         *OntoBar(*ExpectedBar(bar.Height(), true, moved, {9, 14, 1}), bar)),
              0);
    EXPECT_EQ(skinner->ActivePart(), 0);  // the end of the scroll clears it
    ExpectSkinnedBars(memo->Handle(), *skinner);
    EXPECT_EQ(g.arrow, GetSystemMetrics(SM_CXHSCROLL));
}

TEST_F(ScrollSkinners, DraggingTheGridsThumbMovesItsTopRowAndStopsAtTheLastWholePage) {
    TDBGrid* grid = MainForm->DBGrid1;
    ShowPageOf(grid);
    auto* skinner = SkinnerOf<TSkinScrollbar>(grid);
    ASSERT_TRUE(skinner);
    skinner->PaintControl(nullptr);
    const HWND window = grid->Handle();
    const SCROLLINFO before = Info(window, SB_VERT);
    ASSERT_GT(static_cast<int>(before.nPage), 0);
    ASSERT_GT(before.nMax - before.nMin + 1, static_cast<int>(before.nPage)) << "no room to scroll";
    const TRect bar = skinner->BarRects().vert;
    const TBarGeometry g = skinner->Geometry(true);
    const POINT press = ScreenOf(window, bar.left + 8, bar.top + g.arrow + g.offset + g.thumb / 2);
    POINT client = press;
    ScreenToClient(window, &client);

    // Twenty pixels down, then far past the end, then the release.
    std::vector<int> tracked;
    TAfterSkinner after(*grid);
    after.after = [&](TMessage& m) {
        if (m.Msg == WM_VSCROLL && LOWORD(m.WParam) == SB_THUMBTRACK)
            tracked.push_back(Info(window, SB_VERT).nPos);
    };
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y + 20));
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y + 5000));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y + 5000));
    SendMessageW(window, WM_NCLBUTTONDOWN, HTVSCROLL, PointParam(press));
    PumpMessages();

    const TScrollValues values{before.nMin, before.nMax, static_cast<int>(before.nPage),
                               before.nPos};
    ASSERT_EQ(tracked.size(), 2u);
    EXPECT_EQ(tracked[0], DragThumb(g.offset, 20, g, values).pos);
    const int last = before.nMax - static_cast<int>(before.nPage) + 1;
    EXPECT_EQ(tracked[1], last);
    EXPECT_EQ(Info(window, SB_VERT).nPos, last);
    EXPECT_FALSE(skinner->Tracking());
    EXPECT_EQ(GetCapture(), nullptr);
    // The thumb is where the position says.
    ExpectSkinnedBars(window, *skinner);
}

class ScrollProbeTest : public ScrollSkinners {
protected:
    void Open(int width, int height) {
        form = SkinnedForm([&](TForm& f) {
            probe = new TScrollProbe(&f);
            probe->SetParent(&f);
            probe->SetBounds(10, 10, width, height);
        });
        skinner = SkinnerOf<TSkinScrollbar>(probe);
        ASSERT_TRUE(skinner);
    }
    void SetBar(int bar, int min, int max, int page, int pos) {
        SCROLLINFO info{sizeof info, SIF_ALL, min, max, static_cast<UINT>(page), pos, 0};
        SetScrollInfo(probe->Handle(), bar, &info, TRUE);
        skinner->PaintControl(nullptr);
    }
    POINT ThumbCentre() {
        const TRect bar = skinner->BarRects().vert;
        const TBarGeometry& g = skinner->Geometry(true);
        return ScreenOf(probe->Handle(), bar.left + 8, bar.top + g.arrow + g.offset + g.thumb / 2);
    }
    void PressThumb() {
        SendMessageW(probe->Handle(), WM_NCLBUTTONDOWN, HTVSCROLL, PointParam(ThumbCentre()));
    }
    std::unique_ptr<TForm> form;
    TScrollProbe* probe = nullptr;
    TSkinScrollbar* skinner = nullptr;
};

TEST_F(ScrollProbeTest, WithoutAPageTheDragStopsAtMaxAndEndsWithPositionAndEndScroll) {
    Open(200, 240);
    EXPECT_EQ(skinner->Mode(), 1);
    SetBar(SB_VERT, 0, 500, 0, 0);
    POINT client = ThumbCentre();
    ScreenToClient(probe->Handle(), &client);
    PostMessageW(probe->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y + 9000));
    PostMessageW(probe->Handle(), WM_LBUTTONUP, 0, 0);
    PressThumb();
    PumpMessages();
    ASSERT_EQ(probe->scrolls.size(), 3u);
    EXPECT_EQ(probe->scrolls[0].code, SB_THUMBTRACK);
    EXPECT_EQ(probe->scrolls[0].pos, 500);
    EXPECT_EQ(probe->scrolls[1].code, SB_THUMBPOSITION);
    EXPECT_EQ(probe->scrolls[1].pos, 500);
    EXPECT_EQ(probe->scrolls[2].code, SB_ENDSCROLL);
    EXPECT_EQ(Info(probe->Handle(), SB_VERT).nPos, 500);
    EXPECT_EQ(probe->ownPresses, 0);  // mode 1: the press never reached the window's own logic
    EXPECT_EQ(probe->systemScrolls, 0);
    ExpectSkinnedBars(probe->Handle(), *skinner);
}

TEST_F(ScrollProbeTest, ABarShorterThanTwoArrowsShowsTwoHalfArrowsAndNoThumb) {
    // Both bars: the vertical one is the window's height less the frame and the other bar.
    Open(200, 4 + GetSystemMetrics(SM_CXHSCROLL) + 24);
    SetBar(SB_VERT, 0, 100, 10, 30);
    const TRect bar = skinner->BarRects().vert;
    ASSERT_EQ(bar.Height(), 24);
    auto shot = WindowShot(probe->Handle());
    const TBarGeometry g = GeometryNow(probe->Handle(), true, 24);
    EXPECT_LT(g.track, 0);
    EXPECT_EQ(Mismatches(*shot, bar, *OntoBar(*ExpectedBar(24, true, g, {9, 13, 1}), bar)), 0);
}

TEST_F(ScrollProbeTest, APageEqualToTheRangeShowsAThumbOnePixelShorterThanTheTrack) {
    Open(200, 240);
    SetBar(SB_VERT, 0, 50, 50, 0);
    const TRect bar = skinner->BarRects().vert;
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int track = bar.Height() - 2 * arrow;
    EXPECT_EQ(skinner->Geometry(true), (TBarGeometry{arrow, track, track - 1, 0}));
    ExpectSkinnedBars(probe->Handle(), *skinner);
}

// Thread processor time in milliseconds.
double CpuMs() {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    const auto ms = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

HWND timerTarget = nullptr;
void CALLBACK ReleaseButton(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageW(timerTarget, WM_LBUTTONUP, 0, 0);
}
void CALLBACK TakeCapture(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SetCapture(timerTarget);
}
TScrollProbe* doomed = nullptr;
void CALLBACK DestroyProbe(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    delete doomed;
}

TEST_F(ScrollProbeTest, AThumbHeldStillForASecondUsesNoProcessorTime) {
    Open(200, 240);
    SetBar(SB_VERT, 0, 100, 10, 0);
    // The measure itself: a busy half second shows as processor time.
    const double spinStart = CpuMs();
    const auto until = std::chrono::steady_clock::now() + 500ms;
    while (std::chrono::steady_clock::now() < until) {
    }
    EXPECT_GT(CpuMs() - spinStart, 50.0);  // the machine is shared: at least a tenth

    timerTarget = probe->Handle();
    SetTimer(nullptr, 0, 1000, &ReleaseButton);
    const double cpuStart = CpuMs();
    const auto wallStart = std::chrono::steady_clock::now();
    PressThumb();
    const double cpu = CpuMs() - cpuStart;
    const auto wall = std::chrono::steady_clock::now() - wallStart;
    EXPECT_GE(wall, 900ms);  // the drag lasted until the release
    EXPECT_LT(cpu, 100.0);
    ASSERT_FALSE(probe->scrolls.empty());
    EXPECT_EQ(probe->scrolls.front().code, SB_THUMBPOSITION);
}

TEST_F(ScrollProbeTest, TheDragEndsWhenAnotherWindowTakesTheCapture) {
    Open(200, 240);
    SetBar(SB_VERT, 0, 100, 10, 40);
    timerTarget = form->Handle();
    SetTimer(nullptr, 0, 200, &TakeCapture);
    const HWND window = probe->Handle();
    // Only should the loss of the capture go unnoticed.
    const UINT_PTR safety = SetTimer(nullptr, 0, 5000, &ReleaseButton);
    const auto wallStart = std::chrono::steady_clock::now();
    PressThumb();
    KillTimer(nullptr, safety);
    EXPECT_LT(std::chrono::steady_clock::now() - wallStart, 3s);
    EXPECT_FALSE(skinner->Tracking());
    EXPECT_EQ(GetCapture(), form->Handle());
    ReleaseCapture();
    PumpMessages();
    ASSERT_EQ(probe->scrolls.size(), 2u);
    EXPECT_EQ(probe->scrolls[0].code, SB_THUMBPOSITION);
    EXPECT_EQ(probe->scrolls[0].pos, 40);
    EXPECT_EQ(probe->scrolls[1].code, SB_ENDSCROLL);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(ScrollProbeTest, TheDragEndsWhenTheWindowIsDestroyedDuringIt) {
    Open(200, 240);
    SetBar(SB_VERT, 0, 100, 10, 0);
    const HWND window = probe->Handle();
    doomed = probe;
    SetTimer(nullptr, 0, 200, &DestroyProbe);
    timerTarget = window;
    const UINT_PTR safety = SetTimer(nullptr, 0, 5000, &ReleaseButton);
    const auto wallStart = std::chrono::steady_clock::now();
    PressThumb();
    KillTimer(nullptr, safety);
    EXPECT_LT(std::chrono::steady_clock::now() - wallStart, 3s);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetCapture(), nullptr);
    probe = nullptr;
}

TEST_F(ScrollSkinners, AListViewLeavesTheThumbToItsOwnLogicAndItsHeaderShowsTheSkin) {
    TListView* list = nullptr;
    auto form = SkinnedForm([&](TForm& f) {
        list = new TListView(&f);
        list->SetParent(&f);
        list->SetBounds(10, 10, 300, 200);
    });
    list->AddColumn(L"型号", 60);
    list->AddColumn(L"单重", 50);
    for (int i = 0; i < 80; ++i) list->AddItem(std::to_wstring(i));
    PumpMessages();
    auto* skinner = SkinnerOf<TSkinListView>(list);
    ASSERT_TRUE(skinner);
    EXPECT_EQ(skinner->Mode(), 0);
    ASSERT_TRUE(skinner->Header());
    EXPECT_EQ(skinner->Header()->Handle(), list->HeaderHandle());

    // The header: right of the last column is the skin's header background.
    const HWND header = list->HeaderHandle();
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    RECT h{};
    GetClientRect(header, &h);
    ASSERT_GT(h.right, 110 + 20);
    const TRect rest{110, 0, h.right, h.bottom};
    TDataSkinObject& element = *Skin().Headerbar;
    auto expected = MakeNineSlice(rest, element.Image, Margins(element), 1, element.FrameCount,
                                  element.Tile != 0, false);
    auto shot = WindowShot(header);
    EXPECT_EQ(Mismatches(*shot, rest, *expected), 0);

    // Mode 0: the press on the thumb goes to the window's own scroll logic.
    skinner->PaintControl(nullptr);
    const TRect bar = skinner->BarRects().vert;
    ASSERT_FALSE(bar.IsEmpty());
    const TBarGeometry& g = skinner->Geometry(true);
    int systemScrolls = 0;
    TAfterSkinner after(*list);
    after.after = [&](TMessage& m) {
        if (m.Msg == WM_SYSCOMMAND && (m.WParam & 0xFFF0) == SC_VSCROLL) ++systemScrolls;
    };
    PostMessageW(list->Handle(), WM_LBUTTONUP, 0, 0);
    SendMessageW(list->Handle(), WM_NCLBUTTONDOWN, HTVSCROLL,
                 PointParam(ScreenOf(list->Handle(), bar.left + 8,
                                     bar.top + g.arrow + g.offset + g.thumb / 2)));
    PumpMessages();
    EXPECT_EQ(systemScrolls, 1);
    EXPECT_FALSE(skinner->Tracking());
}

// A modeless dialog from a template in memory, with one bare scroll bar child.
HWND DialogWithScrollBar() {
    struct alignas(4) TTemplate {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
        DLGITEMTEMPLATE item;
        WORD itemClassMarker, itemClass, itemTitle, itemData;
    } t{};
    t.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    t.dialog.cdit = 1;
    t.dialog.x = 20;
    t.dialog.y = 20;
    t.dialog.cx = 200;
    t.dialog.cy = 120;
    t.item.style = WS_CHILD | WS_VISIBLE | SBS_VERT;
    t.item.x = 10;
    t.item.y = 10;
    t.item.cx = 12;
    t.item.cy = 80;
    t.item.id = 100;
    t.itemClassMarker = 0xFFFF;
    t.itemClass = 0x0084;  // the scroll bar class
    static_assert(offsetof(TTemplate, item) % 4 == 0);
    return CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), &t.dialog, nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
}

TEST_F(ScrollSkinners, ADialogsBareScrollBarIsReducedToAShadowFrame) {
    const HWND dialog = DialogWithScrollBar();
    ASSERT_TRUE(dialog);
    SetActiveWindow(dialog);
    EXPECT_TRUE(PumpUntil([&] { return Manager()->FindFormSkinner(dialog); }, 3s));
    const HWND bar = GetDlgItem(dialog, 100);
    TWinSkinForm* frame = Manager()->FindFormSkinner(dialog);
    ASSERT_TRUE(frame);
    TSkinControl* sizer = nullptr;
    for (TSkinControl* skinner : frame->ControlSkinners())
        if (skinner->Handle() == bar) sizer = skinner;
    EXPECT_TRUE(dynamic_cast<TSkinSizer*>(sizer));
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    auto shot = WindowShot(bar);
    const int w = shot->Width(), h = shot->Height();
    const COLORREF shadow = ColorToRGB(Skin().ButtonShadowColour);
    EXPECT_EQ(PixelsNotOfColor(*shot, {0, 0, w, 1}, shadow), 0);
    EXPECT_EQ(PixelsNotOfColor(*shot, {0, h - 1, w, h}, shadow), 0);
    EXPECT_EQ(PixelsNotOfColor(*shot, {0, 0, 1, h}, shadow), 0);
    EXPECT_EQ(PixelsNotOfColor(*shot, {w - 1, 0, w, h}, shadow), 0);
    DestroyWindow(dialog);
    PumpMessages();
}

TEST_F(ScrollSkinners, TheScrollBarControlIsDrawnFromTheSkinAndMovesByItsArrows) {
    TScrollBar* scroll = nullptr;
    auto form = SkinnedForm([&](TForm& f) {
        scroll = new TScrollBar(&f);
        scroll->SetKind(sbVertical);
        scroll->SetParent(&f);
        scroll->SetBounds(10, 10, GetSystemMetrics(SM_CXVSCROLL), 200);
        scroll->SetPageSize(10);
        scroll->SetParams(30, 0, 100);
    });
    auto* skinner = SkinnerOf<TSkinScControl>(scroll);
    ASSERT_TRUE(skinner);
    skinner->PaintControl(nullptr);
    const TBarGeometry g = GeometryNowOfControl(scroll->Handle(), 200);
    auto shot = WindowShot(scroll->Handle());
    const TRect whole{0, 0, scroll->Width(), 200};
    EXPECT_EQ(Mismatches(*shot, whole, *OntoBar(*ExpectedBar(200, true, g, {9, 13, 1}), whole)), 0);
    // A click on the down arrow: the control's own tracking moves it by one.
    PostMessageW(scroll->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 192));
    SendMessageW(scroll->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 192));
    PumpMessages();
    EXPECT_EQ(scroll->Position(), 31);
}

}  // namespace
