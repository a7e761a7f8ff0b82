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
#include "tests/skin/skin_test_data.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The textbook decoder: a 16-bit bit buffer filled one byte at a time, one call per bit, one
// call per output byte, the ring buffer addressed modulo 4096, and the tree code as first
// written. It shares no code with TLZH.
class TPlainDecoder {
public:
    Bytes Decode(size_t size, const Bytes& stream) {
        input = stream.data();
        inputSize = stream.size();
        next = 0;
        bitBuffer = 0;
        bitCount = 0;
        output.clear();
        output.reserve(size + 60);
        StartModel();
        for (int i = 0; i < N - F; ++i) ring[i] = ' ';
        for (int i = N - F; i < N + F - 1; ++i) ring[i] = 0;
        int r = N - F;
        size_t count = 0;
        while (count < size) {
            const int c = DecodeChar();
            if (c < 256) {
                PutByte(uint8_t(c));
                ring[r++] = uint8_t(c);
                r &= N - 1;
                ++count;
            } else {
                const int start = (r - DecodePosition() - 1) & (N - 1);
                const int length = c - 255 + THRESHOLD;
                for (int k = 0; k < length; ++k) {
                    const uint8_t b = ring[(start + k) & (N - 1)];
                    PutByte(b);
                    ring[r++] = b;
                    r &= N - 1;
                    ++count;
                }
            }
        }
        return output;
    }

private:
    static constexpr int N = 4096, F = 60, THRESHOLD = 2, N_CHAR = 256 - THRESHOLD + F;
    static constexpr int T = N_CHAR * 2 - 1, R = T - 1, MAX_FREQ = 0x8000;

    [[gnu::noinline]] int GetC() { return next < inputSize ? input[next++] : -1; }

    [[gnu::noinline]] int GetBit() {
        while (bitCount <= 8) {
            int i = GetC();
            if (i < 0) i = 0;
            bitBuffer |= unsigned(i) << (8 - bitCount);
            bitCount += 8;
        }
        const unsigned i = bitBuffer;
        bitBuffer = (bitBuffer << 1) & 0xFFFF;
        bitCount--;
        return int((i >> 15) & 1);
    }

    [[gnu::noinline]] int GetByte() {
        while (bitCount <= 8) {
            int i = GetC();
            if (i < 0) i = 0;
            bitBuffer |= unsigned(i) << (8 - bitCount);
            bitCount += 8;
        }
        const unsigned i = bitBuffer;
        bitBuffer = (bitBuffer << 8) & 0xFFFF;
        bitCount -= 8;
        return int(i >> 8);
    }

    [[gnu::noinline]] void PutByte(uint8_t b) { output.push_back(b); }

    void StartModel() {
        for (int i = 0; i < N_CHAR; i++) {
            freq[i] = 1;
            son[i] = i + T;
            prnt[i + T] = i;
        }
        int i = 0, j = N_CHAR;
        while (j <= R) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
            i += 2;
            j++;
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }

    void Reconstruct() {
        int j = 0;
        for (int i = 0; i < T; i++) {
            if (son[i] >= T) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                j++;
            }
        }
        for (int i = 0, jj = N_CHAR; jj < T; i += 2, jj++) {
            const unsigned f = freq[jj] = freq[i] + freq[i + 1];
            int k = jj - 1;
            while (f < freq[k]) k--;
            k++;
            std::memmove(&freq[k + 1], &freq[k], (jj - k) * sizeof freq[0]);
            freq[k] = f;
            std::memmove(&son[k + 1], &son[k], (jj - k) * sizeof son[0]);
            son[k] = i;
        }
        for (int i = 0; i < T; i++) {
            const int k = son[i];
            if (k >= T) {
                prnt[k] = i;
            } else {
                prnt[k] = prnt[k + 1] = i;
            }
        }
    }

    void Update(int c) {
        if (freq[R] == MAX_FREQ) Reconstruct();
        c = prnt[c + T];
        do {
            const unsigned k = ++freq[c];
            int l = c + 1;
            if (k > freq[l]) {
                while (k > freq[++l]) {
                }
                l--;
                freq[c] = freq[l];
                freq[l] = k;
                const int i = son[c];
                prnt[i] = l;
                if (i < T) prnt[i + 1] = l;
                const int j = son[l];
                son[l] = i;
                prnt[j] = c;
                if (j < T) prnt[j + 1] = c;
                son[c] = j;
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }

    int DecodeChar() {
        unsigned c = son[R];
        while (c < unsigned(T)) c = son[c + GetBit()];
        c -= T;
        Update(int(c));
        return int(c);
    }

    int DecodePosition() {
        unsigned i = unsigned(GetByte());
        unsigned high, bits;
        if (i < 0x20)
            high = 0, bits = 3;
        else if (i < 0x50)
            high = 1 + (i - 0x20) / 16, bits = 4;
        else if (i < 0x90)
            high = 4 + (i - 0x50) / 8, bits = 5;
        else if (i < 0xC0)
            high = 12 + (i - 0x90) / 4, bits = 6;
        else if (i < 0xF0)
            high = 24 + (i - 0xC0) / 2, bits = 7;
        else
            high = 48 + (i - 0xF0), bits = 8;
        for (unsigned n = 0; n < bits - 2; ++n) i = (i << 1) + unsigned(GetBit());
        return int((high << 6) | (i & 0x3F));
    }

    const uint8_t* input = nullptr;
    size_t inputSize = 0, next = 0;
    unsigned bitBuffer = 0, bitCount = 0;
    Bytes output;
    uint8_t ring[N + F - 1];
    unsigned freq[T + 1];
    int prnt[T + N_CHAR];
    int son[T];
};

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
    for (const auto& entry : std::filesystem::directory_iterator(PONDERIX_SOURCE_DIR "/skins/default"))
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
        plainOutput = plain.Decode(Content(kind).size(), Stream(kind));
        return plainOutput;
    }
    bool BothRight() { return Ours() == Content(kind) && Baseline() == Content(kind); }

private:
    TContent kind;
    TMemoryStream source;
    TMemoryStream sink;
    TPlainDecoder plain;
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
BENCHMARK_CAPTURE(Speedup, default_skin, kDefaultSkin)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK_CAPTURE(Speedup, random, kRandom)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(Encode, skin, kGeneratedSkin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, default_skin, kDefaultSkin)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, random, kRandom)->Unit(benchmark::kMillisecond);

}  // namespace
