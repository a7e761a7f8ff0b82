// Owned on real Win32 handles: frees that fail because the handle is already gone reach the
// free-failure hook (which a debug build turns into an assertion), and ones that succeed do not.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "forms/owned.h"

namespace {

std::vector<const void*> failures;
void CountFailure(const void* handle) { failures.push_back(handle); }

// One handle freed by its owner alone, then one that someone else frees first.
template <typename Handle, auto Free>
void ExpectReportedOnlyWhenGone(Handle (*make)()) {
    failures.clear();
    { Owned<Handle, Free> owner(make()); }
    EXPECT_TRUE(failures.empty());
    const Handle gone = make();
    {
        Owned<Handle, Free> owner(gone);
        Free(gone);
    }
    EXPECT_EQ(failures, std::vector<const void*>{gone});
}

}  // namespace

TEST(OwnedWin32, FreeingAHandleThatIsGoneIsReportedAndALiveOneIsNot) {
    const TFreeFailedHook previous = SetFreeFailedHook(&CountFailure);
    ExpectReportedOnlyWhenGone<HWND, &DestroyWindow>([] {
        return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
    });
    ExpectReportedOnlyWhenGone<HBRUSH, &DeleteObject>(
        [] { return CreateSolidBrush(RGB(1, 2, 3)); });
    ExpectReportedOnlyWhenGone<HMENU, &DestroyMenu>([] { return CreatePopupMenu(); });
    SetFreeFailedHook(previous);
}
