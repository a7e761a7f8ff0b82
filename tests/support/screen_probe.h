#pragma once
// Reading back what a user sees and moving the mouse as a user does: a window's pixels as they
// are on the screen, and the cursor moved through the system's input queue.

#include <windows.h>

#include <chrono>
#include <memory>

#include "forms/bitmap.h"
#include "forms/dc_scopes.h"
#include "support/win_test_util.h"

// What a window shows on the screen, its whole window rectangle.
inline std::unique_ptr<TBitmap> WindowShot(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    auto shot = std::make_unique<TBitmap>();
    shot->SetSize(r.right - r.left, r.bottom - r.top);
    TWindowDC dc(window, TWindowDC::WholeWindow);
    BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), dc.Dc(), 0, 0, SRCCOPY);
    return shot;
}

// Moves the mouse to a point of the screen and runs the messages until the cursor is there (the
// window under it then has had its moves).
inline void MoveCursorTo(POINT screen) {
    using namespace std::chrono_literals;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    PumpUntil(
        [&] {
            POINT now{};
            GetCursorPos(&now);
            return now.x == screen.x && now.y == screen.y;
        },
        2s);
    PumpMessages();
}

// The mouse to a point of a window's client area.
inline void MoveCursorTo(HWND window, POINT client) {
    ClientToScreen(window, &client);
    MoveCursorTo(client);
}
