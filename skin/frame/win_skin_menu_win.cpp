// The skinned menu bar: building its items, painting the bar and one item, finding items by
// point and accelerator, and opening an item's drop-down.
#include <algorithm>

#include "forms/dc_scopes.h"
#include "forms/forms.h"
#include "forms/menus.h"
#include "skin/bitmap_slice_win.h"
#include "skin/frame/form_skinner_registry.h"
#include "skin/frame/menu_layout.h"
#include "skin/frame/win_skin_form.h"
#include "skin/frame/win_skin_menu.h"
#include "skin/shared_bitmaps_win.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TWinSkinMenu, [](TClassBuilder<TWinSkinMenu>&) {})

namespace {
constexpr int kNativeTextLength = 80;

bool Contains(const TRect& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Every item of the menu and its sub-menus drawn by its owner window.
void MakeOwnerDrawn(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (!(info.fType & MFT_OWNERDRAW)) {
            // MIIM_FTYPE alone keeps the item's text, in which the system finds hotkeys.
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        }
        if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu);
    }
}

void UseMenuFont(HDC dc) { SelectObject(dc, Screen->MenuFont()->Handle()); }
}  // namespace

// ---- TMenuBtn -------------------------------------------------------------------------------

void TMenuBtn::Paint() { bar.PaintItem(*this); }

// ---- TWinSkinMenu ---------------------------------------------------------------------------

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& frameSkinner, TSkinData* skinData)
    : TComponent(nullptr), skin(skinData), frame(frameSkinner) {}

TWinSkinMenu::~TWinSkinMenu() {
    *alive = false;
    menu_bar_hook::Forget(*this);
    FreeItems();
    if (menu) menu->RemoveFreeNotification(this);
}

void TWinSkinMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove || component != menu) return;
    menu = nullptr;
    for (const auto& item : items) item->MenuItem = nullptr;
}

void TWinSkinMenu::FreeItems() {
    for (const auto& item : items)
        if (frame.hotObject == item.get()) frame.hotObject = nullptr;
    items.clear();
}

void TWinSkinMenu::TakeNativeMenuAway() { ::SetMenu(frame.Handle(), nullptr); }

bool TWinSkinMenu::RightToLeft() const { return menu ? menu->IsRightToLeft() : frame.rightToLeft; }

bool TWinSkinMenu::Openable(const TMenuBtn& item) {
    return item.Visible && item.Enabled && item.SubMenu && !item.Caption.empty();
}

void TWinSkinMenu::ItemFromMenuItem(TMenuBtn& button, TMenuItem& item) {
    button.MenuItem = &item;
    button.Visible = item.Visible();
    button.Enabled = item.Enabled();
    button.Command = item.Command();
    button.Caption = item.Caption();
    button.SubMenu = item.Count() > 0 ? item.Handle() : nullptr;
}

void TWinSkinMenu::BuildFromForm(TMainMenu* formMenu) {
    if (HMENU current = GetMenu(frame.Handle())) menuHandle = current;
    if (!menuHandle || !formMenu) return;
    FreeItems();
    if (menu != formMenu) {
        if (menu) menu->RemoveFreeNotification(this);
        menu = formMenu;
        menu->FreeNotification(this);
    }
    TMenuItem* root = menu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        auto button = std::make_unique<TMenuBtn>(frame, *this);
        button->Index = i;
        ItemFromMenuItem(*button, *root->Items(i));
        items.push_back(std::move(button));
    }
    TakeNativeMenuAway();
}

void TWinSkinMenu::RebuildFromForm() {
    if (HMENU current = GetMenu(frame.Handle())) menuHandle = current;
    FreeItems();
    if (menu) {
        TMenuItem* root = menu->Items();
        for (int i = 0; i < root->Count(); ++i) {
            auto button = std::make_unique<TMenuBtn>(frame, *this);
            button->Index = i;
            ItemFromMenuItem(*button, *root->Items(i));
            items.push_back(std::move(button));
        }
    }
    frame.hotObject = nullptr;
    TakeNativeMenuAway();
}

