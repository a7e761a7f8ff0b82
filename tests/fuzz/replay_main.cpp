// Runs a fuzz target without libFuzzer: first its seed corpus (made in code by the target's
// PonderixFuzzSeeds, when it has one), then every file under the paths given. With
// `--write-corpus DIR` it only writes the seeds to DIR, as the starting corpus of a fuzzing run.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
__attribute__((weak)) void PonderixFuzzSeeds(std::vector<std::string>& seeds);

namespace fs = std::filesystem;

static void RunOne(const std::string& bytes) {
    // An exact-size heap copy, so that AddressSanitizer sees a one-byte overrun.
    std::vector<uint8_t> copy(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(copy.empty() ? nullptr : copy.data(), copy.size());
}

static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int main(int argc, char** argv) {
    std::vector<std::string> seeds;
    if (PonderixFuzzSeeds) PonderixFuzzSeeds(seeds);

    if (argc == 3 && std::string(argv[1]) == "--write-corpus") {
        fs::create_directories(argv[2]);
        for (size_t i = 0; i < seeds.size(); ++i) {
            std::ofstream(fs::path(argv[2]) / ("seed-" + std::to_string(i)), std::ios::binary)
                << seeds[i];
        }
        std::printf("%zu seeds written to %s\n", seeds.size(), argv[2]);
        return 0;
    }

    size_t count = 0;
    for (const std::string& seed : seeds) {
        RunOne(seed);
        ++count;
    }
    for (int i = 1; i < argc; ++i) {
        if (!fs::exists(argv[i])) continue;
        for (const auto& entry : fs::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;
            RunOne(ReadFile(entry.path()));
            ++count;
        }
    }
    if (count == 0) {
        std::fprintf(stderr, "replay: no inputs (no seeds and no corpus files)\n");
        return 1;
    }
    std::printf("replay: %zu inputs ran cleanly\n", count);
    return 0;
}
