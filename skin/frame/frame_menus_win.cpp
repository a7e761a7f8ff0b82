// The frame skinner's menus: the skinned menu bar it puts in place of the native one, the
// owner-drawn items of the menus its window owns (WM_MEASUREITEM, WM_DRAWITEM), the main menu
// changing under it, and the bar's accelerators.
#include "forms/dc_scopes.h"
#include "forms/forms.h"
#include "forms/menus.h"
#include "skin/frame/form_skinner_registry.h"
#include "skin/frame/menu_item_draw.h"
#include "skin/frame/win_skin_form.h"
#include "skin/frame/win_skin_pop_menu.h"
#include "skin/skin_data.h"

#include <algorithm>

namespace {
TMainMenu* MainMenuOf(TCustomForm* form) {
    return form ? dynamic_cast<TMainMenu*>(form->Menu()) : nullptr;
}

// GetVersion with the top bit set: the Windows 95 family.
bool Windows95Family() { return static_cast<int32_t>(GetVersion()) < 0; }
}  // namespace

TMenuSkin TWinSkinForm::MenuSkin() const { return {skin, manager}; }

void TWinSkinForm::AttachMenuBar() {
    nativeMenu = GetMenu(handle);
    if (!nativeMenu || kind == wkMdiChild) return;
    menuBar = std::make_unique<TWinSkinMenu>(*this, skin);
    menuBarHeight = GetSystemMetrics(SM_CYMENU);
    if (TMainMenu* menu = MainMenuOf(form))
        menuBar->BuildFromForm(menu);
    else
        menuBar->BuildFromHandle(nativeMenu);  // a window that is no form of ours
}

void TWinSkinForm::DetachMenuBar(bool giveMenuBack) {
    if (!menuBar) return;
    if (giveMenuBack && IsWindow(handle) && menuBar->MenuHandle())
        ::SetMenu(handle, menuBar->MenuHandle());
    if (hotObject && dynamic_cast<TMenuBtn*>(hotObject)) hotObject = nullptr;
    menuBar.reset();
}

TNCObject* TWinSkinForm::NcObjectAt(POINT point) const {
    if (TWinSysButton* button = SysButtonAt(point)) return button;
    return menuBar ? menuBar->MenuButtonAt(point) : nullptr;
}

void TWinSkinForm::OnMeasureItem(TMessage& message) {
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    if (measure.CtlType != ODT_MENU || !nativeMenu) {
        PassOn(message);
        return;
    }
    if (TMainMenu* menu = MainMenuOf(form)) {
        if (manager) manager->MarkPopupsFromMenuBar();
        if (TMenuItem* item = menu->FindItem(measure.itemID, fkCommand)) {
            TWindowDC dc(handle);
            TCanvas canvas;
            canvas.SetHandle(dc.Dc());
            int width = static_cast<int>(measure.itemWidth);
            int height = static_cast<int>(measure.itemHeight);
            MeasureMenuItem(MenuSkin(), *item, canvas, width, height);
            measure.itemWidth = static_cast<UINT>(std::max(width, 0));
            measure.itemHeight = static_cast<UINT>(std::max(height, 0));
            message.Result = TRUE;
            return;
        }
    }
    MeasureNativeMenuItem(MenuSkin(), handle, trackedMenu, measure, Windows95Family());
    message.Result = TRUE;
}

void TWinSkinForm::OnDrawItem(TMessage& message) {
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    if (draw.CtlType != ODT_MENU || !nativeMenu) {
        PassOn(message);
        return;
    }
    TWinSkinPopMenu::LearnPendingMenu(reinterpret_cast<HMENU>(draw.hwndItem));
    if (manager) manager->MarkPopupsFromMenuBar();
    if (TMainMenu* menu = MainMenuOf(form)) {
        if (TMenuItem* item = menu->FindItem(draw.itemID, fkCommand)) {
            TCanvas canvas;  // puts the context back as found when it goes
            canvas.SetHandle(draw.hDC);
            const RECT& r = draw.rcItem;
            MenuItemDraw(MenuSkin(), *item, canvas, {r.left, r.top, r.right, r.bottom},
                         draw.itemState & 0x3FF);
            message.Result = TRUE;
            return;
        }
    }
    DrawNativeMenuItem(MenuSkin(), draw);
    message.Result = TRUE;
}

void TWinSkinForm::OnMenuChanged(TMessage& message) {
    skin->SetNcPaint(false);
    PassOn(message);
    skin->SetNcPaint(true);
    if (!menuBar || !skin->MenuUpdate()) return;
    if (GetMenu(handle)) {
        if (TMainMenu* menu = MainMenuOf(form))
            menuBar->BuildFromForm(menu);
        else
            menuBar->BuildFromHandle(GetMenu(handle));
        PaintFrame(nullptr);
    }
}

void TWinSkinForm::OnMenuSelect(TMessage& message) {
    if (menuTracking) {
        MSG selected{handle, message.Msg, message.WParam, message.LParam, 0, {}};
        menu_bar_hook::FilterMessage(selected);
    }
    PassOn(message);
}

bool TWinSkinForm::OpenMenuBarKey(wchar_t key) {
    if (!menuBar) return false;
    TMenuBtn* item = menuBar->MenuButtonForKey(key);
    if (!item) return false;
    // Exactly Alt: Alt with Shift or Ctrl is another key.
    if (!(GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000))
        menuBar->ClickMenuButton(*item);
    return true;
}