void TWinSkinMenu::BuildFromHandle(HMENU native) {
    if (native) menuHandle = native;
    if (!menuHandle) return;
    FreeItems();
    const int count = GetMenuItemCount(menuHandle);
    for (int i = 0; i < count; ++i) {
        wchar_t text[kNativeTextLength + 1] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = kNativeTextLength;
        if (!GetMenuItemInfoW(menuHandle, static_cast<UINT>(i), TRUE, &info)) continue;
        auto button = std::make_unique<TMenuBtn>(frame, *this);
        button->Index = static_cast<int>(items.size());
        button->SubMenu = info.hSubMenu;
        button->Enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        button->Visible = true;
        button->Command = info.wID;
        button->Caption = (info.fType & MFT_STRING) == MFT_STRING ? text : L"";
        if (button->Caption.empty() && menu) {
            TMenuItem* root = menu->Items();
            for (int k = 0; k < root->Count(); ++k)
                if (root->Items(k)->Command() == info.wID) {
                    const bool visible = button->Visible;
                    ItemFromMenuItem(*button, *root->Items(k));
                    button->Visible = visible;
                }
        }
        items.push_back(std::move(button));
    }
    TakeNativeMenuAway();
}

void TWinSkinMenu::PaintBar(HDC dc, const TRect& rect) {
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap& bitmap = SkinShared().Bitmap();
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(w, h);
    TCanvas& canvas = *bitmap.Canvas();
    TSkinDescription& d = skin->Skin();
    TDataSkinObject* element = d.MenuBar.get();
    const bool hasElement = element && !element->Image.Empty() && element->FrameCount > 0;
    const bool rightToLeft = RightToLeft();
    const TRect local{0, 0, w, h};
    if (hasElement) {
        const int cell = MenuBarCell(frame.active);
        const TRect caps{element->LeftWidth, 0, element->RightWidth, 0};
        if (element->Tile == 1)
            DrawNineSlice(canvas.Handle(), local, element->Image, caps, cell, element->FrameCount,
                          false, false, true);
        else
            DrawThreeSlice(canvas, local, element->Image, caps, cell, element->FrameCount, false,
                           true);
    } else {
        canvas.Brush()->SetColor(d.MenubarColour);
        canvas.FillRect(local);
    }
    barRect = rect;
    background.Assign(bitmap);

    HDC target = canvas.Handle();
    {
        const TSavedDC saved(target);
        UseMenuFont(target);
        SetBkMode(target, TRANSPARENT);
        std::vector<TBarItemInput> inputs;
        for (const auto& item : items) {
            SIZE size{};
            const std::wstring shown = StripHotkey(item->Caption);
            GetTextExtentPoint32W(target, shown.c_str(), static_cast<int>(shown.size()), &size);
            inputs.push_back({static_cast<int>(size.cx), item->Visible});
        }
        const int start =
            hasElement ? MenuBarStart(true, rightToLeft, element->LeftWidth, element->RightWidth, w)
                       : MenuBarStart(false, rightToLeft, 0, 0, w);
        const std::vector<TRect> places = LayoutMenuBar(inputs, w, h, start, rightToLeft);
        for (size_t i = 0; i < items.size(); ++i) {
            TMenuBtn& item = *items[i];
            item.State = ncNormal;
            if (!item.Visible) {
                item.Rect = {};
                continue;
            }
            const TRect& place = places[i];
            SetTextColor(target, ColorToRGB(item.Enabled ? d.MenuBarTextColour : clBtnShadow));
            RECT box{place.left, place.top, place.right, place.bottom};
            DrawTextW(target, item.Caption.c_str(), -1, &box,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            item.Rect = place.Offset(rect.left, rect.top);
        }
    }
    DrawMdiChildButtons(target);
    BitBlt(dc, rect.left, rect.top, w, h, target, 0, 0, SRCCOPY);
}

void TWinSkinMenu::DrawMdiChildButtons(HDC dc) {
    if (frame.kind != wkMdiFrame || !frame.mdiClient) return;
    BOOL maximised = FALSE;
    if (!SendMessageW(frame.mdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)) ||
        !maximised)
        return;
    for (const auto& button : frame.sysButtons) {
        TDataSkinSysButton& b = button->SkinButton();
        if (b.Visibility != 100 || b.Image.Empty() || b.FrameCount <= 0) continue;
        DrawFrameCell(dc, button->Rect.Offset(-barRect.left, -barRect.top), b.Image, 1,
                      b.FrameCount, true);
    }
}

