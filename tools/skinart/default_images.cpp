// Draws the BMP images of the default skin (see tools/skinart/art.h for the helpers).
//
// Sizes here and metrics in skins/default/skin.ini go together: the caption is 26 pixels high
// (Top cells, LeftTopHeight, RightTopHeight), the borders 4 pixels wide, title-bar buttons
// 18 x 18.
#include "tools/skinart/default_images.h"

#include "tools/skinart/art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace skinart;

// Accent colour of checked marks, selected tabs, the focus ring and the progress chunk.
constexpr Rgb kAccent{47, 128, 208};

// The frame: active and inactive colours.
constexpr int kCaption = 26, kBorder = 4;
const Rgb kCaptionTop[2] = {{63, 110, 153}, {164, 176, 194}};
const Rgb kCaptionBottom[2] = {{44, 74, 107}, {136, 150, 170}};
const Rgb kFrameFill[2] = {{44, 74, 107}, {136, 150, 170}};
const Rgb kFrameLine[2] = {{24, 40, 60}, {104, 117, 136}};
const Rgb kFrameLight[2] = {{104, 142, 182}, {190, 200, 214}};

Rgb CaptionRow(int cell, int y) {
    if (y == 0) return kFrameLine[cell];
    if (y == 1) return kFrameLight[cell];
    return Mix(kCaptionTop[cell], kCaptionBottom[cell], double(y - 2) / (kCaption - 3));
}

// Left border: two cells side by side (active, inactive), the caption's end on top.
Image LeftBorder() {
    const int h = kCaption + 14;
    Image image(2 * kBorder, h);
    for (int cell = 0; cell < 2; ++cell) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < kBorder; ++x) {
                Rgb c = y < kCaption ? CaptionRow(cell, y) : kFrameFill[cell];
                if (x == 0 || y == h - 1) c = kFrameLine[cell];
                if (x == 1 && y > 0 && y < h - 1) c = kFrameLight[cell];
                // Rounded top-left corner of the window, cut out of its region.
                const auto inside = [](int px, int py) { return InRound(px, py, 64, 64, 4); };
                if (!inside(x, y)) {
                    c = kKey;
                } else if (!inside(x - 1, y) || !inside(x, y - 1)) {
                    c = kFrameLine[cell];
                }
                image.At(cell * kBorder + x, y) = c;
            }
        }
    }
    return image;
}

// Caption strip: two cells one above the other.
Image TopBorder() {
    Image image(32, 2 * kCaption);
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < kCaption; ++y)
            for (int x = 0; x < image.w; ++x)
                image.At(x, cell * kCaption + y) = CaptionRow(cell, y);
    return image;
}

Image BottomBorder() {
    Image image(16, 2 * kBorder);
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < kBorder; ++y)
            for (int x = 0; x < image.w; ++x)
                image.At(x, cell * kBorder + y) = y == kBorder - 1   ? kFrameLine[cell]
                                                  : y == kBorder - 2 ? kFrameLight[cell]
                                                                     : kFrameFill[cell];
    return image;
}

// Title-bar button: four 18 x 18 cells (normal, pressed, hot, inactive window).
Image SysButton(bool close, const std::function<bool(int, int)>& glyph) {
    constexpr int n = 18;
    Image image(4 * n, n);
    const Face faces[4] = {
        {{170, 196, 228}, {96, 140, 196}, {58, 98, 152}},
        {{150, 176, 210},
         close ? Rgb{150, 40, 34} : Rgb{34, 64, 110},
         close ? Rgb{178, 58, 48} : Rgb{52, 88, 140}},
        {{210, 226, 246},
         close ? Rgb{232, 96, 80} : Rgb{124, 170, 226},
         close ? Rgb{196, 56, 44} : Rgb{78, 126, 190}},
        {{196, 205, 218}, {178, 188, 204}, {150, 163, 182}},
    };
    for (int cell = 0; cell < 4; ++cell) {
        RoundedCell(image, cell * n, 0, n, n, 3.5, faces[cell]);
        const Rgb ink = cell == 3 ? Rgb{236, 240, 245} : Rgb{255, 255, 255};
        Glyph(image, cell * n + 5 + (cell == 1), 5 + (cell == 1), 8, ink, glyph);
    }
    return image;
}

