#include "forms/timer.h"

#include "forms/callback_guard.h"

PONDERIX_DEFINE_CLASS(TTimer, [](TClassBuilder<TTimer>& b) {
    b.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
    b.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval);
    b.Event("OnTimer", &TTimer::OnTimer);
})

namespace {

const wchar_t kTimerWindowClass[] = L"TPUtilWindow";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    static const ATOM registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TimerWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kTimerWindowClass;
        return RegisterClassExW(&wc);
    }();
    (void)registered;
    window = CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    UpdateTimer();
}

TTimer::~TTimer() {
    if (window) {
        KillTimer(window, kTimerId);
        DestroyWindow(window);
    }
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled) return;
    enabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(int value) {
    if (value == interval) return;
    interval = value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (!window) return;
    KillTimer(window, kTimerId);
    if (enabled && interval > 0) SetTimer(window, kTimerId, static_cast<UINT>(interval), nullptr);
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        auto* self = reinterpret_cast<TTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && self->OnTimer) GuardCallback([self] { self->OnTimer(self); });
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}
