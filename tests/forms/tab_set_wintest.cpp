// The class library's tab set, unskinned: it draws itself plainly (the selected tab on the
// window colour), a click selects the tab under it, and when the tabs do not fit its scroller
// shows and its arrows move the first visible tab; selecting a tab out of view scrolls to it.
#include "forms/tab_set.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "forms/forms.h"
#include "support/win_test_util.h"

namespace {

class TabSet : public testing::Test {
protected:
    void SetUp() override {
        form.SetBounds(50, 50, 400, 120);
        form.Show();
        set = new TTabSet(&form);
        set->SetParent(&form);
        set->SetBounds(10, 10, 360, 24);
        for (const wchar_t* caption : {L"one", L"two", L"three", L"four"})
            set->Tabs()->Add(caption);
        set->SetTabIndex(0);
        PumpMessages();
    }
    COLORREF PixelAt(int x, int y) {
        HDC dc = GetDC(set->Handle());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(set->Handle(), dc);
        return c;
    }
    TForm form{nullptr};
    TTabSet* set = nullptr;
};

TEST_F(TabSet, TheScrollerIsTheFirstOwnedComponentAndHidesWhileTheTabsFit) {
    ASSERT_GT(set->ComponentCount(), 0);
    EXPECT_EQ(set->Components(0), set->Scroller());
    EXPECT_FALSE(set->ScrollerVisible());
    EXPECT_FALSE(IsWindowVisible(set->Scroller()->Handle()));
    wchar_t name[64] = {};
    GetClassNameW(set->Scroller()->Handle(), name, 64);
    EXPECT_EQ(std::wstring(name).find(L"TTabScroller"), 0u);
}

TEST_F(TabSet, TheSelectedTabIsDrawnOnTheWindowColourAndAClickSelectsAnother) {
    const auto shown = set->VisibleTabs();
    ASSERT_EQ(shown.size(), 4u);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(window, face);
    EXPECT_EQ(PixelAt(shown[0].left + 2, 3), window);
    EXPECT_EQ(PixelAt(shown[2].left + 2, 3), face);
    int changes = 0;
    set->OnChange = [&](TObject*) { ++changes; };
    const int x = shown[2].left + 3;
    SendMessageW(set->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageW(set->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    PumpMessages();
    EXPECT_EQ(set->TabIndex(), 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(PixelAt(shown[2].left + 2, 3), window);
    EXPECT_EQ(PixelAt(shown[0].left + 2, 3), face);
    // A click beside the tabs selects nothing.
    SendMessageW(set->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(355, 5));
    EXPECT_EQ(set->TabIndex(), 2);
}

TEST_F(TabSet, TheScrollerShowsWhenTheTabsDoNotFitAndItsArrowsScroll) {
    set->SetWidth(120);
    PumpMessages();
    ASSERT_TRUE(set->ScrollerVisible());
    HWND arrows = set->Scroller()->Handle();
    EXPECT_TRUE(IsWindowVisible(arrows));
    const RECT bounds = set->Scroller()->BoundsRect();
    EXPECT_EQ(bounds.right, set->Width() - set->EndMargin());
    EXPECT_EQ(bounds.right - bounds.left, kTabSetScrollerRoom - 1);
    // No tab reaches into the scroller's room.
    for (const TTabSetPlace& p : set->VisibleTabs())
        EXPECT_LE(p.right, set->Width() - set->EndMargin() - kTabSetScrollerRoom);
    // The right arrow moves the first tab on, the left one back.
    RECT r{};
    GetClientRect(arrows, &r);
    const LPARAM right = MAKELPARAM(r.right - 2, r.bottom / 2);
    const LPARAM left = MAKELPARAM(2, r.bottom / 2);
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, right);
    SendMessageW(arrows, WM_LBUTTONUP, 0, right);
    PumpMessages();
    EXPECT_EQ(set->FirstIndex(), 1);
    EXPECT_EQ(set->VisibleTabs().front().index, 1);
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, left);
    SendMessageW(arrows, WM_LBUTTONUP, 0, left);
    PumpMessages();
    EXPECT_EQ(set->FirstIndex(), 0);
}

TEST_F(TabSet, SelectingATabOutOfViewScrollsToIt) {
    set->SetWidth(120);
    PumpMessages();
    set->SetTabIndex(3);
    const auto shown = set->VisibleTabs();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().index, 3);
    EXPECT_EQ(SendMessageW(set->Scroller()->Handle(), UDM_GETPOS32, 0, 0), set->FirstIndex());
    set->SetTabIndex(0);
    EXPECT_EQ(set->FirstIndex(), 0);
    // Removing tabs keeps the indices in range.
    set->Tabs()->Clear();
    EXPECT_EQ(set->TabIndex(), -1);
    EXPECT_EQ(set->FirstIndex(), 0);
    EXPECT_TRUE(set->VisibleTabs().empty());
}

}  // namespace

namespace {

TEST(TabSetClass, FormDescriptionsCanPlaceATabSet) {
    RegisterFormClasses();
    const TClassInfo* info = FindComponentClass("TTabSet");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info, &TTabSet::StaticClass());
    // Its settings are published by name, as a form description (or a skinner) reads them.
    TTabSet set(nullptr);
    EXPECT_NE(set.ClassType().FindProperty("TabIndex"), nullptr);
    EXPECT_NE(set.ClassType().FindProperty("EndMargin"), nullptr);
}

}  // namespace