// Push button: five 24 x 22 cells (normal, pressed, disabled, mouse over, default).
Image PushButton() {
    constexpr int w = 24, h = 22;
    Image image(5 * w, h);
    const Face faces[5] = {
        {{122, 140, 164}, {252, 253, 255}, {220, 227, 237}},
        {{88, 108, 138}, {196, 207, 222}, {222, 229, 239}},
        {{184, 191, 201}, {238, 240, 243}, {232, 235, 239}},
        {{62, 124, 198}, {255, 255, 255}, {212, 228, 248}},
        {{52, 101, 164}, {252, 253, 255}, {220, 227, 237}, kAccent},
    };
    for (int cell = 0; cell < 5; ++cell) RoundedCell(image, cell * w, 0, w, h, 3.5, faces[cell]);
    return image;
}

// Check box marks: 13 x 13 cells, unchecked, checked and indeterminate, each normal, mouse
// over, pressed and disabled (the 12-cell order the check box skinner maps to).
// Radio buttons: the first eight of the same order, round.
Image ChoiceMarks(bool radio) {
    constexpr int n = 13;
    const int cells = radio ? 8 : 12;
    Image image(cells * n, n);
    const Face looks[4] = {
        {{112, 127, 148}, {255, 255, 255}, {226, 232, 240}},
        {{52, 101, 164}, {255, 255, 255}, {214, 229, 248}},
        {{52, 101, 164}, {206, 216, 230}, {226, 233, 242}},
        {{184, 191, 201}, {242, 243, 245}, {236, 238, 241}},
    };
    for (int i = 0; i < cells; ++i) {
        const int state = i / 4, look = i % 4;
        RoundedCell(image, i * n, 0, n, n, radio ? 6.5 : 1.5, looks[look]);
        const Rgb ink = look == 3 ? Rgb{160, 168, 180} : kAccent;
        if (state == 1 && radio) {
            Glyph(image, i * n + 3, 3, 7, ink,
                  [](int x, int y) { return InRound(x, y, 7, 7, 2.6); });
        } else if (state == 1) {
            // A tick, two pixels thick: down from (2, 4) to (4, 6), then up to (8, 2).
            Glyph(image, i * n + 2, 2, 9, ink, [](int x, int y) {
                const int d = x <= 2 ? y - (x + 2) : y - (8 - x);
                return x >= 0 && x <= 8 && (d == 0 || d == 1) && x + y > 3;
            });
        } else if (state == 2) {
            Glyph(image, i * n + 3, 3, 7, ink,
                  [](int x, int y) { return x > 0 && x < 6 && y > 0 && y < 6; });
        }
    }
    return image;
}

// Edit-like border of combo boxes: four 20 x 20 cells (normal, pressed, disabled, mouse over or
// focused), a one-pixel outline and a white ring; the middle is covered by the text.
Image SunkEdge() {
    constexpr int n = 20;
    Image image(4 * n, n);
    const Rgb outline[4] = {{122, 140, 164}, {52, 101, 164}, {184, 191, 201}, {62, 124, 198}};
    const Rgb inside[4] = {{255, 255, 255}, {255, 255, 255}, {240, 242, 245}, {255, 255, 255}};
    for (int cell = 0; cell < 4; ++cell)
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                const bool edge = x == 0 || y == 0 || x == n - 1 || y == n - 1;
                image.At(cell * n + x, y) = edge ? outline[cell] : inside[cell];
            }
    return image;
}

// Combo box drop-down button: four 20 x 20 cells in the SunkEdge order. The two magenta
// pixels at the top, right and bottom let the edge's ring show around the button.
Image ComboButton() {
    constexpr int n = 20;
    Image image(4 * n, n);
    const Face faces[4] = {
        {{150, 165, 185}, {246, 248, 251}, {214, 222, 233}},
        {{88, 108, 138}, {196, 207, 222}, {222, 229, 239}},
        {{200, 206, 214}, {238, 240, 243}, {232, 235, 239}},
        {{62, 124, 198}, {255, 255, 255}, {206, 224, 247}},
    };
    for (int cell = 0; cell < 4; ++cell)
        RoundedCell(image, cell * n, 2, n - 2, n - 4, 1.5, faces[cell]);
    return image;
}

