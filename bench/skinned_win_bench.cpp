// What the skin costs the running program: the main window built from the program's own
// descriptions over its section database, once with the skin component on and once with it
// switched off, each in a fresh process of this program so that neither inherits the other's
// caches. Figures (milliseconds, medians):
//   - full repaint: RedrawWindow of the main window with its frame and every child, painted now;
//   - page switch: a click on the next page's tab until the new page is completely painted;
//   - hover: a non-client mouse move over the close button until its look is drawn, and a mouse
//     move into a push button until its look is drawn;
//   - working set and committed memory of the process once everything has been shown.
//   tools/wine-session tools/wine-run build/win64/bench/skinned_win_bench.exe
// Goals: repaint and page switch skinned at most 2 x unskinned; each hover under 2 ms.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/main_form.h"
#include "bench/win_bench_timing.h"
#include "forms/application.h"
#include "skin/manager/skin_manager.h"
#include "skin/controls/skin_control.h"
#include "skin/frame/win_skin_form.h"
#include "skin/skin_data.h"

namespace fs = std::filesystem;

namespace {

constexpr int Repaints = 60;
constexpr int Switches = 40;
constexpr int Hovers = 60;

fs::path OwnPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PaintPendingNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
}

double FullRepaint(HWND window) {
    return Median(Repaints, [&] {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
    });
}

// A click in the middle of the page's tab, as the mouse gives it, and the paint that follows.
void ClickTab(HWND tabs, int page) {
    RECT item{};
    SendMessageW(tabs, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tabs, WM_LBUTTONUP, 0, at);
}

double PageSwitch(HWND main, HWND tabs) {
    // Every page once first, so that the figure is a switch and not a page's first visit.
    for (int page = 5; page >= 0; --page) {
        ClickTab(tabs, page);
        PaintPendingNow(main);
    }
    PumpMessages();
    int next = 0;
    return Median(Switches, [&] {
        next = 1 - next;
        ClickTab(tabs, next);
        PaintPendingNow(main);
    });
}

// The close button's point in screen coordinates: the skinned frame's own button (action 0), or
// where the native frame's hit test answers HTCLOSE along the caption; none without one.
bool FindCloseButton(HWND window, POINT& found) {
    RECT r{};
    GetWindowRect(window, &r);
    if (TWinSkinForm* frame =
            static_cast<TSkinManage*>(ExistingSkinManager())->FindFormSkinner(window)) {
        for (const auto& button : frame->SysButtons())
            if (button->SkinButton().Action == 0 && button->Visible) {
                found = {r.left + (button->Rect.left + button->Rect.right) / 2,
                         r.top + (button->Rect.top + button->Rect.bottom) / 2};
                return true;
            }
        return false;
    }
    for (int y = r.top + 2; y < r.top + 40; y += 2)
        for (int x = r.right - 2; x > r.right - 80; --x)
            if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                found = {x - 3, y + 3};
                return true;
            }
    return false;
}

double CloseButtonHover(HWND window) {
    POINT over{};
    if (!FindCloseButton(window, over)) return -1;
    RECT r{};
    GetWindowRect(window, &r);
    const POINT away{(r.left + r.right) / 2, r.top + 8};  // the middle of the caption
    return Median(
        Hovers,
        [&] {
            SendMessageW(window, WM_NCMOUSEMOVE, HTCLOSE, MAKELPARAM(over.x, over.y));
            GdiFlush();
        },
        [&] {
            SendMessageW(window, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(away.x, away.y));
            PumpMessages();
        });
}

// The skinned frame's close button must really have turned hot, or its figure means nothing.
bool CloseButtonTurnsHot(HWND window) {
    TWinSkinForm* frame = static_cast<TSkinManage*>(ExistingSkinManager())->FindFormSkinner(window);
    POINT over{};
    if (!frame || !FindCloseButton(window, over)) return true;  // nothing of ours to check
    SendMessageW(window, WM_NCMOUSEMOVE, HTCLOSE, MAKELPARAM(over.x, over.y));
    return frame->HotObject() && frame->HotObject()->State == ncHot;
}

