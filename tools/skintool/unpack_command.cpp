// skintool unpack STORE DIR
//
// Writes each entry to DIR under its lower-cased name. The names come from the store, which may
// come from anywhere, so every name is checked to be a plain file name before anything is
// written. A second entry of the same name is skipped: the program only ever reads the first.

#include <filesystem>
#include <set>
#include <string>

#include "forms/stream.h"
#include "skin/skin_reader.h"
#include "tools/skintool/skintool.h"
#include "tools/skintool/tool_files.h"

namespace fs = std::filesystem;

namespace {

// Why name cannot be used as a file name inside the target folder; empty when it can.
std::string UnsafeName(const std::string& name) {
    if (name.empty()) return "it is empty";
    if (name == "." || name == "..") return "it names a folder";
    for (const char c : name) {
        if (c == '/' || c == '\\' || c == ':') return "it holds a path separator or drive colon";
        if (static_cast<unsigned char>(c) < 0x20) return "it holds a control character";
    }
    return {};
}

fs::path FilePath(const fs::path& folder, const std::string& name) {
#ifdef _WIN32
    return folder / fs::path(name);  // ANSI bytes, read in the active code page
#else
    return folder / fs::path(std::u8string(name.begin(), name.end()));
#endif
}

}  // namespace

void UnpackCommand(TSkinToolArgs args, TSkinToolIO io) {
    if (args.size() != 2) throw ESkinToolUsage(L"expects a store file and a target folder");
    TSkinReader reader;
    OpenStoreFile(args[0], reader);
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Names()[size_t(i)];
        if (const std::string why = UnsafeName(name); !why.empty())
            Fail("entry " + std::to_string(i) + " (\"" + name + "\") cannot be unpacked: " + why);
    }

    const fs::path folder = args[1];
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder)) Fail("cannot create the folder \"" + args[1] + "\"");
    std::set<std::string> written;
    TMemoryStream entry;
    for (const std::string& name : reader.Names()) {
        if (!written.insert(name).second) {
            io.err << "skipping a second entry named \"" << name
                   << "\": lookups return the first\n";
            continue;
        }
        reader.GetEntry(name, entry);
        WriteFileBytes(FilePath(folder, name), entry.Bytes());
    }
    io.out << "unpacked " << written.size() << " entries to \"" << args[1] << "\"\n";
}
