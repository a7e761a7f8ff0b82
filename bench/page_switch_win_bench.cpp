// The first visit of each page of the main window, built from the program's own descriptions
// over its section database: a page not yet in view makes its controls' windows then, and the
// visit must not stall visibly. Times the switch, the first visit and a later one, in
// milliseconds (median of 15 fresh windows).
//   tools/wine-session tools/wine-run build/win64/bench/page_switch_win_bench.exe
// Goal: every first visit well under a frame (16 ms) more than a later one.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/about_box.h"
#include "app/main_form.h"
#include "bench/win_bench_timing.h"
#include "forms/application.h"
#include "skin/manager/skin_manager.h"

namespace fs = std::filesystem;

namespace {

// Makes a page the active one, as a click on its tab does; the first time, the page makes its
// controls' windows here. The repaint that follows is the same either way and left out.
void Visit(int page) { MainForm->PageControl1->SetTabIndex(page); }

void Paint() {
    RedrawWindow(MainForm->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

int main() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    // The program's database beside Ponderix.exe, opened where the program opens it.
    fs::current_path(fs::path(path).parent_path().parent_path() / "bin");
    Application->Initialize();
    InstallSkinManager();
    RegisterApplicationClasses();
    const int pages = 6;
    std::printf("Switching to each page of the main window (median of 15 fresh windows, ms):\n");
    for (int page = 1; page < pages; ++page) {
        const double first = Median(
            15, [&] { Visit(page); },
            [&] {
                delete AboutBox;
                delete MainForm;
                Application->CreateForm(MainForm);
                Application->CreateForm(AboutBox);
                MainForm->Show();
                Paint();
            });
        const double again = Median(
            9, [&] { Visit(page); },
            [&] {
                Visit(0);
                Paint();
            });
        std::printf("  page %d  first visit %6.2f, later visit %6.2f\n", page + 1, first, again);
    }
    delete AboutBox;
    delete MainForm;
    return 0;
}
