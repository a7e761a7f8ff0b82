// The slicing, tiling and transparent drawing routines, read back pixel by pixel from a DIB and
// compared with what each pixel must show, worked out here from the cell layout alone.
//
// Every strip pixel encodes where it is: red = its x, green = its y, blue = kInk. So a drawn
// pixel tells which source pixel landed there. Unscaled parts must match one source pixel
// exactly; a stretched run of n source pixels over k target pixels must take target pixel i from
// source [floor(i n / k), ceil((i + 1) n / k) - 1], which holds for any nearest-pixel rounding.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/text.h"
#include "skin/bitmap_utils_win.h"
#include "support/gdi_objects.h"

namespace {

constexpr uint8_t kInk = 7;    // blue of strip pixels
constexpr uint8_t kPaper = 3;  // blue of the target's own pixels

struct Rgb {
    uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

using Keyed = std::function<bool(int x, int y)>;

// A strip whose pixel (x, y) is (x, y, kInk), or magenta where keyed(x, y) holds.
void PaintStrip(TBitmap& strip, int width, int height, TPixelFormat format,
                const Keyed& keyed = nullptr) {
    strip.SetPixelFormat(format);
    strip.SetSize(width, height);
    const TPixelView pixels = strip.Pixels();
    const int step = format == TPixelFormat::pf32bit ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = pixels.Row(y) + x * step;
            const bool key = keyed && keyed(x, y);
            p[0] = key ? 255 : kInk, p[1] = key ? 0 : uint8_t(y), p[2] = key ? 255 : uint8_t(x);
        }
    }
}

// The target: pf32bit, pixel (x, y) = (3x, 5y, kPaper).
Rgb Paper(int x, int y) { return {uint8_t(x * 3), uint8_t(y * 5), kPaper}; }
void PaintPaper(TBitmap& target, int width, int height) {
    target.SetPixelFormat(TPixelFormat::pf32bit);
    target.SetSize(width, height);
    const TPixelView pixels = target.Pixels();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = Paper(x, y);
            uint8_t* p = pixels.Row(y) + x * 4;
            p[0] = c.blue, p[1] = c.green, p[2] = c.red;
        }
    }
}

Rgb PixelAt(TBitmap& bitmap, int x, int y) {
    const TConstPixelView pixels = bitmap.Pixels();
    const size_t step = pixels.format == TPixelFormat::pf32bit ? 4 : 3;
    const uint8_t* p = pixels.Row(y) + size_t(x) * step;
    return {p[2], p[1], p[0]};
}

// Source pixels allowed along one axis for one target pixel; none when no piece covers it.
struct Span {
    int low = 0, high = -1;
    bool Covered() const { return low <= high; }
};
Span Exact(int v) { return {v, v}; }
Span Stretched(int i, int sourceStart, int n, int k) {
    if (n <= 0 || k <= 0) return {};
    return {sourceStart + i * n / k, sourceStart + ((i + 1) * n + k - 1) / k - 1};
}

// One axis of a nine-slice: target coordinate d of size, margins m1/m2 (already dropped when
// they do not fit), the cell's start and size on this axis.
struct AxisPlace {
    Span span;
    bool middle = false;
};
AxisPlace NineAxis(int d, int size, int m1, int m2, int start, int cell, bool tile) {
    if (d < m1) return {Exact(start + d)};
    if (d >= size - m2) return {Exact(start + cell - (size - d))};
    const int n = cell - m1 - m2;
    if (tile) return {n > 0 ? Exact(start + m1 + (d - m1) % n) : Span{}, true};
    return {Stretched(d - m1, start + m1, n, size - m1 - m2), true};
}

struct Expectation {
    Span x, y;  // both covered: a strip pixel; otherwise `otherwise`
    Rgb otherwise{0, 0, 0};
};

