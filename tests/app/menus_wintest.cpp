// Skinned menus with real windows and messages: the menu bar of a test form with a main menu
// (layout, cells, opening, moving between items with the arrow keys, accelerators), the
// drop-down items drawn from the skin, the main window's own system menu, and the popup menu
// windows of edit boxes with their skinned border, coming and going with their windows.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "forms/forms.h"
#include "forms/graphics.h"
#include "forms/image_list.h"
#include "forms/menus.h"
#include "forms/timer.h"
#include "skin/bitmap_slice_win.h"
#include "skin/frame/menu_layout.h"
#include "skin/manager/skin_manager.h"
#include "skinned_program_fixture.h"
#include "support/gdi_objects.h"
#include "support/user_objects.h"
#include "support/win_test_util.h"

using namespace std::chrono_literals;

namespace {

TSkinManage* Manager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }

COLORREF WindowPixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

HWND VisiblePopup() {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

// Runs start(), which opens a menu (modally or by a posted message), while a timer calls tick()
// with the visible popup menu window (or null) until it answers true; then every open menu is
// ended. After about 5 s the menus are ended whatever tick says, so no test hangs.
void DriveMenus(const std::function<void()>& start, const std::function<bool(HWND)>& tick) {
    TTimer timer(nullptr);
    timer.SetInterval(15);
    bool done = false;
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        if (!done && (tick(VisiblePopup()) || ++ticks > 330)) done = true;
        if (done) EndMenu();
    };
    timer.SetEnabled(true);
    start();
    PumpUntil([&] { return done && !VisiblePopup(); }, 10s);
    timer.SetEnabled(false);
    PumpMessages();
}

bool Highlighted(HMENU menu, int position) {
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE) != 0;
}

// The item rectangle in the popup window's own coordinates.
RECT ItemInPopup(HWND popup, HMENU menu, int position) {
    RECT item{}, window{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item);
    GetWindowRect(popup, &window);
    OffsetRect(&item, -window.left, -window.top);
    return item;
}

bool RectHasColour(HWND window, const RECT& r, COLORREF colour) {
    HDC dc = GetWindowDC(window);
    bool found = false;
    for (int y = r.top; y < r.bottom && !found; ++y)
        for (int x = r.left; x < r.right && !found; ++x) found = GetPixel(dc, x, y) == colour;
    ReleaseDC(window, dc);
    return found;
}

// Sits in a form's WindowProc and records the menu commands that reach it.
class TCommandRecorder : public TObject {
public:
    explicit TCommandRecorder(TControl* control) : control(control), saved(control->WindowProc) {
        control->WindowProc = TWndMethod::Of<TCommandRecorder, &TCommandRecorder::WndProc>(this);
    }
    ~TCommandRecorder() override { control->WindowProc = saved; }
    std::vector<UINT> commands;

private:
    void WndProc(TMessage& message) {
        if (message.Msg == WM_COMMAND && HIWORD(message.WParam) == 0 && message.LParam == 0)
            commands.push_back(LOWORD(message.WParam));
        saved(message);
    }
    TControl* control;
    TWndMethod saved;
};

