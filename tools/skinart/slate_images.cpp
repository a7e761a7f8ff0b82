// Draws the BMP images of the slate skin: a dark graphite palette with light text and an amber
// accent, chosen to take the engine's other paths wherever a skin may differ from the default
// one. Sizes here and metrics in skins/slate/skin.ini go together:
//   - 8-pixel borders and a 30-pixel caption; every border piece is keyed (Trans 1): the
//     caption's top corners are cut diagonally and its top edge has a notch near each end, the
//     bottom corners are rounded;
//   - the middles of the border pieces carry a pattern with the period of their own width, so a
//     tiled middle (Stretch 0) is seamless where a stretched one would smear;
//   - a TextBack plate behind the centred title, title-bar buttons of 20 x 20;
//   - an 8-cell check strip and a 4-cell radio strip, 14-pixel marks;
//   - scroll bar cells of 20 pixels and two-cell thumbs.
#include "tools/skinart/slate_images.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <vector>

#include "tools/skinart/art.h"

namespace {

using namespace skinart;

constexpr Rgb kAccent{232, 146, 58};
constexpr Rgb kInk{226, 230, 235};
constexpr Rgb kDimInk{120, 126, 134};
constexpr Rgb kLine{14, 16, 19};
constexpr Rgb kPage{45, 50, 58};
constexpr Rgb kWell{28, 31, 36};

const Face kNormal{{92, 100, 112}, {72, 79, 90}, {56, 62, 71}};
const Face kPressed{{40, 44, 50}, {40, 45, 52}, {52, 58, 66}};
const Face kDisabled{{66, 70, 77}, {52, 56, 62}, {50, 54, 60}};
const Face kHot{kAccent, {86, 94, 106}, {66, 73, 83}};
const Face kDefault{kAccent, {72, 79, 90}, {56, 62, 71}, {150, 100, 50}};

// A strip of cells of w x h, one per face, each a rounded cell of radius r.
Image Strip(int w, int h, std::initializer_list<Face> faces, double r) {
    Image image(w * int(faces.size()), h);
    int cell = 0;
    for (const Face& face : faces) RoundedCell(image, w * cell++, 0, w, h, r, face);
    return image;
}

// A w x h glyph drawn into every cell of a strip at (ox, oy); ink per cell.
void GlyphInCells(Image& image, int cellWidth, int ox, int oy, int w, int h,
                  const std::vector<Rgb>& ink, const std::function<bool(int, int)>& on) {
    for (size_t cell = 0; cell < ink.size(); ++cell)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (on(x, y)) image.At(int(cell) * cellWidth + ox + x, oy + y) = ink[cell];
}

// A triangle of the given depth pointing 0 left, 1 right, 2 up, 3 down, in a box of
// (2 depth - 1) x depth (or depth x (2 depth - 1) for left and right).
std::function<bool(int, int)> Arrow(int direction, int depth) {
    return [direction, depth](int x, int y) {
        const bool horizontal = direction < 2;
        const int along = horizontal ? x : y, across = horizontal ? y : x;
        const int d = direction == 0 || direction == 2 ? along : depth - 1 - along;
        return along >= 0 && along < depth && std::abs(across - (depth - 1)) <= d;
    };
}

// --- The frame --------------------------------------------------------------------------------

constexpr int kCaption = 30, kBorder = 8, kCorner = 8, kChamfer = 6;
const Rgb kCaptionTop[2] = {{58, 64, 75}, {78, 82, 88}};
const Rgb kCaptionBottom[2] = {{30, 34, 40}, {60, 63, 68}};
const Rgb kFrameFill[2] = {{34, 38, 45}, {62, 65, 70}};
const Rgb kFrameLight[2] = {{84, 92, 104}, {98, 102, 108}};
const Rgb kStripe[2] = {kAccent, {110, 112, 116}};

// The caption's colour at row y, x pixels along a pattern of period 16: a faint groove every
// 16 pixels in the lower half, so that tiles show their seams only if they are stretched.
Rgb CaptionAt(int cell, int x, int y) {
    if (y == 0) return kLine;
    if (y == 1) return kFrameLight[cell];
    if (y == kCaption - 1) return kStripe[cell];
    const Rgb c = Mix(kCaptionTop[cell], kCaptionBottom[cell], double(y - 2) / (kCaption - 4));
    return x % 16 == 8 && y > kCaption / 2 ? Mix(c, kLine, 0.35) : c;
}

// The frame's colour across the border, `in` pixels from the outside, `along` pixels along it.
Rgb FrameAt(int cell, int in, int along) {
    if (in == 0) return kLine;
    if (in == 1) return kFrameLight[cell];
    // A rivet every 16 pixels in the middle of the border.
    if (in >= 3 && in <= 4 && along % 16 >= 7 && along % 16 <= 8) return Mix(kLine, kInk, 0.3);
    return kFrameFill[cell];
}

// Left border: two cells side by side (active, inactive), 8 wide: the caption's end on top
// (its corner cut diagonally), a 16-row middle and an 8-row bottom with a rounded corner.
constexpr int kSideMiddle = 16;
Image LeftBorder() {
    const int h = kCaption + kSideMiddle + kCorner;
    Image image(2 * kBorder, h);
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < kBorder; ++x) {
                Rgb c = y < kCaption ? CaptionAt(cell, x, y) : FrameAt(cell, x, y - kCaption);
                if (y < kCaption && x == 0) c = kLine;
                if (y < kCaption && x == 1 && y > 0) c = kFrameLight[cell];
                if (y >= h - kCorner) {
                    // The bottom rows: the frame seen from below, the corner rounded.
                    const int up = h - 1 - y;
                    c = FrameAt(cell, std::min(x, up), -1);
                    const auto inside = [&](int px, int py) {
                        return InRound(px, py - (h - 2 * kCorner), 2 * kCorner, 2 * kCorner,
                                       kCorner);
                    };
                    if (!inside(x, y)) {
                        c = kKey;
                    } else if (!inside(x - 1, y) || !inside(x, y + 1)) {
                        c = kLine;
                    }
                }
                if (x + y < kChamfer) c = kKey;
                if (x + y == kChamfer) c = kLine;
                image.At(cell * kBorder + x, y) = c;
            }
    return image;
}

