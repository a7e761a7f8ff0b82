// Popup menus: Popup tracks the menu with a hidden window of its own as owner, which receives
// the menu's owner-draw, hotkey and drop-down messages for every popup menu.

#include <algorithm>

#include "forms/application.h"
#include "forms/menus.h"

PONDERIX_DEFINE_CLASS(TPopupMenu, [](TClassBuilder<TPopupMenu>& b) {
    b.Event("OnPopup", &TPopupMenu::OnPopup);
})

namespace {

std::vector<TPopupMenu*>& PopupMenus() {
    static std::vector<TPopupMenu*> list;
    return list;
}

// The owner of every tracked popup menu: it receives the menus' WM_MEASUREITEM, WM_DRAWITEM,
// WM_INITMENUPOPUP, WM_MENUCHAR and WM_COMMAND. A hidden top-level window (TrackPopupMenu wants a
// window that can own a menu), made on first use and destroyed with the last popup menu.
HWND popupListWindow = nullptr;

LRESULT CALLBACK PopupListWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        switch (msg) {
            case WM_MEASUREITEM: {
                auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                if (measure.CtlType != ODT_MENU) break;
                if (TMenuItem* item = FindPopupItem(measure.itemID)) {
                    MeasureMenuItemMessage(*item, window, measure);
                    return TRUE;
                }
                break;
            }
            case WM_DRAWITEM: {
                const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                if (draw.CtlType != ODT_MENU) break;
                if (TMenuItem* item = FindPopupItem(draw.itemID)) {
                    DrawMenuItemMessage(*item, draw);
                    return TRUE;
                }
                break;
            }
            case WM_INITMENUPOPUP:
                // A sub-menu about to open runs its item's OnClick (OnPopup ran for the root).
                for (TPopupMenu* menu : PopupMenus())
                    if (TMenuItem* item = menu->FindItem(wParam, fkHandle)) {
                        item->Click();
                        break;
                    }
                break;
            case WM_MENUCHAR: {
                const auto native = reinterpret_cast<HMENU>(lParam);
                for (TPopupMenu* menu : PopupMenus())
                    if (menu->Handle() == native ||
                        menu->FindItem(reinterpret_cast<UINT_PTR>(native), fkHandle))
                        return MenuCharMessage(*menu, static_cast<wchar_t>(LOWORD(wParam)), native);
                break;
            }
            case WM_COMMAND:
                // A menu tracked without TPM_RETURNCMD reports its choice here.
                if (HIWORD(wParam) == 0 && lParam == 0) {
                    if (TMenuItem* item = FindPopupItem(LOWORD(wParam))) item->Click();
                    return 0;
                }
                break;
        }
    } catch (const std::exception& e) {
        ApplicationHandleException(e);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

HWND PopupListWindow() {
    static const wchar_t kClassName[] = L"TPopupListWindow";
    static const ATOM registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = PopupListWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc);
    }();
    (void)registered;
    if (!popupListWindow) {
        popupListWindow = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0,
                                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!popupListWindow) throw EMenuError(L"无法创建弹出菜单窗口");
    }
    return popupListWindow;
}

}  // namespace

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { PopupMenus().push_back(this); }

TPopupMenu::~TPopupMenu() {
    auto& list = PopupMenus();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (list.empty() && popupListWindow) DestroyWindow(std::exchange(popupListWindow, nullptr));
}

void TPopupMenu::Popup(int x, int y) {
    popupPoint = {x, y};
    if (OnPopup) OnPopup(this);
    const UINT align = IsRightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON | align, x, y, 0, PopupListWindow(), nullptr));
    // A handler run while the menu was open may have freed this menu.
    auto& list = PopupMenus();
    if (std::find(list.begin(), list.end(), this) == list.end()) return;
    if (chosen) DispatchCommand(chosen);
}