TMenuItem* AddItem(TMenuItem* parent, const wchar_t* caption) {
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

class SkinnedMenus : public TSkinnedProgramTest {
protected:
    void SetUp() override { OpenProgramWindows("ponderix-menus"); }
    void TearDown() override {
        form.reset();
        TSkinnedProgramTest::TearDown();
    }
    TSkinDescription& Skin() { return MainForm->SkinData1->Skin(); }

    // A form with a main menu: 文件 (sub-items, a separator, a nested sub-menu, a disabled
    // item), 编辑, 执行 (no sub-items), 禁用 (disabled), 帮助, and an item without a caption.
    void OpenMenuForm(bool rightToLeft) {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(150, 140, 460, 240);
        menu = new TMainMenu(form.get());
        if (rightToLeft) menu->SetBiDiMode(bdRightToLeft);
        TMenuItem* root = menu->Items();
        file = AddItem(root, L"文件(&F)");
        open = AddItem(file, L"打开(&O)");
        open->SetShortCut(ShortCut('O', ssCtrl));
        save = AddItem(file, L"保存(&S)");
        save->SetChecked(true);
        line = AddItem(file, L"-");
        recent = AddItem(file, L"最近(&R)");
        AddItem(recent, L"一");
        AddItem(recent, L"二");
        exit = AddItem(file, L"退出(&X)");
        exit->SetEnabled(false);
        edit = AddItem(root, L"编辑(&E)");
        AddItem(edit, L"复制(&C)");
        AddItem(edit, L"粘贴(&P)");
        go = AddItem(root, L"执行(&G)");
        go->OnClick = [this](TObject*) { ++goClicks; };
        disabled = AddItem(root, L"禁用(&D)");
        AddItem(disabled, L"无");
        disabled->SetEnabled(false);
        disabled->OnClick = [this](TObject*) { ++disabledClicks; };
        help = AddItem(root, L"帮助(&H)");
        AddItem(help, L"关于(&A)");
        blank = AddItem(root, L"");
        form->SetMenu(menu);
        // A popup menu of the form: one item draws itself, the other gets the skinned drawing.
        popupMenu = new TPopupMenu(form.get());
        ownDrawn = AddItem(popupMenu->Items(), L"自画");
        ownDrawn->OnAdvancedDrawItem = [this](TObject*, TCanvas* canvas, const TRect& rect,
                                              TOwnerDrawState) {
            ++ownDraws;
            canvas->Brush()->SetColor(clRed);
            canvas->FillRect(rect);
        };
        AddItem(popupMenu->Items(), L"普通");
        form->Show();
        window = form->Handle();
        SetForegroundWindow(window);
        frame = ActiveFrameSkinner(window, 5s);
        ASSERT_NE(frame, nullptr);
        ASSERT_NE(frame->MenuBar(), nullptr);
        bar = frame->MenuBar();
    }
    TMenuBtn& Item(int index) { return *bar->Items()[static_cast<size_t>(index)]; }
    POINT ScreenPointOf(const TMenuBtn& item) {
        RECT r{};
        GetWindowRect(window, &r);
        return {r.left + item.Rect.left + 3, r.top + item.Rect.top + 3};
    }
    void PostClick(const TMenuBtn& item) {
        const POINT p = ScreenPointOf(item);
        PostMessageW(window, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(p.x, p.y));
    }
    // The expected bar, composed from the MenuBar element's cell.
    std::unique_ptr<TBitmap> ExpectedBar(int cell) {
        const TRect& r = bar->BarRect();
        TDataSkinObject& e = *Skin().MenuBar;
        auto expected = std::make_unique<TBitmap>();
        expected->SetPixelFormat(TPixelFormat::pf24bit);
        expected->SetSize(r.Width(), r.Height());
        DrawThreeSlice(*expected->Canvas(), {0, 0, r.Width(), r.Height()}, e.Image,
                       {e.LeftWidth, 0, e.RightWidth, 0}, cell, e.FrameCount, false, true);
        return expected;
    }

    std::unique_ptr<TForm> form;
    TMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *open = nullptr, *save = nullptr, *line = nullptr, *recent = nullptr,
              *exit = nullptr, *edit = nullptr, *go = nullptr, *disabled = nullptr, *help = nullptr,
              *blank = nullptr;
    TPopupMenu* popupMenu = nullptr;
    TMenuItem* ownDrawn = nullptr;
    int goClicks = 0, disabledClicks = 0, ownDraws = 0;
    HWND window = nullptr;
    TWinSkinForm* frame = nullptr;
    TWinSkinMenu* bar = nullptr;
};

TEST_F(SkinnedMenus, BarIsDrawnUnderTheCaptionFromTheMenuBarElement) {
    OpenMenuForm(false);
    ASSERT_TRUE(Skin().MenuBar);
    EXPECT_EQ(GetMenu(window), nullptr) << "the native menu bar is taken away";
    const TFrameSizes sizes = frame->FrameSizes();
    EXPECT_EQ(frame->MenuBarHeight(), GetSystemMetrics(SM_CYMENU));
    RECT outer{};
    GetWindowRect(window, &outer);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    EXPECT_EQ(client.y - outer.top, sizes.caption + frame->MenuBarHeight());
    EXPECT_EQ(bar->BarRect(),
              (TRect{sizes.left, sizes.caption, outer.right - outer.left - sizes.right,
                     sizes.caption + frame->MenuBarHeight()}));
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0,
                           MAKELPARAM(outer.left + 100, outer.top + sizes.caption + 5)),
              HTMENU);

    // Items: caption width + 10 from LeftWidth + 4, one after the other; no caption, no width.
    HDC dc = GetDC(window);
    SelectObject(dc, Screen->MenuFont()->Handle());
    int x = sizes.left + Skin().MenuBar->LeftWidth + 4;
    for (const auto& item : bar->Items()) {
        SIZE text{};
        const std::wstring shown = StripHotkey(item->Caption);
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &text);
        SCOPED_TRACE(testing::Message() << "item " << item->Index);
        EXPECT_EQ(item->Rect.left, x);
        EXPECT_EQ(item->Rect.Width(), text.cx > 0 ? text.cx + 10 : 0);
        EXPECT_EQ(item->Rect.top, sizes.caption);
        x = item->Rect.right;
    }
    ReleaseDC(window, dc);
    EXPECT_EQ(Item(5).Rect.Width(), 0);
    EXPECT_EQ(bar->MenuButtonAt({Item(5).Rect.left, Item(5).Rect.top + 2}), nullptr);

    // Active: cell 1; inactive: cell 2 (at the bar's right end, beyond the items).
    const TRect& r = bar->BarRect();
    const int px = r.Width() - 4, py = 3;
    auto active = ExpectedBar(1);
    auto inactive = ExpectedBar(2);
    ASSERT_NE(active->Canvas()->Pixel(px, py), inactive->Canvas()->Pixel(px, py));
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(window, r.left + px, r.top + py), active->Canvas()->Pixel(px, py));
    SetForegroundWindow(MainForm->Handle());
    PumpUntil([&] { return !frame->Active(); }, 2s);
    PumpMessages();
    EXPECT_EQ(WindowPixel(window, r.left + px, r.top + py), inactive->Canvas()->Pixel(px, py));
}

