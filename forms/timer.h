#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled, on the GUI thread, through a
// timer of the thread (SetTimer without a window), whose WM_TIMER any message loop that
// dispatches what it gets passes on.

#include <windows.h>

#include "forms/component.h"

class TTimer : public TComponent {
    PONDERIX_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled; }
    void SetEnabled(bool value);
    int Interval() const { return interval; }
    void SetInterval(int value);

    TNotifyEvent OnTimer;

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR timerId, DWORD);
    void UpdateTimer();
    void Stop();

    bool enabled = true;
    int interval = 1000;
    UINT_PTR id = 0;  // of the running timer, 0 while none runs
};
