#pragma once
// The real Ponderix.exe, started in a folder of its own (with a copy of the section database)
// and watched from outside: its windows, whether it still answers, the message boxes it shows,
// and its GDI and USER object counts.

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace soak {

struct TMessageBoxText {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
};

// The GDI objects of a process at one moment.
struct TGdiCount {
    int total = -1;  // -1 when they cannot be counted
    // By the full type their handle-table entry keeps (0x01 window DC, 0x04 region, 0x05
    // surface, 0x09 bitmap, 0x0a font, 0x10 brush, 0x30 pen, 0x41 memory DC, ...); empty where
    // only the total is known (Windows keeps its own count and no table).
    std::map<int, int> byType;

    static constexpr int kWindowDc = 0x01;

    // Wine keeps a per-process cache of window DCs (GetDC, BeginPaint) and adds one, up to a
    // fixed number, whenever a window asks for a DC and no cached DC last served that window:
    // how many there are follows which windows have painted, not what the program made, and
    // each brings its surface and visible region with it. This count leaves them out.
    int OutsideWindowDcCache() const {
        const auto dcs = byType.find(kWindowDc);
        return dcs == byType.end() ? total : total - 3 * dcs->second;
    }
};

class TProgramUnderTest {
public:
    // Starts the program with folder as its working folder and waits for its main window;
    // throws std::runtime_error when it cannot.
    TProgramUnderTest(const std::filesystem::path& program, const std::filesystem::path& folder);
    ~TProgramUnderTest();
    TProgramUnderTest(const TProgramUnderTest&) = delete;
    TProgramUnderTest& operator=(const TProgramUnderTest&) = delete;

    HWND MainWindow() const { return mainWindow; }
    DWORD ThreadId() const { return info.dwThreadId; }
    // The first visible top-level window of the program with that class, or null.
    HWND TopWindow(const wchar_t* className) const;
    // Whether the process runs and its window thread answers a message within five seconds;
    // why not, otherwise.
    bool Responsive(std::string& why) const;
    // Waits until the window thread has taken what was sent to it so far.
    void Settle() const;
    // The window that has the keyboard focus in the program, or null.
    HWND FocusWindow() const;
    // The window that has captured the mouse in the program, or null.
    HWND CaptureWindow() const;
    // A message box the program shows (class #32770), with its title and text.
    bool FindMessageBox(TMessageBoxText& box) const;
    // Presses a box's button by its command id (IDOK, IDCANCEL) and waits for it to go.
    bool AnswerMessageBox(HWND box, int commandId) const;
    // Whether a menu is being tracked: a popup menu window of the program (class #32768) shown,
    // or its thread in menu mode (a keyboard menu whose drop-down Escape closed stays in that
    // mode, showing nothing on a skinned frame, until a second Escape).
    bool MenuOpen() const;

    // The program's GDI objects now: one read of the system's count or of its handle table.
    TGdiCount GdiObjects() const;
    // USER objects: the system's count where it keeps one, the program's windows otherwise.
    int UserObjects() const;
    // The screen rectangle of a tab of a tab control of the program.
    bool TabRect(HWND tabControl, int index, RECT& screen) const;

    // Closes the main window and waits for the process to end; answers its exit code, or -1.
    int CloseAndWait();

private:
    PROCESS_INFORMATION info{};
    HWND mainWindow = nullptr;
};

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
// Every visible descendant window, depth first in window order.
std::vector<HWND> VisibleDescendants(HWND parent);

}  // namespace soak
