#include "skin/bitmap_region.h"

#include <algorithm>
#include <vector>

namespace {

// Inclusive range [low, low + span] of one channel, tested with one unsigned compare.
struct ChannelRange {
    uint8_t low;
    uint8_t span;
    ChannelRange(uint32_t key, uint8_t tolerance)
        : low(uint8_t(key)), span(uint8_t(std::min(255u, unsigned(low) + tolerance) - low)) {}
    bool Holds(uint8_t value) const { return uint8_t(value - low) <= span; }
};

class Batch {
public:
    Batch(const TRectBatchSink& sink, size_t flushSize)
        : sink(sink), flushSize(std::max<size_t>(flushSize, 1)) {
        rects.reserve(capacity);
    }
    void Add(const TRect& rect) {
        if (rects.size() == capacity) {
            capacity += kRegionBatchGrowth;
            rects.reserve(capacity);
        }
        rects.push_back(rect);
        if (rects.size() == flushSize) Flush();
    }
    void Flush() {
        sink(std::span<const TRect>(rects.data(), rects.size()));
        rects.clear();
    }

private:
    const TRectBatchSink& sink;
    const size_t flushSize;
    size_t capacity = kRegionBatchCapacity;
    std::vector<TRect> rects;
};

template <size_t Step>
void ScanRows(const TConstPixelView& pixels, int xOffset, int yOffset, const ChannelRange& red,
              const ChannelRange& green, const ChannelRange& blue, Batch& batch) {
    const int width = pixels.width;
    auto transparent = [&](const uint8_t* p) {
        return blue.Holds(p[0]) && green.Holds(p[1]) && red.Holds(p[2]);
    };
    for (int y = 0; y < pixels.height; ++y) {
        const uint8_t* row = pixels.Row(y);
        int x = 0;
        while (x < width) {
            while (x < width && transparent(row + size_t(x) * Step)) ++x;
            if (x == width) break;
            const int start = x;
            while (x < width && !transparent(row + size_t(x) * Step)) ++x;
            batch.Add({start + xOffset, y + yOffset, x + xOffset, y + 1 + yOffset});
        }
    }
}

}  // namespace

void ScanOpaqueRuns(const TConstPixelView& pixels, int xOffset, int yOffset, uint32_t keyColor,
                    uint8_t redTolerance, uint8_t greenTolerance, uint8_t blueTolerance,
                    const TRectBatchSink& sink, size_t flushSize) {
    if (pixels.height < 2) throw EInvalidGraphicOperation(L"扫描线索引超界");
    if (pixels.format != TPixelFormat::pf24bit && pixels.format != TPixelFormat::pf32bit) {
        throw EInvalidGraphicOperation(L"区域扫描需要 24 位或 32 位像素");
    }
    const ChannelRange red(keyColor, redTolerance), green(keyColor >> 8, greenTolerance),
        blue(keyColor >> 16, blueTolerance);
    Batch batch(sink, flushSize);
    if (pixels.format == TPixelFormat::pf32bit) {
        ScanRows<4>(pixels, xOffset, yOffset, red, green, blue, batch);
    } else {
        ScanRows<3>(pixels, xOffset, yOffset, red, green, blue, batch);
    }
    batch.Flush();
}
