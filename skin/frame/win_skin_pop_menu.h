#pragma once
// TWinSkinPopMenu: the skinner of one popup menu window ("#32768"), created by the skin manager
// when the window appears and freed when it goes. It subclasses the menu window, so that the
// window answers CN_IsSkinned, paints the window's 3-pixel border from the skin's MenuBackground
// element (over the native border, drawn inside the window where the platform draws it there),
// and keeps that background at the window's size for the items drawn over it. It learns which
// menu the window shows from the window itself, or else from the first item drawn after its
// first paint (it is the pending popup skinner meanwhile).

#include <windows.h>

#include <memory>

#include "forms/bitmap.h"
#include "forms/replaced_window_proc.h"

class TFormSkinnerRegistry;
class TSkinData;

struct TPopupSkinnerProcTag {};

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu() = default;
    ~TWinSkinPopMenu() { Detach(); }
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // registry: whose Enabled decides whether the window is painted skinned (may be null).
    void Attach(HWND window, TSkinData* skin, HMENU menu, const TFormSkinnerRegistry* registry);
    void Detach();
    HWND Handle() const { return handle; }
    TSkinData* Skin() const { return skin; }
    HMENU Menu() const { return menu; }
    bool FromMenuBar() const { return fromMenuBar; }
    void MarkFromMenuBar() { fromMenuBar = true; }
    // The skinned background at the window's size; empty before the first paint or without a
    // MenuBackground image.
    TBitmap& Background() { return background; }

    // The popup skinner painted last that does not know its menu yet (null when none).
    static TWinSkinPopMenu* Pending();
    // The pending popup skinner, if any, learns that it shows this menu and stops being pending.
    static void LearnPendingMenu(HMENU shown);

private:
    void WindowMessage(TMessage& message);
    // Background at the window's size; false when the skin has no MenuBackground image.
    bool MakeBackground();
    void PaintBorder();
    void Print(TMessage& message);

    TReplacedWindowProc<TPopupSkinnerProcTag> windowInstance;
    HWND handle = nullptr;
    TSkinData* skin = nullptr;
    TBitmap background;
    HMENU menu = nullptr;
    bool fromMenuBar = false;
    const TFormSkinnerRegistry* registry = nullptr;
};
