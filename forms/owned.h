#pragma once
// One owner, move-only: an owning wrapper for a Win32 handle that frees it exactly once.
//
// A free function that answers a value answers zero when it could not free the handle, as the
// Win32 ones do (DeleteObject on a handle already deleted, DestroyWindow on a window that is
// gone). That is always a fault of the program: a handle freed twice or by someone else, or a
// GDI object deleted while still selected into a DC. Such a failure goes to the free-failure
// hook; the default hook stops a debug build at an assertion and lets a release build go on.

#include <cassert>
#include <type_traits>
#include <utility>

namespace owned_detail {

inline void StopAtFailedFree([[maybe_unused]] const void* handle) {
    assert(!"Owned: the free function failed: the handle was freed twice, or is still in use");
}

inline void (*freeFailedHook)(const void* handle) = &StopAtFailedFree;

}  // namespace owned_detail

// Replaces the hook that hears of failed frees (the handle that could not be freed); answers the
// previous one. For tests that provoke a failure on purpose.
using TFreeFailedHook = void (*)(const void* handle);
inline TFreeFailedHook SetFreeFailedHook(TFreeFailedHook hook) {
    return std::exchange(owned_detail::freeFailedHook, hook);
}

template <typename Handle, auto Free>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle h) : handle(h) {}
    Owned(Owned&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
    // Moving an object onto itself keeps its handle: it is taken out and put back, never freed.
    Owned& operator=(Owned&& other) noexcept {
        Reset(std::exchange(other.handle, nullptr));
        return *this;
    }
    ~Owned() { Reset(); }

    Handle Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    void Reset(Handle h = nullptr) {
        if (Handle old = std::exchange(handle, h)) FreeHandle(old);
    }
    Handle Release() { return std::exchange(handle, nullptr); }

private:
    static void FreeHandle(Handle h) {
        if constexpr (std::is_void_v<decltype(Free(h))>) {
            Free(h);
        } else if (!Free(h)) {
            owned_detail::freeFailedHook(static_cast<const void*>(h));
        }
    }

    Handle handle = nullptr;
};
