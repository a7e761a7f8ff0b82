#include "tools/soak/user_input.h"

#include <cstdlib>
#include <vector>

namespace soak {

namespace {

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Absolute coordinates run from 0 to 65535 over the virtual screen.
INPUT MouseEvent(DWORD flags, POINT screen) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN),
              height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x - left, 65535, width - 1);
    input.mi.dy = MulDiv(screen.y - top, 65535, height - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    return input;
}

INPUT KeyEvent(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT CharEvent(wchar_t c, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

struct TLastClick {
    POINT at{-10000, -10000};
    DWORD tick = 0;
    bool right = false;
} lastClick;

// Whether a click there now would make a double click with the last one: the same button
// within the system's double-click time and rectangle.
bool WouldDoubleClick(POINT screen, bool rightButton) {
    return lastClick.right == rightButton &&
           std::abs(screen.x - lastClick.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
           std::abs(screen.y - lastClick.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2 &&
           GetTickCount() - lastClick.tick <= GetDoubleClickTime();
}

// A second click at the same place so soon would be a double click, which an edit box or a
// grid does not take as a click that focuses it. A user clicking again on the same window
// clicks a little beside the last place, or, on a window too small for that, waits.
POINT SingleClickPoint(POINT screen, bool rightButton) {
    if (!WouldDoubleClick(screen, rightButton)) return screen;
    const int dx = GetSystemMetrics(SM_CXDOUBLECLK) / 2 + 1;
    const int dy = GetSystemMetrics(SM_CYDOUBLECLK) / 2 + 1;
    const HWND target = WindowFromPoint(screen);
    for (const POINT beside : {POINT{screen.x + dx, screen.y}, POINT{screen.x - dx, screen.y},
                               POINT{screen.x, screen.y + dy}, POINT{screen.x, screen.y - dy}})
        if (WindowFromPoint(beside) == target && !WouldDoubleClick(beside, rightButton))
            return beside;
    Sleep(GetDoubleClickTime() - (GetTickCount() - lastClick.tick) + 1);
    return screen;
}

}  // namespace

void MoveMouse(POINT screen) { Send({MouseEvent(0, screen)}); }

void Click(POINT at, bool rightButton) {
    const POINT screen = SingleClickPoint(at, rightButton);
    const DWORD down = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    Send({MouseEvent(0, screen), MouseEvent(down, screen), MouseEvent(up, screen)});
    lastClick = {screen, GetTickCount(), rightButton};
}

void PressLeft(POINT screen) {
    Send({MouseEvent(0, screen), MouseEvent(MOUSEEVENTF_LEFTDOWN, screen)});
}

void ReleaseLeft() {
    POINT at;
    GetCursorPos(&at);
    Send({MouseEvent(MOUSEEVENTF_LEFTUP, at)});
}

void PressKey(WORD virtualKey, bool control, bool shift, bool alt) {
    std::vector<INPUT> inputs;
    const WORD modifiers[] = {VK_CONTROL, VK_SHIFT, VK_MENU};
    const bool held[] = {control, shift, alt};
    for (int i = 0; i < 3; ++i)
        if (held[i]) inputs.push_back(KeyEvent(modifiers[i], false));
    inputs.push_back(KeyEvent(virtualKey, false));
    inputs.push_back(KeyEvent(virtualKey, true));
    for (int i = 2; i >= 0; --i)
        if (held[i]) inputs.push_back(KeyEvent(modifiers[i], true));
    Send(inputs);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c == L'\b')
            PressKey(VK_BACK);
        else if (c == L'\r')
            PressKey(VK_RETURN);
        else
            Send({CharEvent(c, false), CharEvent(c, true)});
    }
}

}  // namespace soak
