#include "tools/soak/lit_button.h"

#include <algorithm>
#include <vector>

#include "forms/dc_scopes.h"
#include "forms/owned.h"
#include "tools/soak/user_input.h"

namespace soak {

namespace {

constexpr int kSearchWidth = 120;  // title-bar buttons sit this near the caption's ends
constexpr int kStep = 3;

// The screen's pixels in a rectangle, one 32-bit value each, row by row.
std::vector<uint32_t> Pixels(const RECT& r) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    TWindowDC screen(nullptr);
    Owned<HBITMAP, &DeleteObject> bitmap(CreateCompatibleBitmap(screen.Dc(), width, height));
    {
        TMemoryDC memory(screen.Dc(), bitmap.Get());
        if (!memory) return {};
        BitBlt(memory.Dc(), 0, 0, width, height, screen.Dc(), r.left, r.top, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    GetDIBits(screen.Dc(), bitmap.Get(), 0, static_cast<UINT>(height), pixels.data(), &info,
              DIB_RGB_COLORS);
    return pixels;
}

}  // namespace

bool FindLitButton(HWND top, bool fromRight, const std::function<void()>& settle, POINT& found) {
    RECT window;
    GetWindowRect(top, &window);
    POINT client{0, 0};
    ClientToScreen(top, &client);
    const int width = std::min<int>(kSearchWidth, window.right - window.left);
    const RECT band{fromRight ? window.right - width : window.left, window.top,
                    fromRight ? window.right : window.left + width, client.y};
    if (band.bottom - band.top < 4) return false;
    RECT inside;
    GetClientRect(top, &inside);
    MoveMouse({client.x + inside.right / 2, client.y + inside.bottom / 2});
    settle();
    const std::vector<uint32_t> resting = Pixels(band);
    if (resting.empty()) return false;
    const int bandWidth = band.right - band.left;
    const int y = (band.top + band.bottom) / 2;
    for (int step = 2; step < bandWidth; step += kStep) {
        const POINT at{fromRight ? band.right - step : band.left + step, y};
        MoveMouse(at);
        settle();
        const std::vector<uint32_t> now = Pixels(band);
        RECT lit{bandWidth, band.bottom - band.top, -1, -1};
        for (size_t i = 0; i < now.size() && i < resting.size(); ++i) {
            if (now[i] == resting[i]) continue;
            const int x = static_cast<int>(i % size_t(bandWidth));
            const int row = static_cast<int>(i / size_t(bandWidth));
            lit = {std::min<int>(lit.left, x), std::min<int>(lit.top, row),
                   std::max<int>(lit.right, x), std::max<int>(lit.bottom, row)};
        }
        // Only a lit part under the pointer is its button (the frame may repaint elsewhere).
        const POINT inBand{at.x - band.left, at.y - band.top};
        if (lit.right >= 0 && inBand.x >= lit.left && inBand.x <= lit.right) {
            found = {band.left + (lit.left + lit.right) / 2, band.top + (lit.top + lit.bottom) / 2};
            MoveMouse({client.x + inside.right / 2, client.y + inside.bottom / 2});
            return true;
        }
    }
    return false;
}

}  // namespace soak
