// The window region made from a colour-keyed bitmap, read back with GetRegionData: it covers
// exactly the pixels that are not within the tolerances above the key (worked out here pixel by
// pixel), and it is the very region that uniting each batch of 2000 rows' runs into the result
// in turn gives, whatever batch size the builder uses.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <vector>

#include "forms/text.h"
#include "skin/bitmap_region_win.h"

namespace {

struct Rgb {
    uint8_t red, green, blue;
};
constexpr Rgb kKey{255, 0, 255};
constexpr Rgb kInk{10, 20, 30};

void Paint(TBitmap& bitmap, int width, int height, TPixelFormat format,
           const std::function<Rgb(int, int)>& colour) {
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(width, height);
    const TPixelView pixels = bitmap.Pixels();
    const int step = format == TPixelFormat::pf32bit ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = pixels.Row(y) + x * step;
            const Rgb c = colour(x, y);
            p[0] = c.blue, p[1] = c.green, p[2] = c.red;
            if (step == 4) p[3] = uint8_t(x * 13 + y);  // plays no part
        }
    }
}

std::vector<RECT> RegionRects(HRGN region) {
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<uint8_t> data(size);
    EXPECT_EQ(GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())), size);
    const auto* header = reinterpret_cast<const RGNDATA*>(data.data());
    const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
    return {rects, rects + header->rdh.nCount};
}

// Which of the bitmap's pixels the region covers, each covered at most once (the region's
// rectangles never overlap); false when a rectangle reaches outside the bitmap's place.
bool Coverage(HRGN region, int width, int height, int dx, int dy, std::vector<int>& covered) {
    covered.assign(size_t(width) * size_t(height), 0);
    for (const RECT& r : RegionRects(region)) {
        if (r.left < dx || r.top < dy || r.right > dx + width || r.bottom > dy + height) {
            return false;
        }
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) ++covered[size_t(y - dy) * width + (x - dx)];
        }
    }
    return true;
}

// The stated way: one rectangle per run of opaque pixels, batches of 2000, each batch made a
// region and united with the result in turn.
OwnedRegion StatedRegion(int width, int height, int dx, int dy,
                         const std::function<bool(int, int)>& opaque) {
    std::vector<RECT> batch;
    HRGN result = nullptr;
    auto flush = [&] {
        std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + batch.size() * sizeof(RECT));
        auto* header = reinterpret_cast<RGNDATA*>(data.data());
        header->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, DWORD(batch.size()), 0, {}};
        header->rdh.rcBound = {dx, dy, dx + width, dy + height};
        std::memcpy(header->Buffer, batch.data(), batch.size() * sizeof(RECT));
        HRGN part = ExtCreateRegion(nullptr, DWORD(data.size()), header);
        if (!result) {
            result = part;
        } else {
            CombineRgn(result, result, part, RGN_OR);
            DeleteObject(part);
        }
        batch.clear();
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width;) {
            if (!opaque(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && opaque(x, y)) ++x;
            batch.push_back({start + dx, y + dy, x + dx, y + 1 + dy});
            if (batch.size() == 2000) flush();
        }
    }
    flush();
    return OwnedRegion(result);
}

