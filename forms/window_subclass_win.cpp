#include "forms/window_subclass.h"

#include <commctrl.h>

#include <utility>

#include "forms/callback_guard.h"

namespace {

// One id for all our subclasses: the object's address tells them apart.
constexpr UINT_PTR kSubclassId = 0x50445853;  // "PDXS"

}  // namespace

bool TWindowSubclass::Attach(HWND target, THandler newHandler) {
    Detach();
    handler = std::move(newHandler);
    if (!target || !SetWindowSubclass(target, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    window = target;
    chainEntry = GetWindowLongPtrW(target, GWLP_WNDPROC);
    return true;
}

void TWindowSubclass::Detach() {
    const HWND attached = std::exchange(window, nullptr);
    if (!attached) return;
    if (GetWindowLongPtrW(attached, GWLP_WNDPROC) == chainEntry) {
        RemoveWindowSubclass(attached, Proc, kSubclassId);
    } else {
        // Something replaced the window's procedure after ours was chained in. Taking the last
        // subclass out can put the procedure from before it back over that one (Wine's common
        // controls do), so ours stays in the chain, passing every message on, until the window
        // goes.
        SetWindowSubclass(attached, Proc, kSubclassId, 0);
    }
}

LRESULT TWindowSubclass::Next(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return DefSubclassProc(window, msg, wParam, lParam);
}

LRESULT CALLBACK TWindowSubclass::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TWindowSubclass*>(data);
    if (!self) {  // detached while something else was subclassing on top
        if (msg == WM_NCDESTROY) RemoveWindowSubclass(window, Proc, kSubclassId);
        return DefSubclassProc(window, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        const LRESULT result = DefSubclassProc(window, msg, wParam, lParam);
        self->Detach();
        if (self->OnDestroyed) GuardCallback(self->OnDestroyed);
        return result;
    }
    return GuardMessage(window, msg, [&] { return self->handler(msg, wParam, lParam); });
}
