#pragma once
// Menus: TMenuItem (a caption with state, sub-items and a click), TMenu (the tree's root item,
// owner-drawing and images), TMainMenu (a form's menu bar) and TPopupMenu (a context menu shown
// with Popup).
//
// Ownership: a menu owns its root item; an item owns its sub-items (freeing an item frees its
// sub-items, and a sub-item freed on its own leaves its parent first). Items read from a form
// description are also owned by the form as components; whichever goes first takes the item out
// of the other. Every item with sub-items owns one native menu (HMENU) holding the entries of
// its visible sub-items; an entry never owns the sub-menu it shows, so each native menu is
// destroyed exactly once, by its item.
//
// Native menus are made on first use and rebuilt in place whenever an item changes, so a menu
// handle stays valid for the item's whole life. Each item holds a command identifier unique in
// the process: WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM name items by it.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/component.h"
#include "forms/exception.h"
#include "forms/geometry.h"
#include "forms/menu_text.h"
#include "forms/owned.h"

class TCanvas;
class TImageList;
class TMenu;

PONDERIX_EXCEPTION(EMenuError, Exception);

// The states of an owner-drawn item; bit n is ordinal n, as the ODS_* flags of WM_DRAWITEM.
enum TOwnerDrawStateFlag : uint32_t {
    odSelected = 1u << 0,
    odGrayed = 1u << 1,
    odDisabled = 1u << 2,
    odChecked = 1u << 3,
    odFocused = 1u << 4,
    odDefault = 1u << 5,
    odHotLight = 1u << 6,
    odInactive = 1u << 7,
    odNoAccel = 1u << 8,
    odNoFocusRect = 1u << 9,
};
using TOwnerDrawState = uint32_t;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
extern const TEnumInfo BiDiModeType;

// How TMenu::FindItem reads its value.
enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

using TMenuMeasureItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, int& width, int& height)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas* canvas, const TRect& rect, TOwnerDrawState state)>;

class TMenuItem : public TComponent {
    PONDERIX_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    // "-" makes the item a separator line.
    const std::wstring& Caption() const { return caption; }
    void SetCaption(const std::wstring& value);
    bool IsLine() const { return caption == L"-"; }
    bool Enabled() const { return enabled; }
    void SetEnabled(bool value);
    bool Visible() const { return visible; }
    void SetVisible(bool value);
    bool Checked() const { return checked; }
    void SetChecked(bool value);
    // The default item of its menu (MFS_DEFAULT), drawn bold.
    bool Default() const { return isDefault; }
    void SetDefault(bool value);
    // Shown as text after the caption ("Ctrl+S"); TMenu::IsShortCut runs it.
    TShortCut ShortCut() const { return shortCut; }
    void SetShortCut(TShortCut value);
    // Index into the menu's Images; -1 for none.
    int ImageIndex() const { return imageIndex; }
    void SetImageIndex(int value);

    // The identifier of this item in WM_COMMAND and owner-draw messages, unique in the process.
    UINT Command() const { return command; }
    // The native menu holding the sub-items, made on first use and owned by this item.
    HMENU Handle();
    bool HandleAllocated() const { return static_cast<bool>(handle); }

    int Count() const { return static_cast<int>(items.size()); }
    TMenuItem* Items(int index) const;
    int IndexOf(const TMenuItem* item) const;
    // Appends or inserts an item that has no parent yet (EMenuError otherwise); this item then
    // owns it.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Frees sub-item index.
    void Delete(int index);
    // Takes item out without freeing it; the caller owns it then.
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();

    TMenuItem* Parent() const { return parent; }
    // The menu at the root of this item's tree, or null for a loose item.
    TMenu* GetParentMenu() const;
    // Position among the parent's items; -1 without a parent.
    int MenuIndex() const { return parent ? parent->IndexOf(this) : -1; }
    // An item of a menu bar (a main menu's top-level item).
    bool IsTopLevel() const;
    // An item read inside a menu or an item in a form description is added to it.
    void SetParentComponent(TComponent* parentComponent) override;

    // Runs OnClick when the item is enabled.
    virtual void Click();

    // The class library's measure of the item on canvas, whose font becomes the screen's menu
    // font (bold for the default item): the caption with room for a check mark or image and for
    // the shortcut text; then OnMeasureItem, when set, may change the sizes.
    void MeasureItem(TCanvas& canvas, int& width, int& height);
    // Draws the item into rect: OnAdvancedDrawItem when set, else the class library's drawing.
    // topLevel is true for an item of a menu bar.
    void AdvancedDrawItem(TCanvas& canvas, const TRect& rect, TOwnerDrawState state, bool topLevel);

