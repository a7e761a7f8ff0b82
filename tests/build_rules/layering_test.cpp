// The folders are layers, each using only the ones before it: every quoted #include of the source
// tree is checked against that order, and product and benchmark code never include test code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace fs = std::filesystem;

namespace {

// The product's layers, first to last (the layout of ARCHITECTURE.md).
const std::vector<std::string> kLayers = {"forms",         "data",       "calc",         "skin",
                                          "skin/controls", "skin/frame", "skin/manager", "app",
                                          "takeoff",       "tools"};
const std::string kTests = "tests";
const std::string kBench = "bench";

// The folder a path belongs to: the longest layer (or tests, bench) it lies in; empty for none.
std::string FolderOf(const std::string& path) {
    std::string best;
    auto consider = [&](const std::string& folder) {
        if (path.rfind(folder + "/", 0) == 0 && folder.size() > best.size()) best = folder;
    };
    for (const std::string& layer : kLayers) consider(layer);
    consider(kTests);
    consider(kBench);
    return best;
}

int LayerIndex(const std::string& folder) {
    const auto it = std::find(kLayers.begin(), kLayers.end(), folder);
    return it == kLayers.end() ? -1 : static_cast<int>(it - kLayers.begin());
}

// Why `from` may not include `target`, or empty when it may.
std::string Refusal(const std::string& from, const std::string& target) {
    // Tests also reach their own helpers from the tests folder ("support/...").
    const std::string targetFolder =
        FolderOf(from == kTests && FolderOf(target).empty() ? kTests + "/" + target : target);
    if (targetFolder.empty()) return "names no folder of the tree";
    if (from == kTests) return targetFolder == kBench ? "tests do not include benchmarks" : "";
    if (targetFolder == kTests) return "only tests include test code";
    if (targetFolder == kBench)
        return from == kBench ? "" : "only benchmarks include benchmark code";
    if (from == kBench) return "";
    if (LayerIndex(targetFolder) > LayerIndex(from)) return from + " comes before " + targetFolder;
    return "";
}

// One line per include that breaks the layering: "path:line: #include "x" (reason)".
std::vector<std::string> LayeringViolations(const fs::path& root) {
    static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<std::string> found;
    std::vector<std::string> folders = kLayers;
    folders.push_back(kTests);
    folders.push_back(kBench);
    for (const std::string& top : folders) {
        if (top.find('/') != std::string::npos || !fs::is_directory(root / top)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) continue;
            const std::string path = fs::relative(entry.path(), root).generic_string();
            const std::string from = FolderOf(path);
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                std::smatch match;
                if (!std::regex_search(line, match, include)) continue;
                const std::string target = match[1];
                if (target.find('/') == std::string::npos) continue;  // beside the file itself
                if (const std::string why = Refusal(from, target); !why.empty())
                    found.push_back(path + ":" + std::to_string(number) + ": #include \"" + target +
                                    "\" (" + why + ")");
            }
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

void WriteSource(const fs::path& root, const std::string& path, const std::string& text) {
    fs::create_directories((root / path).parent_path());
    std::ofstream(root / path) << text;
}

TEST(Layering, TheSourceTreeKeepsItsLayers) {
    EXPECT_THAT(LayeringViolations(testfiles::SourcePath("")), testing::IsEmpty());
}

TEST(Layering, IncludesOfLaterLayersAndOfTestCodeAreReported) {
    const fs::path root = testfiles::NewTempFolder("ponderix-layering");
    WriteSource(root, "forms/bad.cpp", "#include \"forms/ok.h\"\n#include \"data/db_grid.h\"\n");
    WriteSource(root, "skin/bad_win.cpp",
                "#include <windows.h>\n  #  include \"skin/controls/x.h\"\n");
    WriteSource(root, "skin/controls/fine.cpp",
                "#include \"skin/skin_data.h\"\n#include \"forms/a.h\"\n");
    WriteSource(root, "app/fine.cpp",
                "#include \"skin/controls/skin_manager.h\"\n#include \"local.h\"\n");
    WriteSource(root, "data/bad.h", "#pragma once\n#include \"tests/support/gdi_objects.h\"\n");
    WriteSource(root, "bench/bad_bench.cpp",
                "#include \"data/ado_table.h\"\n#include \"tests/skin/x.h\"\n");
    WriteSource(root, "tests/fine_test.cpp",
                "#include \"support/x.h\"\n#include \"app/weights.h\"\n");
    WriteSource(root, "tests/bad_test.cpp", "#include \"bench/timing.h\"\n");
    WriteSource(root, "tools/bad.cpp", "#include \"nowhere/x.h\"\n");

    EXPECT_THAT(
        LayeringViolations(root),
        testing::ElementsAre(
            "bench/bad_bench.cpp:2: #include \"tests/skin/x.h\" (only tests include test code)",
            "data/bad.h:2: #include \"tests/support/gdi_objects.h\" (only tests include test code)",
            "forms/bad.cpp:2: #include \"data/db_grid.h\" (forms comes before data)",
            "skin/bad_win.cpp:2: #include \"skin/controls/x.h\" (skin comes before skin/controls)",
            "tests/bad_test.cpp:1: #include \"bench/timing.h\" (tests do not include benchmarks)",
            "tools/bad.cpp:1: #include \"nowhere/x.h\" (names no folder of the tree)"));
    fs::remove_all(root);
}

}  // namespace
