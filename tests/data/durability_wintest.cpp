// A row posted through the table component is in the file the moment Post returns: a process
// killed right after it loses nothing. The test runs itself a second time as the process that
// posts and is killed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "data/ado_table.h"
#include "support/win_test_util.h"

namespace fs = std::filesystem;

namespace {

const wchar_t kChildVariable[] = L"PONDERIX_POST_AND_DIE";

// In the child: open the copied database, append a row, post, and die at once.
void PostAndDie(const std::wstring& folder) {
    SetCurrentDirectoryW(folder.c_str());
    TADOTable table(nullptr);
    table.SetName(L"ADOTable1");
    table.SetConnectionString(L"Provider=SQLite;Data Source=weight.db");
    table.SetTableName(L"槽钢");
    table.Open();
    table.Append();
    table.FieldByName(L"型号")->SetAsString(L"killed-after-post");
    table.FieldByName(L"单重(kg/m)")->SetAsString(L"12.5");
    table.Post();
    TerminateProcess(GetCurrentProcess(), 9);
}

}  // namespace

TEST(Durability, AKillRightAfterAPostKeepsTheRow) {
    wchar_t child[MAX_PATH] = {};
    if (GetEnvironmentVariableW(kChildVariable, child, MAX_PATH) > 0) {
        PostAndDie(child);
        FAIL() << "the child should have died";
    }
    const fs::path folder =
        fs::temp_directory_path() / ("ponderix-kill-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder);
    fs::copy_file(PathFromTestFolder(L"..\\bin\\weight.db"), folder / "weight.db",
                  fs::copy_options::overwrite_existing);

    SetEnvironmentVariableW(kChildVariable, folder.wstring().c_str());
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_filter=Durability.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info));
    SetEnvironmentVariableW(kChildVariable, nullptr);
    ASSERT_EQ(WaitForSingleObject(info.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    EXPECT_EQ(exitCode, 9u) << "the child did not reach its kill";

    const fs::path saved = fs::current_path();
    fs::current_path(folder);
    {
        TADOTable table(nullptr);
        table.SetConnectionString(L"Provider=SQLite;Data Source=weight.db");
        table.SetTableName(L"槽钢");
        table.Open();
        table.Last();
        EXPECT_EQ(table.FieldByName(L"型号")->AsString(), L"killed-after-post");
        EXPECT_EQ(table.FieldByName(L"单重(kg/m)")->AsString(), L"12.5");
    }
    fs::current_path(saved);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