    // Runs when the item is chosen, and for an item with sub-items also just before its
    // drop-down opens (WM_INITMENUPOPUP), so it can still change them.
    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

protected:
    void DrawItem(TCanvas& canvas, const TRect& rect, TOwnerDrawState state, bool topLevel);

private:
    friend class TMenu;
    // Something shown changed: the parent's native menu is rebuilt and the menu told.
    void Changed();
    // Refills this item's native menu (when made) from the visible sub-items.
    void RebuildHandle();
    // Rebuilds this item's native menu and those of every sub-item.
    void RebuildAll();
    void Detach(TMenuItem* item);

    std::wstring caption;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool isDefault = false;
    TShortCut shortCut = scNone;
    int imageIndex = -1;
    UINT command = 0;
    TMenuItem* parent = nullptr;
    TMenu* menu = nullptr;  // set on the root item only
    std::vector<TMenuItem*> items;
    Owned<HMENU, &DestroyMenu> handle;
};

class TMenu : public TComponent {
    PONDERIX_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The invisible root item whose sub-items are the menu's top-level items.
    TMenuItem* Items() const { return items.get(); }
    // The native menu of the root item.
    HMENU Handle() { return items->Handle(); }

    // Items are drawn through WM_MEASUREITEM / WM_DRAWITEM (OnMeasureItem,
    // OnAdvancedDrawItem, or the class library's drawing with Images).
    bool OwnerDraw() const { return ownerDraw; }
    void SetOwnerDraw(bool value);
    TImageList* Images() const { return images; }
    void SetImages(TImageList* value);
    // Right-to-left menus show their items mirrored.
    TBiDiMode BiDiMode() const { return biDiMode; }
    void SetBiDiMode(TBiDiMode value);
    bool IsRightToLeft() const { return biDiMode != bdLeftToRight; }

    // The item of the tree with that command, sub-menu handle or shortcut; null when none.
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
    // Runs the Click of the item with that command; answers whether there was one.
    bool DispatchCommand(UINT command);
    // Runs the Click of the enabled item with that shortcut; answers whether there was one.
    bool IsShortCut(TShortCut shortCut);

protected:
    // Something shown changed: source, or the whole menu when null. Native menus are already
    // refilled.
    virtual void MenuChanged(TMenuItem* source);
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

private:
    friend class TMenuItem;
    std::unique_ptr<TMenuItem> items;
    bool ownerDraw = false;
    TImageList* images = nullptr;
    TBiDiMode biDiMode = bdLeftToRight;
};

class TMainMenu : public TMenu {
    PONDERIX_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    // The window whose menu bar shows this menu; its form sets it. The menu is put on the new
    // window and taken off the old one, so a window never keeps a native menu this object frees.
    HWND WindowHandle() const { return windowHandle; }
    void SetWindowHandle(HWND window);

protected:
    // Sends CM_MENUCHANGED to the window.
    void MenuChanged(TMenuItem* source) override;

private:
    HWND windowHandle = nullptr;
};

class TPopupMenu : public TMenu {
    PONDERIX_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // Shows the menu at screen point (x, y) and waits until it closes; the item chosen, if any,
    // is then clicked. OnPopup runs first.
    void Popup(int x, int y);
    POINT PopupPoint() const { return popupPoint; }

    TNotifyEvent OnPopup;

private:
    POINT popupPoint{-1, -1};
};

// The owner-draw messages of a menu item (CtlType ODT_MENU): the item is measured on a canvas
// over window's context, or drawn on one over the message's context, in the screen's menu font.
void MeasureMenuItemMessage(TMenuItem& item, HWND window, MEASUREITEMSTRUCT& measure);
void DrawMenuItemMessage(TMenuItem& item, const DRAWITEMSTRUCT& draw);

// WM_MENUCHAR for menu's native menu `native` (one of its items' menus): the system does not
// look up the hotkeys of owner-drawn items itself. Answers the enabled, visible sub-item whose
// caption has key as its hotkey (MNC_EXECUTE, or MNC_SELECT when it has sub-items), else
// MNC_IGNORE.
LRESULT MenuCharMessage(TMenu& menu, wchar_t key, HMENU native);

// The menu item with that command among all popup menus; null when none.
TMenuItem* FindPopupItem(UINT command);

void RegisterMenuClasses();
