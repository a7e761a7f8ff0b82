#include "forms/timer.h"

#include <unordered_map>

#include "forms/callback_guard.h"

PONDERIX_DEFINE_CLASS(TTimer, [](TClassBuilder<TTimer>& b) {
    b.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
    b.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval);
    b.Event("OnTimer", &TTimer::OnTimer);
})

namespace {

// The running timers by the id SetTimer gave them. Timers belong to the GUI thread, which alone
// sets, kills and dispatches them.
std::unordered_map<UINT_PTR, TTimer*>& RunningTimers() {
    static std::unordered_map<UINT_PTR, TTimer*> timers;
    return timers;
}

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) { UpdateTimer(); }

TTimer::~TTimer() { Stop(); }

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

// A thread timer, not one of a window of its own: a window is a round trip or more to the
// window server for each call on it under Wine, and the message loop dispatches a thread
// timer's WM_TIMER to TimerProc all the same.
void TTimer::UpdateTimer() {
    Stop();
    if (!enabled || interval <= 0) return;
    id = SetTimer(nullptr, 0, static_cast<UINT>(interval), &TTimer::TimerProc);
    if (id) RunningTimers()[id] = this;
}

void TTimer::Stop() {
    if (!id) return;
    KillTimer(nullptr, id);
    RunningTimers().erase(id);
    id = 0;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR timerId, DWORD) {
    const auto found = RunningTimers().find(timerId);
    if (found == RunningTimers().end()) return;  // killed with its WM_TIMER already queued
    TTimer* self = found->second;
    if (self->OnTimer) GuardCallback([self] { self->OnTimer(self); });
}
