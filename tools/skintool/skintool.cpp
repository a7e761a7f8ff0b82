#include "tools/skintool/skintool.h"

#include <exception>

namespace {

constexpr TSkinToolCommand kCommands[] = {
    {"pack", "DIR OUT",
     "store DIR's skin description (*.ini) and images (*.bmp) in the skin store OUT:\n"
     "      the description first, then the images by lower-cased name; version 20000",
     PackCommand},
    {"unpack", "STORE DIR", "write every entry of the skin store STORE into the folder DIR",
     UnpackCommand},
    {"list", "STORE", "show the entries of the skin store STORE", ListCommand},
    {"preview", "STORE OUT.bmp",
     "draw every element of the skin in STORE, each cell numbered, on one sheet OUT.bmp\n"
     "      (Windows build only)",
     PreviewCommand},
    {"gallery", "STORE [--close-after MS]",
     "show every control the engine skins, in windows skinned with STORE; STORE is reloaded\n"
     "      when it changes (Windows build only)",
     GalleryCommand},
};

void PrintUsage(std::ostream& to) {
    to << "usage:\n";
    for (const TSkinToolCommand& command : kCommands) {
        to << "  skintool " << command.name << ' ' << command.arguments << "\n      "
           << command.summary << '\n';
    }
}

}  // namespace

int RunSkinTool(TSkinToolArgs args, TSkinToolIO io) {
    if (args.empty()) {
        PrintUsage(io.err);
        return 2;
    }
    for (const TSkinToolCommand& command : kCommands) {
        if (args[0] != command.name) continue;
        try {
            command.run(args.subspan(1), io);
            return 0;
        } catch (const ESkinToolUsage& e) {
            io.err << "skintool " << command.name << ": " << e.what() << "\nusage: skintool "
                   << command.name << ' ' << command.arguments << '\n';
            return 2;
        } catch (const Exception& e) {
            io.err << "skintool " << command.name << ": error: " << e.what() << '\n';
            return 1;
        } catch (const std::exception& e) {
            io.err << "skintool " << command.name << ": error: " << e.what() << '\n';
            return 1;
        }
    }
    io.err << "skintool: unknown command \"" << args[0] << "\"\n";
    PrintUsage(io.err);
    return 2;
}
