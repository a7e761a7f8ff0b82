// skintool pack DIR OUT
//
// Entry order in the store: the skin description first, then the images sorted by their
// lower-cased names (byte order). Names keep the letter case of the files; the reader folds
// them when it opens the store. The folder must hold exactly one *.ini file; *.bmp files must
// be BMP files; other files and subfolders are skipped with a warning.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/text.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"
#include "tools/skintool/skintool.h"
#include "tools/skintool/tool_files.h"

namespace fs = std::filesystem;

namespace {

struct TFoundFile {
    fs::path path;
    std::string name;    // the entry name: the file name's bytes
    std::string folded;  // ASCII lower-cased, for sorting and duplicate checks
};

std::string EntryName(const fs::path& path) {
#ifdef _WIN32
    // Skin names are ANSI text; a name the code page cannot spell raises here.
    return path.filename().string();
#else
    return PathText(path.filename());
#endif
}

}  // namespace

void PackCommand(TSkinToolArgs args, TSkinToolIO io) {
    if (args.size() != 2) throw ESkinToolUsage(L"expects a folder and an output file");
    const fs::path folder = args[0];
    const fs::path output = args[1];
    std::error_code error;
    if (!fs::is_directory(folder, error)) Fail("\"" + args[0] + "\" is not a folder");

    std::vector<TFoundFile> descriptions, images;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = EntryName(entry.path());
        const std::string folded = AsciiLowerCase(name);
        const std::string extension = AsciiLowerCase(PathText(entry.path().extension()));
        if (!entry.is_regular_file() || (extension != ".ini" && extension != ".bmp")) {
            io.err << "skipping \"" << PathText(entry.path()) << "\": not a .ini or .bmp file\n";
            continue;
        }
        (extension == ".ini" ? descriptions : images).push_back({entry.path(), name, folded});
    }
    if (descriptions.size() != 1) {
        std::string found;
        for (const TFoundFile& f : descriptions) found += " \"" + f.name + "\"";
        Fail("\"" + args[0] + "\" must hold exactly one skin description (*.ini), found " +
             std::to_string(descriptions.size()) + (found.empty() ? "" : ":" + found));
    }
    std::sort(images.begin(), images.end(),
              [](const TFoundFile& a, const TFoundFile& b) { return a.folded < b.folded; });
    for (size_t i = 1; i < images.size(); ++i) {
        if (images[i].folded == images[i - 1].folded) {
            Fail("\"" + images[i - 1].name + "\" and \"" + images[i].name +
                 "\" differ only in letter case; the store could only ever return the first");
        }
    }

    std::vector<TSkinEntry> entries;
    entries.push_back({descriptions[0].name, ReadFileBytes(descriptions[0].path)});
    for (const TFoundFile& image : images) {
        std::vector<uint8_t> bytes = ReadFileBytes(image.path);
        if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
            Fail("\"" + PathText(image.path) + "\" is not a BMP file (it does not start with BM)");
        entries.push_back({image.name, std::move(bytes)});
    }

    const std::vector<uint8_t> archive = BuildSkinArchive(entries);
    const std::vector<uint8_t> store = PackSkinStore(archive);
    WriteFileBytes(output, store);
    io.out << "packed " << entries.size() << " entries (\"" << entries[0].name << "\" and "
           << images.size() << " images): archive " << archive.size() << " bytes, store "
           << store.size() << " bytes\n";
}
