#pragma once
// TWinSkinPopMenu: the skinner of one popup menu window ("#32768"), created by the skin manager
// when the window appears and freed when it goes. It subclasses the menu window, so that the
// window answers CN_IsSkinned, and records whether the menu was opened from a skinned menu bar.
// The menu's skinned drawing is added to this class with the menus' work; until then the menu
// keeps its native look.

#include <windows.h>

#include "skin/controls/replaced_window_proc.h"

class TSkinData;

struct TPopupSkinnerProcTag {
    static constexpr const wchar_t* PropertyName = L"PonderixPopupSkinner";
};

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu() = default;
    ~TWinSkinPopMenu() { Detach(); }
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    void Attach(HWND window, TSkinData* skin);
    void Detach();
    HWND Handle() const { return handle; }
    TSkinData* Skin() const { return skin; }
    bool FromMenuBar() const { return fromMenuBar; }
    void MarkFromMenuBar() { fromMenuBar = true; }

private:
    void WindowMessage(TMessage& message);

    TReplacedWindowProc<TPopupSkinnerProcTag> windowInstance;
    HWND handle = nullptr;
    TSkinData* skin = nullptr;
    bool fromMenuBar = false;
};
