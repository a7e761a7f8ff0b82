// The indicator skinners on a test form that the skin manager skins as it skins the program's
// windows (so the classification picks the skinners): up-downs, progress bars, track bars and
// status bars are read back from the screen and compared with cells made from the skin's own
// images, driven with real mouse messages. Also up-downs hooked as the edit and tab skinners
// hook them: inside an edit, and with the horizontal layout forced.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <utility>

#include "forms/common_controls.h"
#include "forms/edits.h"
#include "forms/forms.h"
#include "main_form.h"
#include "skin/bitmap_utils_win.h"
#include "skin/controls/indicator_rules.h"
#include "skin/controls/skin_control_tree.h"
#include "skin/manager/skin_manager.h"
#include "skin/skin_data.h"
#include "skin_pixels.h"
#include "skinned_form_fixture.h"
#include "support/gdi_objects.h"
#include "support/screen_probe.h"
#include "support/skinner_host_fixture.h"
#include "support/user_objects.h"
#include "support/win_test_util.h"

using namespace std::chrono_literals;

namespace {

TSkinDescription& Skin() { return MainForm->SkinData1->Skin(); }
COLORREF Rgb(TColor colour) { return ColorToRGB(colour); }

POINT Centre(const TRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

class IndicatorSkinners : public TSkinnedFormTest {
protected:
    IndicatorSkinners() : TSkinnedFormTest("ponderix-indicators") {}
};

}  // namespace

TEST_F(IndicatorSkinners, AnUpDownLightsOnlyTheButtonUnderTheCursor) {
    auto* upDown = Place<TUpDown>(20, 20, 20, 40);
    upDown->SetMax(10);
    upDown->SetPosition(5);
    ShowForm();
    HWND window = upDown->Handle();
    TSkinControl* skinner = SkinnerOf(upDown);
    ASSERT_NE(dynamic_cast<TSkinUpDown*>(skinner), nullptr);
    ASSERT_TRUE(Skin().UpDownVert && !Skin().UpDownVert->Image.Empty());
    ExpectUpDown(Skin(), window, false, false, udNormal, udNormal);

    const TUpDownButtons b = UpDownLayout(WindowBox(window), false, false);
    MoveCursorTo(window, Centre(b.first));
    EXPECT_TRUE(skinner->MouseState() & msHot);
    ExpectUpDown(Skin(), window, false, false, udHot, udNormal);
    // The press goes on to the control, which counts up; only the up button shows it.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(b.first)));
    ExpectUpDown(Skin(), window, false, false, udPressed, udNormal);
    SendMessageW(window, WM_LBUTTONUP, 0, At(Centre(b.first)));
    EXPECT_EQ(upDown->Position(), 6);
    ExpectUpDown(Skin(), window, false, false, udHot, udNormal);

    MoveCursorTo(window, Centre(b.second));
    ExpectUpDown(Skin(), window, false, false, udNormal, udHot);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(b.second)));
    ExpectUpDown(Skin(), window, false, false, udNormal, udPressed);
    SendMessageW(window, WM_LBUTTONUP, 0, At(Centre(b.second)));
    EXPECT_EQ(upDown->Position(), 5);

    LeaveWindow(window, skinner);
    ExpectUpDown(Skin(), window, false, false, udNormal, udNormal);

    // Disabled: cells 3 and 7, even under the cursor.
    upDown->SetEnabled(false);
    MoveCursorTo(window, Centre(b.first));
    ExpectUpDown(Skin(), window, false, false, udDisabled, udDisabled);
}

TEST_F(IndicatorSkinners, AHorizontalUpDownTakesTheHorizontalElement) {
    auto* upDown = Place<TUpDown>(20, 80, 44, 20);
    upDown->SetOrientation(udHorizontal);
    ShowForm();
    HWND window = upDown->Handle();
    ASSERT_TRUE(Skin().UpDownHorz && !Skin().UpDownHorz->Image.Empty());
    ExpectUpDown(Skin(), window, true, false, udNormal, udNormal);
    const TUpDownButtons b = UpDownLayout(WindowBox(window), true, false);
    MoveCursorTo(window, Centre(b.second));
    ExpectUpDown(Skin(), window, true, false, udNormal, udHot);
}

