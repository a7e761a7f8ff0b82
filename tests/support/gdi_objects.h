#pragma once
// Counting the process's GDI objects, for tests that check that nothing leaks.

#include <windows.h>

#include <map>

// Windows counts them for us; Wine's GetGuiResources answers 0 (not implemented), but Wine
// accepts a handle's table index alone, so there the live objects are counted by asking for the
// type of every index of its 65536-entry table.
// The live GDI objects by type (OBJ_PEN, OBJ_BITMAP, ...). Where the system counts them (Windows)
// only the total is known, under type 0.
inline std::map<DWORD, int> GdiObjectsByType() {
    std::map<DWORD, int> counts;
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) {
        counts[0] = static_cast<int>(n);
        return counts;
    }
    for (ULONG_PTR index = 1; index < 0x10000 + 64; ++index)
        if (DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++counts[type];
    return counts;
}

inline int GdiObjectCount() {
    int count = 0;
    for (const auto& [type, n] : GdiObjectsByType()) count += n;
    return count;
}
