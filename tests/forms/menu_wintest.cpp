// Menus with real windows and messages: a main menu read from a form description on the menu
// bar, WM_COMMAND to OnClick, item changes reaching the native menus, owner-drawn popup menus
// measured and drawn through their events, the class library's own measure, and every native
// menu destroyed once with its item.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "forms/application.h"
#include "forms/exception.h"
#include "forms/form_reader.h"
#include "forms/bitmap.h"
#include "forms/graphics.h"
#include "forms/image_list.h"
#include "forms/menus.h"
#include "forms/timer.h"
#include "support/gdi_objects.h"
#include "support/win_test_util.h"

namespace {

class TMenuTestForm : public TForm {
    PONDERIX_CLASS(TMenuTestForm, TForm)
public:
    using TForm::TForm;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* Open1 = nullptr;
    TMenuItem* Save1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* Help1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* Copy1 = nullptr;
    TMenuItem* Paste1 = nullptr;

    std::vector<std::wstring> clicks;
    struct Measured {
        TObject* sender;
        int width, height;
    };
    std::vector<Measured> measured;
    struct Drawn {
        TObject* sender;
        TRect rect;
        TOwnerDrawState state;
    };
    std::vector<Drawn> drawn;

    void Open1Click(TObject*) { clicks.push_back(L"Open1"); }
    void Save1Click(TObject*) { clicks.push_back(L"Save1"); }
    void Exit1Click(TObject*) { clicks.push_back(L"Exit1"); }
    void Copy1Click(TObject*) { clicks.push_back(L"Copy1"); }
    void PopupMeasure(TObject* sender, TCanvas*, int& width, int& height) {
        measured.push_back({sender, width, height});
        width += 20;  // a handler may change the measure
    }
    void PopupDraw(TObject* sender, TCanvas* canvas, const TRect& rect, TOwnerDrawState state) {
        drawn.push_back({sender, rect, state});
        canvas->Brush()->SetColor(clRed);
        canvas->FillRect(rect);
    }
};

PONDERIX_DEFINE_CLASS(TMenuTestForm, [](TClassBuilder<TMenuTestForm>& b) {
    b.Field("MainMenu1", &TMenuTestForm::MainMenu1);
    b.Field("File1", &TMenuTestForm::File1);
    b.Field("Open1", &TMenuTestForm::Open1);
    b.Field("Save1", &TMenuTestForm::Save1);
    b.Field("N1", &TMenuTestForm::N1);
    b.Field("Exit1", &TMenuTestForm::Exit1);
    b.Field("Help1", &TMenuTestForm::Help1);
    b.Field("PopupMenu1", &TMenuTestForm::PopupMenu1);
    b.Field("Copy1", &TMenuTestForm::Copy1);
    b.Field("Paste1", &TMenuTestForm::Paste1);
    b.Method("Open1Click", &TMenuTestForm::Open1Click);
    b.Method("Save1Click", &TMenuTestForm::Save1Click);
    b.Method("Exit1Click", &TMenuTestForm::Exit1Click);
    b.Method("Copy1Click", &TMenuTestForm::Copy1Click);
    b.Method("PopupMeasure", &TMenuTestForm::PopupMeasure);
    b.Method("PopupDraw", &TMenuTestForm::PopupDraw);
})

std::unique_ptr<TMenuTestForm> ReadMenuForm() {
    auto form = std::make_unique<TMenuTestForm>(nullptr);
    if (!ReadFormResource(*form)) throw EReadError(L"TMENUTESTFORM missing");
    return form;
}

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

MENUITEMINFOW ItemInfo(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return info;
}

// Sits in the form's WindowProc as a skinner would and counts CM_MENUCHANGED.
class TMenuChangeCounter : public TObject {
public:
    explicit TMenuChangeCounter(TControl* control) : control(control), saved(control->WindowProc) {
        control->WindowProc =
            TWndMethod::Of<TMenuChangeCounter, &TMenuChangeCounter::WndProc>(this);
    }
    ~TMenuChangeCounter() override { control->WindowProc = saved; }
    int changes = 0;

private:
    void WndProc(TMessage& message) {
        if (message.Msg == CM_MENUCHANGED) ++changes;
        saved(message);
    }
    TControl* control;
    TWndMethod saved;
};

// Runs Popup while a timer acts on the open menu: once `ready` holds (or after about 3 s) it
// calls `act`, which must close the menu, by choice or by EndMenu.
void PopupWhile(TPopupMenu& menu, const std::function<bool()>& ready,
                const std::function<void(HWND popupWindow)>& act) {
    TTimer timer(nullptr);
    timer.SetInterval(30);
    int ticks = 0;
    bool acted = false;
    timer.OnTimer = [&](TObject*) {
        HWND popupWindow = FindWindowW(L"#32768", nullptr);
        if (acted || !popupWindow) {
            if (++ticks > 200) EndMenu();  // never hang the test run
            return;
        }
        if (ready() || ++ticks > 100) {
            acted = true;
            act(popupWindow);
        }
    };
    menu.Popup(120, 120);
    timer.SetEnabled(false);
}

}  // namespace

