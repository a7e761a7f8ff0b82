// skintool list STORE
//
// One line per entry: index, size and name; the entry that the skin component takes as the
// skin description (the first whose name contains ".ini") is marked.

#include <cstdio>
#include <string>

#include "skin/skin_reader.h"
#include "tools/skintool/skintool.h"
#include "tools/skintool/tool_files.h"

void ListCommand(TSkinToolArgs args, TSkinToolIO io) {
    if (args.size() != 1) throw ESkinToolUsage(L"expects one store file");
    TSkinReader reader;
    const std::vector<uint8_t> store = OpenStoreFile(args[0], reader);
    const uint32_t archiveSize =
        uint32_t(store[0]) | uint32_t(store[1]) << 8 | uint32_t(store[2]) << 16 |
        uint32_t(store[3]) << 24;  // Open succeeded, so the size field is there
    io.out << "store \"" << args[0] << "\": " << store.size() << " bytes, archive " << archiveSize
           << " bytes, version " << reader.Header().version << ", " << reader.Count()
           << " entries\n";

    int description = -1;
    for (int i = 0; i < reader.Count() && description < 0; ++i)
        if (reader.Names()[size_t(i)].find(".ini") != std::string::npos) description = i;
    for (int i = 0; i < reader.Count(); ++i) {
        char line[40];
        std::snprintf(line, sizeof line, "%5d %10d  ", i, int(reader.EntrySize(i)));
        io.out << line << reader.Names()[size_t(i)]
               << (i == description ? "  (skin description)" : "") << '\n';
    }
    if (description < 0) io.out << "no entry is a skin description (no name contains .ini)\n";
}
