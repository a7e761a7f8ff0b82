#include "forms/callback_guard.h"

#include <exception>

#include "forms/application.h"
#include "forms/exception.h"

void ReportCurrentException() noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        ApplicationHandleException(e);
    } catch (...) {
        try {
            ApplicationHandleException(Exception(L"发生了未知错误"));
        } catch (...) {
            // Not even the message could be made: nothing is left to show.
        }
    }
}

LRESULT CompleteFailedMessage(HWND window, UINT msg) noexcept {
    switch (msg) {
        case WM_PAINT: ValidateRect(window, nullptr); return 0;
        case WM_NCCREATE: return FALSE;
        case WM_CREATE: return -1;
        default: return 0;
    }
}
