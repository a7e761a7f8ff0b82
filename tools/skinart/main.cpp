// skinart FOLDER: writes the default skin's images into FOLDER (normally skins/default).
// The images are committed; a test compares them with what this program draws.
#include <cstdio>
#include <string>

#include "tools/skinart/default_images.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skinart FOLDER\n");
        return 2;
    }
    for (const SkinArtFile& file : MakeDefaultSkinImages()) {
        const std::string path = std::string(argv[1]) + "/" + file.name;
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
