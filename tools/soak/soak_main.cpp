// soak: drives the real Ponderix.exe from outside the way a user would, for a number of random
// actions from a seed it prints (and takes back with --seed), on a copy of the section
// database. After every action the program must be alive and answering, and every message box
// it showed one of the calculator's own. At the end its GDI and USER object counts must be
// within 5 of where they were after the warm-up (300 random actions by default), the GDI count
// leaving out Wine's cache of window DCs, and the database must hold exactly the rows the driver
// posted.
//   soak.exe [--seed N] [--actions N] [--warm-up N] [--journal FILE] PONDERIX.EXE WEIGHT.DB
// Exit code 0 when every check held, 1 when one failed, 2 for a usage or set-up error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include "forms/exception.h"
#include "forms/text.h"
#include "tools/soak/program_under_test.h"
#include "tools/soak/soak_run.h"

namespace fs = std::filesystem;

namespace {

constexpr int kObjectSlack = 5;

// The GDI object types whose count moved, as one line: which kind of object a leak makes is the
// first thing to know when the totals moved.
void PrintObjectTypesThatMoved(const soak::TGdiCount& before, const soak::TGdiCount& after) {
    std::map<int, std::pair<int, int>> both;
    for (const auto& [type, n] : before.byType) both[type].first = n;
    for (const auto& [type, n] : after.byType) both[type].second = n;
    const std::map<int, const char*> names{
        {0x01, "window DC"}, {0x04, "region"},      {0x05, "surface"}, {0x08, "palette"},
        {0x09, "bitmap"},    {0x0a, "font"},        {0x10, "brush"},   {0x30, "pen"},
        {0x41, "memory DC"}, {0x50, "extended pen"}};
    std::string line;
    for (const auto& [type, counts] : both) {
        if (counts.first == counts.second) continue;
        const auto name = names.find(type);
        char label[32];
        std::snprintf(label, sizeof label, "type 0x%02x", type);
        line += std::string(" ") + (name != names.end() ? name->second : label) + " " +
                std::to_string(counts.first) + " -> " + std::to_string(counts.second) + ";";
    }
    if (!line.empty()) std::printf("soak: GDI objects by type that moved:%s\n", line.c_str());
}

struct TOptions {
    uint32_t seed = 0;
    int actions = 1000;
    int warmUp = 300;
    fs::path program, database;
    fs::path journal;  // where the whole journal is written, when given
};

bool ParseOptions(int argc, wchar_t** argv, TOptions& options) {
    options.seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--journal" && i + 1 < argc) {
            options.journal = argv[++i];
        } else if ((arg == L"--seed" || arg == L"--actions" || arg == L"--warm-up") &&
                   i + 1 < argc) {
            const unsigned long value = std::wcstoul(argv[++i], nullptr, 10);
            if (arg == L"--seed")
                options.seed = static_cast<uint32_t>(value);
            else if (arg == L"--actions")
                options.actions = static_cast<int>(value);
            else
                options.warmUp = static_cast<int>(value);
        } else if (positional == 0) {
            options.program = argv[i], ++positional;
        } else if (positional == 1) {
            options.database = argv[i], ++positional;
        } else {
            return false;
        }
    }
    options.program = fs::absolute(options.program);
    options.database = fs::absolute(options.database);
    return positional == 2;
}

void WriteJournal(const soak::TSoakRun& run, const fs::path& path) {
    std::ofstream out(path);
    for (const std::string& line : run.Journal()) out << line << '\n';
}

// Prints the end of the journal, so that a failure can be read without the whole run.
void PrintJournalTail(const soak::TSoakRun& run, size_t lines) {
    const auto& journal = run.Journal();
    for (size_t i = journal.size() > lines ? journal.size() - lines : 0; i < journal.size(); ++i)
        std::printf("  %s\n", journal[i].c_str());
}

