// Timings of the Win32 bitmap utilities at full-screen size, run under Wine (or Windows):
//   tools/wine-session tools/wine-run build/win64/bench/bitmap_win_bench.exe
// Each figure is the median of several runs, in milliseconds. Goals on the project machine under
// Wine: the 1920 x 1080 framed region under 10 ms, the 1920 x 1080 nine-slice under 5 ms.
//
// The region rows compare batch sizes for ExtCreateRegion (the builder's is kRegionBatchWin)
// and, as a baseline, uniting each batch of 2000 into the result in turn.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "bench/win_bench_timing.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_region.h"
#include "skin/bitmap_region_win.h"
#include "skin/bitmap_slice_win.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void Paint(TBitmap& bitmap, TPixelFormat format, bool (*keyed)(int x, int y)) {
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(kWidth, kHeight);
    const TPixelView pixels = bitmap.Pixels();
    const int step = format == TPixelFormat::pf32bit ? 4 : 3;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* p = pixels.Row(y) + x * step;
            const bool key = keyed(x, y);
            p[0] = key ? 255 : 40, p[1] = key ? 0 : uint8_t(y), p[2] = key ? 255 : uint8_t(x);
        }
    }
}

// A window frame: magenta outside quarter circles of radius 12 in the four corners.
bool RoundedCorner(int x, int y) {
    const int r = 12;
    const int cx = x < r ? r - x : x >= kWidth - r ? x - (kWidth - r - 1) : 0;
    const int cy = y < r ? r - y : y >= kHeight - r ? y - (kHeight - r - 1) : 0;
    return cx * cx + cy * cy > r * r;
}
// The worst case: every other pixel starts a run.
bool Alternating(int x, int y) { return (x + y) % 2 == 0; }

// The baseline: batches of 2000, each united into the result in turn.
OwnedRegion UnitedInTurn(TBitmap& bitmap) {
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    std::vector<uint8_t> data;
    ScanOpaqueRuns(bitmap.Pixels(), 0, 0, 0xFF00FF, 1, 1, 1, [&](std::span<const TRect> batch) {
        data.assign(sizeof(RGNDATAHEADER) + batch.size() * sizeof(RECT), 0);
        auto* header = reinterpret_cast<RGNDATA*>(data.data());
        header->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, DWORD(batch.size()), 0, {}};
        header->rdh.rcBound = {0, 0, kWidth, kHeight};
        std::copy(batch.begin(), batch.end(), reinterpret_cast<TRect*>(header->Buffer));
        HRGN part = ExtCreateRegion(nullptr, DWORD(data.size()), header);
        CombineRgn(result, result, part, RGN_OR);
        DeleteObject(part);
    });
    return OwnedRegion(result);
}

DWORD RegionRectCount(HRGN region) {
    std::vector<uint8_t> data(GetRegionData(region, 0, nullptr));
    GetRegionData(region, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
    return reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount;
}

void RegionRows(const char* name, bool (*keyed)(int, int), int runs, bool baseline) {
    TBitmap bitmap;
    Paint(bitmap, TPixelFormat::pf32bit, keyed);
    const OwnedRegion sample = BitmapToRegion(bitmap, 0, 0, 0xFF00FF, 1, 1, 1);
    std::printf("BitmapToRegion %s 1920x1080 (%lu rectangles in the region)\n", name,
                RegionRectCount(sample.Get()));
    for (size_t batch : {size_t(2000), size_t(1000), size_t(500), size_t(256), size_t(128),
                         size_t(64), size_t(32), size_t(16), size_t(8)}) {
        const double ms =
            Median(runs, [&] { BitmapToRegion(bitmap, 0, 0, 0xFF00FF, 1, 1, 1, batch); });
        std::printf("  batches of %4zu, united pairwise%s: %8.2f ms\n", batch,
                    batch == kRegionBatchWin ? " (the builder's)" : "                ", ms);
    }
    if (baseline) {
        const double ms = Median(runs, [&] { UnitedInTurn(bitmap); });
        std::printf("  batches of 2000, united in turn (baseline):  %8.2f ms\n", ms);
    }
    // From pf24bit: the conversion to pf32bit is part of the call.
    TBitmap source, copy;
    Paint(source, TPixelFormat::pf24bit, keyed);
    const double ms = Median(
        runs, [&] { BitmapToRegion(copy, 0, 0, 0xFF00FF, 1, 1, 1); }, [&] { copy.Assign(source); });
    std::printf("  from a pf24bit bitmap (converted in the call):    %8.2f ms\n", ms);
}

void NineSliceRows(int runs) {
    TBitmap strip;  // three cells of 64 x 64
    strip.SetSize(192, 64);
    const TPixelView pixels = strip.Pixels();
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 192; ++x) {
            uint8_t* p = pixels.Row(y) + x * 3;
            p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = uint8_t(x ^ y);
        }
    }
    const TRect dest{0, 0, kWidth, kHeight}, margins{8, 30, 8, 8};
    std::printf("MakeNineSlice 1920x1080 from a 64x64 cell, margins 8, 30, 8, 8\n");
    for (bool tile : {false, true}) {
        const double ms =
            Median(runs, [&] { MakeNineSlice(dest, strip, margins, 2, 3, tile, false); });
        std::printf("  %s centre: %8.2f ms\n", tile ? "tiled    " : "stretched", ms);
    }
    TBitmap target;
    target.SetSize(kWidth, kHeight);
    HDC dc = target.Canvas()->Handle();
    for (bool transparent : {false, true}) {
        const double ms = Median(runs, [&] {
            DrawNineSlice(dc, dest, strip, margins, 2, 3, transparent, false, false);
        });
        std::printf("DrawNineSlice 1920x1080, %s: %8.2f ms\n", transparent ? "keyed " : "opaque",
                    ms);
    }
    const std::unique_ptr<TBitmap> image = MakeNineSlice(dest, strip, margins, 2, 3, false, false);
    const double masked = Median(runs, [&] { DrawTransparentMasked(dc, dest, *image, 0xFF00FF); });
    const double xored =
        Median(runs, [&] { DrawTransparentThreeTransfers(dc, dest, *image, 0xFF00FF); });
    const double blended =
        Median(runs, [&] { DrawTransparentBlended(dc, dest, *image, 0xFF00FF); });
    std::printf(
        "DrawTransparent 1920x1080: blended %8.2f ms, masked %8.2f ms, three transfers %8.2f ms\n",
        blended, masked, xored);
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // figures as they come, even through a pipe
    RegionRows("framed, rounded corners", &RoundedCorner, 15, true);
    RegionRows("alternating pixels", &Alternating, 3, false);
    NineSliceRows(15);
    return 0;
}
