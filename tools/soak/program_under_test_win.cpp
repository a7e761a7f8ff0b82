#include "tools/soak/program_under_test.h"

#include <commctrl.h>
#include <winternl.h>

#include <map>
#include <stdexcept>

namespace soak {

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

struct TWindowSearch {
    DWORD process;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TWindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window) ||
        ClassOf(window) != search->className)
        return TRUE;
    search->found = window;
    return FALSE;
}

// One entry of the GDI handle table that the system maps into each process and names in the
// process's PEB (GdiSharedHandleTable): the object's kernel address, its owner, its full type
// (low seven bits) with a reuse count, its base type (0 for a free entry) and its user address.
// Windows keeps its own count (GetGuiResources); Wine answers 0 there but keeps this table, as
// Windows does, per process.
struct TGdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
static_assert(sizeof(TGdiHandleEntry) == 24);
constexpr size_t kGdiHandleTableEntries = 65536;
constexpr size_t kPebGdiSharedHandleTableOffset = 0xF8;  // x64 PEB

// The live entries of the process's GDI handle table by the full type kept in the low seven bits
// of their reuse field (the type byte itself drops the bits that tell a pen from a brush), or an
// empty map when the table cannot be read.
std::map<int, int> CountGdiTableEntries(HANDLE process) {
    using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0)
        return {};
    uint64_t table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(
            process,
            reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiSharedHandleTableOffset,
            &table, sizeof table, &read) ||
        !table)
        return {};
    std::vector<TGdiHandleEntry> entries(kGdiHandleTableEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(),
                           entries.size() * sizeof(TGdiHandleEntry), &read))
        return {};
    std::map<int, int> counts;
    for (size_t i = 0; i < read / sizeof(TGdiHandleEntry); ++i)
        if (entries[i].type) ++counts[entries[i].unique & 0x7f];
    return counts;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM parameter) {
    auto* counting = reinterpret_cast<std::pair<DWORD, int>*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != counting->first) return TRUE;
    ++counting->second;
    EnumChildWindows(
        window, [](HWND, LPARAM n) -> BOOL { return ++*reinterpret_cast<int*>(n), TRUE; },
        reinterpret_cast<LPARAM>(&counting->second));
    return TRUE;
}

}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

std::vector<HWND> VisibleDescendants(HWND parent) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        found.push_back(child);
        const auto inner = VisibleDescendants(child);
        found.insert(found.end(), inner.begin(), inner.end());
    }
    return found;
}

TProgramUnderTest::TProgramUnderTest(const std::filesystem::path& program,
                                     const std::filesystem::path& folder) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Wine now and then refuses a start with ERROR_INTERNAL_ERROR and takes the next one.
    constexpr int kStartAttempts = 3;
    for (int attempt = 1; !CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                                          FALSE, 0, nullptr, folder.c_str(), &startup, &info);
         ++attempt) {
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == kStartAttempts)
            throw std::runtime_error("cannot start " + program.string() + ", error " +
                                     std::to_string(error));
    }
    WaitForInputIdle(info.hProcess, 10000);
    for (int i = 0; i < 500 && !mainWindow; ++i) {
        mainWindow = TopWindow(L"TMainForm");
        if (!mainWindow) Sleep(20);
    }
    if (!mainWindow) throw std::runtime_error("the program showed no main window");
}

TProgramUnderTest::~TProgramUnderTest() {
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info.hProcess, 99);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

HWND TProgramUnderTest::TopWindow(const wchar_t* className) const {
    TWindowSearch search{info.dwProcessId, className, nullptr};
    EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool TProgramUnderTest::Responsive(std::string& why) const {
    if (WaitForSingleObject(info.hProcess, 0) != WAIT_TIMEOUT) {
        DWORD code = 0;
        GetExitCodeProcess(info.hProcess, &code);
        why = "the program ended, exit code " + std::to_string(code);
        return false;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kAnswerTimeoutMs, &result)) {
        why = "the main window did not answer within " + std::to_string(kAnswerTimeoutMs) + " ms";
        return false;
    }
    return true;
}

void TProgramUnderTest::Settle() const {
    // Input and sent messages take different roads into the program's queue: answering a sent
    // message says little about the input before it, so the program is asked a few times with
    // a pause between, each answer coming after it has gone back to its message loop.
    DWORD_PTR result = 0;
    for (int i = 0; i < 3; ++i) {
        Sleep(1);
        SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result);
    }
}

HWND TProgramUnderTest::FocusWindow() const {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(info.dwThreadId, &gui) ? gui.hwndFocus : nullptr;
}

HWND TProgramUnderTest::CaptureWindow() const {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(info.dwThreadId, &gui) ? gui.hwndCapture : nullptr;
}

bool TProgramUnderTest::FindMessageBox(TMessageBoxText& box) const {
    const HWND window = TopWindow(L"#32770");
    if (!window) return false;
    box.window = window;
    box.title = TextOf(window);
    box.text = TextOf(GetDlgItem(window, 0xFFFF));
    return true;
}

bool TProgramUnderTest::AnswerMessageBox(HWND box, int commandId) const {
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(commandId), 0);
    for (int i = 0; i < 250; ++i) {
        if (!IsWindow(box) || !IsWindowVisible(box)) return true;
        Sleep(2);
    }
    return false;
}

bool TProgramUnderTest::MenuOpen() const {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    const DWORD menuModes = GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE;
    return (GetGUIThreadInfo(info.dwThreadId, &gui) && (gui.flags & menuModes)) ||
           TopWindow(L"#32768") != nullptr;
}

TGdiCount TProgramUnderTest::GdiObjects() const {
    TGdiCount count;
    if (DWORD n = GetGuiResources(info.hProcess, GR_GDIOBJECTS)) {
        count.total = static_cast<int>(n);
        return count;
    }
    count.byType = CountGdiTableEntries(info.hProcess);
    if (!count.byType.empty()) count.total = 0;
    for (const auto& [type, n] : count.byType) count.total += n;
    return count;
}

int TProgramUnderTest::UserObjects() const {
    if (DWORD n = GetGuiResources(info.hProcess, GR_USEROBJECTS)) return static_cast<int>(n);
    std::pair<DWORD, int> counting{info.dwProcessId, 0};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&counting));
    return counting.second;
}

bool TProgramUnderTest::TabRect(HWND tabControl, int index, RECT& screen) const {
    // TCM_GETITEMRECT writes into the program's memory: the rectangle is read back from there.
    void* remote = VirtualAllocEx(info.hProcess, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return false;
    DWORD_PTR ok = 0;
    bool done = SendMessageTimeoutW(tabControl, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                                    kAnswerTimeoutMs, &ok) &&
                ok;
    SIZE_T read = 0;
    done = done && ReadProcessMemory(info.hProcess, remote, &screen, sizeof screen, &read);
    VirtualFreeEx(info.hProcess, remote, 0, MEM_RELEASE);
    if (!done) return false;
    MapWindowPoints(tabControl, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    return true;
}

int TProgramUnderTest::CloseAndWait() {
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return static_cast<int>(code);
}

}  // namespace soak
