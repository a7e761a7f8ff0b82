// Start-up time of Ponderix against an empty window of the same size, measured from outside:
// from CreateProcess until the program's window is visible and the program waits for input
// (WaitForInputIdle). The two programs are launched in turn from this one process, so that the
// wineserver stays warm for both; each launch is closed through its window before the next.
//   tools/wine-session tools/wine-run build/win64/bench/startup_win_bench.exe [LAUNCHES]
// Prints the median of each and their ratio. Goal: Ponderix within 2 x the empty window.
// LAUNCHES (default 21) of each; more of them steady the figures on a machine whose speed drifts.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/win_bench_timing.h"

namespace fs = std::filesystem;

namespace {

constexpr int DefaultLaunches = 21;  // of each program, after one untimed warm-up launch of each
constexpr DWORD Patience = 20000;    // milliseconds a launch may take before it counts as failed
constexpr int MaxStartAttempts = 3;  // of a launch the platform refuses to start

fs::path OwnFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

struct WindowSearch {
    DWORD processId;
    HWND window;
};

// The visible top-level window of the process, or none yet.
HWND VisibleWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId || !IsWindowVisible(window)) return TRUE;
            s->window = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.window;
}

// Milliseconds from CreateProcess until the program shows its window and waits for input; the
// program is then closed through that window. Fails loudly: a benchmark of a program that did
// not start would print nonsense.
double TimeLaunch(const fs::path& program) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    const std::wstring folder = program.parent_path().wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    double start = Now();
    // Wine now and then refuses a start with ERROR_INTERNAL_ERROR and takes the next one: that
    // launch is not timed, and the start is tried again, a few times at most.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.c_str(), &startup, &process))
            break;
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == MaxStartAttempts) {
            std::fprintf(stderr, "cannot start %ls (error %lu)\n", program.c_str(), error);
            std::exit(1);
        }
        std::fprintf(stderr, "%ls did not start (error %lu); starting it again\n", program.c_str(),
                     error);
        start = Now();
    }
    HWND window = nullptr;
    if (WaitForInputIdle(process.hProcess, Patience) == 0)
        window = VisibleWindowOf(process.dwProcessId);
    const double elapsed = Now() - start;
    if (!window) {
        std::fprintf(stderr, "%ls showed no window waiting for input\n", program.c_str());
        TerminateProcess(process.hProcess, 1);
        std::exit(1);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, Patience) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "%ls did not end after its window was closed\n", program.c_str());
        TerminateProcess(process.hProcess, 1);
        std::exit(1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double MedianOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int launches = argc > 1 ? std::atoi(argv[1]) : DefaultLaunches;
    if (launches < 1 || launches > 1000) {
        std::fprintf(stderr, "usage: startup_win_bench [LAUNCHES], 1 to 1000 launches\n");
        return 2;
    }
    const fs::path ponderix = OwnFolder().parent_path() / "bin" / "Ponderix.exe";
    const fs::path empty = OwnFolder() / "empty_window_win.exe";
    for (const fs::path& program : {ponderix, empty}) {
        if (!fs::exists(program)) {
            std::fprintf(stderr, "%ls is missing; build the win64 preset first\n", program.c_str());
            return 1;
        }
    }
    TimeLaunch(ponderix);
    TimeLaunch(empty);
    std::vector<double> ponderixTimes, emptyTimes;
    for (int i = 0; i < launches; ++i) {
        ponderixTimes.push_back(TimeLaunch(ponderix));
        emptyTimes.push_back(TimeLaunch(empty));
    }
    const double ponderixMedian = MedianOf(ponderixTimes);
    const double emptyMedian = MedianOf(emptyTimes);
    // Launched back to back, the two of a pair see the machine alike: the median of the pairs'
    // ratios holds when the machine's load drifts during the run.
    std::vector<double> pairRatios;
    for (int i = 0; i < launches; ++i) pairRatios.push_back(ponderixTimes[i] / emptyTimes[i]);
    std::printf("start-up until the window waits for input, median of %d launches each:\n",
                launches);
    std::printf("  Ponderix.exe      %7.1f ms\n", ponderixMedian);
    std::printf("  empty window      %7.1f ms\n", emptyMedian);
    std::printf("  ratio             %7.2f (goal: at most 2.00)\n", ponderixMedian / emptyMedian);
    std::printf("  ratio of pairs    %7.2f (median of each launch's against the next)\n",
                MedianOf(pairRatios));
    return 0;
}