// Extra glyphs: five 11 x 11 cells on magenta. Cells 1-4 hold the combo box arrow (normal,
// pressed, disabled, mouse over), a 9 x 5 downward triangle in the middle; cell 5 is the size
// grip drawn into a status bar's corner: three diagonal rows of dots, each a light pixel with
// its shadow below and right.
Image ExtraImages() {
    constexpr int n = 11, aw = 9, ah = 5;
    Image image(5 * n, n);
    const Rgb ink[4] = {{30, 62, 108}, {20, 40, 70}, {160, 168, 180}, {52, 101, 164}};
    for (int cell = 0; cell < 4; ++cell)
        for (int y = 0; y < ah; ++y)
            for (int x = y; x < aw - y; ++x)
                image.At(cell * n + (n - aw) / 2 + x, (n - ah) / 2 + y) = ink[cell];
    for (int y = 3; y < n; y += 3)
        for (int x = 3; x < n; x += 3) {
            if (x + y < 12) continue;  // only the bottom-right triangle
            image.At(4 * n + x - 1, y - 1) = Rgb{255, 255, 255};
            image.At(4 * n + x, y) = Rgb{122, 140, 164};
        }
    return image;
}

// Page control tabs: five 24 x 22 cells (1 normal, 2 selected; the rest repeat the normal
// tab), rounded at the top. A normal tab stands on the page's top line, the selected one opens
// into the page.
Image Tabs() {
    constexpr int w = 24, h = 22;
    Image image(5 * w, h);
    for (int cell = 0; cell < 5; ++cell) {
        const bool selected = cell == 1;
        const Face face = selected ? Face{{122, 140, 164}, {255, 255, 255}, {228, 233, 240}}
                                   : Face{{150, 165, 185}, {240, 243, 247}, {214, 221, 231}};
        // Taller than the cell so that only the top corners are round.
        Image tab(w, h + 8);
        RoundedCell(tab, 0, 0, w, h + 8, 4, face);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                Rgb c = tab.At(x, y);
                if (y == h - 1 && c.g != kKey.g) c = selected ? Rgb{228, 233, 240} : face.outline;
                if (selected && y <= 1 && c.g != kKey.g) c = kAccent;  // the selected tab's cap
                if (selected && y > h - 6 && c.g != kKey.g && x > 0 && x < w - 1)
                    c = Mix(c, Rgb{228, 233, 240}, 0.5);
                image.At(cell * w + x, y) = c;
            }
    }
    return image;
}

// The page border around a page control's display area: outline, then the page colour (drawn
// with margins 4, 5, 4, 4, so the image must be wider than 8 and taller than 9).
Image TabBorder() {
    constexpr int n = 16;
    Image image(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const bool edge = x == 0 || y == 0 || x == n - 1 || y == n - 1;
            const bool shade = !edge && (x == n - 2 || y == n - 2);
            image.At(x, y) = edge    ? Rgb{122, 140, 164}
                             : shade ? Rgb{210, 217, 227}
                                     : Rgb{228, 233, 240};
        }
    return image;
}

// Scroll bars are drawn into a 16-pixel strip. Vertical parts are the horizontal ones with each
// square cell transposed, so light comes from the same side along the bar.
constexpr int kScroll = 16;

// Arrow buttons: 23 cells; groups of four (normal, pressed, mouse over, disabled) pointing
// left (cells 1-4), right (5-8), up (9-12) and down (13-16); the remaining cells are plain
// button faces. The scroll bar skinner uses 1, 2, 5, 6, 9, 10, 13 and 14.
Image ScrollArrows() {
    Image image(23 * kScroll, kScroll);
    const Face faces[4] = {
        {{150, 165, 185}, {246, 248, 251}, {214, 222, 233}},
        {{88, 108, 138}, {196, 207, 222}, {222, 229, 239}},
        {{62, 124, 198}, {255, 255, 255}, {206, 224, 247}},
        {{200, 206, 214}, {238, 240, 243}, {232, 235, 239}},
    };
    const Rgb ink[4] = {{30, 62, 108}, {20, 40, 70}, {52, 101, 164}, {170, 177, 188}};
    for (int i = 0; i < 23; ++i) {
        const int look = i % 4, direction = i < 16 ? i / 4 : -1;
        RoundedCell(image, i * kScroll + 1, 1, kScroll - 2, kScroll - 2, 2.5, faces[look]);
        if (direction < 0) continue;
        // A triangle 7 wide and 4 deep, pointing along its direction.
        for (int d = 0; d < 4; ++d)
            for (int e = -3 + d; e <= 3 - d; ++e) {
                const int along = direction == 0 || direction == 2 ? 9 - d : 6 + d;
                const int across = 8 + e;
                const bool horizontal = direction < 2;
                const int x = horizontal ? along : across - 1, y = horizontal ? across - 1 : along;
                image.At(i * kScroll + x + (look == 1), y + (look == 1)) = ink[look];
            }
    }
    return image;
}

