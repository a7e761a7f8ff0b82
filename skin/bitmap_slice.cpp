#include "skin/bitmap_slice.h"

#include <algorithm>

std::optional<TRect> CellRect(int stripWidth, int stripHeight, int cellNumber, int frameCount,
                              bool vertical) {
    if (frameCount == 0) throw EDivByZero(L"被 0 除");
    if (cellNumber < 1 || cellNumber > frameCount) return std::nullopt;
    if (vertical) {
        const int height = stripHeight / frameCount;
        const int top = (cellNumber - 1) * height;
        return TRect{0, top, stripWidth, top + height};
    }
    const int width = stripWidth / frameCount;
    const int left = (cellNumber - 1) * width;
    return TRect{left, 0, left + width, stripHeight};
}

TNineSlice NineSlicePieces(const TRect& dest, const TRect& cell, const TRect& margins,
                           TCentreMode centre) {
    TNineSlice result;
    if (dest.right < dest.left || dest.bottom < dest.top) return result;
    const int w = dest.Width(), h = dest.Height();
    int l = std::max(margins.left, 0), t = std::max(margins.top, 0);
    int r = std::max(margins.right, 0), b = std::max(margins.bottom, 0);
    if (int64_t(l) + r > w) l = r = 0;
    if (int64_t(t) + b > h) t = b = 0;

    const int sx = cell.left, sy = cell.top, cw = cell.Width(), ch = cell.Height();
    const int ox = dest.left, oy = dest.top;
    auto add = [&](TSlicePart part, bool present, TRect to, TRect from) {
        if (present) result.pieces[result.count++] = {part, to.Offset(ox, oy), from, false};
    };
    using P = TSlicePart;
    add(P::TopLeft, l > 0 && t > 0, {0, 0, l, t}, {sx, sy, sx + l, sy + t});
    add(P::BottomLeft, l > 0 && b > 0, {0, h - b, l, h}, {sx, sy + ch - b, sx + l, sy + ch});
    add(P::TopRight, r > 0 && t > 0, {w - r, 0, w, t}, {sx + cw - r, sy, sx + cw, sy + t});
    add(P::Left, l > 0, {0, t, l, h - b}, {sx, sy + t, sx + l, sy + ch - b});
    add(P::Top, t > 0, {l, 0, w - r, t}, {sx + l, sy, sx + cw - r, sy + t});
    add(P::Centre, centre != TCentreMode::None, {l, t, w - r, h - b},
        {sx + l, sy + t, sx + cw - r, sy + ch - b});
    if (centre == TCentreMode::Tile) result.pieces[result.count - 1].tile = true;
    add(P::BottomRight, r > 0 && b > 0, {w - r, h - b, w, h},
        {sx + cw - r, sy + ch - b, sx + cw, sy + ch});
    add(P::Right, r > 0, {w - r, t, w, h - b}, {sx + cw - r, sy + t, sx + cw, sy + ch - b});
    add(P::Bottom, b > 0, {l, h - b, w - r, h}, {sx + l, sy + ch - b, sx + cw - r, sy + ch});
    return result;
}

bool ReadsOnlyInside(const TNineSlice& pieces, int width, int height) {
    return std::all_of(pieces.begin(), pieces.end(), [&](const TSlicePiece& piece) {
        const TRect& s = piece.source;
        return piece.dest.IsEmpty() || (!s.IsEmpty() && s.left >= 0 && s.top >= 0 &&
                                        s.right <= width && s.bottom <= height);
    });
}

std::optional<TThreeSlice> ThreeSlicePieces(const TRect& dest, const TRect& cell, int leftCap,
                                            int rightCap) {
    if (dest.right < dest.left || dest.bottom < dest.top) return std::nullopt;
    const int w = dest.Width(), h = dest.Height();
    const int l = std::max(leftCap, 0), r = std::max(rightCap, 0);
    const int sx = cell.left, sy = cell.top, cw = cell.Width(), ch = cell.Height();
    const int ox = dest.left, oy = dest.top;

    TThreeSlice result;
    result.leftCap = {
        TSlicePart::LeftCap, TRect{0, 0, l, h}.Offset(ox, oy), {sx, sy, sx + l, sy + ch}};
    result.rightCap = {TSlicePart::RightCap,
                       TRect{w - r, 0, w, h}.Offset(ox, oy),
                       {sx + cw - r, sy, sx + cw, sy + ch}};
    const int step = cw - l - r;
    result.middleStep = step;
    result.firstMiddle = {TSlicePart::Middle,
                          TRect{l, 0, l + step, h}.Offset(ox, oy),
                          {sx + l, sy, sx + l + step, sy + ch}};
    // Pieces at x = l, l + step, ... while x < w - r; none when the cell has no middle, which
    // would otherwise never advance.
    const int64_t span = int64_t(w) - r - l;
    if (step > 0 && span > 0) result.middleCount = int((span + step - 1) / step);
    return result;
}
