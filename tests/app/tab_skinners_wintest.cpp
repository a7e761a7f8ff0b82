// The tab skinners on test windows, with the program's skin: bare tab controls with their tabs
// at the top, at the bottom (TCS_BOTTOM), at the left (TCS_VERTICAL) and at the right (both)
// show the skin's tab cells flipped or turned to that side; one whose tabs do not fit never
// paints over its scroll arrows; and a tab set shows its selected tab in cell 2 and draws tabs
// only while they fit before the end margin, 21 pixels shorter while its scroller shows.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "forms/tab_set.h"
#include "skin/bitmap_utils.h"
#include "skin/controls/classification.h"
#include "skin/controls/skin_control_tree.h"
#include "skin/controls/tab_rules.h"
#include "skin/skin_data.h"
#include "skinned_program_fixture.h"
#include "support/pixel_compare.h"
#include "support/skinner_host_fixture.h"

namespace {

TSkinDescription& Skin() { return MainForm->SkinData1->Skin(); }

// A copy of a bitmap turned a quarter, by the portable rotation.
std::unique_ptr<TBitmap> Turned(TBitmap& source, bool anticlockwise) {
    const TPixelImage turned =
        anticlockwise ? RotatedLeft(source.Pixels()) : RotatedRight(source.Pixels());
    auto result = std::make_unique<TBitmap>();
    result->SetPixelFormat(turned.format);
    result->SetSize(turned.width, turned.height);
    const TPixelView target = result->Pixels();
    for (int y = 0; y < turned.height; ++y)
        std::memcpy(target.Row(y), turned.Row(y), turned.stride);
    return result;
}

// A tab's cell as it should show on a tab control with tabs on that side, and where it goes:
// composed lying down at the item's size and turned, or upside down at the bottom. Reversed:
// the other way up, or turned the other way (what a wrong turn would show).
struct TExpectedTab {
    std::unique_ptr<TBitmap> image;
    POINT at;
};
TExpectedTab ExpectedTab(const RECT& item, TTabSide side, int cell, bool reversed) {
    TDataSkinBorder& tabs = *Skin().Tabs;
    const TRect margins{tabs.LeftWidth, tabs.TopHeight, tabs.RightWidth, tabs.BottomHeight};
    const int w = item.right - item.left, h = item.bottom - item.top;
    const bool lying = side == TTabSide::Left || side == TTabSide::Right;
    TBitmap strip;
    strip.Assign(tabs.Image);
    strip.SetPixelFormat(TPixelFormat::pf24bit);
    if ((side == TTabSide::Bottom) != reversed && !lying) FlipBitmap(strip.Pixels());
    const TRect size = lying ? TRect{0, 0, h, w} : TRect{0, 0, w, h};
    std::unique_ptr<TBitmap> image =
        MakeNineSlice(size, strip, margins, cell, tabs.FrameCount, tabs.Tile != 0, false);
    if (lying) image = Turned(*image, (side == TTabSide::Left) != reversed);
    const int dy = side == TTabSide::Top ? 1 : side == TTabSide::Left ? 0 : -1;
    return {std::move(image), {item.left, item.top + dy}};
}

// Mismatches of the tab's outer 2-pixel ring against the cell, within the strip's band.
int TabMismatches(HWND tab, int index, TTabSide side, int cell, int* compared,
                  bool reversed = false) {
    auto shot = WindowShot(tab);
    RECT item{}, adjusted{0, 0, shot->Width(), shot->Height()};
    SendMessageW(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&adjusted));
    const TRect display =
        TabDisplayRect({adjusted.left, adjusted.top, adjusted.right, adjusted.bottom}, side);
    const TRect band = TabBand({0, 0, shot->Width(), shot->Height()}, display, side);
    TExpectedTab expected = ExpectedTab(item, side, cell, reversed);
    const int w = expected.image->Width(), h = expected.image->Height();
    return Mismatches(
        *shot, expected.at, *expected.image,
        [&](int x, int y) {
            const int sx = expected.at.x + x, sy = expected.at.y + y;
            return sx >= band.left && sx < band.right && sy >= band.top && sy < band.bottom &&
                   InRing(x, y, w, h, 2);
        },
        compared);
}

HWND MakeTabControl(HWND parent, DWORD style, int x, int y, int w, int h, int tabs) {
    HWND tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                               parent, nullptr, nullptr, nullptr);
    SendMessageW(tab, WM_SETFONT, reinterpret_cast<WPARAM>(MainForm->Font()->Handle()), FALSE);
    for (int i = 0; i < tabs; ++i) {
        std::wstring caption = L"页面" + std::to_wstring(i + 1);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    return tab;
}