// Track: four cells (only the first is drawn), a groove with darker long edges.
Image ScrollTrack() {
    Image image(4 * kScroll, kScroll);
    for (int y = 0; y < kScroll; ++y)
        for (int x = 0; x < image.w; ++x)
            image.At(x, y) = y == 0 || y == kScroll - 1 ? Rgb{196, 205, 218} : Rgb{218, 225, 234};
    return image;
}

// Thumb: three cells (normal, dragged, and normal again), rounded, magenta around.
Image ScrollThumb() {
    Image image(3 * kScroll, kScroll);
    const Face faces[3] = {
        {{122, 140, 164}, {250, 251, 253}, {208, 217, 230}},
        {{52, 101, 164}, {214, 229, 248}, {178, 204, 236}},
        {{122, 140, 164}, {250, 251, 253}, {208, 217, 230}},
    };
    for (int cell = 0; cell < 3; ++cell)
        RoundedCell(image, cell * kScroll, 1, kScroll, kScroll - 2, 3.5, faces[cell]);
    return image;
}

// Menu items: five 24 x 20 cells, 1 normal (clear: the popup's background shows), 2 the
// separator line near the bottom, 4 selected (dark enough for white text), 3 and 5 as 1.
Image MenuItem() {
    constexpr int w = 24, h = 20;
    Image image(5 * w, h);
    // The separator cell: a separator shorter than the image shows the image's bottom rows, so
    // the line sits 4 rows above the bottom of an 8-pixel separator.
    for (int x = 0; x < w; ++x) {
        image.At(w + x, h - 5) = Rgb{196, 205, 218};
        image.At(w + x, h - 4) = Rgb{255, 255, 255};
    }
    RoundedCell(image, 3 * w, 0, w, h, 2.5, {{40, 78, 130}, {82, 128, 186}, {52, 101, 164}});
    return image;
}

// Popup menu background: one 16 x 16 cell whose outer 3 pixels are the popup's border.
Image MenuBackground() {
    constexpr int n = 16;
    Image image(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int ring = std::min({x, y, n - 1 - x, n - 1 - y});
            image.At(x, y) = ring == 0 ? Rgb{122, 140, 164} : Rgb{248, 250, 252};
        }
    return image;
}

const Face kFlat{{150, 165, 185}, {246, 248, 251}, {214, 222, 233}};
const Face kPressed{{88, 108, 138}, {196, 207, 222}, {222, 229, 239}};
const Face kHot{{62, 124, 198}, {255, 255, 255}, {206, 224, 247}};
const Face kDisabled{{200, 206, 214}, {238, 240, 243}, {232, 235, 239}};

// Buttons of a maximised MDI child, drawn into the menu bar: twelve 18 x 18 cells, minimise,
// restore and close in groups of four (normal, pressed, hot, inactive).
Image MdiControls(const Image& minimise, const Image& restore, const Image& close) {
    Image image(minimise.w * 3, minimise.h);
    Blit(image, minimise, 0, 0);
    Blit(image, restore, minimise.w, 0);
    Blit(image, close, 2 * minimise.w, 0);
    return image;
}

// Background behind the caption text: two 32 x 26 cells (active, inactive) of the caption.
Image TextBack() {
    constexpr int w = 32;
    Image image(2 * w, kCaption);
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < kCaption; ++y)
            for (int x = 0; x < w; ++x) image.At(cell * w + x, y) = CaptionRow(cell, y);
    return image;
}

// Progress bar: two 24 x 16 cells (horizontal and vertical bar) with a 2-pixel sunk edge.
Image ProgressBar() {
    constexpr int w = 24, h = 16;
    Image image(2 * w, h);
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int ring = std::min({x, y, w - 1 - x, h - 1 - y});
                image.At(cell * w + x, y) = ring == 0   ? Rgb{122, 140, 164}
                                            : ring == 1 ? Rgb{206, 214, 225}
                                                        : Rgb{236, 240, 245};
            }
    return image;
}

// Progress chunk: 8 x 12, the accent with a lighter top and a 1-pixel gap on the right.
Image ProgressChunk() {
    constexpr int w = 8, h = 12;
    Image image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.At(x, y) = x == w - 1 ? Rgb{236, 240, 245}
                                        : Mix(Rgb{120, 178, 236}, kAccent, double(y) / (h - 1));
    return image;
}

// Menu bar background: two 32 x 20 cells one above the other (active and inactive window),
// light with a rule at the bottom.
Image MenuBar() {
    constexpr int w = 32, h = 20;
    Image image(w, 2 * h);
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.At(x, cell * h + y) =
                    y == h - 1  ? Rgb{196, 205, 218}
                    : cell == 0 ? Mix(Rgb{240, 244, 248}, Rgb{226, 232, 240}, double(y) / (h - 2))
                                : Rgb{234, 237, 241};
    return image;
}

