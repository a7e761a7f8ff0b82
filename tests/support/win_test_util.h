#pragma once
// Helpers for windowed tests: pumping messages, reading message boxes from a watcher thread,
// and finding the program under test.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

// Runs the thread's messages until pred() holds or the timeout passes; answers pred().
bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout);
void PumpMessages();

// What a message box showed: its title, its text and the style of its icon.
struct TMessageBoxSeen {
    std::wstring title;
    std::wstring text;
    bool seen = false;
};

// Watches from a second thread for a message box of this process, reads it and presses its
// default button. Start it before the code that shows the box.
class TMessageBoxWatcher {
public:
    TMessageBoxWatcher();
    ~TMessageBoxWatcher();
    // Waits for the watcher to finish (a box seen, or the timeout); answers what it saw.
    TMessageBoxSeen Wait();

private:
    HANDLE thread = nullptr;
    TMessageBoxSeen result;
    static DWORD WINAPI Run(void* self);
};

// The first top-level window of a process with that class name (visible ones only, if asked).
HWND FindProcessWindow(DWORD process, const std::wstring& className, bool visibleOnly);

// The text of a window, read with WM_GETTEXT so that it also works across processes.
std::wstring WindowText(HWND window);
// A file beside (or under a folder beside) this test program's folder: "..\\bin\\Ponderix.exe".
std::wstring PathFromTestFolder(const std::wstring& relative);