// Caption strip: two cells of 64 x 30, one above the other. The 24-pixel ends are fixed (the
// top piece's margins) and carry a notch cut into the top edge; the 16-pixel middle is tiled.
constexpr int kTopEnd = 24, kTopWidth = 2 * kTopEnd + 16, kNotchFrom = 6, kNotchTo = 18,
              kNotchDepth = 5;
Image TopBorder() {
    Image image(kTopWidth, 2 * kCaption);
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < kCaption; ++y)
            for (int x = 0; x < kTopWidth; ++x) {
                // Ends: measured from the nearer edge, so both notches are alike.
                const int e = x < kTopEnd ? x : kTopWidth - 1 - x;
                Rgb c = CaptionAt(cell, x - kTopEnd + 8, y);
                if (x < kTopEnd || x >= kTopWidth - kTopEnd) {
                    const bool inNotch = e >= kNotchFrom && e < kNotchTo;
                    if (inNotch && y < kNotchDepth) {
                        c = kKey;
                    } else if ((inNotch && y == kNotchDepth) ||
                               ((e == kNotchFrom - 1 || e == kNotchTo) && y <= kNotchDepth)) {
                        c = kLine;
                    }
                }
                image.At(x, cell * kCaption + y) = c;
            }
    return image;
}

// Bottom border: two cells of 16 x 8, one above the other.
Image BottomBorder() {
    Image image(16, 2 * kBorder);
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < kBorder; ++y)
            for (int x = 0; x < image.w; ++x)
                image.At(x, cell * kBorder + y) = FrameAt(cell, kBorder - 1 - y, x);
    return image;
}