// Group box edge: two 16 x 16 cells (enabled, disabled), a rounded 1-pixel outline; the inside
// is magenta so the box's own background shows.
Image GroupBoxEdge() {
    constexpr int n = 16;
    Image image(2 * n, n);
    const Rgb line[2] = {{150, 165, 185}, {200, 206, 214}};
    for (int cell = 0; cell < 2; ++cell)
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                if (!InRound(x, y, n, n, 3.5)) continue;
                const bool edge = !InRound(x - 1, y, n, n, 3.5) || !InRound(x + 1, y, n, n, 3.5) ||
                                  !InRound(x, y - 1, n, n, 3.5) || !InRound(x, y + 1, n, n, 3.5);
                if (edge) image.At(cell * n + x, y) = line[cell];
            }
    return image;
}

// Group box caption background: one 24 x 18 cell, a rounded steel-blue label.
Image GroupBoxLabel() {
    Image image(24, 18);
    RoundedCell(image, 0, 0, 24, 18, 3.5, {{40, 78, 130}, {72, 118, 176}, {52, 101, 164}});
    return image;
}

// Toolbar buttons: five 22 x 22 cells (normal, pressed, disabled, hot, checked). Normal and
// disabled are clear so the toolbar shows; checked carries the accent outline.
Image ToolbarButtons() {
    constexpr int n = 22;
    Image image(5 * n, n);
    RoundedCell(image, n, 0, n, n, 3.5, kPressed);
    RoundedCell(image, 3 * n, 0, n, n, 3.5, kHot);
    RoundedCell(image, 4 * n, 0, n, n, 3.5, {kAccent, {220, 234, 250}, {200, 222, 246}});
    return image;
}

// Status bar panels: three 16 x 20 cells (a panel, the last panel, the bar without panels),
// a light face with a 1-pixel sunk outline.
Image StatusBarEdges() {
    constexpr int w = 16, h = 20;
    Image image(3 * w, h);
    for (int cell = 0; cell < 3; ++cell)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool dark = (x == 0 || y == 0) && cell < 2;
                const bool light = (x == w - 1 || y == h - 1) && cell < 2;
                const bool top = cell == 2 && y == 0;
                image.At(cell * w + x, y) = dark || top ? Rgb{170, 182, 198}
                                            : light     ? Rgb{255, 255, 255}
                                                        : Rgb{228, 233, 240};
            }
    return image;
}

// List header sections: five 24 x 20 cells (normal, pressed, hot, and normal twice), a face
// with a divider on the right and a rule at the bottom.
Image Headerbar() {
    constexpr int w = 24, h = 20;
    Image image(5 * w, h);
    const Face faces[5] = {kFlat, kPressed, kHot, kFlat, kFlat};
    for (int cell = 0; cell < 5; ++cell)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Face& f = faces[cell];
                image.At(cell * w + x, y) = y == h - 1 ? f.outline
                                            : x == w - 1 && y > 2 && y < h - 3
                                                ? Rgb{170, 182, 198}
                                                : Mix(f.top, f.bottom, double(y) / (h - 2));
            }
    return image;
}

// Track bar thumbs: five cells (normal, pressed, hot, disabled, focused). `point` is 0 for a
// plain block, else the side the thumb points to: 1 left, 2 right, 3 up, 4 down. Horizontal
// bars (`tall`) have 11 x 20 thumbs, vertical ones 20 x 11.
Image TrackbarThumb(bool tall, int point) {
    const int w = tall ? 11 : 20, h = tall ? 20 : 11;
    Image image(5 * w, h);
    const Face faces[5] = {
        kFlat, kPressed, kHot, kDisabled, {kAccent, {255, 255, 255}, {206, 224, 247}}};
    for (int cell = 0; cell < 5; ++cell) {
        // Inside test: a rectangle, cut to a point of depth 5 on the chosen side.
        const auto inside = [&](int x, int y) {
            if (x < 0 || y < 0 || x >= w || y >= h) return false;
            const int hw = w / 2, hh = h / 2;
            switch (point) {
                case 1: return x >= std::abs(y - hh) * 5 / std::max(1, hh);
                case 2: return w - 1 - x >= std::abs(y - hh) * 5 / std::max(1, hh);
                case 3: return y >= std::abs(x - hw) * 5 / std::max(1, hw);
                case 4: return h - 1 - y >= std::abs(x - hw) * 5 / std::max(1, hw);
                default: return true;
            }
        };
        const Face& f = faces[cell];
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (!inside(x, y)) continue;
                const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) ||
                                  !inside(x, y + 1);
                image.At(cell * w + x, y) =
                    edge ? f.outline : Mix(f.top, f.bottom, double(y) / std::max(1, h - 1));
            }
    }
    return image;
}

