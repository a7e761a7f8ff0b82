// The portable pixel work of the skin engine at full-screen sizes: the region scan of a window
// shape (BitmapToRegion), BMP decoding, and the nine-slice geometry computed on every paint.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <span>
#include <vector>

#include "forms/bmp_decoder.h"
#include "skin/bitmap_region.h"
#include "skin/bitmap_slice.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr uint32_t kKey = 0xFF00FF;

void SetPixel(TPixelImage& image, int x, int y, uint8_t red, uint8_t green, uint8_t blue) {
    uint8_t* p = image.Row(y) + size_t(x) * 4;
    p[0] = blue, p[1] = green, p[2] = red, p[3] = 0;
}

// A window frame image: opaque everywhere except magenta outside quarter circles of radius 12
// in the four corners, as a skinned frame with rounded corners looks.
TPixelImage RoundedFrame() {
    TPixelImage image(TPixelFormat::pf32bit, kWidth, kHeight);
    const int r = 12;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int cx = x < r ? r - x : x >= kWidth - r ? x - (kWidth - r - 1) : 0;
            const int cy = y < r ? r - y : y >= kHeight - r ? y - (kHeight - r - 1) : 0;
            const bool outside = cx * cx + cy * cy > r * r;
            if (outside) {
                SetPixel(image, x, y, 255, 0, 255);
            } else {
                SetPixel(image, x, y, uint8_t(x), uint8_t(y), 40);
            }
        }
    }
    return image;
}

// The worst case: key and opaque pixels alternate, so every other pixel starts a run.
TPixelImage Alternating() {
    TPixelImage image(TPixelFormat::pf32bit, kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if ((x + y) % 2 == 0) {
                SetPixel(image, x, y, 255, 0, 255);
            } else {
                SetPixel(image, x, y, 0, 0, 0);
            }
        }
    }
    return image;
}

void ScanRegion(benchmark::State& state, const TPixelImage& image) {
    size_t rects = 0;
    size_t batches = 0;
    for (auto _ : state) {
        rects = 0;
        batches = 0;
        ScanOpaqueRuns(image.View(), 0, 0, kKey, 1, 1, 1, [&](std::span<const TRect> batch) {
            rects += batch.size();
            ++batches;
            benchmark::DoNotOptimize(batch.data());
        });
    }
    state.counters["rects"] = double(rects);
    state.counters["batches"] = double(batches);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(image.bytes.size()));
}

void BM_RegionScanRoundedFrame(benchmark::State& state) {
    static const TPixelImage image = RoundedFrame();
    ScanRegion(state, image);
}
BENCHMARK(BM_RegionScanRoundedFrame)->Unit(benchmark::kMillisecond);

void BM_RegionScanAlternating(benchmark::State& state) {
    static const TPixelImage image = Alternating();
    ScanRegion(state, image);
}
BENCHMARK(BM_RegionScanAlternating)->Unit(benchmark::kMillisecond);

void BM_DecodeBmp24(benchmark::State& state) {
    TPixelImage image(TPixelFormat::pf24bit, kWidth, kHeight);
    for (size_t i = 0; i < image.bytes.size(); ++i) image.bytes[i] = uint8_t(i * 7 + i / 4096);
    const std::vector<uint8_t> file = EncodeBmp(image);
    for (auto _ : state) {
        TPixelImage decoded = DecodeBmp(file);
        benchmark::DoNotOptimize(decoded.bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(BM_DecodeBmp24)->Unit(benchmark::kMillisecond);

// Cell lookup plus the piece table, for a spread of destination sizes as frames and buttons
// are painted.
void BM_NineSlicePieces(benchmark::State& state) {
    const TRect margins{6, 24, 6, 6};
    int size = 0;
    for (auto _ : state) {
        size = (size + 37) % 1500;
        const auto cell = CellRect(300, 80, 1 + size % 3, 3, false);
        const TNineSlice slice =
            NineSlicePieces({0, 0, 20 + size, 10 + size / 2}, *cell, margins,
                            size % 2 ? TCentreMode::Tile : TCentreMode::Stretch);
        benchmark::DoNotOptimize(slice);
    }
}
BENCHMARK(BM_NineSlicePieces);

}  // namespace
