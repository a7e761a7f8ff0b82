#pragma once
// The boundary between the platform and our code. Window procedures, subclass procedures, hooks
// and timer procedures are called by the platform, whose frames an exception must never cross:
// each one runs its body through one of these guards.
//
//   LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
//       return GuardMessage(window, msg, [&] { return Handle(window, msg, wParam, lParam); });
//   }
//
// An error of the program's own handlers is shown in the application's error box, after the
// message has been completed the way the platform expects (a WM_PAINT validates its region, so
// the failed paint is not asked for again while the box is up).

#include <windows.h>

// Shows the exception being handled in the application's error box; one that is not a
// std::exception is shown with a general message. Call it only inside a catch block.
void ReportCurrentException() noexcept;

// The answer a window procedure gives for a message whose handler threw, after doing what the
// platform needs done for that message: WM_PAINT validates the window, WM_NCCREATE and WM_CREATE
// refuse the creation, every other message answers 0.
LRESULT CompleteFailedMessage(HWND window, UINT msg) noexcept;

// A window message: body() answers the message's result.
template <class Body>
LRESULT GuardMessage(HWND window, UINT msg, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        const LRESULT result = CompleteFailedMessage(window, msg);
        ReportCurrentException();
        return result;
    }
}

// A callback that answers nothing to the platform (a hook's own part, a timer's event).
template <class Body>
void GuardCallback(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
        ReportCurrentException();
    }
}
