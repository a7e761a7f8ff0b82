// Menu items and menus: the item tree, command identifiers, the native menus built from the
// tree, and main menus on a window's menu bar. Popup menus are in popup_menu_win.cpp, measuring
// and drawing of owner-drawn items in menu_draw_win.cpp.

#include "forms/menus.h"

#include <algorithm>

#include "forms/application.h"
#include "forms/image_list.h"

const TEnumInfo BiDiModeType{
    "TBiDiMode",
    {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};

PONDERIX_DEFINE_CLASS(TMenuItem, [](TClassBuilder<TMenuItem>& b) {
    b.String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    b.Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
    b.Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
    b.Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
    b.Boolean("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
    b.Integer("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
    b.Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
    b.Integer("Command", &TMenuItem::Command, nullptr);
    b.Event("OnClick", &TMenuItem::OnClick);
    b.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
    b.Event("OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem);
})
PONDERIX_DEFINE_CLASS(TMenu, [](TClassBuilder<TMenu>& b) {
    b.Boolean("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
    b.Object<TImageList>("Images", &TMenu::Images, &TMenu::SetImages);
    b.Enum("BiDiMode", BiDiModeType, &TMenu::BiDiMode, &TMenu::SetBiDiMode);
})
PONDERIX_DEFINE_CLASS(TMainMenu, [](TClassBuilder<TMainMenu>&) {})

// ---- command identifiers --------------------------------------------------------------------

namespace {

// Menu commands share WM_COMMAND's 16-bit identifier. They start above the dialog identifiers
// (IDOK, IDCANCEL, ...) and stay below 0xF000, where the system commands (SC_SIZE, SC_CLOSE, ...)
// begin: a skinned frame reads WM_COMMAND in that range as a system command.
constexpr UINT kFirstCommand = 100;
constexpr UINT kCommandLimit = 0xF000;

// The item holding each command, indexed by command - kFirstCommand; null slots are free.
std::vector<TMenuItem*>& CommandTable() {
    static std::vector<TMenuItem*> table;
    return table;
}

UINT AllocateCommand(TMenuItem* item) {
    auto& table = CommandTable();
    auto free = std::find(table.begin(), table.end(), nullptr);
    if (free != table.end()) {
        *free = item;
        return kFirstCommand + static_cast<UINT>(free - table.begin());
    }
    if (kFirstCommand + table.size() >= kCommandLimit) throw EMenuError(L"菜单命令标识已用完");
    table.push_back(item);
    return kFirstCommand + static_cast<UINT>(table.size() - 1);
}

void ReleaseCommand(UINT command) {
    auto& table = CommandTable();
    if (command >= kFirstCommand && command - kFirstCommand < table.size())
        table[command - kFirstCommand] = nullptr;
}

TMenuItem* ItemOfCommand(UINT command) {
    auto& table = CommandTable();
    if (command < kFirstCommand || command - kFirstCommand >= table.size()) return nullptr;
    return table[command - kFirstCommand];
}

}  // namespace

// ---- TMenuItem ------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) { command = AllocateCommand(this); }

TMenuItem::~TMenuItem() {
    // The order matters: the parent's native menu lets go of ours before ours is destroyed, and
    // ours lets go of the sub-items' menus before they destroy them (DestroyMenu would destroy
    // every sub-menu still inside).
    if (TMenuItem* oldParent = parent) {
        oldParent->Detach(this);
        try {
            oldParent->RebuildHandle();
            oldParent->Changed();
        } catch (const std::exception& e) {
            ApplicationHandleException(e);  // never out of a destructor
        }
    }
    if (handle)
        while (GetMenuItemCount(handle.Get()) > 0) RemoveMenu(handle.Get(), 0, MF_BYPOSITION);
    while (!items.empty()) {
        TMenuItem* last = items.back();
        items.pop_back();
        last->parent = nullptr;
        delete last;
    }
    ReleaseCommand(command);
}

void TMenuItem::SetCaption(const std::wstring& value) {
    if (value == caption) return;
    caption = value;
    Changed();
}

void TMenuItem::SetEnabled(bool value) {
    if (value == enabled) return;
    enabled = value;
    Changed();
}

void TMenuItem::SetVisible(bool value) {
    if (value == visible) return;
    visible = value;
    Changed();
}

void TMenuItem::SetChecked(bool value) {
    if (value == checked) return;
    checked = value;
    Changed();
}

void TMenuItem::SetDefault(bool value) {
    if (value == isDefault) return;
    isDefault = value;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (value == shortCut) return;
    shortCut = value;
    Changed();
}

void TMenuItem::SetImageIndex(int value) {
    if (value == imageIndex) return;
    imageIndex = value;
    Changed();
}

HMENU TMenuItem::Handle() {
    if (!handle) {
        const TMenu* owningMenu = menu;
        const bool menuBar = owningMenu && owningMenu->Is<TMainMenu>();
        handle.Reset(menuBar ? CreateMenu() : CreatePopupMenu());
        if (!handle) throw EMenuError(L"无法创建菜单");
        RebuildHandle();
    }
    return handle.Get();
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EMenuError(L"菜单索引越界");
    return items[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) throw EMenuError(L"菜单项为空");
    if (item->parent || item->menu) throw EMenuError(L"菜单项已被插入");
    if (index < 0 || index > Count()) throw EMenuError(L"菜单索引越界");
    for (const TMenuItem* p = this; p; p = p->parent)
        if (p == item) throw EMenuError(L"菜单项不能插入自身");
    items.insert(items.begin() + index, item);
    item->parent = this;
    RebuildHandle();
    Changed();  // the entry of this item may now have to show a sub-menu
}

void TMenuItem::Delete(int index) { delete Items(index); }

void TMenuItem::Remove(TMenuItem* item) {
    if (IndexOf(item) < 0) throw EMenuError(L"菜单项不在此菜单中");
    Detach(item);
    RebuildHandle();
    Changed();
}

void TMenuItem::Detach(TMenuItem* item) {
    items.erase(std::find(items.begin(), items.end(), item));
    item->parent = nullptr;
}

void TMenuItem::Clear() {
    while (!items.empty()) delete items.back();
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent) root = root->parent;
    return root->menu;
}

bool TMenuItem::IsTopLevel() const {
    return parent && parent->menu && parent->menu->Is<TMainMenu>();
}

void TMenuItem::SetParentComponent(TComponent* parentComponent) {
    if (auto* parentMenu = dynamic_cast<TMenu*>(parentComponent)) {
        parentMenu->Items()->Add(this);
    } else if (auto* parentItem = dynamic_cast<TMenuItem*>(parentComponent)) {
        parentItem->Add(this);
    } else {
        throw EMenuError(L"菜单项 " + Name() + L" 只能放在菜单或菜单项中");
    }
}

void TMenuItem::Click() {
    if (enabled && OnClick) OnClick(this);
}

void TMenuItem::Changed() {
    if (parent && parent->handle) parent->RebuildHandle();
    if (TMenu* owningMenu = GetParentMenu()) owningMenu->MenuChanged(this);
}

void TMenuItem::RebuildHandle() {
    if (!handle) return;
    const HMENU target = handle.Get();
    // RemoveMenu, unlike DeleteMenu, leaves the sub-menus alone: their items own them.
    while (GetMenuItemCount(target) > 0) RemoveMenu(target, 0, MF_BYPOSITION);
    const TMenu* owningMenu = GetParentMenu();
    const bool ownerDraw = owningMenu && owningMenu->OwnerDraw();
    const bool rightToLeft = owningMenu && owningMenu->IsRightToLeft();
    UINT position = 0;
    for (TMenuItem* item : items) {
        if (!item->visible) continue;
        std::wstring text = item->caption;
        if (const std::wstring keys = ShortCutToText(item->shortCut);
            !keys.empty() && !item->IsLine())
            text += L'\t' + keys;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        info.fType = (item->IsLine() ? MFT_SEPARATOR : MFT_STRING) |
                     (ownerDraw ? MFT_OWNERDRAW : 0) |
                     (rightToLeft ? MFT_RIGHTORDER | MFT_RIGHTJUSTIFY : 0);
        info.fState = (item->enabled ? MFS_ENABLED : MFS_GRAYED) |
                      (item->checked ? MFS_CHECKED : 0) | (item->isDefault ? MFS_DEFAULT : 0);
        info.wID = item->command;
        info.hSubMenu = item->items.empty() ? nullptr : item->Handle();
        if (!item->IsLine()) {
            // Kept for owner-drawn items too: the system finds hotkeys in it, and others read
            // an item's caption with GetMenuString.
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
        }
        if (!InsertMenuItemW(target, position, TRUE, &info))
            throw EMenuError(L"无法插入菜单项 " + item->caption);
        ++position;
    }
}

void TMenuItem::RebuildAll() {
    RebuildHandle();
    for (TMenuItem* item : items) item->RebuildAll();
}

// ---- TMenu ----------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items(std::make_unique<TMenuItem>(nullptr)) {
    items->menu = this;
}

TMenu::~TMenu() {
    if (images) images->RemoveFreeNotification(this);
}

void TMenu::SetOwnerDraw(bool value) {
    if (value == ownerDraw) return;
    ownerDraw = value;
    items->RebuildAll();
    MenuChanged(nullptr);
}

void TMenu::SetImages(TImageList* value) {
    if (value == images) return;
    if (images) images->RemoveFreeNotification(this);
    images = value;
    if (images) images->FreeNotification(this);
    items->RebuildAll();  // owner-drawn items are measured again
    MenuChanged(nullptr);
}

void TMenu::SetBiDiMode(TBiDiMode value) {
    if (value == biDiMode) return;
    biDiMode = value;
    items->RebuildAll();
    MenuChanged(nullptr);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images && images) {
        images = nullptr;
        if (!HasState(csDestroying)) {
            items->RebuildAll();
            MenuChanged(nullptr);
        }
    }
}

void TMenu::Loaded() {
    TComponent::Loaded();
    items->RebuildAll();
    MenuChanged(nullptr);
}

namespace {

TMenuItem* FindIn(TMenuItem* parent, UINT_PTR value, TFindItemKind kind) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        bool match = false;
        switch (kind) {
            case fkCommand: match = item->Command() == value; break;
            case fkHandle:
                match =
                    item->HandleAllocated() && reinterpret_cast<UINT_PTR>(item->Handle()) == value;
                break;
            case fkShortCut: match = item->ShortCut() != scNone && item->ShortCut() == value; break;
        }
        if (match) return item;
        if (TMenuItem* found = FindIn(item, value, kind)) return found;
    }
    return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const {
    return FindIn(items.get(), value, kind);
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = FindItem(command, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(TShortCut shortCut) {
    TMenuItem* item = FindItem(shortCut, fkShortCut);
    if (!item || !item->Enabled()) return false;
    item->Click();
    return true;
}

void TMenu::MenuChanged(TMenuItem*) {}

LRESULT MenuCharMessage(TMenu& menu, wchar_t key, HMENU native) {
    TMenuItem* parent = menu.Handle() == native
                            ? menu.Items()
                            : menu.FindItem(reinterpret_cast<UINT_PTR>(native), fkHandle);
    if (!parent) return MAKELRESULT(0, MNC_IGNORE);
    const wchar_t wanted = key >= L'a' && key <= L'z' ? static_cast<wchar_t>(key - 32) : key;
    WORD position = 0;  // among the visible items: those are the native menu's entries
    for (int i = 0; i < parent->Count(); ++i) {
        const TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->Enabled() && !item->IsLine() && HotkeyOf(item->Caption()) == wanted)
            return MAKELRESULT(position, item->Count() > 0 ? MNC_SELECT : MNC_EXECUTE);
        ++position;
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

// ---- TMainMenu ------------------------------------------------------------------------------

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() { SetWindowHandle(nullptr); }

void TMainMenu::SetWindowHandle(HWND window) {
    const HWND old = std::exchange(windowHandle, window);
    if (old && old != window && IsWindow(old) && Items()->HandleAllocated() &&
        GetMenu(old) == Handle())
        ::SetMenu(old, nullptr);
    if (window) ::SetMenu(window, Handle());
}

void TMainMenu::MenuChanged(TMenuItem* source) {
    TMenu::MenuChanged(source);
    if (windowHandle && !HasState(csLoading) && !HasState(csDestroying))
        SendMessageW(windowHandle, CM_MENUCHANGED, 0, 0);
}

TMenuItem* FindPopupItem(UINT command) {
    TMenuItem* item = ItemOfCommand(command);
    if (!item) return nullptr;
    TMenu* owningMenu = item->GetParentMenu();
    return owningMenu && owningMenu->Is<TPopupMenu>() ? item : nullptr;
}

void RegisterMenuClasses() {
    RegisterComponentClass(TMainMenu::StaticClass());
    RegisterComponentClass(TPopupMenu::StaticClass());
    RegisterComponentClass(TMenuItem::StaticClass());
}
