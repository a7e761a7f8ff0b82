#pragma once
// One owner, move-only: an owning wrapper for a Win32 handle that frees it exactly once.

#include <utility>

template <typename Handle, auto Free>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle h) : handle(h) {}
    Owned(Owned&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        Reset(std::exchange(other.handle, nullptr));
        return *this;
    }
    ~Owned() { Reset(); }

    Handle Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    void Reset(Handle h = nullptr) {
        if (Handle old = std::exchange(handle, h)) Free(old);
    }
    Handle Release() { return std::exchange(handle, nullptr); }

private:
    Handle handle = nullptr;
};