TEST_F(IndicatorSkinners, AnUpDownWithTheHorizontalLayoutForced) {
    ShowForm();
    TTestSkinnerHost host;
    // A vertical up-down hooked as a tab strip's scroll arrows are: the horizontal layout.
    HWND arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 100, 20, 40, 20,
                                  form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(arrows, nullptr);
    auto* tabArrows = new TSkinUpDown(&host);
    tabArrows->SetKind(1);
    tabArrows->HookWindow(arrows, MainForm->SkinData1, &host, host.ControlCanvas());
    InvalidateRect(arrows, nullptr, TRUE);
    PumpMessages();
    ExpectUpDown(Skin(), arrows, true, false, udNormal, udNormal);
    const TUpDownButtons b = UpDownLayout(WindowBox(arrows), true, false);
    MoveCursorTo(arrows, Centre(b.first));
    ExpectUpDown(Skin(), arrows, true, false, udHot, udNormal);
    DestroyWindow(arrows);
}

TEST_F(IndicatorSkinners, AnUpDownWithoutTheSkinsElementIsDrawnPlain) {
    auto* upDown = Place<TUpDown>(20, 20, 20, 40);
    ShowForm();
    HWND window = upDown->Handle();
    std::unique_ptr<TDataSkinBorder> element = std::move(Skin().UpDownVert);
    InvalidateRect(window, nullptr, TRUE);
    PumpMessages();
    const COLORREF frame = Rgb(Skin().ButtonDkShadowColour);
    const COLORREF face = Rgb(Skin().ButtonFaceColour);
    const COLORREF down = Rgb(Skin().ButtonShadowColour);
    const TUpDownButtons b = UpDownLayout(WindowBox(window), false, false);
    auto countIn = [](TBitmap& shot, const TRect& r, COLORREF c) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += Pixel(shot, x, y) == static_cast<int>(c);
        return n;
    };
    auto shot = WindowShot(window);
    EXPECT_EQ(Pixel(*shot, 0, 0), static_cast<int>(frame));
    EXPECT_EQ(Pixel(*shot, b.second.left + 2, b.second.bottom - 3), static_cast<int>(face));
    // Each button has its arrow: nine pixels of the frame colour inside its rectangle.
    const TRect innerFirst{b.first.left + 1, b.first.top + 1, b.first.right - 1,
                           b.first.bottom - 1};
    const TRect innerSecond{b.second.left + 1, b.second.top + 1, b.second.right - 1,
                            b.second.bottom - 1};
    EXPECT_EQ(countIn(*shot, innerFirst, frame), 9);
    EXPECT_EQ(countIn(*shot, innerSecond, frame), 9);
    // Under the mouse the button takes the shadow colour; the other keeps the face.
    MoveCursorTo(window, Centre(b.first));
    shot = WindowShot(window);
    EXPECT_EQ(Pixel(*shot, b.first.left + 2, b.first.top + 2), static_cast<int>(down));
    EXPECT_EQ(Pixel(*shot, b.second.left + 2, b.second.bottom - 3), static_cast<int>(face));
    Skin().UpDownVert = std::move(element);
}