// The plate behind the title: two cells of 40 x 30 one above the other (active, inactive),
// a rounded plate with 10-pixel caps and a uniform middle, magenta around it.
Image TextBack() {
    constexpr int w = 40, top = 4, plate = kCaption - 2 * top;
    Image image(w, 2 * kCaption);
    const Face faces[2] = {{kAccent, {24, 26, 30}, {18, 20, 24}},
                           {{96, 100, 106}, {54, 57, 62}, {50, 53, 58}}};
    for (int cell = 0; cell < 2; ++cell)
        RoundedCell(image, 0, cell * kCaption + top, w, plate, 6, faces[cell]);
    return image;
}

// Title-bar buttons: four 20 x 20 cells (normal, pressed, hot, inactive window) and a 10 x 10
// glyph.
Image SysButton(bool close, const std::function<bool(int, int)>& glyph) {
    constexpr int n = 20;
    const Face hot = close ? Face{{240, 120, 96}, {200, 70, 50}, {160, 48, 34}} : kHot;
    Image image =
        Strip(n, n, {kNormal, kPressed, hot, {{70, 74, 80}, {62, 66, 72}, {58, 61, 66}}}, 2.5);
    for (int cell = 0; cell < 4; ++cell)
        Glyph(image, cell * n + 5 + (cell == 1), 5 + (cell == 1), 10, cell == 3 ? kDimInk : kInk,
              glyph);
    return image;
}

// --- Controls ---------------------------------------------------------------------------------

// Push buttons: five 28 x 24 cells (normal, pressed, disabled, mouse over, default).
Image PushButton() { return Strip(28, 24, {kNormal, kPressed, kDisabled, kHot, kDefault}, 2.5); }

// Check marks: eight 14 x 14 cells. The check box skinner takes cells 1 to 4 of a strip that is
// not 12 cells long: 1 unchecked, 2 checked, 3 unchecked and disabled, 4 checked and disabled,
// which is also the indeterminate state (a filled square reads as either). Cells 5 to 8 repeat
// them with the accent outline of the mouse-over look.
Image CheckMarks() {
    constexpr int n = 14;
    const Face box{{110, 118, 130}, kWell, {36, 40, 46}};
    const Face boxDisabled{{70, 74, 80}, {44, 48, 54}, {44, 48, 54}};
    const Face boxHot{kAccent, kWell, {36, 40, 46}};
    Image image = Strip(
        n, n, {box, box, boxDisabled, boxDisabled, boxHot, boxHot, boxDisabled, boxDisabled}, 1.5);
    const auto tick = [](int x, int y) {
        const int d = x <= 3 ? y - (x + 3) : y - (9 - x);
        return x >= 1 && x <= 9 && (d == 0 || d == 1);
    };
    for (int cell : {1, 5}) Glyph(image, cell * n + 2, 1, 11, kAccent, tick);
    for (int cell : {3, 7})
        Glyph(image, cell * n + 4, 4, 6, kDimInk, [](int, int) { return true; });
    return image;
}

// Radio marks: four 14 x 14 cells, 1 unchecked, 2 checked, 3 and 4 the same disabled.
Image RadioMarks() {
    constexpr int n = 14;
    const Face ring{{110, 118, 130}, kWell, {36, 40, 46}};
    const Face ringDisabled{{70, 74, 80}, {44, 48, 54}, {44, 48, 54}};
    Image image = Strip(n, n, {ring, ring, ringDisabled, ringDisabled}, 7);
    const auto dot = [](int x, int y) { return InRound(x, y, 6, 6, 3); };
    Glyph(image, n + 4, 4, 6, kAccent, dot);
    Glyph(image, 3 * n + 4, 4, 6, kDimInk, dot);
    return image;
}

// Edit-like border: four 20 x 20 cells (normal, pressed, disabled, mouse over or focused).
Image SunkEdge() {
    constexpr int n = 20;
    const Rgb outline[4] = {{92, 100, 112}, kAccent, {60, 64, 70}, {170, 120, 70}};
    Image image(4 * n, n);
    for (int cell = 0; cell < 4; ++cell)
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                const bool edge = x == 0 || y == 0 || x == n - 1 || y == n - 1;
                image.At(cell * n + x, y) = edge ? outline[cell] : kWell;
            }
    return image;
}