TEST(Menus, MainMenuFromDescriptionIsTheWindowsMenuBar) {
    auto form = ReadMenuForm();
    form->Show();
    HMENU bar = GetMenu(form->Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar, form->MainMenu1->Handle());
    EXPECT_EQ(form->Menu(), form->MainMenu1);
    EXPECT_EQ(form->ClientHeight(), 200);  // the bar does not eat the described client size
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), L"文件(&F)");
    EXPECT_EQ(MenuText(bar, 1), L"帮助(&H)");
    EXPECT_EQ(GetSubMenu(bar, 0), form->File1->Handle());
    EXPECT_EQ(GetSubMenu(bar, 1), nullptr);  // no sub-items, no drop-down
    EXPECT_EQ(form->Help1->Tag(), 7);

    HMENU file = form->File1->Handle();
    ASSERT_EQ(GetMenuItemCount(file), 4);
    // Each entry: text (with the shortcut after a tab), identifier and state.
    const struct {
        TMenuItem* item;
        const wchar_t* text;
        UINT type;
        UINT state;
    } entries[] = {
        {form->Open1, L"打开(&O)\tCtrl+O", MFT_STRING, 0},
        {form->Save1, L"保存(&S)\tCtrl+S", MFT_STRING, MFS_CHECKED},
        {form->N1, L"", MFT_SEPARATOR, 0},
        {form->Exit1, L"退出(&X)", MFT_STRING, MFS_GRAYED},
    };
    for (UINT i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const MENUITEMINFOW info = ItemInfo(file, i);
        EXPECT_EQ(info.wID, entries[i].item->Command());
        EXPECT_EQ(info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW), entries[i].type);
        EXPECT_EQ(info.fState & (MFS_CHECKED | MFS_GRAYED), entries[i].state);
        if (entries[i].type == MFT_STRING) {
            EXPECT_EQ(MenuText(file, i), entries[i].text);
        }
        EXPECT_EQ(entries[i].item->Parent(), form->File1);
        EXPECT_EQ(entries[i].item->GetParentMenu(), form->MainMenu1);
    }
    EXPECT_EQ(form->MainMenu1->FindItem(reinterpret_cast<UINT_PTR>(file), fkHandle), form->File1);
    EXPECT_EQ(form->MainMenu1->FindItem(scCtrl | 'S', fkShortCut), form->Save1);
}

TEST(Menus, CommandsRunTheirItemsClickOnlyWhenEnabled) {
    auto form = ReadMenuForm();
    form->Show();
    // Every item has its own command.
    std::vector<UINT> commands;
    for (TMenuItem* item : {form->File1, form->Open1, form->Save1, form->N1, form->Exit1,
                            form->Help1, form->Copy1, form->Paste1})
        commands.push_back(item->Command());
    std::sort(commands.begin(), commands.end());
    EXPECT_EQ(std::adjacent_find(commands.begin(), commands.end()), commands.end());
    EXPECT_LT(commands.back(), 0xF000u);  // below the system commands

    PostMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Open1->Command(), 0), 0);
    EXPECT_TRUE(PumpUntil([&] { return !form->clicks.empty(); }, std::chrono::seconds(5)));
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Exit1->Command(), 0), 0);  // disabled
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Copy1->Command(), 0), 0);  // not ours
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Save1->Command(), 0), 0);
    EXPECT_EQ(form->clicks, (std::vector<std::wstring>{L"Open1", L"Save1"}));

    form->Exit1->SetEnabled(true);
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Exit1->Command(), 0), 0);
    EXPECT_TRUE(form->MainMenu1->IsShortCut(scCtrl | 'O'));
    EXPECT_FALSE(form->MainMenu1->IsShortCut(scCtrl | 'Q'));
    EXPECT_EQ(form->clicks, (std::vector<std::wstring>{L"Open1", L"Save1", L"Exit1", L"Open1"}));

    // A drop-down about to open runs its item's click first; the system menu's does not.
    form->clicks.clear();
    form->File1->OnClick = [&](TObject*) { form->clicks.push_back(L"File1"); };
    const auto file = reinterpret_cast<WPARAM>(form->File1->Handle());
    SendMessageW(form->Handle(), WM_INITMENUPOPUP, file, MAKELPARAM(0, FALSE));
    SendMessageW(form->Handle(), WM_INITMENUPOPUP, file, MAKELPARAM(0, TRUE));
    EXPECT_EQ(form->clicks, (std::vector<std::wstring>{L"File1"}));
}