namespace {

TRect Margins(const TDataSkinObject& e) {
    return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

// The default skin draws some states alike (the two progress cells, the lowered and raised
// status bevels); while this lives, an element's image has cells that all differ (each its own
// edge and inside colour), so a wrong cell shows.
class TDistinctCells {
public:
    TDistinctCells(TBitmap& image, int frameCount, int cellWidth, int height) : image(image) {
        saved.Assign(image);
        image.SetPixelFormat(TPixelFormat::pf24bit);
        image.SetSize(frameCount * cellWidth, height);
        HDC dc = image.Canvas()->Handle();
        const COLORREF edges[] = {RGB(120, 140, 160), RGB(200, 60, 60), RGB(60, 160, 60)};
        const COLORREF insides[] = {RGB(236, 240, 245), RGB(40, 90, 200), RGB(250, 230, 120)};
        for (int i = 0; i < frameCount; ++i) {
            const int left = i * cellWidth;
            FillSolidRect(dc, {left, 0, left + cellWidth, height}, edges[i % 3]);
            FillSolidRect(dc, {left + 2, 2, left + cellWidth - 2, height - 2}, insides[i % 3]);
        }
    }
    ~TDistinctCells() { image.Assign(saved); }
    TDistinctCells(const TDistinctCells&) = delete;
    TDistinctCells& operator=(const TDistinctCells&) = delete;

private:
    TBitmap& image;
    TBitmap saved;
};

// A progress bar of that size as the skin paints it, filled to filled pixels.
std::unique_ptr<TBitmap> ExpectedBar(const TRect& box, int filled) {
    TDataSkinBorder& e = *Skin().Progress;
    auto image = std::make_unique<TBitmap>();
    image->SetSize(box.right, box.bottom);
    HDC dc = image->Canvas()->Handle();
    FillSolidRect(dc, {0, 0, box.right, box.bottom}, Rgb(Skin().ButtonFaceColour));
    DrawNineSlice(dc, box, e.Image, Margins(e), 1, 2, true, e.Tile != 0, false);
    if (filled > 0)
        DrawNineSlice(dc, {0, 0, filled, box.bottom}, e.Image, Margins(e), 2, 2, true, e.Tile != 0,
                      false);
    return image;
}

}  // namespace

TEST_F(IndicatorSkinners, AProgressBarShowsItsEmptyBarAndItsFilledShare) {
    auto* bar = Place<TProgressBar>(20, 20, 200, 18);
    ShowForm();
    HWND window = bar->Handle();
    ASSERT_NE(dynamic_cast<TSkinProgress*>(SkinnerOf(bar)), nullptr);
    ASSERT_TRUE(Skin().Progress && !Skin().Progress->Image.Empty());
    TDistinctCells cells(Skin().Progress->Image, 2, 24, 16);
    const TRect box = WindowBox(window);
    // The empty and the full bar differ, so the comparisons below tell them apart.
    ASSERT_GT(Mismatches(*ExpectedBar(box, 0), *ExpectedBar(box, 200), box), 1000);
    struct TCase {
        int min, max, position, filled;
    };
    for (const TCase& c : {
             TCase{0, 100, 0, 0},  // at 0: only the empty bar
             TCase{0, 100, 50, 100}, TCase{0, 100, 100, 200},
             TCase{0, 0, 0, 0},  // an upper limit of 0: only the empty bar
             TCase{0, 3, 1, 66}, TCase{50, 150, 100, 100},  // half way between the limits
         }) {
        SCOPED_TRACE(testing::Message() << c.position << " of " << c.min << ".." << c.max);
        bar->SetMin(c.min);
        bar->SetMax(c.max);
        bar->SetPosition(c.position);
        InvalidateRect(window, nullptr, TRUE);
        PumpMessages();
        auto shot = WindowShot(window);
        EXPECT_EQ(Mismatches(*shot, *ExpectedBar(box, c.filled), box), 0);
    }
}

TEST_F(IndicatorSkinners, AProgressBarOfStyleOneShowsChunks) {
    auto* bar = Place<TProgressBar>(20, 20, 200, 18);
    ShowForm();
    TDataSkinBorder& e = *Skin().Progress;
    ASSERT_FALSE(e.Image2.Empty());
    const int savedStyle = std::exchange(e.Style, 1);
    bar->SetPosition(50);
    InvalidateRect(bar->Handle(), nullptr, TRUE);
    PumpMessages();
    auto shot = WindowShot(bar->Handle());
    // The empty bar is the whole image stretched; the chunks fill half the space between the
    // borders, centred vertically.
    const TRect box = WindowBox(bar->Handle());
    auto expected = std::make_unique<TBitmap>();
    expected->SetSize(box.right, box.bottom);
    HDC dc = expected->Canvas()->Handle();
    FillSolidRect(dc, {0, 0, box.right, box.bottom}, Rgb(Skin().ButtonFaceColour));
    DrawNineSlice(dc, box, e.Image, Margins(e), 1, 1, true, e.Tile != 0, false);
    const int filled = (box.right - e.LeftWidth - e.RightWidth) / 2;
    const int top = (box.bottom - e.Image2.Height()) / 2;
    TBitmap strip;
    strip.SetSize(filled, e.Image2.Height());
    TileBitmap(strip.Canvas()->Handle(), {0, 0, filled, e.Image2.Height()}, e.Image2,
               {0, 0, e.Image2.Width(), e.Image2.Height()});
    DrawTransparent(dc, {e.LeftWidth, top, e.LeftWidth + filled, top + e.Image2.Height()}, strip,
                    kSkinKeyColor);
    EXPECT_EQ(Mismatches(*shot, *expected, box), 0);
    e.Style = savedStyle;
}

TEST_F(IndicatorSkinners, ATrackBarKeepsItsTicsAndChannelAndTakesTheSkinsThumb) {
    auto* track = Place<TTrackBar>(20, 20, 200, 40);
    track->SetPosition(3);
    ShowForm();
    ASSERT_NE(dynamic_cast<TSkinTrackBar*>(SkinnerOf(track)), nullptr);
    // The same track bar, not skinned, beside it.
    HWND plain = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, 20,
                                 100, 200, 40, form->Handle(), nullptr, nullptr, nullptr);
    SendMessageW(plain, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageW(plain, TBM_SETPOS, TRUE, 3);
    InvalidateRect(track->Handle(), nullptr, TRUE);
    PumpMessages();
    RECT thumb{};
    SendMessageW(track->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    ASSERT_GT(thumb.right - thumb.left, 0);
    auto skinned = WindowShot(track->Handle());
    auto own = WindowShot(plain);
    // Outside the thumb, every pixel is the control's own.
    int differ = 0;
    for (int y = 0; y < skinned->Height(); ++y)
        for (int x = 0; x < skinned->Width(); ++x) {
            const bool inThumb =
                x >= thumb.left && x < thumb.right && y >= thumb.top && y < thumb.bottom;
            if (!inThumb) differ += Pixel(*skinned, x, y) != Pixel(*own, x, y);
        }
    EXPECT_EQ(differ, 0);
    // The thumb is cell 2 of the skin's thumb stretched into its rectangle.
    TDataSkinObject& e = *Skin().TrackbarThumbHorz;
    const TRect t{thumb.left, thumb.top, thumb.right, thumb.bottom};
    std::unique_ptr<TBitmap> cell = MakeNineSlice(t, e.Image, {}, 2, 5, false, false);
    int compared = 0;
    EXPECT_EQ(CellMismatches(*skinned, *cell, {thumb.left, thumb.top}, &compared), 0);
    EXPECT_GT(compared, 0);
    // And it differs from the control's own thumb.
    EXPECT_GT(CellMismatches(*own, *cell, {thumb.left, thumb.top}), 0);
    DestroyWindow(plain);
}

namespace {

// The ring of an area that its text never reaches: two pixels all round.
bool InRing(const TRect& area, int x, int y) {
    return x < area.left + 2 || x >= area.right - 2 || y < area.top + 2 || y >= area.bottom - 2;
}

}  // namespace

TEST_F(IndicatorSkinners, AStatusBarWithPanelsShowsTheBevelCellsAndTheGrip) {
    auto* bar = Place<TStatusBar>(0, 250, 440, 22);
    bar->SetPanels({{L"就绪", 120, bvLowered, taLeftJustify},
                    {L"第二栏", 120, bvRaised, taCenter},
                    {L"末", 100, bvNone, taRightJustify}});
    ShowForm();
    HWND window = bar->Handle();
    ASSERT_NE(dynamic_cast<TSkinStatusBar*>(SkinnerOf(bar)), nullptr);
    // The bar's own grip is off; the control still wants one, and the skin draws it.
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_TRUE(bar->SizeGrip());
    TDataSkinObject& edges = *Skin().StatusBarEdges;
    TDataSkinObject& extra = *Skin().ExtraImages;
    TDistinctCells distinct(edges.Image, 3, 16, 20);
    InvalidateRect(window, nullptr, TRUE);
    PumpMessages();
    const TRect box = WindowBox(window);
    const int gw = extra.Image.Width() / extra.FrameCount, gh = extra.Image.Height();
    const TRect grip{box.right - 1 - gw, box.bottom - 1 - gh, box.right - 1, box.bottom - 1};
    auto shot = WindowShot(window);
    const int cells[] = {1, 2, 3};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(testing::Message() << "panel " << i);
        RECT r{};
        ASSERT_TRUE(SendMessageW(window, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r)));
        const TRect area{r.left, r.top, r.right, r.bottom};
        std::unique_ptr<TBitmap> cell =
            MakeNineSlice(area, edges.Image, Margins(edges), cells[i], 3, edges.Tile != 0, false);
        int wrong = 0, compared = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                if (!InRing(area, x, y) || PointInRect(grip, x, y)) continue;
                ++compared;
                wrong += Pixel(*shot, x, y) != Pixel(*cell, x - area.left, y - area.top);
            }
        EXPECT_GT(compared, 0);
        EXPECT_EQ(wrong, 0);
    }
    // The first panel's text is in the element's text colour.
    RECT first{};
    SendMessageW(window, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
    int text = 0;
    for (int y = first.top; y < first.bottom; ++y)
        for (int x = first.left; x < first.right; ++x)
            text += Pixel(*shot, x, y) == static_cast<int>(Rgb(edges.NormalColour2));
    EXPECT_GT(text, 0);
    // The grip: cell 5 of ExtraImages ending one pixel inside the corner.
    std::unique_ptr<TBitmap> gripCell =
        MakeNineSlice(grip, extra.Image, {}, 5, extra.FrameCount, false, false);
    int compared = 0;
    EXPECT_EQ(CellMismatches(*shot, *gripCell, {grip.left, grip.top}, &compared), 0);
    EXPECT_GT(compared, 0);
}