// Combo box button: four 18 x 20 cells in the SunkEdge order with the arrow drawn in, since
// the simple look (Style 1) draws no separate arrow glyph.
Image ComboButton() {
    constexpr int w = 18, h = 20;
    Image image = Strip(w, h, {kNormal, kPressed, kDisabled, kHot}, 1.5);
    GlyphInCells(image, w, 4, 8, 9, 5, {kInk, kInk, kDimInk, kAccent}, Arrow(3, 5));
    return image;
}

// Extra glyphs: five 11 x 11 cells; 1-4 the combo arrow (normal, pressed, disabled, mouse over),
// 5 the size grip.
Image ExtraImages() {
    constexpr int n = 11;
    Image image(5 * n, n);
    GlyphInCells(image, n, 1, 3, 9, 5, {kInk, kInk, kDimInk, kAccent}, Arrow(3, 5));
    for (int y = 2; y < n; y += 3)
        for (int x = 2; x < n; x += 3)
            if (x + y >= 10) image.At(4 * n + x, y) = kDimInk;
    return image;
}

// Page control tabs: five 30 x 24 cells (1 normal, 2 selected, the rest as 1), drawn with
// margins 6, 3, 6, 3 and a tiled middle.
Image Tabs() {
    constexpr int w = 30, h = 24;
    Image image(5 * w, h);
    for (int cell = 0; cell < 5; ++cell) {
        const bool selected = cell == 1;
        const Face face = selected ? Face{{110, 118, 130}, {64, 70, 80}, kPage}
                                   : Face{{70, 76, 86}, {40, 44, 51}, {36, 40, 46}};
        Image tab(w, h + 8);
        RoundedCell(tab, 0, selected ? 0 : 2, w, h + 8 - (selected ? 0 : 2), 3, face);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                Rgb c = tab.At(x, y);
                if (selected && y <= 2 && !IsKey(c) && x > 0 && x < w - 1) c = kAccent;
                image.At(cell * w + x, y) = c;
            }
    }
    return image;
}

// The page border around a page control's display area (drawn with margins 4, 5, 4, 4).
Image TabBorder() {
    constexpr int n = 20;
    Image image(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int ring = std::min({x, y, n - 1 - x, n - 1 - y});
            image.At(x, y) = ring == 0 ? Rgb{110, 118, 130} : ring == 1 ? kLine : kPage;
        }
    return image;
}

// Scroll bars: 20-pixel cells. Arrow buttons in 23 cells, groups of four (normal, pressed,
// mouse over, disabled) pointing left, right, up and down, then plain faces.
constexpr int kScroll = 20;
Image ScrollArrows() {
    Image image(23 * kScroll, kScroll);
    const Face faces[4] = {kNormal, kPressed, kHot, kDisabled};
    const Rgb ink[4] = {kInk, kInk, kAccent, kDimInk};
    for (int i = 0; i < 23; ++i) {
        RoundedCell(image, i * kScroll + 1, 1, kScroll - 2, kScroll - 2, 2, faces[i % 4]);
        if (i >= 16) continue;
        const int direction = i / 4, depth = 5;
        const bool horizontal = direction < 2;
        const int ox = horizontal ? 8 : 6, oy = horizontal ? 6 : 8;
        Glyph(image, i * kScroll + ox, oy, 9, ink[i % 4], Arrow(direction, depth));
    }
    return image;
}

// Track: four cells, a dark well with lighter long edges (only cell 1 is drawn).
Image ScrollTrack() {
    Image image(4 * kScroll, kScroll);
    for (int y = 0; y < kScroll; ++y)
        for (int x = 0; x < image.w; ++x)
            image.At(x, y) = y <= 1 || y >= kScroll - 2 ? Rgb{40, 44, 50} : kWell;
    return image;
}

