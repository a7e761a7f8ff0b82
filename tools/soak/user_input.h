#pragma once
// Input as a user gives it: mouse and keyboard events through SendInput, which the system
// routes to whatever window is under the pointer or has the focus, hit tests and all.

#include <windows.h>

#include <string>

namespace soak {

void MoveMouse(POINT screen);
// A click; one that would make a double click with the last one lands a little beside it, or
// waits for the double-click time to pass.
void Click(POINT screen, bool rightButton = false);
void PressLeft(POINT screen);
void ReleaseLeft();
// One key, with the modifiers held around it.
void PressKey(WORD virtualKey, bool control = false, bool shift = false, bool alt = false);
// Types the characters one by one: '\b' as Backspace, '\r' as Enter, anything else as the
// Unicode character itself.
void TypeText(const std::wstring& text);

}  // namespace soak