TEST_F(SkinnedMenus, RightToLeftBarIsLaidOutFromTheRightEnd) {
    OpenMenuForm(true);
    EXPECT_TRUE(bar->RightToLeft());
    const TRect& r = bar->BarRect();
    EXPECT_EQ(Item(0).Rect.right, r.right - (Skin().MenuBar->RightWidth + 8));
    for (int i = 1; i < 5; ++i) EXPECT_EQ(Item(i).Rect.right, Item(i - 1).Rect.left) << i;
}

TEST_F(SkinnedMenus, ItemUnderTheMouseIsFramedInButtonHilightAndLeavesPlain) {
    OpenMenuForm(false);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    TMenuBtn& item = Item(1);
    const COLORREF hilight = ColorToRGB(Skin().ButtonHilightColour);
    const COLORREF before = WindowPixel(window, item.Rect.left, item.Rect.top);
    ASSERT_NE(before, hilight);
    const POINT p = ScreenPointOf(item);
    SendMessageW(window, WM_NCMOUSEMOVE, HTMENU, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(item.State, ncHot);
    EXPECT_EQ(frame->HotObject(), &item);
    EXPECT_EQ(WindowPixel(window, item.Rect.left, item.Rect.top), hilight);
    EXPECT_EQ(WindowPixel(window, item.Rect.right - 1, item.Rect.bottom - 1), hilight);
    // Moving off the bar: the item is plain again.
    RECT outer{};
    GetWindowRect(window, &outer);
    SendMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(outer.left + 40, outer.top + 10));
    EXPECT_EQ(item.State, ncNormal);
    EXPECT_EQ(WindowPixel(window, item.Rect.left, item.Rect.top), before);
}

TEST_F(SkinnedMenus, ChangedMainMenuRebuildsTheBarAndKeepsTheNativeBarAway) {
    OpenMenuForm(false);
    go->SetCaption(L"运行(&R)");
    PumpMessages();
    EXPECT_EQ(GetMenu(window), nullptr);
    ASSERT_EQ(bar->Items().size(), 6u);
    EXPECT_EQ(Item(2).Caption, L"运行(&R)");
    help->SetVisible(false);
    PumpMessages();
    EXPECT_FALSE(Item(4).Visible);
    EXPECT_TRUE(Item(4).Rect.IsEmpty());
    EXPECT_EQ(Item(5).Rect.left, Item(3).Rect.right);
    RECT client{};
    GetClientRect(window, &client);
    RECT outer{};
    GetWindowRect(window, &outer);
    const TFrameSizes sizes = frame->FrameSizes();
    EXPECT_EQ(client.bottom,
              outer.bottom - outer.top - sizes.caption - frame->MenuBarHeight() - sizes.bottom);
}

TEST_F(SkinnedMenus, SwitchingSkinningOffGivesTheNativeMenuBarBackAroundTheSameClientArea) {
    OpenMenuForm(false);
    RECT before{};
    GetClientRect(window, &before);
    TSkinData* skin = MainForm->SkinData1;
    skin->SetActive(false);
    ASSERT_TRUE(Manager()->TimerEnabled());
    Manager()->RunPendingAction();
    PumpMessages();
    ASSERT_EQ(Manager()->FindFormSkinner(window), nullptr);
    EXPECT_EQ(GetMenu(window), menu->Handle());
    RECT after{};
    GetClientRect(window, &after);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_FALSE(popupMenu->OwnerDraw());
    EXPECT_TRUE(ownDrawn->OnAdvancedDrawItem) << "the item's own handler stays";
    EXPECT_FALSE(popupMenu->Items()->Items(1)->OnAdvancedDrawItem);
    skin->SetActive(true);
    Manager()->RunPendingAction();
    PumpMessages();
}

