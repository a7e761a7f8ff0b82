#pragma once
// Counting the process's USER objects, for tests that check that nothing leaks.

#include <windows.h>

// The windows of this thread (top-level and child): its USER objects as Wine lets us count them.
inline int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* n = reinterpret_cast<int*>(data);
            ++*n;
            EnumChildWindows(
                window, [](HWND, LPARAM d) -> BOOL { return ++*reinterpret_cast<int*>(d), TRUE; },
                data);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// USER objects as the system counts them, or the windows where it does not (Wine answers 0).
inline int UserObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return static_cast<int>(n);
    return ThreadWindowCount();
}
