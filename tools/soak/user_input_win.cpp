#include "tools/soak/user_input.h"

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

}  // namespace

void MoveMouse(POINT screen) { Send({MouseEvent(0, screen)}); }

void Click(POINT screen, bool rightButton) {
    const DWORD down = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    Send({MouseEvent(0, screen), MouseEvent(down, screen), MouseEvent(up, screen)});
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