TEST_F(SkinnedMenus, ClickOpensTheDropDownAtTheItemWithItsFirstItemSelected) {
    OpenMenuForm(false);
    RECT popupRect{};
    bool firstSelected = false;
    HWND seen = nullptr;
    DriveMenus([&] { PostClick(Item(1)); },
               [&](HWND popup) {
                   if (!popup || !Highlighted(edit->Handle(), 0)) return false;
                   seen = popup;
                   firstSelected = true;
                   GetWindowRect(popup, &popupRect);
                   return true;
               });
    ASSERT_NE(seen, nullptr) << "no drop-down opened";
    EXPECT_TRUE(firstSelected);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(popupRect.left, outer.left + Item(1).Rect.left);
    EXPECT_EQ(popupRect.top, outer.top + Item(1).Rect.bottom);
    EXPECT_FALSE(frame->MenuTracking());
    EXPECT_EQ(menu_bar_hook::CurrentIndex(), -1);
}

TEST_F(SkinnedMenus, ItemsChangedByTheCommandPostedAsTheDropDownOpensAreTaken) {
    OpenMenuForm(false);
    int clicks = 0;
    edit->OnClick = [&](TObject*) {
        if (clicks++ == 0) AddItem(edit, L"新(&N)");  // the bar is rebuilt while tracking
    };
    int shown = 0;
    DriveMenus([&] { PostClick(Item(1)); },
               [&](HWND popup) {
                   if (!popup || clicks == 0) return false;
                   shown = GetMenuItemCount(edit->Handle());
                   return true;
               });
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shown, 3);
    ASSERT_EQ(bar->Items().size(), 6u);
    EXPECT_FALSE(frame->MenuTracking());
    // The rebuilt bar still opens its items.
    bool opened = false;
    DriveMenus([&] { PostClick(Item(4)); },
               [&](HWND popup) { return opened = popup && Highlighted(help->Handle(), 0); });
    EXPECT_TRUE(opened);
}

TEST_F(SkinnedMenus, ArrowKeysMoveToTheNeighbouringBarItemAndWrapAround) {
    struct Case {
        bool rightToLeft;
        std::vector<UINT> keys;
        std::vector<int> visited;  // bar items whose drop-down opened, in order
    };
    // Openable items: 0 文件, 1 编辑, 4 帮助 (执行 has no drop-down, 禁用 is disabled).
    const Case cases[] = {
        {false, {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT}, {0, 1, 4, 0, 4}},
        {true, {VK_LEFT, VK_LEFT, VK_RIGHT, VK_RIGHT}, {0, 1, 4, 1, 0}},  // swapped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rightToLeft ? "right to left" : "left to right");
        OpenMenuForm(c.rightToLeft);
        std::vector<int> visited;
        size_t sent = 0;
        DriveMenus([&] { PostClick(Item(0)); },
                   [&](HWND popup) {
                       const int index = menu_bar_hook::CurrentIndex();
                       if (!popup || index < 0 || !Highlighted(frame->TrackedMenu(), 0))
                           return false;
                       if (!visited.empty() && visited.back() == index) return false;
                       visited.push_back(index);
                       if (sent == c.keys.size()) return true;
                       PostMessageW(popup, WM_KEYDOWN, c.keys[sent++], 0);
                       return false;
                   });
        EXPECT_EQ(visited, c.visited);
        form.reset();
    }
}

TEST_F(SkinnedMenus, ArrowRightOnAnItemWithSubItemsOpensThemInstead) {
    OpenMenuForm(false);
    bool nestedOpened = false;
    int state = 0;
    DriveMenus([&] { PostClick(Item(0)); },
               [&](HWND popup) {
                   if (!popup) return false;
                   if (state == 0 && Highlighted(file->Handle(), 0)) {
                       // Down to 最近 (the separator is skipped), then Right.
                       PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
                       PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
                       state = 1;
                   } else if (state == 1 && Highlighted(file->Handle(), 3)) {
                       PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
                       state = 2;
                   } else if (state == 2 && Highlighted(recent->Handle(), 0)) {
                       nestedOpened = true;
                       return true;
                   }
                   return false;
               });
    EXPECT_TRUE(nestedOpened);
    EXPECT_EQ(state, 2);
}

