#pragma once
// Files for portable tests (host and Windows builds alike): the source tree's own files, whole
// files read and written as bytes or text, and private temporary folders.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace testfiles {

// A file or folder of the source tree, by its path from the tree's root: the root the build
// names (PONDERIX_SOURCE_DIR), or else the one found from this header's own path as the compiler
// saw it (relative to the test's folder in the build tree when the compiler was given relative
// paths). Under Wine an absolute Unix path is reached through drive Z:.
inline std::filesystem::path SourcePath(const std::filesystem::path& relative) {
#ifdef PONDERIX_SOURCE_DIR
    const std::filesystem::path root = PONDERIX_SOURCE_DIR;
#else
    const std::filesystem::path header = __FILE__;
    const std::filesystem::path root = header.parent_path().parent_path().parent_path();
#endif
    std::filesystem::path path = root / relative;
    if (!std::filesystem::exists(path) && path.has_root_directory()) {
        path = "Z:" + path.generic_string();
    }
    return path;
}

// The default skin's sources, skins/default.
inline std::filesystem::path DefaultSkinFolder() { return SourcePath("skins/default"); }

// The whole file; empty when it cannot be read.
inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A new, empty folder under the system's temporary folder. Other test runs may share the
// machine at the same time, so the name carries a random part and must not exist yet.
inline std::filesystem::path NewTempFolder(const std::string& prefix) {
    std::random_device random;
    for (;;) {
        const auto path = std::filesystem::temp_directory_path() /
                          (prefix + "_" + std::to_string(random()) + std::to_string(random()));
        if (std::filesystem::create_directory(path)) return path;
    }
}

}  // namespace testfiles