// Thumbs: two cells (normal, dragged) of 28 x 20 (20 x 28 for the vertical bar), with grip
// lines in the middle.
Image ScrollThumb(bool vertical) {
    const int w = vertical ? kScroll : 28, h = vertical ? 28 : kScroll;
    Image image = Strip(w, h, {kNormal, kHot}, 3);
    for (int cell = 0; cell < 2; ++cell)
        for (int k = -2; k <= 2; k += 2)
            for (int s = -4; s <= 4; ++s) {
                const int x = vertical ? w / 2 + s : w / 2 + k,
                          y = vertical ? h / 2 + k : h / 2 + s;
                image.At(cell * w + x, y) = cell == 0 ? kDimInk : kAccent;
            }
    return image;
}

// Menu items: five 28 x 22 cells: 1 clear (the popup's background shows), 2 the separator, 4
// selected, 3 and 5 as 1. A separator shorter than the image shows the image's bottom rows, so
// the line sits 4 rows above the bottom of an 8-pixel separator.
Image MenuItem() {
    constexpr int w = 28, h = 22;
    Image image(5 * w, h);
    for (int x = 2; x < w - 2; ++x) {
        image.At(w + x, h - 5) = kLine;
        image.At(w + x, h - 4) = Rgb{84, 92, 104};
    }
    RoundedCell(image, 3 * w, 0, w, h, 2, {kAccent, {150, 92, 40}, {120, 72, 30}});
    return image;
}

// Popup menu background: one 20 x 20 cell whose outer 3 pixels are the popup's border.
Image MenuBackground() {
    constexpr int n = 20;
    Image image(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int ring = std::min({x, y, n - 1 - x, n - 1 - y});
            image.At(x, y) = ring == 0 ? Rgb{110, 118, 130} : ring < 3 ? kLine : Rgb{36, 40, 47};
        }
    return image;
}

// Menu bar background: two 32 x 22 cells one above the other (active, inactive window) with
// 4-pixel ends and an accent rule at the bottom while active.
Image MenuBar() {
    constexpr int w = 32, h = 22;
    Image image(w, 2 * h);
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool end = x < 4 || x >= w - 4;
                image.At(x, cell * h + y) =
                    y == h - 1 ? kStripe[cell]
                    : end      ? kFrameFill[cell]
                               : Mix(Rgb{44, 49, 57}, Rgb{38, 42, 49}, double(y) / (h - 2));
            }
    return image;
}

// Progress bar: two 24 x 16 cells (horizontal, vertical) and the 10 x 12 chunk.
Image ProgressBar() {
    constexpr int w = 24, h = 16;
    Image image(2 * w, h);
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int ring = std::min({x, y, w - 1 - x, h - 1 - y});
                image.At(cell * w + x, y) = ring == 0   ? Rgb{92, 100, 112}
                                            : ring == 1 ? kLine
                                                        : kWell;
            }
    return image;
}

Image ProgressChunk() {
    constexpr int w = 10, h = 12;
    Image image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.At(x, y) =
                x >= w - 2 ? kWell : Mix(Rgb{250, 190, 120}, kAccent, double(y) / (h - 1));
    return image;
}

// Group box edge: two 16 x 16 cells (enabled, disabled), a one-pixel outline with cut corners,
// magenta inside.
Image GroupBoxEdge() {
    constexpr int n = 16;
    Image image(2 * n, n);
    const Rgb line[2] = {{92, 100, 112}, {60, 64, 70}};
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                const int ex = std::min(x, n - 1 - x), ey = std::min(y, n - 1 - y);
                if (ex + ey == 3 || (ex == 0 && ey > 3) || (ey == 0 && ex > 3))
                    image.At(cell * n + x, y) = line[cell];
            }
    return image;
}

// Group box caption plate: one 24 x 18 cell.
Image GroupBoxLabel() {
    Image image(24, 18);
    RoundedCell(image, 0, 0, 24, 18, 2, {kAccent, {90, 60, 32}, {70, 46, 24}});
    return image;
}

