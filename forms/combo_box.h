#pragma once
// TComboBox: an editable drop-down list (the standard COMBOBOX control, superclassed) that
// completes typed text from its items.
//
// Typing into the edit part:
//   Backspace         deletes as the edit box does; then no item is selected and OnChange runs.
//   Tab, Escape       left to the box.
//   other characters  candidate = text before the highlighted part (the whole text when nothing
//                     is highlighted) + the character. When an item begins with the candidate
//                     (letter case ignored), the first such item is selected, the text becomes
//                     the candidate followed by the rest of the item, that rest is highlighted and
//                     the character is consumed; OnChange runs when the selected item changed.
//                     Otherwise the character is typed as usual, no item is selected and
//                     OnChange runs.

#include "forms/controls.h"
#include "forms/strings.h"
#include "forms/window_subclass.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
extern const TEnumInfo ComboBoxStyleType;

class TCustomComboBox : public TWinControl {
    PONDERIX_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* owner);

    TStrings* Items() { return &items; }
    int ItemIndex() const;
    void SetItemIndex(int value);
    std::wstring Text() const { return GetText(); }
    void SetTextValue(const std::wstring& value) { SetText(value); }
    int DropDownCount() const { return dropDownCount; }
    void SetDropDownCount(int value) { dropDownCount = value; }
    TComboBoxStyle Style() const { return style; }
    void SetStyle(TComboBoxStyle value) { style = value; }
    // The edit part's window, made with the box's window when first asked for (null for a box
    // without one).
    HWND EditHandle() {
        HandleNeeded();
        return editSubclass.Handle();
    }
    // The selection in the edit part, in characters.
    int SelStart() const;
    int SelLength() const;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateHandle() override;
    void WindowDestroying() override;
    void WndProc(TMessage& message) override;
    virtual void Change();

private:
    // The edit part's messages, through its subclass: typed characters complete from the list.
    LRESULT EditMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Answers true when the character was consumed by completion.
    bool TypeCharacter(wchar_t key);
    // Clears the list selection while keeping the edit text and its selection.
    void DeselectKeepingText();
    void SyncItems();
    LRESULT CallEdit(UINT msg, WPARAM wParam, LPARAM lParam);

    TStringList items;
    int pendingIndex = -1;  // ItemIndex set before the window exists
    int dropDownCount = 8;
    TComboBoxStyle style = csDropDown;
    TWindowSubclass editSubclass;
    int quiet = 0;  // >0 while we change the box ourselves: its notifications are ignored
};

class TComboBox : public TCustomComboBox {
    PONDERIX_CLASS(TComboBox, TCustomComboBox)
public:
    using TCustomComboBox::TCustomComboBox;
};

void RegisterComboBoxClasses();