namespace {

// Takes the window-sizing commands that reach a control before its own procedure would start
// the modal sizing loop, and keeps the last one.
class TSizeCommandCatcher : public TObject {
public:
    explicit TSizeCommandCatcher(TControl& target) : target(target), saved(target.WindowProc) {
        target.WindowProc = TWndMethod::Of<TSizeCommandCatcher, &TSizeCommandCatcher::Relay>(this);
    }
    ~TSizeCommandCatcher() override { target.WindowProc = saved; }
    void Relay(TMessage& message) {
        if (message.Msg == WM_SYSCOMMAND && (message.WParam & 0xFFF0) == SC_SIZE) {
            last = message.WParam;
            return;
        }
        saved(message);
    }
    WPARAM last = 0;

private:
    TControl& target;
    TWndMethod saved;
};

}  // namespace

TEST_F(IndicatorSkinners, TheSkinsGripSizesTheWindow) {
    auto* bar = Place<TStatusBar>(0, 250, 440, 22);
    ShowForm();
    HWND window = bar->Handle();
    ASSERT_TRUE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_THICKFRAME);
    RECT r{};
    GetWindowRect(window, &r);
    const POINT grip{r.right - 4, r.bottom - 4};
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTBOTTOMRIGHT);
    EXPECT_NE(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTBOTTOMRIGHT);
    // A press on it asks the window to size from its bottom-right corner.
    TSizeCommandCatcher catcher(*form);
    SendMessageW(window, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(grip.x, grip.y));
    PumpMessages();
    EXPECT_EQ(catcher.last, static_cast<WPARAM>(SC_SIZE | WMSZ_BOTTOMRIGHT));
    // Without a grip wanted, the bar answers as itself.
    bar->SetSizeGrip(false);
    EXPECT_NE(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTBOTTOMRIGHT);
}