// Toolbar buttons: five 24 x 24 cells (normal and disabled clear, pressed, hot, checked).
Image ToolbarButtons() {
    constexpr int n = 24;
    Image image(5 * n, n);
    RoundedCell(image, n, 0, n, n, 2.5, kPressed);
    RoundedCell(image, 3 * n, 0, n, n, 2.5, kHot);
    RoundedCell(image, 4 * n, 0, n, n, 2.5, {kAccent, {64, 58, 50}, {56, 50, 44}});
    return image;
}

// Status bar: three 16 x 22 cells (a panel, the last panel, the bar without panels).
Image StatusBarEdges() {
    constexpr int w = 16, h = 22;
    Image image(3 * w, h);
    for (int cell = 0; cell < 3; ++cell)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool rule = cell == 2 ? y == 0 : x == 0 || y == 0 || x == w - 1;
                image.At(cell * w + x, y) = rule ? kLine : Rgb{38, 42, 49};
            }
    return image;
}

// List headers: five 24 x 22 cells (normal, pressed, hot, then normal twice).
Image Headerbar() {
    constexpr int w = 24, h = 22;
    Image image(5 * w, h);
    const Face faces[5] = {kNormal, kPressed, kHot, kNormal, kNormal};
    for (int cell = 0; cell < 5; ++cell)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Face& f = faces[cell];
                image.At(cell * w + x, y) = y == h - 1 ? f.outline
                                            : x == w - 1 && y > 3 && y < h - 4
                                                ? kLine
                                                : Mix(f.top, f.bottom, double(y) / (h - 2));
            }
    return image;
}

// Track bar thumbs: five cells (normal, pressed, hot, disabled, focused), 12 x 22 for
// horizontal bars and 22 x 12 for vertical ones; `point` cuts a point on one side: 0 none,
// 1 left, 2 right, 3 up, 4 down.
Image TrackbarThumb(bool tall, int point) {
    const int w = tall ? 12 : 22, h = tall ? 22 : 12;
    Image image(5 * w, h);
    const Face faces[5] = {kNormal, kPressed, kHot, kDisabled, kDefault};
    const auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return false;
        const int across = point <= 2 ? std::abs(2 * y - (h - 1)) : std::abs(2 * x - (w - 1));
        const int along = point == 1 ? x : point == 2 ? w - 1 - x : point == 3 ? y : h - 1 - y;
        return point == 0 || 2 * along >= across - 4;
    };
    for (int cell = 0; cell < 5; ++cell) {
        const Face& f = faces[cell];
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (!inside(x, y)) continue;
                const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) ||
                                  !inside(x, y + 1);
                image.At(cell * w + x, y) = edge ? f.outline : Mix(f.top, f.bottom, double(y) / h);
            }
    }
    return image;
}

// Up-down buttons: eight cells, the up (or left) button in four states (normal, pressed, hot,
// disabled), then the down (or right) one: 18 x 12 each (12 x 18 side by side), with glyph
// strips of 7 x 4 (4 x 7) triangles on magenta.
Image UpDown(bool vertical) {
    const int w = vertical ? 18 : 12, h = vertical ? 12 : 18;
    Image image(8 * w, h);
    const Face faces[4] = {kNormal, kPressed, kHot, kDisabled};
    for (int cell = 0; cell < 8; ++cell) RoundedCell(image, cell * w, 0, w, h, 2, faces[cell % 4]);
    return image;
}

Image UpDownGlyphs(bool vertical) {
    const int w = vertical ? 7 : 4, h = vertical ? 4 : 7;
    Image image(8 * w, h);
    const Rgb ink[4] = {kInk, kInk, kAccent, kDimInk};
    for (int cell = 0; cell < 8; ++cell) {
        const int direction = vertical ? (cell < 4 ? 2 : 3) : (cell < 4 ? 0 : 1);
        Glyph(image, cell * w, 0, 7, ink[cell % 4],
              [&](int x, int y) { return x < w && y < h && Arrow(direction, 4)(x, y); });
    }
    return image;
}

}  // namespace

