// skinart [SKIN] FOLDER: writes the images of one of the project's skins into FOLDER: SKIN is
// "default" (the default, normally into skins/default) or "slate" (skins/slate). The images are
// committed; a test compares them with what this program draws.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/skinart/default_images.h"
#include "tools/skinart/slate_images.h"

namespace {

struct TImageSet {
    const char* name;
    std::vector<SkinArtFile> (*draw)();
};
constexpr TImageSet kSets[] = {
    {"default", MakeDefaultSkinImages},
    {"slate", MakeSlateSkinImages},
};

int Usage() {
    std::fprintf(stderr, "usage: skinart [default|slate] FOLDER\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) return Usage();
    const char* setName = argc == 3 ? argv[1] : "default";
    const char* folder = argv[argc - 1];
    const TImageSet* set = nullptr;
    for (const TImageSet& candidate : kSets)
        if (std::strcmp(candidate.name, setName) == 0) set = &candidate;
    if (!set) return Usage();
    for (const SkinArtFile& file : set->draw()) {
        const std::string path = std::string(folder) + "/" + file.name;
        FILE* out = std::fopen(path.c_str(), "wb");
        const bool written =
            out && std::fwrite(file.bytes.data(), 1, file.bytes.size(), out) == file.bytes.size();
        if (out && std::fclose(out) != 0) {
            std::perror(path.c_str());
            return 1;
        }
        if (!written) {
            std::perror(path.c_str());
            return 1;
        }
    }
    return 0;
}
