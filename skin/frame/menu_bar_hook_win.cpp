// The message filter hook that runs while a drop-down of a skinned menu bar is tracked: its
// first message selects the drop-down's first item, the arrow keys move on to the neighbouring
// bar item (wrapping around the ends, swapped in a right-to-left menu) unless the open menu
// needs them, and the mouse moving onto another bar item opens that one instead.
#include <windows.h>

#include "forms/callback_guard.h"
#include "forms/menus.h"
#include "skin/frame/menu_layout.h"
#include "skin/frame/win_skin_form.h"
#include "skin/frame/win_skin_menu.h"

namespace {

struct TMenuBarState {
    HHOOK hook = nullptr;
    TWinSkinMenu* bar = nullptr;
    int barIndex = -1;
    TMenuItem* selected = nullptr;  // the class-library item last selected in the drop-down
    POINT lastMouse{};
    bool switching = false;
    bool firstKeySent = false;
};

TMenuBarState& State() {
    static TMenuBarState state;
    return state;
}

// Where the selection of the open menu is: the deepest highlighted item below the tracked menu.
struct TNativeSelection {
    bool found = false;
    bool hasSubItems = false;
    bool nested = false;
};

int HighlightedPosition(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
}

TNativeSelection FindSelection(HMENU tracked) {
    TNativeSelection selection;
    HMENU menu = tracked;
    for (int depth = 0; menu && depth < 16; ++depth) {
        const int position = HighlightedPosition(menu);
        if (position < 0) break;
        HMENU sub = GetSubMenu(menu, position);
        selection.found = true;
        selection.nested = menu != tracked;
        selection.hasSubItems = sub != nullptr;
        // An open sub-menu with a selection of its own holds the selection.
        if (!sub || HighlightedPosition(sub) < 0) break;
        menu = sub;
    }
    return selection;
}

std::vector<bool> OpenableItems(const TWinSkinMenu& bar) {
    std::vector<bool> openable;
    for (const auto& item : bar.Items()) openable.push_back(TWinSkinMenu::Openable(*item));
    return openable;
}

void SwitchTo(int target) {
    TMenuBarState& s = State();
    if (!s.bar || target < 0 || target == s.barIndex ||
        target >= static_cast<int>(s.bar->Items().size()))
        return;
    s.switching = true;
    s.bar->ClickMenuButton(*s.bar->Items()[static_cast<size_t>(target)]);
}

LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam) {
    TMenuBarState& s = State();
    auto* message = reinterpret_cast<MSG*>(lParam);
    // A right-to-left menu sees the arrow keys swapped.
    if (code == MSGF_MENU && message && message->message == WM_KEYDOWN && s.bar &&
        s.bar->RightToLeft())
        message->wParam = SwapArrowForRightToLeft(static_cast<unsigned>(message->wParam), true);
    const LRESULT answer = CallNextHookEx(s.hook, code, wParam, lParam);
    if (answer != 0 || code != MSGF_MENU || !message) return answer;
    GuardCallback([&] { menu_bar_hook::FilterMessage(*message); });
    return answer;
}

}  // namespace

namespace menu_bar_hook {

void Install(TWinSkinMenu& bar, int barIndex) {
    TMenuBarState& s = State();
    s.bar = &bar;
    s.barIndex = barIndex;
    s.switching = false;
    s.firstKeySent = false;
    GetCursorPos(&s.lastMouse);
    if (!s.hook)
        s.hook = SetWindowsHookExW(WH_MSGFILTER, FilterProc, nullptr, GetCurrentThreadId());
}

void Remove() {
    TMenuBarState& s = State();
    if (s.hook) UnhookWindowsHookEx(s.hook);
    s.hook = nullptr;
    s.selected = nullptr;
    s.barIndex = -1;
    s.firstKeySent = false;
    s.bar = nullptr;
}

void Forget(const TWinSkinMenu& bar) {
    if (State().bar == &bar) Remove();
}

int CurrentIndex() { return State().barIndex; }

void FilterMessage(MSG& message) {
    TMenuBarState& s = State();
    if (!s.bar) return;
    TWinSkinMenu& bar = *s.bar;
    TWinSkinForm& frame = bar.FrameSkinner();
    if (!s.firstKeySent) {
        // The drop-down opens with its first item selected.
        s.firstKeySent = true;
        PostMessageW(message.hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    int target = -1;
    switch (message.message) {
        case WM_KEYDOWN: {
            const auto key = static_cast<unsigned>(message.wParam);
            if (key == VK_RETURN || key == VK_ESCAPE) s.switching = false;
            if (key == VK_LEFT || key == VK_RIGHT) {
                const TNativeSelection selection = FindSelection(frame.TrackedMenu());
                target = ArrowKeyTarget(key, {selection.hasSubItems, selection.nested}, s.barIndex,
                                        OpenableItems(bar));
            }
            break;
        }
        case WM_SYSKEYDOWN:
            if (message.wParam == VK_MENU) frame.menuTracking = false;
            return;
        case WM_MENUSELECT: {
            const auto menu = reinterpret_cast<HMENU>(message.lParam);
            if (HIWORD(message.wParam) == 0xFFFF && !menu) {
                if (!s.switching) frame.menuTracking = false;
                return;
            }
            s.switching = false;
            TMainMenu* mainMenu = bar.Menu();
            if (!mainMenu) return;
            const UINT position = LOWORD(message.wParam);
            if (HIWORD(message.wParam) & MF_POPUP)
                s.selected = mainMenu->FindItem(
                    reinterpret_cast<UINT_PTR>(GetSubMenu(menu, static_cast<int>(position))),
                    fkHandle);
            else
                s.selected = mainMenu->FindItem(position, fkCommand);
            return;
        }
        case WM_MOUSEMOVE: {
            POINT cursor{};
            GetCursorPos(&cursor);
            if (cursor.x != s.lastMouse.x || cursor.y != s.lastMouse.y) {
                s.lastMouse = cursor;
                if (TMenuBtn* item = bar.MenuButtonAt(frame.ToFrameCoords(cursor)))
                    if (TWinSkinMenu::Openable(*item)) target = item->Index;
            }
            break;
        }
        default: break;
    }
    SwitchTo(target);
}

}  // namespace menu_bar_hook
