#include "forms/combo_box.h"

#include <cwctype>

#include "forms/application.h"

const TEnumInfo ComboBoxStyleType{"TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList"}};

PONDERIX_DEFINE_CLASS(TCustomComboBox, [](TClassBuilder<TCustomComboBox>& b) {
    b.Enum("Style", ComboBoxStyleType, &TCustomComboBox::Style, &TCustomComboBox::SetStyle);
    b.Integer("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount);
    b.StringList("Items", &TCustomComboBox::Items);
    b.Integer("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex);
    b.String("Text", &TCustomComboBox::Text, &TCustomComboBox::SetTextValue);
    b.Event("OnChange", &TCustomComboBox::OnChange);
    b.Event("OnKeyPress", &TCustomComboBox::OnKeyPress);
})
PONDERIX_DEFINE_CLASS(TComboBox, [](TClassBuilder<TComboBox>&) {})

namespace {

bool StartsWithIgnoringCase(const std::wstring& item, const std::wstring& prefix) {
    if (prefix.size() > item.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::towlower(item[i]) != std::towlower(prefix[i])) return false;
    return true;
}

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
    items.OnChange = [this](TObject*) { SyncItems(); };
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SuperClassName = L"COMBOBOX";
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
    params.Style |= style == csDropDownList ? CBS_DROPDOWNLIST
                    : style == csSimple     ? CBS_SIMPLE
                                            : CBS_DROPDOWN;
    // The window's height includes the dropped-down list.
    params.Height = Height() + dropDownCount * 16 + 2;
}

void TCustomComboBox::AfterCreateHandle() {
    const std::wstring keepText = text;
    SyncItems();
    if (pendingIndex >= 0)
        SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(pendingIndex), 0);
    // A text set after the item was picked is the one the box shows.
    if (pendingIndex < 0 || GetText() != keepText) {
        ++quiet;
        SetWindowTextW(Handle(), keepText.c_str());
        --quiet;
    }
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(Handle(), &info) && info.hwndItem && info.hwndItem != Handle())
        editSubclass.Attach(info.hwndItem, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
            return EditMessage(msg, wParam, lParam);
        });
}

void TCustomComboBox::WindowDestroying() { pendingIndex = ItemIndex(); }

void TCustomComboBox::SyncItems() {
    if (!HandleAllocated()) return;
    ++quiet;
    // The list redraws and resets its scroll bar once for all the items, not once for each.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    const HWND list = GetComboBoxInfo(Handle(), &info) ? info.hwndList : nullptr;
    if (list) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items.Count(); ++i)
        SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items.Get(i).c_str()));
    if (list) {
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        if (IsWindowVisible(list)) InvalidateRect(list, nullptr, TRUE);
    }
    --quiet;
}

int TCustomComboBox::ItemIndex() const {
    auto* self = const_cast<TCustomComboBox*>(this);
    if (!self->HandleAllocated()) return pendingIndex;
    return static_cast<int>(SendMessageW(self->Handle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int value) {
    if (!HandleAllocated()) {
        pendingIndex = value;
        if (value >= 0 && value < items.Count()) text = items.Get(value);
        return;
    }
    ++quiet;
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(value), 0);
    --quiet;
}

int TCustomComboBox::SelStart() const {
    DWORD start = 0;
    if (auto* self = const_cast<TCustomComboBox*>(this); self->HandleAllocated())
        SendMessageW(self->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomComboBox::SelLength() const {
    DWORD start = 0, end = 0;
    if (auto* self = const_cast<TCustomComboBox*>(this); self->HandleAllocated())
        SendMessageW(self->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

LRESULT TCustomComboBox::CallEdit(UINT msg, WPARAM wParam, LPARAM lParam) {
    return editSubclass.Next(msg, wParam, lParam);
}

void TCustomComboBox::DeselectKeepingText() {
    if (ItemIndex() < 0) return;
    const std::wstring keep = GetText();
    const int start = SelStart(), length = SelLength();
    ++quiet;
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(Handle(), keep.c_str());
    SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start + length));
    --quiet;
}

bool TCustomComboBox::TypeCharacter(wchar_t key) {
    if (key == L'\t' || key == 27) return false;
    if (key == L'\b') {
        const std::wstring before = GetText();
        CallEdit(WM_CHAR, key, 0);  // the edit part deletes; its change notification is OnChange
        DeselectKeepingText();
        if (GetText() == before) Change();  // nothing deleted: the change is still reported
        return true;
    }
    const std::wstring current = GetText();
    const int start = SelStart(), length = SelLength();
    const std::wstring candidate =
        (length > 0 ? current.substr(0, static_cast<size_t>(start)) : current) + key;
    for (int i = 0; i < items.Count(); ++i) {
        const std::wstring item = items.Get(i);
        if (!StartsWithIgnoringCase(item, candidate)) continue;
        const int previous = ItemIndex();
        const std::wstring shown = candidate + item.substr(candidate.size());
        ++quiet;
        SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        SetWindowTextW(Handle(), shown.c_str());
        SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(candidate.size(), shown.size()));
        --quiet;
        if (i != previous) Change();
        return true;
    }
    DeselectKeepingText();
    return false;  // typed as usual; the edit part's change notification runs OnChange
}

LRESULT TCustomComboBox::EditMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR) {
        auto key = static_cast<wchar_t>(wParam);
        KeyPress(key);
        if (key == 0 || TypeCharacter(key)) return 0;
        wParam = key;
    }
    return editSubclass.Next(msg, wParam, lParam);
}

void TCustomComboBox::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        const WORD code = HIWORD(message.WParam);
        if ((code == CBN_EDITCHANGE || code == CBN_SELCHANGE) && quiet == 0) {
            if (code == CBN_SELCHANGE) {
                // Picked from the list: the edit part shows the item only after this returns.
                const int index = ItemIndex();
                if (index >= 0) text = items.Get(index);
            }
            Change();
        }
        return;
    }
    if (message.Msg == WM_CTLCOLOREDIT || message.Msg == WM_CTLCOLORLISTBOX ||
        message.Msg == CN_CTLCOLOREDIT || message.Msg == CN_CTLCOLORLISTBOX) {
        message.Result = ControlColors(reinterpret_cast<HDC>(message.WParam));
        return;
    }
    TWinControl::WndProc(message);
}

void RegisterComboBoxClasses() { RegisterComponentClass(TComboBox::StaticClass()); }
