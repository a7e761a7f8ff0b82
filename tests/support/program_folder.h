#pragma once
// A working folder of its own for a test that builds the program's windows: a fresh copy of the
// program's section database (..\bin\weight.db beside the test programs) in a new temporary
// folder, which is the current directory while the scope lasts. Free it after the windows, which
// keep the database open.

#include <filesystem>
#include <string>
#include <system_error>

#include "support/test_files.h"
#include "support/win_test_util.h"

class TProgramFolder {
public:
    explicit TProgramFolder(const std::string& prefix)
        : folder(testfiles::NewTempFolder(prefix)), saved(std::filesystem::current_path()) {
        std::filesystem::copy_file(PathFromTestFolder(L"..\\bin\\weight.db"), folder / "weight.db",
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::current_path(folder);
    }
    ~TProgramFolder() {
        std::error_code ignored;
        std::filesystem::current_path(saved, ignored);
        std::filesystem::remove_all(folder, ignored);
    }
    TProgramFolder(const TProgramFolder&) = delete;
    TProgramFolder& operator=(const TProgramFolder&) = delete;

    const std::filesystem::path& Path() const { return folder; }

private:
    std::filesystem::path folder;
    std::filesystem::path saved;
};
