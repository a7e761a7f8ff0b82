#pragma once
// TWindowSubclass: a procedure of ours placed in front of a window's own, with a handler that
// answers the message and Next() for the procedures behind ours. It replaces the window's
// GWLP_WNDPROC (TReplacedWindowProc) and finds itself again through a map kept in the process,
// not through a window property, which under Wine costs a round trip to the server for every
// message. Taking it away never cuts out a procedure that something else installed after it,
// whichever way that was installed: while one sits on top, ours stays in the chain as a
// pass-through until the window is destroyed.
//
// The subclass goes by itself when the window is destroyed (at its WM_NCDESTROY), so an owner
// that outlives the window never touches a dead handle; Handle() answers null from then on.

#include <windows.h>

#include <functional>

#include "forms/replaced_window_proc.h"

class TWindowSubclass {
public:
    // Handles one message; Next() passes it on to the procedures behind ours.
    using THandler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

    TWindowSubclass() = default;
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    // Attaches to a window (detaching from any earlier one); false when the window is gone or
    // already has a subclass of ours.
    bool Attach(HWND window, THandler handler);
    void Detach() { procedure.Detach(); }
    HWND Handle() const { return procedure.Handle(); }

    // The rest of the chain for the message being handled.
    LRESULT Next(UINT msg, WPARAM wParam, LPARAM lParam) const {
        return procedure.CallOld(msg, wParam, lParam);
    }

    // Runs when the window is being destroyed, after the rest of the chain had WM_NCDESTROY and
    // before the subclass lets go of the handle.
    std::function<void()> OnDestroyed;

private:
    struct TTag {};
    THandler handler;
    TReplacedWindowProc<TTag> procedure;  // last: it goes first, while the handler still lives
};