std::vector<SkinArtFile> MakeSlateSkinImages() {
    std::vector<SkinArtFile> files;
    const auto Save = [&files](const Image& image, const char* name) {
        files.push_back({name, Encode(image)});
    };
    const Image left = LeftBorder();
    Save(left, "left.bmp");
    Save(MirroredCells(left, 2), "right.bmp");
    Save(TopBorder(), "top.bmp");
    Save(BottomBorder(), "bottom.bmp");
    Save(TextBack(), "textback.bmp");
    const Image close = SysButton(
        true, [](int x, int y) { return x == y || x == y + 1 || x + y == 9 || x + y == 10; });
    Save(close, "close.bmp");
    const Image minimise = SysButton(false, [](int, int y) { return y >= 7 && y <= 8; });
    Save(minimise, "minimize.bmp");
    Save(SysButton(false, [](int x, int y) { return x == 0 || x == 9 || y <= 1 || y == 9; }),
         "maximize.bmp");
    const Image restore = SysButton(false, [](int x, int y) {
        const bool front = x <= 6 && y >= 3;
        const bool frontEdge = front && (x == 0 || x == 6 || y == 3 || y == 4 || y == 9);
        const bool back = x >= 3 && y <= 6 && (x == 3 || x == 9 || y <= 1 || y == 6);
        return frontEdge || (back && !front);
    });
    Save(restore, "restore.bmp");
    // The system menu button: three bars.
    Save(
        SysButton(false, [](int, int y) { return y == 1 || y == 2 || y == 5 || y == 8 || y == 9; }),
        "menubutton.bmp");
    // The pin button: a diamond outline.
    Save(SysButton(false,
                   [](int x, int y) {
                       const int d = std::abs(2 * x - 9) + std::abs(2 * y - 9);
                       return d >= 6 && d <= 9;
                   }),
         "pin.bmp");
    Image mdi(3 * minimise.w, minimise.h);
    Blit(mdi, minimise, 0, 0);
    Blit(mdi, restore, minimise.w, 0);
    Blit(mdi, close, 2 * minimise.w, 0);
    Save(mdi, "mdicontrols.bmp");
    Save(PushButton(), "button.bmp");
    Save(CheckMarks(), "check.bmp");
    Save(RadioMarks(), "radio.bmp");
    Save(SunkEdge(), "sunkedge.bmp");
    Save(ComboButton(), "combobutton.bmp");
    Save(ExtraImages(), "extraimages.bmp");
    Save(Tabs(), "tabs.bmp");
    Save(TabBorder(), "tabborder.bmp");
    Save(ScrollArrows(), "scrollarrows.bmp");
    Save(ScrollTrack(), "horzscroll.bmp");
    Save(TransposedCells(ScrollTrack(), kScroll), "vertscroll.bmp");
    Save(ScrollThumb(false), "horzthumb.bmp");
    Save(ScrollThumb(true), "vertthumb.bmp");
    Save(MenuItem(), "menuitem.bmp");
    Save(MenuBackground(), "menuback.bmp");
    Save(MenuBar(), "menubar.bmp");
    Save(ProgressBar(), "progress.bmp");
    Save(ProgressChunk(), "progresschunk.bmp");
    Save(GroupBoxEdge(), "groupboxedge.bmp");
    Save(GroupBoxLabel(), "groupbox.bmp");
    Save(ToolbarButtons(), "toolbar.bmp");
    Save(StatusBarEdges(), "statusbar.bmp");
    Save(Headerbar(), "headerbar.bmp");
    Save(TrackbarThumb(true, 0), "thumbhorz.bmp");
    Save(TrackbarThumb(false, 0), "thumbvert.bmp");
    Save(TrackbarThumb(false, 1), "thumbleft.bmp");
    Save(TrackbarThumb(false, 2), "thumbright.bmp");
    Save(TrackbarThumb(true, 3), "thumbup.bmp");
    Save(TrackbarThumb(true, 4), "thumbdown.bmp");
    Save(UpDown(false), "updownhorz.bmp");
    Save(UpDownGlyphs(false), "updownhorzglyph.bmp");
    Save(UpDown(true), "updownvert.bmp");
    Save(UpDownGlyphs(true), "updownvertglyph.bmp");
    return files;
}