double PushButtonHover(HWND button) {
    return Median(
        Hovers,
        [&] {
            SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            PaintPendingNow(button);
        },
        [&] {
            SendMessageW(button, WM_MOUSELEAVE, 0, 0);
            PaintPendingNow(button);
            PumpMessages();
        });
}

// The skinned push button must really have turned hot, as the close button must.
bool ButtonTurnsHot(HWND window, HWND button) {
    TWinSkinForm* frame = static_cast<TSkinManage*>(ExistingSkinManager())->FindFormSkinner(window);
    if (!frame) return true;
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    return frame->HotControl() && frame->HotControl()->Handle() == button;
}

// Runs every measurement in this process and prints "name value" lines.
int Measure(bool skinned) {
    fs::current_path(OwnPath().parent_path().parent_path() / "bin");
    Application->Initialize();
    InstallSkinManager();
    RegisterApplicationClasses();
    Application->CreateForm(MainForm);
    Application->CreateForm(AboutBox);
    if (!skinned) MainForm->SkinData1->SetActive(false);
    MainForm->Show();
    SetForegroundWindow(MainForm->Handle());
    PumpMessages();
    PaintPendingNow(MainForm->Handle());
    const HWND main = MainForm->Handle();
    std::printf("repaint %.3f\n", FullRepaint(main));
    std::printf("pageswitch %.3f\n", PageSwitch(main, MainForm->PageControl1->Handle()));
    MainForm->PageControl1->SetTabIndex(0);
    PaintPendingNow(main);
    const double closeHover = CloseButtonHover(main);
    std::printf("hover-close %.3f\n", CloseButtonTurnsHot(main) ? closeHover : -1.0);
    const HWND button = MainForm->Button1->Handle();
    const double buttonHover = PushButtonHover(button);
    std::printf("hover-button %.3f\n", ButtonTurnsHot(main, button) ? buttonHover : -1.0);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    K32GetProcessMemoryInfo(GetCurrentProcess(),
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    std::printf("workingset %.1f\n", memory.WorkingSetSize / 1048576.0);
    std::printf("committed %.1f\n", memory.PagefileUsage / 1048576.0);
    delete AboutBox;
    delete MainForm;
    FreeSkinManager();
    return 0;
}

// Runs this program again with the mode's argument and reads its "name value" lines.
std::map<std::string, double> MeasureInChild(const wchar_t* mode) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    std::map<std::string, double> figures;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return figures;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring commandLine = L"\"" + OwnPath().wstring() + L"\" " + mode;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    char buffer[512];
    DWORD read = 0;
    while (started && ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read)
        output.append(buffer, read);
    CloseHandle(readEnd);
    if (!started) return figures;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::istringstream lines(output);
    std::string name;
    double value = 0;
    while (lines >> name >> value) figures[name] = value;
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2) return Measure(std::string(argv[1]) == "--skinned");
    const auto skinned = MeasureInChild(L"--skinned");
    const auto plain = MeasureInChild(L"--unskinned");
    if (skinned.size() != 6 || plain.size() != 6) {
        std::fprintf(stderr, "a measuring run failed\n");
        return 1;
    }
    struct TRow {
        const char* key;
        const char* label;
        const char* goal;
    };
    const std::vector<TRow> rows{
        {"repaint", "full repaint (ms)", "skinned at most 2 x"},
        {"pageswitch", "page switch (ms)", "skinned at most 2 x"},
        {"hover-close", "hover, close button (ms)", "under 2 ms"},
        {"hover-button", "hover, push button (ms)", "under 2 ms"},
        {"workingset", "working set (MiB)", ""},
        {"committed", "committed memory (MiB)", ""},
    };
    std::printf("The main window skinned and unskinned (medians):\n");
    std::printf("  %-26s %9s %9s %7s  %s\n", "", "skinned", "unskinned", "ratio", "goal");
    for (const TRow& row : rows) {
        const double a = skinned.at(row.key), b = plain.at(row.key);
        std::printf("  %-26s %9.2f %9.2f %7.2f  %s\n", row.label, a, b, b > 0 ? a / b : 0.0,
                    row.goal);
    }
    return 0;
}