TEST_F(IndicatorSkinners, ASimpleStatusBarIsOneArea) {
    auto* bar = Place<TStatusBar>(0, 250, 440, 22);
    bar->SetSimplePanel(true);
    bar->SetSimpleText(L"简单");
    bar->SetSizeGrip(false);
    ShowForm();
    HWND window = bar->Handle();
    TDataSkinObject& edges = *Skin().StatusBarEdges;
    const TRect box = WindowBox(window);
    auto shot = WindowShot(window);
    std::unique_ptr<TBitmap> cell =
        MakeNineSlice(box, edges.Image, Margins(edges), 1, 3, edges.Tile != 0, false);
    int wrong = 0;
    for (int y = 0; y < box.bottom; ++y)
        for (int x = 0; x < box.right; ++x)
            if (InRing(box, x, y)) wrong += Pixel(*shot, x, y) != Pixel(*cell, x, y);
    EXPECT_EQ(wrong, 0);
}

TEST_F(IndicatorSkinners, PaintingTheIndicatorsLeavesTheObjectCountsFlat) {
    auto* upDown = Place<TUpDown>(20, 20, 20, 40);
    auto* bar = Place<TProgressBar>(60, 20, 200, 18);
    auto* track = Place<TTrackBar>(60, 60, 200, 40);
    auto* status = Place<TStatusBar>(0, 250, 440, 22);
    status->SetPanels({{L"一", 100, bvLowered, taLeftJustify}, {L"二", 100, bvRaised, taCenter}});
    ShowForm();
    const TUpDownButtons b = UpDownLayout(WindowBox(upDown->Handle()), false, false);
    auto round = [&](int i) {
        bar->SetPosition(i % 100);
        track->SetPosition(i % 10);
        SendMessageW(upDown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(b.first)));
        SendMessageW(upDown->Handle(), WM_LBUTTONUP, 0, At(Centre(b.first)));
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    round(0);  // the first paints make the buffers
    const int gdiBefore = GdiObjectCount();
    const int userBefore = UserObjectCount();
    for (int i = 1; i <= 200; ++i) round(i);
    EXPECT_EQ(GdiObjectCount(), gdiBefore);
    EXPECT_EQ(UserObjectCount(), userBefore);
}