class TabSkinners : public TSkinnedProgramTest {
protected:
    void SetUp() override {
        OpenProgramWindows("ponderix-tabs");
        ASSERT_NE(Skin().Tabs, nullptr);
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 640, 460);
        form->Show();
        PumpMessages();
    }
    void TearDown() override {
        // The skinners go while their windows are still there.
        host.reset();
        form.reset();
        TSkinnedProgramTest::TearDown();
    }
    TSkinTab* SkinTab(HWND tab) {
        auto* skinner = new TSkinTab(host.get());
        skinner->HookWindow(tab, MainForm->SkinData1, host.get(), host->ControlCanvas());
        RedrawWindow(tab, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpMessages();
        return skinner;
    }
    std::unique_ptr<TTestSkinnerHost> host = std::make_unique<TTestSkinnerHost>();
    std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(TabSkinners, TabsOnEachSideShowTheCellsFlippedOrTurned) {
    const struct {
        const char* name;
        DWORD style;
        TTabSide side;
        int x, y, w, h;
    } cases[] = {
        {"top", 0, TTabSide::Top, 10, 10, 280, 180},
        {"bottom", TCS_BOTTOM, TTabSide::Bottom, 330, 10, 280, 180},
        {"left", TCS_VERTICAL | TCS_MULTILINE, TTabSide::Left, 10, 220, 280, 200},
        {"right", TCS_VERTICAL | TCS_BOTTOM | TCS_MULTILINE, TTabSide::Right, 330, 220, 280, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND tab = MakeTabControl(form->Handle(), c.style, c.x, c.y, c.w, c.h, 3);
        SendMessageW(tab, TCM_SETCURSEL, 1, 0);
        TSkinTab* skinner = SkinTab(tab);
        EXPECT_EQ(skinner->Side(), c.side);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(testing::Message() << "tab " << i);
            const int want = i == 1 ? 2 : 1;
            int compared = 0, other = 0;
            EXPECT_EQ(TabMismatches(tab, i, c.side, want, &compared), 0);
            EXPECT_GT(compared, 20);
            EXPECT_GT(TabMismatches(tab, i, c.side, 3 - want, &other), 0);
            // Nor is it the cell the other way up, or turned the other way.
            EXPECT_GT(TabMismatches(tab, i, c.side, want, &other, true), 0);
        }
        DestroyWindow(tab);
    }
}

TEST_F(TabSkinners, AStripWithVisibleScrollArrowsNeverPaintsOverThem) {
    HWND tab = MakeTabControl(form->Handle(), 0, 10, 10, 160, 120, 8);
    HWND arrows = FindWindowExW(tab, nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(arrows, nullptr);
    ASSERT_TRUE(IsWindowVisible(arrows));
    TSkinTab* skinner = SkinTab(tab);
    ASSERT_NE(skinner->UpDown(), nullptr);
    EXPECT_EQ(skinner->UpDown()->Kind(), 1);  // the arrows' own skinner, side by side
    RECT own{}, r{};
    GetWindowRect(tab, &own);
    GetWindowRect(arrows, &r);
    OffsetRect(&r, -own.left, -own.top);
    // The arrows lie in the strip's band, where the copy would reach them.
    RECT adjusted{0, 0, own.right - own.left, own.bottom - own.top};
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&adjusted));
    ASSERT_LT(r.top, TabDisplayRect({adjusted.left, adjusted.top, adjusted.right, adjusted.bottom},
                                    TTabSide::Top)
                         .top);
    auto before = WindowShot(arrows);
    skinner->PaintControl(nullptr);  // the strip alone, as after the control's own paint
    auto after = WindowShot(arrows);
    EXPECT_EQ(Mismatches(*after, {0, 0}, *before, [](int, int) { return true; }), 0);
    // The strip itself was drawn: the first tab shows the selected cell.
    int compared = 0;
    EXPECT_EQ(TabMismatches(tab, 0, TTabSide::Top, 2, &compared), 0);
    EXPECT_GT(compared, 20);
    DestroyWindow(tab);
}

namespace {

// The tab set's tab as the skin draws it: the Tabs image upside down, the cell at the tab's size.
int TabSetMismatches(TTabSet& set, const TTabSetPlace& p, int cell, int* compared) {
    TDataSkinBorder& tabs = *Skin().Tabs;
    TBitmap strip;
    strip.Assign(tabs.Image);
    strip.SetPixelFormat(TPixelFormat::pf24bit);
    FlipBitmap(strip.Pixels());
    const TRect place{p.left, 0, p.right, set.Height()};
    auto expected = MakeNineSlice(
        place, strip, {tabs.LeftWidth, tabs.TopHeight, tabs.RightWidth, tabs.BottomHeight}, cell,
        tabs.FrameCount, tabs.Tile != 0, false);
    auto shot = WindowShot(set.Handle());
    return Mismatches(
        *shot, {place.left, 0}, *expected,
        [&](int x, int y) { return InRing(x, y, place.Width(), place.Height(), 2); }, compared);
}

}  // namespace

