#pragma once
// A rectangle of whole pixels with the field order and meaning of Win32's RECT (left and top
// inclusive, right and bottom exclusive), so the Win32 side converts it field by field. The
// portable core uses it for cell, slice and region geometry.

struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr TRect Offset(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};