TEST(Menus, ShortcutKeysRunTheirItemsBeforeTheKeyReachesAControl) {
    auto form = ReadMenuForm();
    form->Show();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    const MSG ctrlS{form->Handle(), WM_KEYDOWN, 'S', 0, 0, {}};
    const MSG ctrlQ{form->Handle(), WM_KEYDOWN, 'Q', 0, 0, {}};
    const bool usedS = Application->IsDialogKey(ctrlS);
    const bool usedQ = Application->IsDialogKey(ctrlQ);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    const MSG plainS{form->Handle(), WM_KEYDOWN, 'S', 0, 0, {}};
    EXPECT_TRUE(usedS);
    EXPECT_FALSE(usedQ);
    EXPECT_FALSE(Application->IsDialogKey(plainS));
    EXPECT_EQ(form->clicks, std::vector<std::wstring>{L"Save1"});
}

TEST(Menus, MenuCharFindsHotkeysAmongVisibleEnabledItems) {
    auto form = ReadMenuForm();
    form->Show();
    auto menuChar = [&](wchar_t key, HMENU native) {
        return static_cast<LRESULT>(SendMessageW(form->Handle(), WM_MENUCHAR, MAKEWPARAM(key, 0),
                                                 reinterpret_cast<LPARAM>(native)));
    };
    HMENU file = form->File1->Handle();
    EXPECT_EQ(menuChar(L's', file), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(HIWORD(menuChar(L'x', file)), MNC_IGNORE);  // Exit1 is disabled
    EXPECT_EQ(HIWORD(menuChar(L'q', file)), MNC_IGNORE);
    EXPECT_EQ(menuChar(L'f', form->MainMenu1->Handle()), MAKELRESULT(0, MNC_SELECT));
    form->Open1->SetVisible(false);  // positions are those of the native entries
    EXPECT_EQ(menuChar(L'S', file), MAKELRESULT(0, MNC_EXECUTE));
}

TEST(Menus, ItemChangesReachTheNativeMenusAndTellTheForm) {
    auto form = ReadMenuForm();
    form->Show();
    TMenuChangeCounter counter(form.get());
    HMENU file = form->File1->Handle();
    auto state = [&](TMenuItem* item) { return GetMenuState(file, item->Command(), MF_BYCOMMAND); };

    form->Save1->SetChecked(false);
    EXPECT_FALSE(state(form->Save1) & MF_CHECKED);
    form->Exit1->SetEnabled(true);
    EXPECT_FALSE(state(form->Exit1) & MF_GRAYED);
    form->Open1->SetCaption(L"打开文件(&O)");
    EXPECT_EQ(MenuText(file, 0), L"打开文件(&O)\tCtrl+O");
    form->Save1->SetShortCut(scNone);
    EXPECT_EQ(MenuText(file, 1), L"保存(&S)");
    form->Open1->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(state(form->Open1), static_cast<UINT>(-1));  // not in the native menu
    form->Open1->SetVisible(true);
    EXPECT_EQ(ItemInfo(file, 0).wID, form->Open1->Command());
    EXPECT_EQ(form->File1->Handle(), file);  // rebuilt in place
    EXPECT_GE(counter.changes, 6);

    // A new sub-item gives a top-level item its drop-down; the bar stays on the window.
    auto* about = new TMenuItem(form.get());
    about->SetCaption(L"关于");
    form->Help1->Add(about);
    HMENU bar = GetMenu(form->Handle());
    EXPECT_EQ(bar, form->MainMenu1->Handle());
    EXPECT_EQ(GetSubMenu(bar, 1), form->Help1->Handle());
    EXPECT_EQ(GetMenuItemCount(form->Help1->Handle()), 1);

    form->MainMenu1->SetBiDiMode(bdRightToLeft);
    EXPECT_TRUE(ItemInfo(file, 0).fType & MFT_RIGHTORDER);
    form->MainMenu1->SetOwnerDraw(true);
    EXPECT_TRUE(ItemInfo(file, 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(MenuText(file, 0), L"打开文件(&O)\tCtrl+O");  // owner-drawn items keep their text
}

TEST(Menus, OwnerDrawnMenuBarItemsAreMeasuredAndDrawnThroughTheForm) {
    auto form = ReadMenuForm();
    int measured = 0, drawn = 0;
    form->File1->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ++measured; };
    form->File1->OnAdvancedDrawItem = [&](TObject*, TCanvas*, const TRect&, TOwnerDrawState) {
        ++drawn;
    };
    form->MainMenu1->SetOwnerDraw(true);
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(PumpUntil([&] { return measured > 0 && drawn > 0; }, std::chrono::seconds(3)));
    EXPECT_TRUE(form->File1->IsTopLevel());
    EXPECT_FALSE(form->Open1->IsTopLevel());
    EXPECT_FALSE(form->Copy1->IsTopLevel());  // popup menus have no bar
}

TEST(Menus, OwnerDrawnPopupMeasuresAndDrawsThroughItsEvents) {
    auto form = ReadMenuForm();
    form->Show();
    PopupWhile(
        *form->PopupMenu1, [&] { return form->drawn.size() >= 2; }, [](HWND) { EndMenu(); });
    ASSERT_GE(form->measured.size(), 2u);
    ASSERT_GE(form->drawn.size(), 2u);
    EXPECT_TRUE(form->clicks.empty());  // closed without a choice
    for (const auto& m : form->measured) {
        EXPECT_TRUE(m.sender == form->Copy1 || m.sender == form->Paste1);
        EXPECT_GT(m.width, 0);  // the class library's measure came first
        EXPECT_GT(m.height, 0);
    }
    for (const auto& d : form->drawn) {
        EXPECT_TRUE(d.sender == form->Copy1 || d.sender == form->Paste1);
        EXPECT_FALSE(d.rect.IsEmpty());
        EXPECT_FALSE(d.state & odSelected);
    }
    // The handler's extra width reached the menu: the item is at least the measure plus 20.
    const auto copyMeasure = std::find_if(form->measured.begin(), form->measured.end(),
                                          [&](const auto& m) { return m.sender == form->Copy1; });
    const auto copyDraw = std::find_if(form->drawn.begin(), form->drawn.end(),
                                       [&](const auto& d) { return d.sender == form->Copy1; });
    ASSERT_NE(copyMeasure, form->measured.end());
    ASSERT_NE(copyDraw, form->drawn.end());
    EXPECT_GE(copyDraw->rect.Width(), copyMeasure->width + 20);
}

TEST(Menus, PopupChoiceRunsTheItemsClick) {
    auto form = ReadMenuForm();
    form->Show();
    PopupWhile(
        *form->PopupMenu1, [&] { return !form->drawn.empty(); },
        [](HWND popupWindow) {
            PostMessageW(popupWindow, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(popupWindow, WM_KEYDOWN, VK_RETURN, 0);
        });
    EXPECT_EQ(form->clicks, (std::vector<std::wstring>{L"Copy1"}));
    EXPECT_EQ(form->PopupMenu1->PopupPoint().x, 120);
}

TEST(Menus, DefaultMeasureMakesRoomForGlyphCaptionAndShortcut) {
    TPopupMenu menu(nullptr);
    auto add = [&](const wchar_t* caption, TShortCut keys) {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(caption);
        item->SetShortCut(keys);
        menu.Items()->Add(item);
        return item;
    };
    TMenuItem* shortItem = add(L"&Go", scNone);
    TMenuItem* longItem = add(L"&Go somewhere far away", scNone);
    TMenuItem* keyed = add(L"&Go", scCtrl | 'S');
    TMenuItem* line = add(L"-", scNone);

    HDC screen = GetDC(nullptr);
    TCanvas canvas;
    canvas.SetHandle(screen);
    auto measure = [&](TMenuItem* item) {
        int width = 0, height = 0;
        item->MeasureItem(canvas, width, height);
        return SIZE{width, height};
    };
    canvas.SetFont(*Screen->MenuFont());
    const SIZE go = canvas.TextExtent(L"Go");
    const int keysWidth = canvas.TextWidth(L"Ctrl+S");
    const int farWidth = canvas.TextWidth(L"Go somewhere far away");
    const SIZE plain = measure(shortItem);
    EXPECT_GE(plain.cx, go.cx + 16);  // caption and a check-mark box
    EXPECT_GE(plain.cy, go.cy);
    EXPECT_GE(measure(longItem).cx - plain.cx, farWidth - go.cx);
    EXPECT_GT(measure(keyed).cx - plain.cx, keysWidth);
    EXPECT_LT(measure(line).cy, plain.cy);
    shortItem->SetDefault(true);  // bold
    EXPECT_GE(measure(shortItem).cx, plain.cx);
    // A handler sees the default measure and may change it.
    shortItem->SetDefault(false);
    shortItem->OnMeasureItem = [](TObject*, TCanvas*, int& width, int& height) {
        width *= 2;
        height = 40;
    };
    const SIZE changed = measure(shortItem);
    EXPECT_EQ(changed.cx, plain.cx * 2);
    EXPECT_EQ(changed.cy, 40);
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, screen);
}

TEST(Menus, NativeMenusAreDestroyedOnceWithTheirItems) {
    auto form = std::make_unique<TForm>(nullptr);
    auto* menu = new TMainMenu(nullptr);
    auto* top = new TMenuItem(nullptr);
    auto* sub = new TMenuItem(nullptr);
    auto* leaf = new TMenuItem(nullptr);
    top->SetCaption(L"top");
    sub->SetCaption(L"sub");
    leaf->SetCaption(L"leaf");
    menu->Items()->Add(top);
    top->Add(sub);
    sub->Add(leaf);
    form->SetMenu(menu);
    form->Show();
    HMENU bar = menu->Handle(), topMenu = top->Handle(), subMenu = sub->Handle();
    EXPECT_EQ(GetMenu(form->Handle()), bar);
    EXPECT_EQ(GetSubMenu(topMenu, 0), subMenu);

    // A sub-item freed alone leaves its parent's menu first.
    delete sub;
    EXPECT_FALSE(IsMenu(subMenu));
    EXPECT_TRUE(IsMenu(topMenu));
    EXPECT_EQ(GetMenuItemCount(topMenu), 0);
    EXPECT_EQ(top->Count(), 0);

    // The window going does not take the menu's native menu with it.
    form->DestroyHandle();
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_TRUE(IsMenu(topMenu));
    form->Show();  // a new window gets the bar again
    EXPECT_EQ(GetMenu(form->Handle()), bar);

    // The menu going takes itself off the window and frees every native menu.
    delete menu;
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(topMenu));
}

TEST(Menus, FormFreesItsDescribedMenusWithoutLeavingNativeMenus) {
    HMENU bar, file;
    {
        auto form = ReadMenuForm();
        form->Show();
        bar = form->MainMenu1->Handle();
        file = form->File1->Handle();
        ASSERT_TRUE(IsMenu(file));
    }
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(file));
}

