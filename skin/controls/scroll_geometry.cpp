#include "skin/controls/scroll_geometry.h"

#include <algorithm>
#include <cstdint>

int ScrollMulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    if (c < 0) {
        a = -a;
        c = -c;
    }
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t half = c / 2;
    const int64_t result = (product >= 0 ? product + half : product - half) / c;
    if (result > INT32_MAX || result < -INT32_MAX) return -1;
    return static_cast<int>(result);
}

TScrollBarRects ScrollBarRects(const TScrollFrame& f) {
    const int s = f.barSize;
    const int t = f.topOffset;
    // The frame's width from what the bars leave of the window, when there is a bar to tell.
    int e = f.edge;
    if (f.vertical)
        e = (f.width - f.clientWidth - s) / 2;
    else if (f.horizontal)
        e = (f.height - f.clientHeight - s - t) / 2;
    const int w = f.width;
    const int h = f.height;
    TScrollBarRects r;
    if (f.horizontal && f.vertical) {
        if (f.leftScrollBar) {
            r.horz = {s + e, h - e - s, w - e, h - e};
            r.vert = {e, e + t, s + e, h - e - s};
            r.corner = {e, h - e - s, s + e, h - e};
        } else {
            r.horz = {e, h - e - s, w - e - s, h - e};
            r.vert = {w - e - s, e + t, w - e, h - e - s};
            r.corner = {w - e - s, h - e - s, w - e, h - e};
        }
    } else if (f.vertical) {
        r.vert =
            f.leftScrollBar ? TRect{e, e + t, s + e, h - e} : TRect{w - e - s, e + t, w - e, h - e};
    } else if (f.horizontal) {
        r.horz = {e, h - e - s, w - e, h - e};
    }
    return r;
}

std::optional<TBarGeometry> ThumbGeometry(int barLength, int arrow, const TScrollValues& v,
                                          int minimumThumb, int pageLessThumb) {
    const int range = v.max - v.min;
    if (range <= 0) return std::nullopt;
    TBarGeometry g;
    g.arrow = arrow;
    g.track = barLength - 2 * arrow;
    g.thumb =
        v.page != 0 ? std::max(ScrollMulDiv(v.page, g.track, range), minimumThumb) : pageLessThumb;
    g.thumb = std::min(g.thumb, g.track);
    if (v.page == range) {
        g.offset = 0;
        g.thumb -= 1;
    } else {
        g.offset = ScrollMulDiv(v.pos - v.min, g.track - g.thumb, range - v.page);
    }
    g.offset = std::min(g.offset, g.track - g.thumb);
    return g;
}

int ScrollMessagePart(bool vertical, int scrollCode) {
    constexpr int kLineUp = 0, kLineDown = 1, kThumbTrack = 5;  // SB_LINEUP, SB_LINEDOWN, ...
    switch (scrollCode) {
        case kLineUp: return vertical ? 3 : 1;
        case kLineDown: return vertical ? 4 : 2;
        case kThumbTrack: return vertical ? kVertThumbPart : kHorzThumbPart;
        default: return kNoPart;
    }
}

int ArrowCell(bool vertical, bool second, int activePart) {
    const int cell = (vertical ? 9 : 1) + (second ? 4 : 0);
    const int part = (vertical ? 3 : 1) + (second ? 1 : 0);
    return activePart == part ? cell + 1 : cell;
}

int ThumbCell(bool vertical, int activePart) {
    return activePart == (vertical ? kVertThumbPart : kHorzThumbPart) ? 2 : 1;
}

TBarPart BarPartAt(int p, const TBarGeometry& g) {
    const int a = g.arrow;
    if (p < a) return TBarPart::LineUp;
    if (p < a + g.offset) return TBarPart::PageUp;
    if (p < a + g.offset + g.thumb) return TBarPart::Thumb;
    if (p < a + g.track) return TBarPart::PageDown;
    if (p < 2 * a + g.track) return TBarPart::LineDown;
    return TBarPart::None;
}

TThumbDrag DragThumb(int startOffset, int movement, const TBarGeometry& g, const TScrollValues& v) {
    const int range = v.max - v.min;
    TThumbDrag d;
    d.offset = std::max(startOffset + movement, 0);
    if (v.page != 0) {
        d.offset = std::min(d.offset, g.track);
        d.pos = ScrollMulDiv(d.offset, range, g.track) + v.min;
        if (d.pos >= v.max - v.page) d.pos = v.max - v.page + 1;
    } else {
        d.offset = std::min(d.offset, g.track - g.thumb);
        d.pos = std::min(ScrollMulDiv(d.offset, range, g.track - g.thumb) + v.min, v.max);
    }
    d.pos = std::max(d.pos, v.min);
    return d;
}
