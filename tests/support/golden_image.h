#pragma once
// Golden images: what a window shows, read through the window's own device context after it has
// painted itself (frame and children), kept as 24-bit BMP files under tests/golden/ and
// compared with a stated tolerance.
//
// Pixels outside the window's region are set to the key colour (magenta), so that what lies
// behind a shaped window never reaches an image. A comparison that fails writes the image seen
// (NAME.actual.bmp) and a diff image (NAME.diff.bmp: differing pixels red, the others a dimmed
// grey of the golden image) into golden-diff/ beside the test program.
//
// With the environment variable PONDERIX_UPDATE_GOLDEN set (to anything but "0"), MatchesGolden
// writes the image seen as the new golden file instead of comparing (tools/update-goldens.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "forms/bitmap.h"
#include "forms/stream.h"
#include "skin/bitmap_draw_win.h"
#include "support/screen_probe.h"
#include "support/win_test_util.h"

// How far an image may stray from its golden one: a pixel differs when one of its channels
// differs by more than `channel`; at most `pixels` pixels may differ. The default allows for a
// blinking caret and nothing else.
struct TGoldenTolerance {
    int channel = 8;
    int pixels = 40;
};

// The cursor to the screen's bottom right corner, where no window of a test lies, so that
// nothing is drawn hot.
inline void ParkCursor() {
    MoveCursorTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
}

// The window's pixels as the user sees them, after a full repaint of its frame and children.
inline std::unique_ptr<TBitmap> CaptureWindow(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    std::unique_ptr<TBitmap> shot = WindowShot(window);
    shot->SetPixelFormat(TPixelFormat::pf24bit);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) != ERROR) {
        HRGN outside = CreateRectRgn(0, 0, shot->Width(), shot->Height());
        CombineRgn(outside, outside, region, RGN_DIFF);
        HBRUSH key = CreateSolidBrush(kSkinKeyColor);
        FillRgn(shot->Canvas()->Handle(), outside, key);
        DeleteObject(key);
        DeleteObject(outside);
    }
    DeleteObject(region);
    return shot;
}

struct TImageDifference {
    bool sizeDiffers = false;
    int differing = 0;     // pixels with a channel beyond the tolerance
    int worstChannel = 0;  // the largest channel difference seen
    std::unique_ptr<TBitmap> diff;
};

// Pixel by pixel, both images as 24-bit BGR rows.
inline TImageDifference CompareImages(TBitmap& actual, TBitmap& expected, int channel) {
    TImageDifference result;
    actual.SetPixelFormat(TPixelFormat::pf24bit);
    expected.SetPixelFormat(TPixelFormat::pf24bit);
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height()) {
        result.sizeDiffers = true;
        return result;
    }
    result.diff = std::make_unique<TBitmap>();
    result.diff->SetSize(actual.Width(), actual.Height());
    for (int y = 0; y < actual.Height(); ++y) {
        const uint8_t* a = actual.ScanLine(y);
        const uint8_t* e = expected.ScanLine(y);
        uint8_t* d = result.diff->ScanLine(y);
        for (int x = 0; x < actual.Width(); ++x, a += 3, e += 3, d += 3) {
            int worst = 0;
            for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(a[c] - e[c]));
            result.worstChannel = std::max(result.worstChannel, worst);
            if (worst > channel) {
                ++result.differing;
                d[0] = 0, d[1] = 0, d[2] = 255;
            } else {
                const auto grey = static_cast<uint8_t>(128 + (e[0] + e[1] + e[2]) / 6);
                d[0] = d[1] = d[2] = grey;
            }
        }
    }
    return result;
}

inline bool UpdatingGoldens() {
    const char* value = std::getenv("PONDERIX_UPDATE_GOLDEN");
    return value && *value && std::string(value) != "0";
}

inline std::filesystem::path GoldenPath(const std::string& name) {
    return std::filesystem::path(PONDERIX_SOURCE_DIR) / "tests" / "golden" / (name + ".bmp");
}

// golden-diff/ beside the test program.
inline std::filesystem::path GoldenDiffFolder() {
    const std::filesystem::path folder =
        std::filesystem::path(PathFromTestFolder(L"golden-diff")).lexically_normal();
    std::filesystem::create_directories(folder);
    return folder;
}

inline void SaveBitmap(TBitmap& bitmap, const std::filesystem::path& path) {
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    stream.SaveToFile(path.wstring());
}

inline std::unique_ptr<TBitmap> LoadBitmap(const std::filesystem::path& path) {
    if (!std::filesystem::exists(path)) return nullptr;
    TMemoryStream stream;
    stream.LoadFromFile(path.wstring());
    stream.SetPosition(0);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(stream);
    return bitmap;
}

// The image against tests/golden/NAME.bmp (or written there in update mode).
inline testing::AssertionResult MatchesGolden(TBitmap& actual, const std::string& name,
                                              TGoldenTolerance tolerance = {}) {
    const std::filesystem::path golden = GoldenPath(name);
    if (UpdatingGoldens()) {
        SaveBitmap(actual, golden);
        return testing::AssertionSuccess() << "wrote " << golden.string();
    }
    const std::filesystem::path seen = GoldenDiffFolder() / (name + ".actual.bmp");
    std::unique_ptr<TBitmap> expected = LoadBitmap(golden);
    if (!expected) {
        SaveBitmap(actual, seen);
        return testing::AssertionFailure()
               << "no golden image " << golden.string() << " (the image seen is " << seen.string()
               << "; PONDERIX_UPDATE_GOLDEN=1 writes the golden images)";
    }
    TImageDifference d = CompareImages(actual, *expected, tolerance.channel);
    if (d.sizeDiffers) {
        SaveBitmap(actual, seen);
        return testing::AssertionFailure()
               << name << ": the image is " << actual.Width() << " x " << actual.Height()
               << ", the golden one " << expected->Width() << " x " << expected->Height()
               << " (the image seen is " << seen.string() << ")";
    }
    if (d.differing <= tolerance.pixels)
        return testing::AssertionSuccess() << d.differing << " pixels differ";
    SaveBitmap(actual, seen);
    const std::filesystem::path diff = GoldenDiffFolder() / (name + ".diff.bmp");
    SaveBitmap(*d.diff, diff);
    return testing::AssertionFailure()
           << name << ": " << d.differing << " pixels differ by more than " << tolerance.channel
           << " in a channel (at most " << tolerance.pixels << " may; the worst by "
           << d.worstChannel << "); the image seen is " << seen.string() << ", the diff "
           << diff.string();
}

// The number of pixels in which two captures differ at all.
inline int DifferingPixels(TBitmap& a, TBitmap& b) {
    TImageDifference d = CompareImages(a, b, 0);
    return d.sizeDiffers ? -1 : d.differing;
}
