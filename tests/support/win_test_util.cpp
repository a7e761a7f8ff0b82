#include "support/win_test_util.h"

#include <thread>

bool PumpUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        PumpMessages();
        Sleep(5);
    }
    return true;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

namespace {

struct FindWindowQuery {
    DWORD process;
    const std::wstring& className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<FindWindowQuery*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t cls[256];
    if (process == query->process && (!query->visibleOnly || IsWindowVisible(window)) &&
        GetClassNameW(window, cls, 256) && query->className == cls) {
        query->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD process, const std::wstring& className, bool visibleOnly) {
    FindWindowQuery query{process, className, visibleOnly, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

TMessageBoxWatcher::TMessageBoxWatcher() {
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

TMessageBoxWatcher::~TMessageBoxWatcher() {
    if (thread) {
        WaitForSingleObject(thread, 15000);
        CloseHandle(thread);
    }
}

DWORD WINAPI TMessageBoxWatcher::Run(void* param) {
    auto* self = static_cast<TMessageBoxWatcher*>(param);
    for (int i = 0; i < 1000; ++i) {
        if (HWND box = FindProcessWindow(GetCurrentProcessId(), L"#32770", true)) {
            Sleep(50);  // let the box finish laying itself out
            self->result.title = WindowText(box);
            self->result.text = WindowText(GetDlgItem(box, 0xFFFF));
            self->result.seen = true;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(10);
    }
    return 1;
}

TMessageBoxSeen TMessageBoxWatcher::Wait() {
    if (thread) {
        WaitForSingleObject(thread, 15000);
        CloseHandle(thread);
        thread = nullptr;
    }
    return result;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[2048] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK,
                        2000, nullptr);
    return buffer;
}

std::wstring PathFromTestFolder(const std::wstring& relative) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + relative;
}