TEST_F(SkinnedMenus, TopLevelItemsWithoutADropDownPostTheirCommandAndOpenNothing) {
    OpenMenuForm(false);
    struct Case {
        int index;
        TMenuItem* item;
        const int* clicks;
        int expectedClicks;  // a disabled item's command runs no OnClick
    };
    for (const Case& c : {Case{2, go, &goClicks, 1}, Case{3, disabled, &disabledClicks, 0}}) {
        SCOPED_TRACE(c.index);
        TCommandRecorder recorder(form.get());
        bool opened = false;
        int ticks = 0;
        DriveMenus([&] { PostClick(Item(c.index)); },
                   [&](HWND popup) {
                       opened = opened || popup;
                       return ++ticks > 10;
                   });
        EXPECT_FALSE(opened);
        EXPECT_EQ(recorder.commands, std::vector<UINT>{c.item->Command()});
        EXPECT_EQ(*c.clicks, c.expectedClicks);
    }
}

TEST_F(SkinnedMenus, AltLetterOpensTheItemAndAltShiftLetterDoesNot) {
    OpenMenuForm(false);
    const LPARAM altDown = 1 << 29;
    int opened = -1;
    DriveMenus([&] { PostMessageW(window, WM_SYSCHAR, 'e', altDown); },
               [&](HWND popup) {
                   if (popup && menu_bar_hook::CurrentIndex() >= 0)
                       opened = menu_bar_hook::CurrentIndex();
                   return opened >= 0;
               });
    EXPECT_EQ(opened, 1);

    // The same key with Shift held.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    bool shiftOpened = false;
    int ticks = 0;
    DriveMenus([&] { PostMessageW(window, WM_SYSCHAR, 'E', altDown); },
               [&](HWND popup) {
                   shiftOpened = shiftOpened || popup;
                   return ++ticks > 10;
               });
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_FALSE(shiftOpened);
}

class SkinnedDropDown : public SkinnedMenus {
protected:
    // Opens 文件 and, once its first item is selected and painted, calls check with the popup
    // window.
    void WithFileOpen(const std::function<void(HWND)>& check) {
        bool checked = false;
        int settle = 0;
        DriveMenus([&] { PostClick(Item(0)); },
                   [&](HWND popup) {
                       if (!popup || !Highlighted(file->Handle(), 0)) return false;
                       if (++settle < 4) return false;  // let the items paint
                       check(popup);
                       checked = true;
                       return true;
                   });
        EXPECT_TRUE(checked) << "the drop-down never showed its first item selected";
    }
    // The MenuItem element's cell, composed to the item's size.
    std::unique_ptr<TBitmap> ItemCellImage(int cell, int w, int h) {
        TDataSkinObject& e = *Skin().MenuItem;
        return MakeNineSlice({0, 0, w, h}, e.Image,
                             {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight}, cell, 5,
                             e.Tile == 1, false);
    }
};

TEST_F(SkinnedDropDown, SelectedItemIsCellFourAndTheSeparatorCellTwo) {
    OpenMenuForm(false);
    ASSERT_TRUE(Skin().MenuItem);
    WithFileOpen([&](HWND popup) {
        const RECT item = ItemInPopup(popup, file->Handle(), 0);
        const int w = item.right - item.left, h = item.bottom - item.top;
        auto cell = ItemCellImage(4, w, h);
        // The right end, clear of caption and shortcut.
        for (int y : {1, h / 2, h - 2})
            EXPECT_EQ(WindowPixel(popup, item.right - 2, item.top + y),
                      cell->Canvas()->Pixel(w - 2, y))
                << "row " << y;
        // The shortcut text ends 10 pixels short of the item's right end.
        const COLORREF text = ColorToRGB(Skin().HilightTextColour);
        EXPECT_TRUE(
            RectHasColour(popup, {item.right - 60, item.top, item.right - 10, item.bottom}, text));
        EXPECT_FALSE(
            RectHasColour(popup, {item.right - 10, item.top, item.right, item.bottom}, text));
        // The separator: the image's row that holds the line, from cell 2, not an etched line.
        const RECT sep = ItemInPopup(popup, file->Handle(), 2);
        TDataSkinObject& e = *Skin().MenuItem;
        const int sh = sep.bottom - sep.top;
        const int top = e.Image.Height() > sh ? e.Image.Height() - sh : 0;
        int lineRow = -1;
        for (int y = 0; y < std::min(sh, e.Image.Height()) && lineRow < 0; ++y)
            if ((e.Image.Canvas()->Pixel(24 + 12, top + y) & 0xFFFFFF) != 0xFF00FF) lineRow = y;
        ASSERT_GE(lineRow, 0) << "the separator cell has no line in the item's rows";
        EXPECT_EQ(WindowPixel(popup, (sep.left + sep.right) / 2, sep.top + lineRow),
                  e.Image.Canvas()->Pixel(24 + 12, top + lineRow));
    });
}

