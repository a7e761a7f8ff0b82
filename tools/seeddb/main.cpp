// seeddb [--force] CSV_DIR OUTPUT_DB
// Writes the section database OUTPUT_DB from every CSV_DIR/*.csv (see data/seed_db.h). Refuses
// to replace an OUTPUT_DB that changed since seeddb last wrote it, unless --force.
// Exit codes: 0 written or up to date, 1 refused or failed, 2 wrong arguments.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "data/seed_db.h"
#include "forms/text.h"

namespace {

int Run(const std::vector<std::filesystem::path>& args) {
    bool force = false;
    std::vector<std::filesystem::path> paths;
    for (const auto& arg : args) {
        if (arg == "--force") {
            force = true;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2) {
        std::fputs("usage: seeddb [--force] CSV_DIR OUTPUT_DB\n", stderr);
        return 2;
    }
    const std::u8string target = paths[1].u8string();
    const std::string shown(target.begin(), target.end());
    try {
        const TSeedSummary summary = SeedDatabase(paths[0], paths[1], force);
        for (const std::string& warning : summary.warnings) {
            std::fprintf(stderr, "seeddb: warning: %s\n", warning.c_str());
        }
        std::printf("seeddb: %s %s (%zu tables, %zu rows)\n", shown.c_str(),
                    summary.written ? "written" : "up to date", summary.tables, summary.rows);
        return 0;
    } catch (const Exception& e) {
        std::fprintf(stderr, "seeddb: %s\n", WideToUtf8(e.Message()).c_str());
        return 1;
    }
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    return Run(std::vector<std::filesystem::path>(argv + 1, argv + argc));
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::filesystem::path>(argv + 1, argv + argc));
}
#endif