TEST(BitmapRegionWin, RegionCoversExactlyTheOpaquePixels) {
    struct Case {
        const char* name;
        int width, height, dx, dy;
        uint8_t tolerance[3];  // red, green, blue
        std::function<Rgb(int, int)> colour;
    };
    const Case cases[] = {
        {"alternating",
         131,
         41,
         0,
         0,
         {1, 1, 1},
         [](int x, int y) { return (x + y) % 2 ? kKey : kInk; }},
        {"near keys",
         97,
         33,
         -5,
         7,
         {1, 2, 0},
         [](int x, int y) {
             const uint8_t v = uint8_t((x * 31 + y * 17) % 7);
             return Rgb{uint8_t(255 - (v == 6)), uint8_t(v % 4), uint8_t(255 - (v == 5))};
         }},
        {"rounded frame",
         200,
         120,
         3,
         -2,
         {1, 1, 1},
         [](int x, int y) {
             const int r = 12;
             const int cx = x < r ? r - x : x >= 200 - r ? x - (200 - r - 1) : 0;
             const int cy = y < r ? r - y : y >= 120 - r ? y - (120 - r - 1) : 0;
             return cx * cx + cy * cy > r * r ? kKey : Rgb{uint8_t(x), uint8_t(y), 40};
         }},
        {"all key", 50, 20, 0, 0, {0, 0, 0}, [](int, int) { return kKey; }},
        {"all ink", 50, 2, 0, 0, {255, 255, 255}, [](int, int) { return kInk; }},
    };
    for (const Case& c : cases) {
        auto transparent = [&](int x, int y) {
            const Rgb p = c.colour(x, y);
            const uint8_t v[3] = {p.red, p.green, p.blue}, k[3] = {kKey.red, kKey.green, kKey.blue};
            for (int i = 0; i < 3; ++i) {
                if (v[i] < k[i] || v[i] > std::min(255, k[i] + c.tolerance[i])) return false;
            }
            return true;
        };
        const OwnedRegion stated = StatedRegion(c.width, c.height, c.dx, c.dy,
                                                [&](int x, int y) { return !transparent(x, y); });
        for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
            for (size_t batch : {size_t(1), size_t(7), kRegionBatchWin, size_t(2000)}) {
                TBitmap bitmap;
                Paint(bitmap, c.width, c.height, format, c.colour);
                const OwnedRegion region =
                    BitmapToRegion(bitmap, c.dx, c.dy, 0xFF00FF, c.tolerance[0], c.tolerance[1],
                                   c.tolerance[2], batch);
                ASSERT_TRUE(region) << c.name;
                EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf32bit);
                std::vector<int> covered;
                ASSERT_TRUE(Coverage(region.Get(), c.width, c.height, c.dx, c.dy, covered))
                    << c.name;
                int wrong = 0;
                for (int y = 0; y < c.height; ++y) {
                    for (int x = 0; x < c.width; ++x) {
                        wrong += covered[size_t(y) * c.width + x] != (transparent(x, y) ? 0 : 1);
                    }
                }
                EXPECT_EQ(wrong, 0) << c.name << " batch " << batch;
                EXPECT_TRUE(EqualRgn(region.Get(), stated.Get())) << c.name << " batch " << batch;
                const std::vector<RECT> mine = RegionRects(region.Get()),
                                        theirs = RegionRects(stated.Get());
                EXPECT_TRUE(mine.size() == theirs.size() &&
                            std::memcmp(mine.data(), theirs.data(), mine.size() * sizeof(RECT)) ==
                                0)
                    << c.name << " batch " << batch;
            }
        }
    }
}

TEST(BitmapRegionWin, RowRunsAndTheToleranceEdge) {
    TBitmap bitmap;
    const Rgb row[5] = {kKey, kInk, kInk, kKey, kInk};
    Paint(bitmap, 5, 2, TPixelFormat::pf24bit, [&](int x, int y) {
        return y == 0 ? row[x] : x == 2 ? Rgb{254, 1, 255} : kKey;
    });
    const OwnedRegion region = BitmapToRegion(bitmap, 0, 0, 0xFF00FF, 1, 1, 1);
    const std::vector<RECT> rects = RegionRects(region.Get());
    ASSERT_EQ(rects.size(), 3u);
    const RECT want[3] = {{1, 0, 3, 1}, {4, 0, 5, 1}, {2, 1, 3, 2}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(std::memcmp(&rects[size_t(i)], &want[i], sizeof(RECT)), 0) << i;
    }

    // No opaque pixel: an empty region, never none.
    Paint(bitmap, 4, 3, TPixelFormat::pf32bit, [](int, int) { return kKey; });
    const OwnedRegion empty = BitmapToRegion(bitmap, 0, 0, 0xFF00FF, 0, 0, 0);
    ASSERT_TRUE(empty);
    RECT box;
    EXPECT_EQ(GetRgnBox(empty.Get(), &box), NULLREGION);
}

TEST(BitmapRegionWin, BitmapsLowerThanTwoRowsAreRefused) {
    for (int height : {0, 1}) {
        TBitmap bitmap;
        bitmap.SetSize(4, height);
        try {
            BitmapToRegion(bitmap, 0, 0, 0xFF00FF, 1, 1, 1);
            ADD_FAILURE() << "height " << height;
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(WideToUtf8(e.Message()), "扫描线索引超界");
        }
    }
}

}  // namespace