int Run(const TOptions& options, const fs::path& folder) {
    const fs::path copy = folder / "weight.db";
    fs::copy_file(options.database, copy, fs::copy_options::overwrite_existing);
    soak::TSectionModel model = soak::TSectionModel::Read(WideToUtf8(copy.wstring()));
    std::printf(
        "soak: seed %u, %d actions after %d to warm up (repeat with --seed %u), "
        "database %zu rows\n",
        options.seed, options.actions, options.warmUp, options.seed, model.RowCount());
    std::fflush(stdout);

    bool failed = false;
    soak::TGdiCount gdiBefore, gdiAfter;
    int userBefore = 0, userAfter = 0, exitCode = 0;
    std::vector<std::string> posted;
    {
        soak::TProgramUnderTest program(options.program, folder);
        soak::TSoakRun run(program, model, options.seed);
        int done = 0;
        // The program makes some objects the first time each thing is done (a grid's cell editor,
        // a control's first hot look, ...): the counts are taken after some random actions.
        // The counts as the program starts, against those after the warm-up, show that they
        // follow the objects the program makes.
        const int gdiStart = program.GdiObjects().total, userStart = program.UserObjects();
        bool warm = run.WarmUp();
        for (int i = 0; warm && i < options.warmUp; ++i) warm = run.Step();
        if (warm) {
            gdiBefore = program.GdiObjects();
            userBefore = program.UserObjects();
            std::printf(
                "soak: GDI objects %d, USER objects %d at start; %d and %d after the warm-up\n",
                gdiStart, userStart, gdiBefore.total, userBefore);
            std::fflush(stdout);
            while (done < options.actions && run.Step())
                if (++done % 250 == 0) {
                    const soak::TGdiCount gdi = program.GdiObjects();
                    std::printf("soak: %d actions, GDI objects %d, USER objects %d\n", done,
                                gdi.total, program.UserObjects());
                    PrintObjectTypesThatMoved(gdiBefore, gdi);
                    std::fflush(stdout);
                }
        }
        if (run.Failure().empty()) run.Finish();
        if (!options.journal.empty()) WriteJournal(run, options.journal);
        if (!run.Failure().empty()) {
            std::printf("soak: FAILED after %d actions: %s\n", done, run.Failure().c_str());
            PrintJournalTail(run, 25);
            return 1;
        }
        gdiAfter = program.GdiObjects();
        userAfter = program.UserObjects();
        PrintObjectTypesThatMoved(gdiBefore, gdiAfter);
        for (const auto& [text, count] : run.BoxesSeen())
            std::printf("soak: %5d error boxes %s\n", count, WideToUtf8(text).c_str());
        posted = run.RowsPosted();
        std::printf("soak: %5d times the help window was closed to reach what it covered\n",
                    run.HelpClosedToReach());
        std::printf("soak: %5d times a combo box's button needed a second click\n",
                    run.DropDownsClickedTwice());
        for (const auto& [what, time] : run.TimeByAction())
            std::printf("soak: %5d x %-32s %7.1f ms each, %6.1f s in all\n", time.count,
                        what.c_str(), time.milliseconds / time.count, time.milliseconds / 1000);
        exitCode = program.CloseAndWait();
    }
    const int programGdiBefore = gdiBefore.OutsideWindowDcCache();
    const int programGdiAfter = gdiAfter.OutsideWindowDcCache();
    std::printf(
        "soak: GDI objects %d -> %d (%d -> %d outside Wine's window DC cache), "
        "USER objects %d -> %d\n",
        gdiBefore.total, gdiAfter.total, programGdiBefore, programGdiAfter, userBefore, userAfter);
    if (gdiBefore.total <= 0 || std::abs(programGdiAfter - programGdiBefore) > kObjectSlack ||
        std::abs(userAfter - userBefore) > kObjectSlack) {
        std::printf("soak: FAILED: the object counts moved by more than %d\n", kObjectSlack);
        failed = true;
    }
    if (exitCode != 0) {
        std::printf("soak: FAILED: the program ended with exit code %d\n", exitCode);
        failed = true;
    }
    const auto differences =
        model.Differences(soak::TSectionModel::Read(WideToUtf8(copy.wstring())));
    std::printf("soak: %zu rows posted, inserted or deleted; the database holds %zu rows\n",
                posted.size(), model.RowCount());
    for (size_t i = 0; i < differences.size() && i < 20; ++i)
        std::printf("soak: database: %s\n", differences[i].c_str());
    if (!differences.empty()) {
        std::printf("soak: FAILED: the database does not hold the rows posted\n");
        failed = true;
    }
    std::printf("soak: %s (seed %u)\n", failed ? "FAILED" : "passed", options.seed);
    return failed ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: soak.exe [--seed N] [--actions N] [--warm-up N] [--journal FILE] "
                     "PONDERIX.EXE WEIGHT.DB\n");
        return 2;
    }
    const fs::path folder =
        fs::temp_directory_path() / ("ponderix-soak-" + std::to_string(GetCurrentProcessId()));
    int result = 2;
    try {
        fs::create_directories(folder);
        result = Run(options, folder);
    } catch (const Exception& e) {
        std::fprintf(stderr, "soak: %s\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soak: %s\n", e.what());
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return result;
}
