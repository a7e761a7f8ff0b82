// Takes the pictures of Ponderix that the README shows: the main window on each of its six
// pages, the help window and the error box of a failed calculation. It starts the real program
// and drives it as a user would (Ctrl+Tab between pages, the help and calculate buttons), then
// copies each window from the screen into a 24-bit BMP file.
//   screenshots.exe PONDERIX.EXE OUTPUT-FOLDER
// tools/screenshots.sh runs it under Wine and turns the files into PNG images.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "screenshots: %s\n", what.c_str());
    std::exit(1);
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Polls until found() answers a window, for at most ten seconds.
template <class Find>
HWND WaitFor(const char* what, Find found) {
    for (int i = 0; i < 500; ++i) {
        if (HWND window = found()) return window;
        Sleep(20);
    }
    Fail(std::string("no ") + what);
}

HWND TopWindow(DWORD process, const std::wstring& className) {
    struct Search {
        DWORD process;
        const std::wstring& className;
        HWND found;
    } search{process, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->process || !IsWindowVisible(window) || ClassOf(window) != s->className)
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A visible button of the window with that caption.
HWND VisibleButton(HWND window, const std::wstring& caption) {
    struct Search {
        const std::wstring& caption;
        HWND found;
    } search{caption, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            if (!IsWindowVisible(child) || ClassOf(child) != L"TButton" ||
                TextOf(child) != s->caption)
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Copies the window, frame included, from the screen once it has painted.
void Capture(HWND window, const fs::path& file) {
    Sleep(400);
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{0x4D42,
                            DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) + size, 0, 0,
                            DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), size);
    if (!out) Fail("cannot write " + file.string());
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    std::printf("%s\n", file.string().c_str());
}

void PressCtrlTab() {
    INPUT keys[4] = {};
    const WORD codes[4] = {VK_CONTROL, VK_TAB, VK_TAB, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) Fail("usage: screenshots.exe PONDERIX.EXE OUTPUT-FOLDER");
    const fs::path program = argv[1], output = argv[2];
    fs::create_directories(output);
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        program.parent_path().c_str(), &startup, &process))
        Fail("cannot start the program");
    WaitForInputIdle(process.hProcess, 10000);
    const DWORD id = process.dwProcessId;
    HWND main = WaitFor("main window", [&] { return TopWindow(id, L"TMainForm"); });

    for (int page = 1; page <= 6; ++page) {
        SetForegroundWindow(main);
        Capture(main, output / ("page-" + std::to_string(page) + ".bmp"));
        PressCtrlTab();  // after the sixth page, back on the first
    }

    SendMessageW(WaitFor("help button", [&] { return VisibleButton(main, L"帮  助"); }), BM_CLICK,
                 0, 0);
    HWND help = WaitFor("help window", [&] { return TopWindow(id, L"TAboutBox"); });
    Capture(help, output / "help.bmp");
    PostMessageW(help, WM_CLOSE, 0, 0);

    // Calculating with the boxes of the first page empty fails on the first of them.
    SetForegroundWindow(main);
    PostMessageW(WaitFor("calculate button", [&] { return VisibleButton(main, L"计 算"); }),
                 BM_CLICK, 0, 0);
    HWND box = WaitFor("error box", [&] { return TopWindow(id, L"#32770"); });
    Capture(box, output / "error.bmp");
    PostMessageW(box, WM_COMMAND, IDOK, 0);

    Sleep(200);
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        Fail("the program did not end");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
