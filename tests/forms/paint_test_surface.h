#pragma once
// A 32-bit top-down DIB selected into a memory context, made with raw GDI, so that what the class
// library paints into it is read back from memory the library does not own.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "forms/geometry.h"

class TPaintTestSurface {
public:
    TPaintTestSurface(int width, int height) : width(width), height(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* memory = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        pixels = static_cast<uint32_t*>(memory);
        dc = CreateCompatibleDC(nullptr);
        original = SelectObject(dc, bitmap);
    }
    ~TPaintTestSurface() {
        SelectObject(dc, original);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    TPaintTestSurface(const TPaintTestSurface&) = delete;
    TPaintTestSurface& operator=(const TPaintTestSurface&) = delete;

    void Fill(uint32_t rgb) {
        GdiFlush();
        std::fill(pixels, pixels + width * height, rgb);
    }
    // 0xRRGGBB of a pixel (memory holds blue in the low byte, as 0x00RRGGBB reads).
    uint32_t At(int x, int y) const {
        GdiFlush();
        return pixels[y * width + x] & 0xFFFFFF;
    }
    // How many pixels of the area have the colour.
    int Count(uint32_t rgb, int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += At(x, y) == rgb;
        return n;
    }

    int Count(uint32_t rgb, const TRect& area) const {
        return Count(rgb, area.left, area.top, area.right, area.bottom);
    }
    // Every pixel, 0xRRGGBB, top row first.
    std::vector<uint32_t> Pixels() const {
        GdiFlush();
        std::vector<uint32_t> result(pixels, pixels + width * height);
        for (uint32_t& p : result) p &= 0xFFFFFF;
        return result;
    }

    int width, height;
    HDC dc = nullptr;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ original = nullptr;
    uint32_t* pixels = nullptr;
};

// 0xRRGGBB of a COLORREF (0x00BBGGRR).
constexpr uint32_t Rgb(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