TEST(Menus, ItemsGoOnlyIntoMenusAndMenuItems) {
    TForm form(nullptr);
    EXPECT_THROW(ReadComponentFromText(form,
                                       "object Form1: TForm\n"
                                       "  object Loose1: TMenuItem\n"
                                       "  end\n"
                                       "end\n",
                                       L"test"),
                 EReadError);
    TMainMenu menu(nullptr);
    auto* item = new TMenuItem(nullptr);
    menu.Items()->Add(item);
    EXPECT_THROW(menu.Items()->Add(item), EMenuError);  // already inserted
    auto* child = new TMenuItem(nullptr);
    item->Add(child);
    EXPECT_THROW(child->Add(item), EMenuError);  // would make a cycle
    EXPECT_THROW(item->Insert(5, new TMenuItem(&form)), EMenuError);
    TPopupMenu popup(nullptr);
    EXPECT_THROW(form.SetMenu(&popup), EInvalidOperation);  // a form's menu is a main menu
    TForm other(nullptr);
    form.SetMenu(&menu);
    EXPECT_THROW(other.SetMenu(&menu), EInvalidOperation);  // one form per menu
}

TEST(Menus, DefaultDrawingShowsSelectionCheckMarkAndImageOnTheLeadingSide) {
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(L"项");
    menu.Items()->Add(item);
    TBitmap bitmap;
    bitmap.SetSize(200, 24);
    TCanvas& canvas = *bitmap.Canvas();
    const TRect rect{0, 0, 200, 24};
    // Pixels of the 16 x 16 box at left (vertically centred) that differ from the background.
    auto marked = [&](int left) {
        const COLORREF background = canvas.Pixel(199, 0);
        int count = 0;
        for (int y = 4; y < 20; ++y)
            for (int x = left; x < left + 16; ++x) count += canvas.Pixel(x, y) != background;
        return count;
    };
    const int leading = 2, trailing = 200 - 2 - 16;

    item->AdvancedDrawItem(canvas, rect, 0, false);
    EXPECT_EQ(canvas.Pixel(199, 0), ColorToRGB(clMenu));
    EXPECT_EQ(marked(leading), 0);
    item->AdvancedDrawItem(canvas, rect, odSelected, false);
    EXPECT_EQ(canvas.Pixel(199, 0), ColorToRGB(clHighlight));

    item->SetChecked(true);  // the system check mark in the glyph box
    item->AdvancedDrawItem(canvas, rect, 0, false);
    EXPECT_GT(marked(leading), 0);
    menu.SetBiDiMode(bdRightToLeft);  // mirrored: the glyph box at the right end
    item->AdvancedDrawItem(canvas, rect, 0, false);
    EXPECT_EQ(marked(leading), 0);
    EXPECT_GT(marked(trailing), 0);
    menu.SetBiDiMode(bdLeftToRight);

    // An image replaces the check mark: a red square drawn over the glyph box.
    TImageList images(nullptr);
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect({0, 0, 16, 16});
    ASSERT_EQ(images.AddMasked(red, clFuchsia), 0);
    menu.SetImages(&images);
    item->SetImageIndex(0);
    item->AdvancedDrawItem(canvas, rect, 0, false);
    EXPECT_EQ(canvas.Pixel(leading + 8, 12), ColorToRGB(clRed));
    item->SetEnabled(false);  // drawn grey
    item->AdvancedDrawItem(canvas, rect, 0, false);
    const COLORREF grey = canvas.Pixel(leading + 8, 12);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));

    // A handler of its own replaces the whole drawing.
    item->OnAdvancedDrawItem = [](TObject*, TCanvas* c, const TRect& r, TOwnerDrawState) {
        c->Brush()->SetColor(clRed);
        c->FillRect(r);
    };
    item->AdvancedDrawItem(canvas, rect, 0, false);
    EXPECT_EQ(canvas.Pixel(199, 0), ColorToRGB(clRed));
}