TEST_F(SkinnedDropDown, CheckedItemsShowTheCheckMarkOrTheImageOnASunkenBox) {
    OpenMenuForm(false);
    // 保存 is checked without an image: the system check mark in the button-text colour.
    WithFileOpen([&](HWND popup) {
        RECT item = ItemInPopup(popup, file->Handle(), 1);
        RECT glyph{item.left + 1 + Skin().MenuItem->LeftWidth, item.top + 1, 0, 0};
        glyph.right = glyph.left + 18;
        glyph.bottom = glyph.top + 18;
        EXPECT_TRUE(RectHasColour(popup, glyph, GetSysColor(COLOR_BTNTEXT)));
    });
    // With an image: a sunken edge (button shadow at its top-left) around the image.
    menu->SetImages(MainForm->SkinData1->MenuGlyphs());
    save->SetImageIndex(3);
    WithFileOpen([&](HWND popup) {
        RECT item = ItemInPopup(popup, file->Handle(), 1);
        const int left = item.left + 1 + Skin().MenuItem->LeftWidth, top = item.top + 1;
        EXPECT_EQ(WindowPixel(popup, left, top), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(WindowPixel(popup, left + 8, top + 7), RGB(0, 0, 0)) << "the close glyph";
    });
}

TEST_F(SkinnedDropDown, DisabledItemWithButtonShadowEqualToMenuTextUsesTheSystemShadow) {
    OpenMenuForm(false);
    TSkinDescription& d = Skin();
    const TColor savedShadow = d.ButtonShadowColour;
    d.ButtonShadowColour = d.MenuTextColour;
    WithFileOpen([&](HWND popup) {
        const RECT item = ItemInPopup(popup, file->Handle(), 4);  // 退出, disabled
        EXPECT_TRUE(RectHasColour(popup, item, GetSysColor(COLOR_BTNSHADOW)));
        EXPECT_FALSE(RectHasColour(popup, item, ColorToRGB(d.MenuTextColour)));
    });
    d.ButtonShadowColour = savedShadow;
}

TEST_F(SkinnedDropDown, WithoutAMenuItemElementTheSeparatorIsAnEtchedLine) {
    OpenMenuForm(false);
    std::unique_ptr<TDataSkinObject> element = std::move(Skin().MenuItem);
    WithFileOpen([&](HWND popup) {
        const RECT sep = ItemInPopup(popup, file->Handle(), 2);
        EXPECT_EQ(WindowPixel(popup, (sep.left + sep.right) / 2, sep.top + 4),
                  GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(WindowPixel(popup, (sep.left + sep.right) / 2, sep.top + 5),
                  GetSysColor(COLOR_BTNHIGHLIGHT));
    });
    Skin().MenuItem = std::move(element);
}

TEST_F(SkinnedDropDown, PopupItemWithItsOwnDrawingKeepsDrawingItself) {
    OpenMenuForm(false);
    ASSERT_TRUE(popupMenu->OwnerDraw()) << "the frame skinner makes the form's popups owner-drawn";
    TMenuItem* plain = popupMenu->Items()->Items(1);
    EXPECT_TRUE(plain->OnAdvancedDrawItem);
    bool checked = false;
    int settle = 0;
    DriveMenus([&] { popupMenu->Popup(200, 200); },
               [&](HWND popup) {
                   if (!popup || ownDraws == 0 || ++settle < 4) return false;
                   const RECT own = ItemInPopup(popup, popupMenu->Handle(), 0);
                   EXPECT_EQ(
                       WindowPixel(popup, (own.left + own.right) / 2, (own.top + own.bottom) / 2),
                       RGB(255, 0, 0));
                   // The other item is the skin's: its cell 1 shows the popup's background.
                   const RECT p = ItemInPopup(popup, popupMenu->Handle(), 1);
                   EXPECT_EQ(WindowPixel(popup, p.right - 2, (p.top + p.bottom) / 2),
                             Skin().MenuBackground->Image.Canvas()->Pixel(8, 8));
                   checked = true;
                   return true;
               });
    EXPECT_TRUE(checked);
}

// A window that is no form of ours, with a native menu bar: the bar takes its items from the
// native menu, and the drop-down's items, which no class-library item stands for, are measured
// and drawn from their native text and state.
TEST_F(SkinnedDropDown, NativeMenuOfABareWindowIsSkinnedToo) {
    static const wchar_t kClass[] = L"PonderixBareMenuWindow";
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    HMENU native = CreateMenu();
    HMENU drop = CreatePopupMenu();
    AppendMenuW(drop, MF_STRING, 101, L"第一(&A)");
    AppendMenuW(drop, MF_STRING | MF_GRAYED, 102, L"第二(&B)");
    AppendMenuW(native, MF_POPUP, reinterpret_cast<UINT_PTR>(drop), L"原生(&N)");
    AppendMenuW(native, MF_STRING | MF_GRAYED, 103, L"灰(&G)");
    HWND bare = CreateWindowExW(0, kClass, L"bare", WS_OVERLAPPEDWINDOW, 200, 160, 360, 220,
                                nullptr, native, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(bare, nullptr);
    ShowWindow(bare, SW_SHOW);
    SetForegroundWindow(bare);
    TWinSkinForm* skinner = ActiveFrameSkinner(bare, 5s);
    ASSERT_NE(skinner, nullptr);
    ASSERT_NE(skinner->MenuBar(), nullptr);
    TWinSkinMenu& nativeBar = *skinner->MenuBar();
    EXPECT_EQ(GetMenu(bare), nullptr);
    ASSERT_EQ(nativeBar.Items().size(), 2u);
    EXPECT_EQ(nativeBar.Items()[0]->Caption, L"原生(&N)");
    EXPECT_EQ(nativeBar.Items()[0]->SubMenu, drop);
    EXPECT_FALSE(nativeBar.Items()[1]->Enabled);
    RECT outer{};
    GetWindowRect(bare, &outer);
    const TRect& first = nativeBar.Items()[0]->Rect;
    bool checked = false;
    int settle = 0;
    DriveMenus(
        [&] {
            PostMessageW(bare, WM_NCLBUTTONDOWN, HTMENU,
                         MAKELPARAM(outer.left + first.left + 3, outer.top + first.top + 3));
        },
        [&](HWND popup) {
            if (!popup || !Highlighted(drop, 0) || ++settle < 4) return false;
            const RECT item = ItemInPopup(popup, drop, 0);
            const int w = item.right - item.left, h = item.bottom - item.top;
            auto cell = ItemCellImage(4, w, h);
            EXPECT_EQ(WindowPixel(popup, item.right - 2, item.top + h / 2),
                      cell->Canvas()->Pixel(w - 2, h / 2));
            EXPECT_TRUE(RectHasColour(popup, item, ColorToRGB(Skin().HilightTextColour)));
            const RECT grey = ItemInPopup(popup, drop, 1);
            EXPECT_TRUE(RectHasColour(popup, grey, ColorToRGB(Skin().ButtonShadowColour)));
            checked = true;
            return true;
        });
    EXPECT_TRUE(checked);
    // The window's destruction frees its menu, as it would without the skinned bar.
    DestroyWindow(bare);
    EXPECT_FALSE(IsMenu(native));
    EXPECT_FALSE(IsMenu(drop));
    if (IsMenu(native)) DestroyMenu(native);
    UnregisterClassW(kClass, GetModuleHandleW(nullptr));
}

// ---- The program's own menus -------------------------------------------------------------

using ProgramMenus = SkinnedMenus;

TEST_F(ProgramMenus, SystemMenuOfTheCaptionIsASkinnedPopupWithTheGlyphs) {
    const HWND main = MainForm->Handle();
    TWinSkinForm* mainFrame = Manager()->FindFormSkinner(main);
    ASSERT_NE(mainFrame, nullptr);
    TPopupMenu* systemMenu = mainFrame->SystemMenu();
    ASSERT_NE(systemMenu, nullptr);
    ASSERT_EQ(systemMenu->Items()->Count(), 3);  // no maximise or minimise box
    EXPECT_EQ(systemMenu->Items()->Items(0)->Caption(), L" Restore ");
    EXPECT_EQ(systemMenu->Items()->Items(2)->Caption(), L" Close ");
    RECT outer{};
    GetWindowRect(main, &outer);
    const POINT caption{outer.left + 60, outer.top + mainFrame->FrameSizes().caption / 2};
    bool checked = false;
    DriveMenus(
        [&] { PostMessageW(main, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.x, caption.y)); },
        [&](HWND popup) {
            if (!popup) return false;
            EXPECT_NE(Manager()->FindPopupSkinner(popup), nullptr);
            EXPECT_EQ(SendMessageW(popup, CN_IsSkinned, 0, 0), 1);
            const HMENU handle = systemMenu->Handle();
            EXPECT_TRUE(GetMenuState(handle, 0, MF_BYPOSITION) & MF_GRAYED)
                << "Restore is disabled while the window is normal";
            const RECT close = ItemInPopup(popup, handle, 2);
            const int left = close.left + 1 + Skin().MenuItem->LeftWidth, top = close.top + 1;
            EXPECT_EQ(WindowPixel(popup, left + 8, top + 7), RGB(0, 0, 0)) << "the close glyph";
            // The item's right end shows the skinned popup background (cell 1 is see-through).
            EXPECT_EQ(WindowPixel(popup, close.right - 2, (close.top + close.bottom) / 2),
                      Skin().MenuBackground->Image.Canvas()->Pixel(8, 8));
            checked = true;
            return true;
        });
    EXPECT_TRUE(checked) << "the system menu did not open";
}

class EditContextMenu : public SkinnedMenus {
protected:
    // Opens Edit1's context menu and closes it at once; answers the popup window it saw.
    HWND OpenAndClose(const std::function<void(HWND)>& check = {}) {
        HWND edit1 = MainForm->Edit1->Handle();
        RECT r{};
        GetWindowRect(edit1, &r);
        HWND seen = nullptr;
        DriveMenus(
            [&] {
                PostMessageW(edit1, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit1),
                             MAKELPARAM(r.left + 5, r.top + 5));
            },
            [&](HWND popup) {
                if (!popup) return false;
                seen = popup;
                if (check) check(popup);
                return true;
            });
        return seen;
    }
};

TEST_F(EditContextMenu, OpensWithASkinnedBorder) {
    ASSERT_TRUE(Skin().MenuBackground);
    bool checked = false;
    HWND seen = OpenAndClose([&](HWND popup) {
        EXPECT_NE(Manager()->FindPopupSkinner(popup), nullptr);
        RECT r{};
        GetWindowRect(popup, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        TDataSkinObject& e = *Skin().MenuBackground;
        auto expected = MakeNineSlice({0, 0, w, h}, e.Image,
                                      {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight}, 1,
                                      1, e.Tile == 1, false);
        const POINT ring[] = {{0, 0},         {w / 2, 0},     {w / 2, 1},    {1, h / 2},
                              {w - 1, h - 1}, {w - 2, h / 2}, {w / 2, h - 2}};
        for (const POINT& p : ring)
            EXPECT_EQ(WindowPixel(popup, p.x, p.y), expected->Canvas()->Pixel(p.x, p.y))
                << "at " << p.x << ", " << p.y;
        checked = true;
    });
    EXPECT_NE(seen, nullptr) << "no context menu opened";
    EXPECT_TRUE(checked);
    EXPECT_EQ(Manager()->PopupSkinnerCount(), 0u) << "the skinner goes with its window";
}

TEST_F(EditContextMenu, PopupSkinnersComeAndGoWithTheirWindows) {
    ASSERT_NE(OpenAndClose(), nullptr);  // warms up what the first menu makes once
    const int gdi = GdiObjectCount(), user = UserObjectCount();
    for (int i = 0; i < 200; ++i) {
        size_t during = 0;
        ASSERT_NE(OpenAndClose([&](HWND) { during = Manager()->PopupSkinnerCount(); }), nullptr)
            << "opening " << i;
        ASSERT_EQ(during, 1u) << "opening " << i;
        ASSERT_EQ(Manager()->PopupSkinnerCount(), 0u) << "opening " << i;
    }
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), user);
}

TEST_F(EditContextMenu, WithoutMainMenuSkinningNoPopupIsSkinnedWhateverPopupMenuSays) {
    TSkinData* data = MainForm->SkinData1;
    const TSkinControlTypes saved = data->SkinControls();
    data->SetSkinControls((saved & ~(1u << xcMainMenu)) | (1u << xcPopupMenu));
    bool checked = false;
    OpenAndClose([&](HWND popup) {
        EXPECT_EQ(Manager()->FindPopupSkinner(popup), nullptr);
        EXPECT_NE(SendMessageW(popup, CN_IsSkinned, 0, 0), 1);
        checked = true;
    });
    data->SetSkinControls(saved);
    EXPECT_TRUE(checked);
}

}  // namespace
