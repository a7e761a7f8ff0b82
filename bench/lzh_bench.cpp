// Speed of the skin store coding, in bytes of decoded (or encoded) data per second.
//
//   Decode/skin, Decode/default_skin   TLZH on 1 MiB of skin archive: generated button, frame and
//   Decode/random                      glyph images with description text; the program's own
//                                      default skin (skins/default) repeated; and random bytes
//   Plain/...                          the baseline: the same decoding written the textbook way,
//                                      one bit per function call, one byte written per call
//   Encode/...                         EncodeLZH on the same inputs
//
//   Speedup/...                        Decode and Plain in turn: times_baseline is the ratio of
//                                      their best times
//
// Goals: Decode at least 2x Plain on skin content and 1.5x on random data; Encode at least
// 6 MB/s. Every decoder's output is compared with the input before timing starts.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/stream.h"
#include "skin/lzh.h"
#include "skin/lzh_encoder.h"
#include "skin/skin_reader.h"
#include "tests/skin/lzh_plain_decoder.h"
#include "tests/skin/skin_test_data.h"

namespace {

using Bytes = std::vector<uint8_t>;

// About 1 MiB of what a skin holds: its description and strips of button, frame and glyph
// images of assorted sizes, packed as a skin archive.
Bytes SkinArchive() {
    std::vector<TSkinEntry> entries;
    const std::string ini = skintest::SkinDescription(120);
    entries.push_back({"skin.ini", Bytes(ini.begin(), ini.end())});
    size_t total = ini.size();
    for (uint32_t i = 0; total < (1u << 20); ++i) {
        const int width = 16 + int(i * 37 % 400), height = 8 + int(i * 13 % 40);
        Bytes bmp = skintest::SkinBitmap(width, height, 1 + int(i % 8), i);
        total += bmp.size();
        entries.push_back({"image" + std::to_string(i) + ".bmp", std::move(bmp)});
    }
    Bytes archive = BuildSkinArchive(entries);
    archive.resize(1u << 20);  // exactly 1 MiB; the cut entry does not matter here
    return archive;
}

// The default skin's files, in name order, repeated until the archive holds 1 MiB.
Bytes DefaultSkinArchive() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(PONDERIX_SOURCE_DIR "/skins/default"))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<TSkinEntry> entries;
    size_t total = 0;
    for (int round = 0; total < (1u << 20); ++round) {
        for (const auto& file : files) {
            TMemoryStream bytes;
            bytes.LoadFromFile(file.wstring());
            total += bytes.Bytes().size();
            entries.push_back({std::to_string(round) + file.filename().string(), bytes.Bytes()});
        }
    }
    Bytes archive = BuildSkinArchive(entries);
    archive.resize(1u << 20);
    return archive;
}

enum TContent { kGeneratedSkin, kDefaultSkin, kRandom };

const Bytes& Content(TContent kind) {
    static const Bytes generated = SkinArchive();
    static const Bytes skin = DefaultSkinArchive();
    static const Bytes random = skintest::RandomBytes(1u << 20, 12345);
    return kind == kGeneratedSkin ? generated : kind == kDefaultSkin ? skin : random;
}

const Bytes& Stream(TContent kind) {
    static const Bytes generated = EncodeLZH(Content(kGeneratedSkin));
    static const Bytes skin = EncodeLZH(Content(kDefaultSkin));
    static const Bytes random = EncodeLZH(Content(kRandom));
    return kind == kGeneratedSkin ? generated : kind == kDefaultSkin ? skin : random;
}

void SetLabel(benchmark::State& state, TContent kind) {
    const double ratio = double(Stream(kind).size()) / double(Content(kind).size());
    state.SetLabel("coded to " + std::to_string(int(ratio * 100 + 0.5)) + "%");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Content(kind).size()));
}

// One decoding by TLZH, and one by the baseline, of a content's stream.
class TDecoders {
public:
    explicit TDecoders(TContent kind) : kind(kind), source(Stream(kind)) {}

    const Bytes& Ours() {
        source.SetPosition(0);
        sink.Clear();
        TLZH().Decode(int64_t(Content(kind).size()), source, sink);
        return sink.Bytes();
    }
    const Bytes& Baseline() {
        plainOutput = plain.Decode(int64_t(Content(kind).size()), Stream(kind));
        return plainOutput;
    }
    bool BothRight() { return Ours() == Content(kind) && Baseline() == Content(kind); }

private:
    TContent kind;
    TMemoryStream source;
    TMemoryStream sink;
    skintest::TPlainLZH plain;
    Bytes plainOutput;
};

void Decode(benchmark::State& state, TContent kind) {
    TDecoders decoders(kind);
    if (!decoders.BothRight()) state.SkipWithError("a decoder's output differs from the input");
    for (auto _ : state) benchmark::DoNotOptimize(decoders.Ours().data());
    SetLabel(state, kind);
}

void Plain(benchmark::State& state, TContent kind) {
    TDecoders decoders(kind);
    if (!decoders.BothRight()) state.SkipWithError("a decoder's output differs from the input");
    for (auto _ : state) benchmark::DoNotOptimize(decoders.Baseline().data());
    SetLabel(state, kind);
}

// The goals' ratio, measured so that both decoders see the same machine: they run in turn,
// and each keeps its best time. Separate runs of Decode and Plain on a shared machine can
// disagree by a tenth.
void Speedup(benchmark::State& state, TContent kind) {
    TDecoders decoders(kind);
    if (!decoders.BothRight()) state.SkipWithError("a decoder's output differs from the input");
    using Clock = std::chrono::steady_clock;
    auto best = Clock::duration::max(), bestBaseline = Clock::duration::max();
    for (auto _ : state) {
        auto start = Clock::now();
        benchmark::DoNotOptimize(decoders.Ours().data());
        best = std::min(best, Clock::now() - start);
        start = Clock::now();
        benchmark::DoNotOptimize(decoders.Baseline().data());
        bestBaseline = std::min(bestBaseline, Clock::now() - start);
    }
    state.counters["times_baseline"] = double(bestBaseline.count()) / double(best.count());
    SetLabel(state, kind);
}

void Encode(benchmark::State& state, TContent kind) {
    for (auto _ : state) {
        Bytes stream = EncodeLZH(Content(kind));
        benchmark::DoNotOptimize(stream.data());
    }
    SetLabel(state, kind);
}

BENCHMARK_CAPTURE(Decode, skin, kGeneratedSkin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Plain, skin, kGeneratedSkin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, default_skin, kDefaultSkin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Plain, default_skin, kDefaultSkin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, random, kRandom)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Plain, random, kRandom)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Speedup, skin, kGeneratedSkin)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK_CAPTURE(Speedup, default_skin, kDefaultSkin)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);
BENCHMARK_CAPTURE(Speedup, random, kRandom)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(Encode, skin, kGeneratedSkin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, default_skin, kDefaultSkin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, random, kRandom)->Unit(benchmark::kMillisecond);

}  // namespace