void TWinSkinMenu::PaintItem(TMenuBtn& item) {
    if (item.Rect.IsEmpty() || background.Empty() || !IsWindow(frame.Handle())) return;
    try {
        TWindowDC dc(frame.Handle(), TWindowDC::WholeWindow);
        if (!dc) return;
        const int x = item.Rect.left - barRect.left;
        BitBlt(dc.Dc(), item.Rect.left, barRect.top, item.Rect.Width(), barRect.Height(),
               background.Canvas()->Handle(), x, 0, SRCCOPY);
        const TSavedDC saved(dc.Dc());
        const TSkinDescription& d = skin->Skin();
        if (item.State == ncPressed || item.State == ncHot) {
            const Owned<HBRUSH, &DeleteObject> frameBrush(
                CreateSolidBrush(ColorToRGB(d.ButtonHilightColour)));
            const RECT r{item.Rect.left, item.Rect.top, item.Rect.right, item.Rect.bottom};
            FrameRect(dc.Dc(), &r, frameBrush.Get());
        }
        UseMenuFont(dc.Dc());
        SetBkMode(dc.Dc(), TRANSPARENT);
        SetTextColor(dc.Dc(), ColorToRGB(item.Enabled ? d.MenuBarTextColour : clBtnShadow));
        RECT box{item.Rect.left, item.Rect.top, item.Rect.right, item.Rect.bottom};
        DrawTextW(dc.Dc(), item.Caption.c_str(), -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } catch (const std::exception&) {
        // The item keeps its look.
    }
}

TMenuBtn* TWinSkinMenu::MenuButtonAt(POINT point) const {
    for (const auto& item : items)
        if (!item->Caption.empty() && Contains(item->Rect, point)) return item.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::MenuButtonForKey(wchar_t key) const {
    const wchar_t wanted = key >= L'a' && key <= L'z' ? static_cast<wchar_t>(key - 32) : key;
    for (const auto& item : items)
        if (item->Enabled && item->Visible && wanted && HotkeyOf(item->Caption) == wanted)
            return item.get();
    return nullptr;
}

bool TWinSkinMenu::OpenMenuButton(TMenuBtn& item) {
    const HWND window = frame.Handle();
    // The command first: a top-level item without a drop-down acts as a command, and the class
    // library can still change a drop-down's items before it opens.
    PostMessageW(window, WM_COMMAND, item.Command, 0);
    if (!item.SubMenu) return false;
    RECT r{};
    GetWindowRect(window, &r);
    frame.windowRect = {r.left, r.top, r.right, r.bottom};
    MakeOwnerDrawn(item.SubMenu);
    frame.menuTracking = true;
    if (frame.manager) frame.manager->SetMenuBarTracking(true);
    frame.trackedMenu = item.SubMenu;
    menu_bar_hook::Install(*this, item.Index);
    // Handlers run inside the menu's loop may rebuild the items or free the whole bar.
    const std::shared_ptr<bool> stillHere = alive;
    const TNCObject* opened = &item;
    if (item.Enabled)
        TrackPopupMenu(item.SubMenu, TPM_NONOTIFY | TPM_RIGHTBUTTON, item.Rect.left + r.left,
                       item.Rect.bottom + r.top, 0, window, nullptr);
    if (!*stillHere) return true;
    menu_bar_hook::Remove();
    frame.menuTracking = false;
    // The item shows normal again unless another one took over while its drop-down was open.
    if (frame.hotObject == opened && IsWindow(window)) frame.hotObject->MouseLeave();
    return true;
}

void TWinSkinMenu::ClickMenuButton(TMenuBtn& item) {
    const HWND window = frame.Handle();
    RECT r{};
    GetWindowRect(window, &r);
    frame.windowRect = {r.left, r.top, r.right, r.bottom};
    // An open drop-down closes first: the click, posted behind it, then opens the item from
    // the window's own message loop rather than inside the closing menu's.
    if (frame.menuTracking) EndMenu();
    PostMessageW(window, WM_NCLBUTTONDOWN, 1,
                 MAKELPARAM(item.Rect.left + r.left + 1, item.Rect.top + r.top + 1));
}
