#pragma once
// The program's windows brought into a known state for golden images: the main window active on
// one of its pages with the cursor away from every window, and the windows that live in a modal
// loop of their own (the error box, the system menu) captured from a timer while they are open.
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>

#include "forms/application.h"
#include "forms/bitmap.h"
#include "forms/exception.h"
#include "forms/timer.h"
#include "main_form.h"
#include "skin/frame/win_skin_form.h"
#include "skin/manager/skin_manager.h"
#include "support/golden_image.h"
#include "support/screen_probe.h"
#include "support/win_test_util.h"

inline TSkinManage* GoldenManager() { return static_cast<TSkinManage*>(ExistingSkinManager()); }

// Whether the window's frame skinner paints (and has cut the region) by now.
inline bool FramePainted(HWND window) {
    TWinSkinForm* frame = GoldenManager() ? GoldenManager()->FindFormSkinner(window) : nullptr;
    return frame && frame->SkinState() == fsActive && frame->RegionSet();
}

// The main window active, on page `page` (0 to 5), fully painted.
inline std::unique_ptr<TBitmap> CaptureMainPage(int page) {
    TTabSheet* sheets[] = {MainForm->TabSheet1, MainForm->TabSheet2, MainForm->TabSheet3,
                           MainForm->TabSheet4, MainForm->TabSheet5, MainForm->TabSheet6};
    const HWND main = MainForm->Handle();
    SetForegroundWindow(main);
    MainForm->PageControl1->SetActivePage(sheets[page]);
    PumpUntil([&] { return FramePainted(main); }, std::chrono::seconds(5));
    PumpMessages();
    return CaptureWindow(main);
}

// Runs open(), which shows a window in a modal loop and returns once that window is closed, while
// a timer looks for the window with find(); three ticks after it is there and painted, it is
// captured and closed with close(window). Null when the window never came.
inline std::unique_ptr<TBitmap> CaptureModal(const std::function<void()>& open,
                                             const std::function<HWND()>& find,
                                             const std::function<void(HWND)>& close) {
    std::unique_ptr<TBitmap> shot;
    TTimer timer(nullptr);
    timer.SetInterval(30);
    int seen = 0, ticks = 0;
    bool done = false, busy = false;  // capturing pumps messages: no tick runs inside it
    timer.OnTimer = [&](TObject*) {
        if (done || busy) return;
        const HWND window = find();
        if (window && ++seen >= 3) {
            busy = true;
            shot = CaptureWindow(window);
            busy = false;
            done = true;
            close(window);
        } else if (++ticks > 300) {
            done = true;  // nothing came: the caller's expectation fails
        }
    };
    timer.SetEnabled(true);
    open();
    timer.SetEnabled(false);
    PumpMessages();
    return shot;
}

// A visible window of the class, on this thread, whose frame skinner (or popup skinner) paints.
inline HWND VisibleSkinnedWindow(const wchar_t* className, bool popupMenu) {
    for (HWND w = FindWindowExW(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExW(nullptr, w, className, nullptr)) {
        if (!IsWindowVisible(w) || GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId())
            continue;
        if (popupMenu ? GoldenManager()->FindPopupSkinner(w) != nullptr : FramePainted(w)) return w;
    }
    return nullptr;
}

// The error box of a calculation whose length is not a number, as the application shows it.
inline std::unique_ptr<TBitmap> CaptureErrorBox() {
    return CaptureModal(
        [] { Application->ShowException(Exception(L"长度: 'abc' 不是一个有效的浮点值")); },
        [] { return VisibleSkinnedWindow(L"#32770", false); },
        [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); });
}

// The main window's own system menu, opened by a right click on its caption.
inline std::unique_ptr<TBitmap> CaptureSystemMenu() {
    const HWND main = MainForm->Handle();
    TWinSkinForm* frame = GoldenManager()->FindFormSkinner(main);
    if (!frame) return nullptr;
    RECT outer{};
    GetWindowRect(main, &outer);
    const POINT caption{outer.left + 60, outer.top + frame->FrameSizes().caption / 2};
    bool closed = false;
    return CaptureModal(
        [&] {
            PostMessageW(main, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.x, caption.y));
            PumpUntil([&] { return closed; }, std::chrono::seconds(10));
        },
        [] { return VisibleSkinnedWindow(L"#32768", true); },
        [&](HWND) {
            EndMenu();
            closed = true;
        });
}
