// The real program, started as its own process: its main window's class, caption and client
// size, and its exit code when the window is closed (also from its skinned system menu).
#include <gtest/gtest.h>

#include "support/win_test_util.h"

namespace {

class ProgramProcess : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring exe = PathFromTestFolder(L"..\\bin\\Ponderix.exe");
        const std::wstring folder = PathFromTestFolder(L"..\\bin");
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + exe + L"\"";
        ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, folder.c_str(), &startup, &info))
            << "cannot start Ponderix.exe, error " << GetLastError();
        WaitForInputIdle(info.hProcess, 10000);
        for (int i = 0; i < 500 && !mainWindow; ++i) {
            mainWindow = FindProcessWindow(info.dwProcessId, L"TMainForm", true);
            if (!mainWindow) Sleep(20);
        }
    }
    void TearDown() override {
        if (info.hProcess) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(info.hProcess, 99);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
    PROCESS_INFORMATION info{};
    HWND mainWindow = nullptr;
};

}  // namespace

TEST_F(ProgramProcess, MainWindowHasItsClassCaptionAndClientSizeAndClosingExitsWithZero) {
    ASSERT_NE(mainWindow, nullptr) << "no visible window of class TMainForm";
    EXPECT_EQ(WindowText(mainWindow), L"Ponderix");
    RECT client;
    ASSERT_TRUE(GetClientRect(mainWindow, &client));
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 309);

    const LONG style = GetWindowLongW(mainWindow, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the border must not be sizeable";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "only the close box";

    // Centred on the work area (within rounding).
    RECT window, work;
    GetWindowRect(mainWindow, &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);

    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(info.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 12345;
    GetExitCodeProcess(info.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

// The skinned system menu, opened by a right click on the caption: its last item, " Close ",
// chosen with the keyboard, ends the program with exit code 0.
TEST_F(ProgramProcess, ClosingFromTheSkinnedSystemMenuExitsWithZero) {
    ASSERT_NE(mainWindow, nullptr) << "no visible window of class TMainForm";
    RECT window{};
    GetWindowRect(mainWindow, &window);
    HWND popup = nullptr;
    // The frame is skinned once the window has been activated; until then a right click on the
    // caption opens nothing, so it is repeated.
    for (int i = 0; i < 50 && !popup; ++i) {
        PostMessageW(mainWindow, WM_NCRBUTTONDOWN, HTCAPTION,
                     MAKELPARAM(window.left + 60, window.top + 10));
        for (int k = 0; k < 10 && !popup; ++k) {
            Sleep(20);
            popup = FindProcessWindow(info.dwProcessId, L"#32768", true);
        }
    }
    ASSERT_NE(popup, nullptr) << "the system menu did not open";
    EXPECT_EQ(SendMessageW(popup, 0x3504 /* CN_IsSkinned */, 0, 0), 1);
    // Up from no selection selects the last item, " Close ".
    PostMessageW(popup, WM_KEYDOWN, VK_UP, 0);
    PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(WaitForSingleObject(info.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 12345;
    GetExitCodeProcess(info.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

// Without its database the program cannot build its main window: it shows the start-up failure
// box, no window of its own, and ends with exit code 1.
TEST(ProgramStartup, MissingDatabaseShowsTheFailureBoxAndExitsWithOne) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"ponderix-no-db-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring exe = folder + L"\\Ponderix.exe";
    ASSERT_TRUE(
        CopyFileW(PathFromTestFolder(L"..\\bin\\Ponderix.exe").c_str(), exe.c_str(), FALSE));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.c_str(), &startup, &info));
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i) {
        box = FindProcessWindow(info.dwProcessId, L"#32770", false);
        if (!box) Sleep(20);
    }
    ASSERT_NE(box, nullptr) << "no start-up failure box";
    Sleep(100);
    EXPECT_EQ(WindowText(box), L"应用程序错误");
    const std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    EXPECT_EQ(text.rfind(L"异常 EDatabaseError 发生在模块 Ponderix.exe 中的 ", 0), 0u)
        << text.size();
    EXPECT_NE(text.find(L"weight.db"), std::wstring::npos);
    EXPECT_EQ(FindWindowW(L"TMainForm", nullptr), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WaitForSingleObject(info.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(info.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 1u);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    DeleteFileW(exe.c_str());
    RemoveDirectoryW(folder.c_str());
}
