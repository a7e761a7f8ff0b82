#pragma once
// TWindowSubclass: a procedure of ours placed in front of a window's own, chained through the
// common controls' subclass list (SetWindowSubclass). Unlike replacing GWLP_WNDPROC and putting
// the old procedure back, taking it away never cuts out a procedure that something else installed
// after it, whichever way that was installed.
//
// Detached while something else has replaced the window's procedure on top of the chain, ours
// stays in the chain as a pass-through until the window is destroyed.
//
// The subclass goes by itself when the window is destroyed (at its WM_NCDESTROY), so an owner
// that outlives the window never touches a dead handle; Handle() answers null from then on.

#include <windows.h>

#include <functional>

class TWindowSubclass {
public:
    // Handles one message; Next() passes it on to the procedures behind ours.
    using THandler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

    TWindowSubclass() = default;
    ~TWindowSubclass() { Detach(); }
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    // Attaches to a window (detaching from any earlier one); false when the platform refused.
    bool Attach(HWND window, THandler handler);
    void Detach();
    HWND Handle() const { return window; }

    // The rest of the chain for the message being handled.
    LRESULT Next(UINT msg, WPARAM wParam, LPARAM lParam) const;

    // Runs when the window is being destroyed, after the rest of the chain had WM_NCDESTROY and
    // before the subclass lets go of the handle.
    std::function<void()> OnDestroyed;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);

    HWND window = nullptr;
    LONG_PTR chainEntry = 0;  // the window's procedure once ours was chained in
    THandler handler;
};