TEST_F(TabSkinners, ATabSetShowsItsSelectedTabAndOnlyTabsThatFit) {
    auto* set = new TTabSet(form.get());
    set->SetParent(form.get());
    set->SetFont(MainForm->Font());
    set->SetBounds(20, 20, 400, 24);
    for (const wchar_t* caption : {L"管材", L"槽钢工字钢", L"H型钢", L"角钢", L"棒材", L"钢板"})
        set->Tabs()->Add(caption);
    set->SetTabIndex(1);
    auto* skinner = new TSkinTab31(set);
    skinner->HookControl(host.get(), MainForm->SkinData1, false, host->ControlCanvas());
    ASSERT_TRUE(skinner->Attached());
    ASSERT_NE(skinner->UpDown(), nullptr);  // its scroller has the up-down skinner
    EXPECT_EQ(skinner->UpDown()->Handle(), set->Scroller()->Handle());
    EXPECT_EQ(skinner->UpDown()->Kind(), 1);
    set->Invalidate();
    PumpMessages();
    ASSERT_FALSE(set->ScrollerVisible());
    const auto shown = set->VisibleTabs();
    ASSERT_EQ(shown.size(), 6u);
    for (const TTabSetPlace& p : shown) {
        SCOPED_TRACE(testing::Message() << "tab " << p.index);
        int compared = 0, other = 0;
        EXPECT_EQ(TabSetMismatches(*set, p, p.index == 1 ? 2 : 1, &compared), 0);
        EXPECT_GT(compared, 20);
        EXPECT_GT(TabSetMismatches(*set, p, p.index == 1 ? 1 : 2, &other), 0);
    }

    // Narrower: the last tab would end within 21 pixels of the end margin, where the
    // scroller now is; it is not drawn.
    set->SetWidth(shown[5].right + set->EndMargin() + 10);  // six fit without the scroller...
    PumpMessages();
    EXPECT_FALSE(set->ScrollerVisible());
    set->SetWidth(shown[5].right + set->EndMargin() - 1);  // ...but not now
    PumpMessages();
    ASSERT_TRUE(set->ScrollerVisible());
    const auto fewer = set->VisibleTabs();
    ASSERT_FALSE(fewer.empty());
    EXPECT_LE(fewer.back().right, set->Width() - set->EndMargin() - kTabSetScrollerRoom);
    EXPECT_LT(fewer.size(), 6u);
    set->Invalidate();
    PumpMessages();
    auto shot = WindowShot(set->Handle());
    // After the last drawn tab, up to the scroller, only the face colour.
    RECT scroller = set->Scroller()->BoundsRect();
    const TRect after{fewer.back().right, 0, scroller.left, set->Height()};
    EXPECT_EQ(PixelsOfColor(*shot, after, ColorToRGB(Skin().ButtonFaceColour)),
              after.Width() * after.Height());
    for (const TTabSetPlace& p : fewer) {
        int compared = 0;
        EXPECT_EQ(TabSetMismatches(*set, p, p.index == 1 ? 2 : 1, &compared), 0);
    }
}

TEST_F(TabSkinners, TheClassificationGivesATabSetItsSkinnerAndTheScrollerItsUpDown) {
    auto* set = new TTabSet(form.get());
    set->SetParent(form.get());
    set->Tabs()->Add(L"管材");
    TControlClassifier classifier(*host, *MainForm->SkinData1);
    classifier.ClassifyComponent(set, form.get());
    TSkinControl* skinner = classifier.FindControlSkinner(set->Handle());
    ASSERT_NE(dynamic_cast<TSkinTab31*>(skinner), nullptr);
    EXPECT_EQ(skinner->Owner(), set);
    EXPECT_TRUE(skinner->HookedBySubclass());
    EXPECT_NE(dynamic_cast<TSkinUpDown*>(classifier.FindControlSkinner(set->Scroller()->Handle())),
              nullptr);
    // Classifying again attaches nothing more.
    const size_t listed = host->ControlSkinners().size();
    classifier.ClassifyComponent(set, form.get());
    EXPECT_EQ(host->ControlSkinners().size(), listed);
}
