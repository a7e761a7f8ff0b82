#pragma once
// TWinSkinMenu: the menu bar of a skinned window, drawn by the frame skinner under the caption
// in place of the native menu bar it takes away. Its items (TMenuBtn) come from the form's main
// menu, or from a native menu; each is a non-client object of the frame (hot, pressed), and
// opens its drop-down with TrackPopupMenu at the item. While a drop-down is open a message
// filter hook of the GUI thread lets the arrow keys and the mouse move to the next bar item.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/bitmap.h"
#include "forms/component.h"
#include "skin/frame/nc_object.h"

class TMainMenu;
class TMenuItem;
class TSkinData;
class TWinSkinMenu;

// One item of the menu bar.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm& owner, TWinSkinMenu& bar) : TNCObject(owner), bar(bar) {}
    // Repaints the item on the window in its state.
    void Paint() override;

    TMenuItem* MenuItem = nullptr;  // the class-library item, when built from the form's menu
    int Index = 0;                  // position in the bar's items
    std::wstring Caption;
    bool Enabled = true;
    HMENU SubMenu = nullptr;  // the drop-down; none for an item without sub-items
    UINT Command = 0;

private:
    TWinSkinMenu& bar;
};

class TWinSkinMenu : public TComponent {
    PONDERIX_CLASS(TWinSkinMenu, TComponent)
public:
    TWinSkinMenu(TWinSkinForm& frameSkinner, TSkinData* skin);
    ~TWinSkinMenu() override;

    // Items from the form's main menu (none: the old state stays); the native menu bar goes.
    void BuildFromForm(TMainMenu* formMenu);
    // Items again from the main menu after MDI children are gone.
    void RebuildFromForm();
    // Items from a native menu (the window's own when null), captions filled in from the main
    // menu's items of the same command where the native ones are empty.
    void BuildFromHandle(HMENU menu);

    // Paints the background and the items into rect (window coordinates) of dc.
    void PaintBar(HDC dc, const TRect& rect);
    // Repaints one item on the window as its state shows.
    void PaintItem(TMenuBtn& item);

    // The first item with a caption under the point (window coordinates), or null.
    TMenuBtn* MenuButtonAt(POINT point) const;
    // The first enabled, visible item whose caption has key as its accelerator, or null.
    TMenuBtn* MenuButtonForKey(wchar_t key) const;
    // Posts the item's command, then tracks its drop-down until it closes; false when the item
    // has no drop-down.
    bool OpenMenuButton(TMenuBtn& item);
    // Posts a click at the item, which then opens as if clicked.
    void ClickMenuButton(TMenuBtn& item);

    const std::vector<std::unique_ptr<TMenuBtn>>& Items() const { return items; }
    TMainMenu* Menu() const { return menu; }
    HMENU MenuHandle() const { return menuHandle; }
    const TRect& BarRect() const { return barRect; }
    TWinSkinForm& FrameSkinner() const { return frame; }
    // A right-to-left menu (or, without one, a right-to-left window).
    bool RightToLeft() const;
    // Whether the item can show a drop-down when moved to from another one.
    static bool Openable(const TMenuBtn& item);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void FreeItems();
    void TakeNativeMenuAway();
    void ItemFromMenuItem(TMenuBtn& button, TMenuItem& item);
    void DrawMdiChildButtons(HDC dc);

    std::vector<std::unique_ptr<TMenuBtn>> items;
    TMainMenu* menu = nullptr;
    TRect barRect;
    TSkinData* skin;
    TWinSkinForm& frame;
    TBitmap background;
    HMENU menuHandle = nullptr;
    // Cleared when the bar goes: a handler run while a drop-down is open may free it.
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

// The menu state of the GUI thread while a drop-down of a skinned menu bar is tracked.
namespace menu_bar_hook {
// Installs the message filter hook for bar (clearing the per-tracking flags).
void Install(TWinSkinMenu& bar, int barIndex);
// Removes it and clears the tracking state.
void Remove();
// Removes it when it serves bar (which is going).
void Forget(const TWinSkinMenu& bar);
// The bar item being tracked (-1 when none).
int CurrentIndex();
// What the hook does for one message of the open menu; the frame skinner also gives it the
// WM_MENUSELECT it receives, which the platform sends to it rather than through the hook.
void FilterMessage(MSG& message);
}  // namespace menu_bar_hook