TEST(Menus, ManyMenusBuiltDrawnAndFreedLeaveTheGdiCountAsItWas) {
    TBitmap target;
    target.SetSize(200, 24);
    auto round = [&] {
        auto form = ReadMenuForm();
        form->Show();
        form->Save1->SetChecked(false);
        form->Open1->SetChecked(true);  // the check mark is drawn through a mask
        form->Copy1->SetChecked(true);  // on a sunken box under its image
        form->File1->Delete(form->File1->IndexOf(form->N1));
        TImageList images(nullptr);
        TBitmap strip;
        strip.SetSize(32, 16);
        images.AddMasked(strip, clFuchsia);
        form->PopupMenu1->SetImages(&images);
        for (TMenuItem* item : {form->Open1, form->Save1, form->Exit1, form->Copy1}) {
            item->SetImageIndex(item == form->Copy1 ? 1 : -1);
            for (TOwnerDrawState state : {TOwnerDrawState{0}, TOwnerDrawState{odSelected}})
                item->AdvancedDrawItem(*target.Canvas(), {0, 0, 200, 24}, state, false);
            int width = 0, height = 0;
            item->MeasureItem(*target.Canvas(), width, height);
        }
    };
    round();  // lets the system make its caches
    const int before = GdiObjectCount();
    for (int i = 0; i < 100; ++i) round();
    EXPECT_EQ(GdiObjectCount(), before);
}
