#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled, on the GUI thread, through a
// hidden window of its own.

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
    static LRESULT CALLBACK TimerWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void UpdateTimer();

    bool enabled = true;
    int interval = 1000;
    HWND window = nullptr;
};