// Up-down buttons: eight 16 x 10 cells (horizontal layout: 16 x 10 becomes 10 x 16), first
// the up (or left) button in four states (normal, pressed, hot, disabled), then the down (or
// right) one. The glyph strip has the same eight cells, 7 x 4 triangles on magenta.
Image UpDown(bool vertical) {
    const int w = vertical ? 16 : 10, h = vertical ? 10 : 16;
    Image image(8 * w, h);
    const Face faces[4] = {kFlat, kPressed, kHot, kDisabled};
    for (int cell = 0; cell < 8; ++cell)
        RoundedCell(image, cell * w, 0, w, h, 2.5, faces[cell % 4]);
    return image;
}

Image UpDownGlyphs(bool vertical) {
    const int w = vertical ? 7 : 4, h = vertical ? 4 : 7;
    Image image(8 * w, h);
    const Rgb ink[4] = {{30, 62, 108}, {20, 40, 70}, {52, 101, 164}, {170, 177, 188}};
    for (int cell = 0; cell < 8; ++cell) {
        const bool second = cell >= 4;  // down or right
        for (int d = 0; d < 4; ++d)
            for (int e = -3 + d; e <= 3 - d; ++e) {
                const int along = second ? d : 3 - d;
                const int across = 3 + e;
                const int x = vertical ? across : along, y = vertical ? along : across;
                image.At(cell * w + x, y) = ink[cell % 4];
            }
    }
    return image;
}

}  // namespace

std::vector<SkinArtFile> MakeDefaultSkinImages() {
    std::vector<SkinArtFile> files;
    const auto Save = [&files](const Image& image, const char* name) {
        files.push_back({name, Encode(image)});
    };
    const Image left = LeftBorder();
    Save(left, "left.bmp");
    Save(MirroredCells(left, 2), "right.bmp");
    Save(TopBorder(), "top.bmp");
    Save(BottomBorder(), "bottom.bmp");
    const Image close = SysButton(
        true, [](int x, int y) { return x == y || x == y + 1 || x + y == 7 || x + y == 8; });
    Save(close, "close.bmp");
    Save(SysButton(false, [](int x, int y) { return (x == 0 || x == 7 || y <= 1 || y == 7); }),
         "maximize.bmp");
    const Image restore = SysButton(false, [](int x, int y) {
        const bool front = x <= 5 && y >= 2;
        const bool frontEdge = front && (x == 0 || x == 5 || y == 2 || y == 3 || y == 7);
        const bool back = x >= 2 && y <= 5 && (x == 2 || x == 7 || y <= 1 || y == 5);
        return frontEdge || (back && !front);
    });
    Save(restore, "restore.bmp");
    const Image minimise = SysButton(false, [](int, int y) { return y >= 6; });
    Save(minimise, "minimize.bmp");
    Save(PushButton(), "button.bmp");
    Save(ChoiceMarks(false), "check.bmp");
    Save(ChoiceMarks(true), "radio.bmp");
    Save(SunkEdge(), "sunkedge.bmp");
    Save(ComboButton(), "combobutton.bmp");
    Save(ExtraImages(), "extraimages.bmp");
    Save(Tabs(), "tabs.bmp");
    Save(TabBorder(), "tabborder.bmp");
    const Image arrows = ScrollArrows();
    Save(arrows, "scrollarrows.bmp");
    Save(ScrollTrack(), "horzscroll.bmp");
    Save(TransposedCells(ScrollTrack(), kScroll), "vertscroll.bmp");
    Save(ScrollThumb(), "horzthumb.bmp");
    Save(TransposedCells(ScrollThumb(), kScroll), "vertthumb.bmp");
    Save(MenuItem(), "menuitem.bmp");
    Save(MenuBackground(), "menuback.bmp");
    Save(MdiControls(minimise, restore, close), "mdicontrols.bmp");
    Save(TextBack(), "textback.bmp");
    Save(ProgressBar(), "progress.bmp");
    Save(ProgressChunk(), "progresschunk.bmp");
    Save(MenuBar(), "menubar.bmp");
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
