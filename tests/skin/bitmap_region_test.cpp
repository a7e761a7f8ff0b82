#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "forms/text.h"
#include "skin/bitmap_region.h"

static void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

struct Rgb {
    uint8_t red, green, blue;
};
constexpr Rgb kKey{255, 0, 255};
constexpr Rgb kInk{10, 20, 30};

// A bitmap of the given rows (all the same length), in pf24bit or pf32bit.
TPixelImage Paint(const std::vector<std::vector<Rgb>>& rows, TPixelFormat format) {
    TPixelImage image(format, int(rows[0].size()), int(rows.size()));
    const int step = format == TPixelFormat::pf32bit ? 4 : 3;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            uint8_t* p = image.Row(y) + x * step;
            p[0] = rows[size_t(y)][size_t(x)].blue;
            p[1] = rows[size_t(y)][size_t(x)].green;
            p[2] = rows[size_t(y)][size_t(x)].red;
            if (step == 4) p[3] = uint8_t(x * 40);  // the fourth byte never matters
        }
    }
    return image;
}

struct Scan {
    std::vector<TRect> rects;
    std::vector<size_t> batches;
};

Scan ScanAll(const TConstPixelView& view, int dx, int dy, uint8_t tolerance,
             size_t flush = kRegionBatchFlush) {
    Scan scan;
    ScanOpaqueRuns(
        view, dx, dy, 0xFF00FF, tolerance, tolerance, tolerance,
        [&](std::span<const TRect> batch) {
            scan.batches.push_back(batch.size());
            scan.rects.insert(scan.rects.end(), batch.begin(), batch.end());
        },
        flush);
    return scan;
}

}  // namespace

TEST(BitmapRegion, OpaqueRunsBecomeRowRectangles) {
    const std::vector<std::vector<Rgb>> rows = {
        {kKey, kInk, kInk, kKey, kInk},
        {kInk, kKey, kKey, kKey, kKey},
        {kKey, kKey, kKey, kKey, kKey},
    };
    for (TPixelFormat f : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        const TPixelImage image = Paint(rows, f);
        const std::vector<TRect> want = {{1, 0, 3, 1}, {4, 0, 5, 1}, {0, 1, 1, 2}};
        EXPECT_EQ(ScanAll(image.View(), 0, 0, 1).rects, want);
        const std::vector<TRect> shifted = {{-2, 10, 0, 11}, {1, 10, 2, 11}, {-3, 11, -2, 12}};
        EXPECT_EQ(ScanAll(image.View(), -3, 10, 1).rects, shifted);

        // The same memory seen bottom-up: rows come out top first all the same.
        const TConstPixelView bottomUp(f, image.width, 3, -ptrdiff_t(image.stride), image.Row(2));
        const std::vector<TRect> flipped = {{0, 1, 1, 2}, {1, 2, 3, 3}, {4, 2, 5, 3}};
        EXPECT_EQ(ScanAll(bottomUp, 0, 0, 1).rects, flipped);
    }
}

TEST(BitmapRegion, ToleranceRunsUpwardFromTheKeyAndStopsAt255) {
    struct Case {
        Rgb pixel;
        uint8_t tolerance;
        bool transparent;
    };
    const Case cases[] = {
        {{255, 0, 255}, 0, true},  {{255, 1, 255}, 0, false},    {{255, 1, 255}, 1, true},
        {{254, 1, 255}, 1, false},  // red must lie between 255 and 255
        {{255, 2, 255}, 1, false}, {{255, 200, 255}, 255, true}, {{0, 0, 0}, 255, false},
    };
    for (const Case& c : cases) {
        const TPixelImage image = Paint({{c.pixel}, {kKey}}, TPixelFormat::pf24bit);
        EXPECT_EQ(ScanAll(image.View(), 0, 0, c.tolerance).rects.empty(), c.transparent)
            << int(c.pixel.red) << "," << int(c.pixel.green) << "," << int(c.pixel.blue)
            << " tolerance " << int(c.tolerance);
    }
}

TEST(BitmapRegion, BatchesAreFlushedAtTheFlushSizeAndOnceAtTheEnd) {
    // One opaque run per row.
    std::vector<std::vector<Rgb>> rows(4500, {kInk, kKey});
    const TPixelImage image = Paint(rows, TPixelFormat::pf32bit);
    const Scan full = ScanAll(image.View(), 0, 0, 1);
    EXPECT_EQ(full.batches, (std::vector<size_t>{2000, 2000, 500}));
    ASSERT_EQ(full.rects.size(), 4500u);
    EXPECT_EQ(full.rects[4499], (TRect{0, 4499, 1, 4500}));

    const Scan small = ScanAll(image.View(), 0, 0, 1, 1500);
    EXPECT_EQ(small.batches, (std::vector<size_t>{1500, 1500, 1500, 0}));
    EXPECT_EQ(small.rects, full.rects);
    EXPECT_EQ(ScanAll(image.View(), 0, 0, 1, 0).batches.size(), 4501u);  // 0 counts as 1

    const TPixelImage clear = Paint({{kKey, kKey}, {kKey, kKey}}, TPixelFormat::pf24bit);
    EXPECT_EQ(ScanAll(clear.View(), 0, 0, 1).batches, (std::vector<size_t>{0}));
}

TEST(BitmapRegion, LowBitmapsAndIndexedPixelsAreRefused) {
    for (int height : {0, 1}) {
        const TPixelImage image(TPixelFormat::pf32bit, 4, height);
        try {
            ScanAll(image.View(), 0, 0, 1);
            ADD_FAILURE() << "height " << height;
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(WideToUtf8(e.Message()), "扫描线索引超界");
        }
    }
    const TPixelImage indexed(TPixelFormat::pf8bit, 4, 4);
    EXPECT_THROW(ScanAll(indexed.View(), 0, 0, 1), EInvalidGraphicOperation);
}
