#pragma once
// TWindowMap: which object of ours a window belongs to, kept in the process. A window property
// would serve as well, but the lookup runs for every message a window gets, and under Wine every
// GetProp is a round trip to the wineserver (about 3 us, far more on a loaded machine); this
// lookup is a hash probe. The entry is the binder's to remove, at the window's WM_NCDESTROY.
//
// Windows may get messages on any thread that made them, so the map takes a lock (uncontended:
// the program's windows all live on its one GUI thread).

#include <windows.h>

#include <unordered_map>

template <class T>
class TWindowMap {
public:
    TWindowMap() = default;
    TWindowMap(const TWindowMap&) = delete;
    TWindowMap& operator=(const TWindowMap&) = delete;

    void Bind(HWND window, T* object) {
        TExclusive hold(lock);
        objects[window] = object;
    }

    T* Find(HWND window) const {
        if (!window) return nullptr;
        TShared hold(lock);
        const auto found = objects.find(window);
        return found == objects.end() ? nullptr : found->second;
    }

    // Forgets the window; answers the object it belonged to (null when none).
    T* Unbind(HWND window) {
        TExclusive hold(lock);
        const auto found = objects.find(window);
        if (found == objects.end()) return nullptr;
        T* object = found->second;
        objects.erase(found);
        return object;
    }

private:
    struct TExclusive {
        explicit TExclusive(SRWLOCK& l) : lock(l) { AcquireSRWLockExclusive(&lock); }
        ~TExclusive() { ReleaseSRWLockExclusive(&lock); }
        SRWLOCK& lock;
    };
    struct TShared {
        explicit TShared(SRWLOCK& l) : lock(l) { AcquireSRWLockShared(&lock); }
        ~TShared() { ReleaseSRWLockShared(&lock); }
        SRWLOCK& lock;
    };

    mutable SRWLOCK lock = SRWLOCK_INIT;
    std::unordered_map<HWND, T*> objects;
};
