#pragma once
// Counting the process's GDI objects, for tests that check that nothing leaks.

#include <windows.h>

// Windows counts them for us; Wine's GetGuiResources answers 0 (not implemented), but Wine
// accepts a handle's table index alone, so there the live objects are counted by asking for the
// type of every index of its 65536-entry table.
inline int GdiObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
    int count = 0;
    for (ULONG_PTR index = 1; index < 0x10000 + 64; ++index) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    }
    return count;
}
