#pragma once
// The message record that travels through every control's replaceable window procedure, the
// class library's own control messages (CM_*) and the notifications a parent reflects back to
// the control that sent them (CN_*).

#include <windows.h>

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;  // 0xB006
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;  // 0xB00C
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;   // 0xB013
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;   // 0xB014
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;  // 0xB015
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;  // 0xB01B
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr UINT CM_RELEASE = CM_BASE + 33;  // 0xB021
// Sent to the top-level window when a container has made the windows of its children that
// waited for it to be shown; lParam is the container (TWinControl*).
constexpr UINT CM_CHILDHANDLESCREATED = CM_BASE + 60;
// CM_BASE + 61 and + 62 are the scroll bar painting pair of forms/scroll_bar_messages.h.

// A parent reflects WM_xxx from a child control to that control as CN_BASE + WM_xxx.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;  // 0xBD14
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;  // 0xBC4E
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;  // 0xBD15
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;

static_assert(CN_NOTIFY == 0xBC4E && CN_HSCROLL == 0xBD14 && CN_VSCROLL == 0xBD15);
static_assert(CM_RELEASE == 0xB021 && CM_EXIT == 0xB01B && CM_MENUCHANGED == 0xB015);

class TObject;

// A window procedure method: object plus code. Two are equal when both parts are, so a skinner
// can save the procedure it replaces, compare, and put exactly that one back.
class TWndMethod {
public:
    using Code = void (*)(TObject* self, TMessage& message);
    TWndMethod() = default;
    TWndMethod(TObject* object, Code code) : object(object), code(code) {}

    // The method M of object, e.g. TWndMethod::Of<TControl, &TControl::WndProc>(this).
    template <class T, void (T::*M)(TMessage&)>
    static TWndMethod Of(T* self) {
        return TWndMethod(self, [](TObject* o, TMessage& m) { (static_cast<T*>(o)->*M)(m); });
    }

    void operator()(TMessage& message) const { code(object, message); }
    explicit operator bool() const { return code != nullptr; }
    bool operator==(const TWndMethod& other) const = default;
    TObject* Object() const { return object; }

private:
    TObject* object = nullptr;
    Code code = nullptr;
};
