#include "skin/bitmap_region_win.h"

#include <cstring>
#include <vector>

#include "forms/graphics.h"
#include "skin/bitmap_region.h"

namespace {

static_assert(sizeof(TRect) == sizeof(RECT), "batches are copied into RGNDATA as they are");

HRGN Checked(HRGN region) {
    if (!region) throw EOutOfResources(L"不能创建区域");
    return region;
}

// Unites regions pairwise: a region pushed here is merged with the one below it while both
// stand for the same number of batches, so each rectangle takes part in about log2(batches)
// unions instead of one union per later batch.
class TRegionUnion {
public:
    void Add(OwnedRegion region) {
        int weight = 1;
        while (!stack.empty() && stack.back().weight == weight) {
            Unite(stack.back().region, region);
            region = std::move(stack.back().region);
            stack.pop_back();
            weight *= 2;
        }
        stack.push_back({std::move(region), weight});
    }

    // Everything added, united; an empty region when nothing was.
    OwnedRegion Result() {
        if (stack.empty()) return OwnedRegion(Checked(CreateRectRgn(0, 0, 0, 0)));
        OwnedRegion result = std::move(stack.back().region);
        stack.pop_back();
        while (!stack.empty()) {
            Unite(stack.back().region, result);
            result = std::move(stack.back().region);
            stack.pop_back();
        }
        return result;
    }

private:
    struct Entry {
        OwnedRegion region;
        int weight;
    };
    static void Unite(const OwnedRegion& into, const OwnedRegion& other) {
        if (CombineRgn(into.Get(), into.Get(), other.Get(), RGN_OR) == ERROR) {
            throw EOutOfResources(L"不能合并区域");
        }
    }
    std::vector<Entry> stack;
};

// One batch as a region. The buffer is kept between batches.
OwnedRegion BatchRegion(std::span<const TRect> batch, std::vector<uint8_t>& buffer) {
    buffer.resize(sizeof(RGNDATAHEADER) + batch.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    RGNDATAHEADER& header = data->rdh;
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = DWORD(batch.size());
    header.nRgnSize = DWORD(batch.size() * sizeof(RECT));
    // Rows come top to bottom, so only left and right need a search.
    header.rcBound = {batch.front().left, batch.front().top, batch.front().right,
                      batch.back().bottom};
    for (const TRect& r : batch) {
        if (r.left < header.rcBound.left) header.rcBound.left = r.left;
        if (r.right > header.rcBound.right) header.rcBound.right = r.right;
    }
    std::memcpy(data->Buffer, batch.data(), batch.size() * sizeof(RECT));
    return OwnedRegion(
        Checked(ExtCreateRegion(nullptr, DWORD(buffer.size()), reinterpret_cast<RGNDATA*>(data))));
}

}  // namespace

OwnedRegion PixelsToRegion(const TConstPixelView& pixels, int xOffset, int yOffset,
                           uint32_t keyColor, uint8_t redTolerance, uint8_t greenTolerance,
                           uint8_t blueTolerance, size_t batchSize) {
    TRegionUnion regions;
    std::vector<uint8_t> buffer;
    ScanOpaqueRuns(
        pixels, xOffset, yOffset, keyColor, redTolerance, greenTolerance, blueTolerance,
        [&](std::span<const TRect> batch) {
            // The last batch may be empty: it adds nothing, and Result still answers a region.
            if (!batch.empty()) regions.Add(BatchRegion(batch, buffer));
        },
        batchSize);
    return regions.Result();
}

OwnedRegion BitmapToRegion(TBitmap& bitmap, int xOffset, int yOffset, uint32_t keyColor,
                           uint8_t redTolerance, uint8_t greenTolerance, uint8_t blueTolerance,
                           size_t batchSize) {
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    return PixelsToRegion(bitmap.Pixels(), xOffset, yOffset, keyColor, redTolerance, greenTolerance,
                          blueTolerance, batchSize);
}