// Compares every pixel of the target's rect with the expectation at rect-relative (x, y);
// keyed strip pixels show the paper when drawn transparently, magenta otherwise.
::testing::AssertionResult Matches(TBitmap& target, const TRect& rect, const Keyed& keyed,
                                   bool transparent,
                                   const std::function<Expectation(int x, int y)>& expect) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const Rgb got = PixelAt(target, x, y);
            const Expectation e = expect(x - rect.left, y - rect.top);
            bool ok;
            std::string want;
            if (e.x.Covered() && e.y.Covered()) {
                // Keyed source pixels show the paper; where a stretch may pick keyed or
                // unkeyed pixels, either is right.
                int keys = 0, all = 0;
                for (int sy = e.y.low; keyed && sy <= e.y.high; ++sy) {
                    for (int sx = e.x.low; sx <= e.x.high; ++sx) keys += keyed(sx, sy), ++all;
                }
                const bool paper = got == (transparent ? Paper(x, y) : Rgb{255, 0, 255});
                const bool ink = got.blue == kInk && got.red >= e.x.low && got.red <= e.x.high &&
                                 got.green >= e.y.low && got.green <= e.y.high;
                ok = keys == 0 ? ink : keys == all ? paper : paper || ink;
                want = "source x " + std::to_string(e.x.low) + ".." + std::to_string(e.x.high) +
                       " y " + std::to_string(e.y.low) + ".." + std::to_string(e.y.high) +
                       (keys ? " or the key's place" : "");
            } else {
                ok = got == e.otherwise;
                want = "(" + std::to_string(e.otherwise.red) + "," +
                       std::to_string(e.otherwise.green) + "," + std::to_string(e.otherwise.blue) +
                       ")";
            }
            if (!ok) {
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is (" << int(got.red) << ","
                       << int(got.green) << "," << int(got.blue) << "), want " << want;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The nine-slice of cell `cell` (its strip rect) into w x h with margins, dropped as they must be.
std::function<Expectation(int, int)> NineSliceOracle(int w, int h, TRect cell, TRect m, bool tile,
                                                     bool border, Rgb uncovered,
                                                     std::function<Rgb(int, int)> paper = {}) {
    if (m.left + m.right > w) m.left = m.right = 0;
    if (m.top + m.bottom > h) m.top = m.bottom = 0;
    return [=](int x, int y) {
        const AxisPlace probeX = NineAxis(x, w, m.left, m.right, cell.left, cell.Width(), false);
        const AxisPlace probeY = NineAxis(y, h, m.top, m.bottom, cell.top, cell.Height(), false);
        const bool centre = probeX.middle && probeY.middle;
        Rgb otherwise = paper ? paper(x, y) : uncovered;
        if (centre && border) return Expectation{{}, {}, otherwise};
        const bool t = centre && tile;
        return Expectation{NineAxis(x, w, m.left, m.right, cell.left, cell.Width(), t).span,
                           NineAxis(y, h, m.top, m.bottom, cell.top, cell.Height(), t).span,
                           otherwise};
    };
}

constexpr Rgb kBlack{0, 0, 0};

TEST(BitmapDraw, NineSliceImageKeepsBordersAndStretchesOrTilesTheRest) {
    struct Case {
        int frames, cellNumber, w, h;
        TRect margins;
        bool tile, vertical;
    };
    // A 3-cell strip of 20 x 16 cells; destinations larger, smaller and equal to the cell.
    const Case cases[] = {
        {3, 2, 57, 41, {4, 3, 5, 2}, false, false}, {3, 3, 57, 41, {4, 3, 5, 2}, true, false},
        {3, 1, 13, 9, {4, 3, 5, 2}, false, false},  {3, 2, 20, 16, {4, 3, 5, 2}, false, false},
        {3, 2, 6, 30, {4, 4, 4, 4}, false, false},  // 8 > 6: left and right dropped
        {3, 2, 30, 8, {4, 4, 4, 4}, false, false},  // 8 = 8: kept
        {3, 2, 30, 7, {4, 4, 4, 4}, true, false},   {3, 2, 44, 37, {0, 0, 0, 0}, false, false},
        {3, 2, 44, 37, {0, 5, 0, 0}, true, false},  {3, 3, 45, 39, {4, 3, 5, 2}, false, true},
        {3, 2, 45, 39, {4, 3, 5, 2}, true, true},   {1, 1, 3, 3, {1, 1, 1, 1}, false, false},
    };
    for (const Case& c : cases) {
        for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
            TBitmap strip;
            const int cw = 20, ch = 16;
            PaintStrip(strip, c.vertical ? cw : cw * c.frames, c.vertical ? ch * c.frames : ch,
                       format);
            const TRect cell = c.vertical
                                   ? TRect{0, (c.cellNumber - 1) * ch, cw, c.cellNumber * ch}
                                   : TRect{(c.cellNumber - 1) * cw, 0, c.cellNumber * cw, ch};
            const std::unique_ptr<TBitmap> image =
                MakeNineSlice({100, 200, 100 + c.w, 200 + c.h}, strip, c.margins, c.cellNumber,
                              c.frames, c.tile, c.vertical);
            ASSERT_EQ(image->Width(), c.w);
            ASSERT_EQ(image->Height(), c.h);
            EXPECT_EQ(image->PixelFormat(), format);
            EXPECT_TRUE(Matches(*image, {0, 0, c.w, c.h}, nullptr, false,
                                NineSliceOracle(c.w, c.h, cell, c.margins, c.tile, false, kBlack)))
                << "case " << (&c - cases) << " format " << int(format);
        }
    }
}

TEST(BitmapDraw, NineSliceOnATargetOpaqueKeyedAndBorderOnly) {
    TBitmap strip;
    // Cells of 24 x 20, two of them; the outer corner pixels of every cell are magenta.
    const Keyed keyed = [](int x, int y) {
        const int cx = x % 24;
        return (cx < 2 || cx >= 22) && (y < 2 || y >= 18) && (cx + y) % 2 == 0;
    };
    PaintStrip(strip, 48, 20, TPixelFormat::pf24bit, keyed);
    const TRect margins{5, 4, 6, 3};
    const TRect cell{24, 0, 48, 20};
    const TRect dest{7, 9, 7 + 61, 9 + 33};
    auto paper = [&](int x, int y) { return Paper(x + dest.left, y + dest.top); };
    for (int mode = 0; mode < 3; ++mode) {
        TBitmap target;
        PaintPaper(target, 80, 50);
        HDC dc = target.Canvas()->Handle();
        if (mode == 2) {
            DrawNineSliceBorder(dc, dest, strip, margins, 2, 2, true, false);
            EXPECT_EQ(GetStretchBltMode(dc), COLORONCOLOR);
        } else {
            DrawNineSlice(dc, dest, strip, margins, 2, 2, mode == 1, false, false);
        }
        EXPECT_TRUE(Matches(target, dest, keyed, mode == 1,
                            NineSliceOracle(dest.Width(), dest.Height(), cell, margins, false,
                                            mode == 2, kBlack, paper)))
            << "mode " << mode;
        if (mode == 2) {  // the border copies keyed pixels as they are
            EXPECT_EQ(PixelAt(target, dest.left, dest.top), (Rgb{255, 0, 255}));
        } else if (mode == 1) {
            EXPECT_EQ(PixelAt(target, dest.left, dest.top), Paper(dest.left, dest.top));
        }
        // Nothing outside the destination changes.
        for (int x = 0; x < 80; ++x) {
            EXPECT_EQ(PixelAt(target, x, dest.top - 1), Paper(x, dest.top - 1));
            EXPECT_EQ(PixelAt(target, x, dest.bottom), Paper(x, dest.bottom));
        }
        EXPECT_EQ(PixelAt(target, dest.left - 1, 20), Paper(dest.left - 1, 20));
        EXPECT_EQ(PixelAt(target, dest.right, 20), Paper(dest.right, 20));
    }
}

TEST(BitmapDraw, ThreeSliceRepeatsTheMiddleAtItsOwnWidth) {
    struct Case {
        int cw, left, right, w, h;
        bool transparent;
    };
    const Case cases[] = {
        {40, 10, 10, 95, 12, false},  // middles at 10, 30, 50, 70; right cap at 85
        {40, 10, 10, 95, 30, true},  {40, 3, 7, 200, 9, false}, {40, 10, 10, 15, 12, false},
        {20, 10, 10, 60, 12, false},  // no middle: the cell is all caps
        {18, 10, 10, 60, 12, false},  // caps wider than the cell
    };
    for (const Case& c : cases) {
        TBitmap strip;
        const int ch = 12, cellNumber = 2;
        const Keyed keyed = [&](int x, int) { return x % c.cw == 0; };  // each cell's first column
        PaintStrip(strip, c.cw * 3, ch, TPixelFormat::pf24bit, keyed);
        TBitmap target;
        PaintPaper(target, 220, 40);
        const TRect dest{5, 6, 5 + c.w, 6 + c.h};
        DrawThreeSlice(*target.Canvas(), dest, strip, {c.left, 99, c.right, 99}, cellNumber, 3,
                       c.transparent, false);
        const int sx = (cellNumber - 1) * c.cw, p = c.cw - c.left - c.right;
        auto expect = [&](int x, int y) {
            const Span ys = Stretched(y, 0, ch, c.h);
            if (x >= c.w - c.right) return Expectation{Exact(sx + c.cw - (c.w - x)), ys};
            if (x < c.left) return Expectation{Exact(sx + x), ys};
            if (p <= 0) return Expectation{{}, {}, kBlack};
            return Expectation{Exact(sx + c.left + (x - c.left) % p), ys};
        };
        EXPECT_TRUE(Matches(target, dest, keyed, c.transparent, expect)) << "case " << (&c - cases);
        if (c.transparent) {
            EXPECT_EQ(PixelAt(target, dest.left, dest.top), Paper(dest.left, dest.top));
        }
    }
}

TEST(BitmapDraw, FrameCellIsTheWholeCellStretched) {
    TBitmap strip;
    const Keyed keyed = [](int x, int y) { return x % 10 == 9 && y == 7; };
    PaintStrip(strip, 40, 8, TPixelFormat::pf32bit, keyed);
    for (bool transparent : {false, true}) {
        for (TRect dest : {TRect{3, 4, 13, 12}, TRect{0, 0, 25, 17}}) {
            TBitmap target;
            PaintPaper(target, 30, 20);
            DrawFrameCell(target.Canvas()->Handle(), dest, strip, 3, 4, transparent);
            const bool unscaled = dest.Width() == 10;
            EXPECT_TRUE(Matches(target, dest, keyed, transparent, [&](int x, int y) {
                return Expectation{Stretched(x, 20, 10, dest.Width()),
                                   Stretched(y, 0, 8, dest.Height())};
            })) << dest.right;
            if (transparent && unscaled) {
                EXPECT_EQ(PixelAt(target, dest.left + 9, dest.top + 7),
                          Paper(dest.left + 9, dest.top + 7));
            }
        }
    }
}

TEST(BitmapDraw, TransparentCopyLeavesExactKeyPixelsAndBothWaysAgree) {
    // Exact key, near keys (drawn), and a bitmap smaller than the destination.
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        TBitmap image;
        image.SetPixelFormat(format);
        image.SetSize(23, 17);
        const TPixelView pixels = image.Pixels();
        const size_t step = format == TPixelFormat::pf32bit ? 4 : 3;
        auto colour = [](int x, int y) -> Rgb {
            switch ((x * 7 + y * 3) % 5) {
                case 0: return {255, 0, 255};
                case 1: return {254, 0, 255};
                case 2: return {255, 1, 255};
                case 3: return {255, 0, 254};
                default: return {uint8_t(x), uint8_t(y), 9};
            }
        };
        for (int y = 0; y < 17; ++y) {
            for (int x = 0; x < 23; ++x) {
                uint8_t* p = pixels.Row(y) + size_t(x) * step;
                const Rgb c = colour(x, y);
                p[0] = c.blue, p[1] = c.green, p[2] = c.red;
                if (step == 4) p[3] = uint8_t(x + y);  // never part of the comparison
            }
        }
        const TRect dest{4, 5, 4 + 30, 5 + 12};  // wider than the image, lower than it
        using Draw = void (*)(HDC, const TRect&, TBitmap&, uint32_t);
        const Draw ways[] = {[](HDC dc, const TRect& r, TBitmap& b, uint32_t k) {
                                 ASSERT_TRUE(DrawTransparentMasked(dc, r, b, k));
                             },
                             &DrawTransparentThreeTransfers, &DrawTransparent,
                             [](HDC dc, const TRect& r, TBitmap& b, uint32_t k) {
                                 ASSERT_TRUE(DrawTransparentBlended(dc, r, b, k));
                             }};
        std::vector<TBitmap> results(std::size(ways));
        for (int way = 0; way < int(std::size(ways)); ++way) {
            TBitmap& target = results[size_t(way)];
            PaintPaper(target, 40, 30);
            ways[way](target.Canvas()->Handle(), dest, image, kSkinKeyColor);
            for (int y = 0; y < 30; ++y) {
                for (int x = 0; x < 40; ++x) {
                    const int ix = x - dest.left, iy = y - dest.top;
                    const bool inside = ix >= 0 && iy >= 0 && ix < 23 && iy < 12;
                    const Rgb want = inside && !(colour(ix, iy) == Rgb{255, 0, 255})
                                         ? colour(ix, iy)
                                         : Paper(x, y);
                    ASSERT_EQ(PixelAt(target, x, y), want)
                        << "way " << way << " at " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(
            std::memcmp(results[0].Pixels().top + results[0].Pixels().stride * 29,
                        results[1].Pixels().top + results[1].Pixels().stride * 29, 40 * 30 * 4),
            0);
    }
}

TEST(BitmapDraw, TilesRunPastTheDestinationAndReadOnlyTheBitmap) {
    TBitmap source;
    PaintStrip(source, 30, 20, TPixelFormat::pf24bit);
    // The source rectangle sticks out of the bitmap at the right: that part tiles as black.
    const TRect from{26, 3, 32, 8};
    const TRect dest{5, 5, 20, 17};
    TBitmap target;
    PaintPaper(target, 40, 30);
    TileBitmap(*target.Canvas(), dest, source, from);
    // Tiles at x = 5, 11, 17 and y = 5, 10, 15: the last column and row run to 23 and 20.
    EXPECT_TRUE(Matches(target, {0, 0, 40, 30}, nullptr, false, [&](int x, int y) {
        if (x < 5 || x >= 23 || y < 5 || y >= 20) return Expectation{{}, {}, Paper(x, y)};
        const int sx = from.left + (x - 5) % 6, sy = from.top + (y - 5) % 5;
        if (sx >= 30) return Expectation{{}, {}, kBlack};
        return Expectation{Exact(sx), Exact(sy)};
    }));
}

// Every routine, given what must draw nothing: an inside-out destination, a cell number
// outside 1..frame count, a source of no area. And a frame count of 0 raises.
TEST(BitmapDraw, NothingToDrawLeavesTheTargetAndZeroFramesRaise) {
    TBitmap strip;
    PaintStrip(strip, 30, 10, TPixelFormat::pf24bit);
    const TRect m{2, 2, 2, 2};
    using Call = std::function<void(TBitmap & target, const TRect& dest, int cell, int frames)>;
    const Call calls[] = {
        [&](TBitmap& t, const TRect& d, int c, int f) {
            DrawNineSlice(t.Canvas()->Handle(), d, strip, m, c, f, false, false, false);
        },
        [&](TBitmap& t, const TRect& d, int c, int f) {
            DrawNineSlice(t.Canvas()->Handle(), d, strip, m, c, f, true, true, true);
        },
        [&](TBitmap& t, const TRect& d, int c, int f) {
            DrawNineSliceBorder(t.Canvas()->Handle(), d, strip, m, c, f, false, false);
        },
        [&](TBitmap& t, const TRect& d, int c, int f) {
            DrawThreeSlice(*t.Canvas(), d, strip, m, c, f, false, false);
        },
        [&](TBitmap& t, const TRect& d, int c, int f) {
            DrawFrameCell(t.Canvas()->Handle(), d, strip, c, f, false);
        },
    };
    const struct {
        TRect dest;
        int cell, frames;
    } nothing[] = {
        {{10, 10, 9, 20}, 1, 3}, {{10, 10, 20, 9}, 1, 3}, {{2, 2, 20, 20}, 0, 3},
        {{2, 2, 20, 20}, 4, 3},  {{2, 2, 20, 20}, -1, 3}, {{2, 2, 2, 20}, 1, 3},
    };
    for (size_t i = 0; i < std::size(calls); ++i) {
        for (const auto& n : nothing) {
            TBitmap target;
            PaintPaper(target, 25, 25);
            calls[i](target, n.dest, n.cell, n.frames);
            EXPECT_TRUE(Matches(target, {0, 0, 25, 25}, nullptr, false,
                                [](int x, int y) {
                                    return Expectation{{}, {}, Paper(x, y)};
                                }))
                << "routine " << i << " dest right " << n.dest.right << " cell " << n.cell;
        }
        TBitmap target;
        PaintPaper(target, 25, 25);
        try {
            calls[i](target, {0, 0, 10, 10}, 1, 0);
            ADD_FAILURE() << "routine " << i;
        } catch (const EDivByZero& e) {
            EXPECT_EQ(WideToUtf8(e.Message()), "被 0 除");
        }
    }
    EXPECT_THROW(MakeNineSlice({0, 0, 5, 5}, strip, m, 1, 0, false, false), EDivByZero);
    EXPECT_EQ(MakeNineSlice({5, 5, 4, 4}, strip, m, 1, 3, false, false)->Empty(), true);
    TBitmap target;
    PaintPaper(target, 25, 25);
    for (TRect from : {TRect{0, 0, 0, 5}, TRect{0, 0, 5, 0}, TRect{5, 0, 4, 5}}) {
        TileBitmap(*target.Canvas(), {0, 0, 25, 25}, strip, from);
    }
    DrawTransparent(target.Canvas()->Handle(), {9, 9, 3, 20}, strip, kSkinKeyColor);
    EXPECT_TRUE(Matches(target, {0, 0, 25, 25}, nullptr, false, [](int x, int y) {
        return Expectation{{}, {}, Paper(x, y)};
    }));
}

TEST(BitmapDraw, IntegerHelpersAndTheSharedObjects) {
    static_assert(IntMax(-3, 2) == 2 && IntMax(5, 5) == 5 && IntMin(-3, 2) == -3);
    TSkinShared& shared = SkinShared();
    EXPECT_EQ(&SkinShared(), &shared);
    shared.Bitmap().SetSize(40, 30);
    EXPECT_EQ(GetStretchBltMode(shared.Bitmap().Canvas()->Handle()), COLORONCOLOR);
    shared.Bitmap().SetPixelFormat(TPixelFormat::pf8bit);
    EXPECT_EQ(GetStretchBltMode(shared.Bitmap().Canvas()->Handle()), COLORONCOLOR);
    shared.Strings().Add(L"x");
    FreeSkinShared();
    EXPECT_EQ(SkinShared().Strings().Count(), 0);  // a new pair after the end
    FreeSkinShared();
}

// Many calls of every routine, the shared objects made and freed, and the GDI object count is
// where it started.
TEST(BitmapDraw, NoGdiObjectOutlivesItsCall) {
    TBitmap strip;
    PaintStrip(strip, 60, 20, TPixelFormat::pf24bit, [](int x, int y) { return (x + y) % 7 == 0; });
    TBitmap target;
    PaintPaper(target, 90, 60);
    auto round = [&] {
        HDC dc = target.Canvas()->Handle();
        const TRect m{3, 3, 3, 3}, dest{2, 3, 80, 50};
        MakeNineSlice(dest, strip, m, 2, 3, true, false);
        DrawNineSlice(dc, dest, strip, m, 1, 3, true, false, false);
        DrawNineSlice(dc, dest, strip, m, 3, 3, false, true, false);
        DrawNineSliceBorder(dc, dest, strip, m, 2, 3, false, false);
        DrawThreeSlice(*target.Canvas(), dest, strip, m, 2, 3, true, false);
        DrawFrameCell(dc, dest, strip, 1, 3, true);
        DrawTransparentThreeTransfers(dc, dest, strip, kSkinKeyColor);
        TileBitmap(dc, dest, strip, {1, 1, 9, 9});
        BitmapToRegion(strip, 0, 0, kSkinKeyColor, 1, 1, 1, 16);
        try {
            DrawFrameCell(dc, dest, strip, 1, 0, true);
        } catch (const EDivByZero&) {
        }
        SkinShared().Bitmap().SetSize(20, 20);
        FreeSkinShared();
    };
    round();  // lets the system make its caches, and the region leaves the strip in pf32bit
    round();
    const int before = GdiObjectCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 300; ++i) round();
    EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
