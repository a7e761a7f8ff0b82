// skintool preview STORE OUT.bmp
//
// Draws every element of a skin on one sheet: a row per image with its name, cell count, cell
// size and margins, then each cell at its own size (numbered below), then cell 1 sliced into a
// larger rectangle with the element's margins, the way the painters stretch it. The skin is
// parsed and drawn with the engine's own routines, so the sheet shows what the engine reads:
// a misplaced margin or a wrong cell count is visible at once. Transparent elements are drawn
// with magenta keyed out over the grey sheet; the rest are copied as they are. The parse and
// the drawing are Win32 (GDI bitmaps), so the command exists only in the Windows build.

#include "tools/skintool/skintool.h"
#include "tools/skintool/tool_files.h"

#ifdef _WIN32

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "forms/bitmap.h"
#include "forms/stream.h"
#include "forms/text.h"
#include "skin/bitmap_slice.h"
#include "skin/bitmap_slice_win.h"
#include "skin/quick_ini.h"
#include "skin/skin_parse.h"
#include "skin/skin_reader.h"
#include "skin/skin_slots.h"

namespace {

constexpr int kMargin = 10, kGap = 6, kLabel = 14, kRowGap = 12;
constexpr TColor kSheet = 0xD3CDC8;  // grey-blue, so that keyed-out pixels show
constexpr TColor kInk = 0x2A1E14;

struct TPreviewRow {
    std::string label;
    TBitmap* image;
    int frameCount;
    bool vertical;  // cells one above the other (the top and bottom frame borders)
    TRect margins;
    bool transparent;
};

// Lays out the rows from the top; draws them only when canvas is given. Answers the sheet size.
SIZE LayOut(const std::vector<TPreviewRow>& rows, const TSkinColours& colours, TCanvas* canvas) {
    const auto text = [canvas](int x, int y, const std::string& s) {
        if (canvas) canvas->TextOut(x, y, Utf8ToWide(s));
    };
    int y = kMargin, width = 0;
    for (const TPreviewRow& row : rows) {
        const int frames = std::max(row.frameCount, 1);
        const std::optional<TRect> first =
            CellRect(row.image->Width(), row.image->Height(), 1, frames, row.vertical);
        const int cw = first ? first->Width() : 0, ch = first ? first->Height() : 0;
        char facts[160];
        std::snprintf(facts, sizeof facts, "  %d cell%s of %d x %d, margins %d %d %d %d%s", frames,
                      frames == 1 ? "" : "s", cw, ch, int(row.margins.left), int(row.margins.top),
                      int(row.margins.right), int(row.margins.bottom),
                      row.transparent ? ", magenta transparent" : "");
        text(kMargin, y, row.label + facts);
        y += kLabel + 2;
        int x = kMargin;
        for (int cell = 1; cell <= frames && first; ++cell) {
            const TRect dest{x, y, x + cw, y + ch};
            if (canvas) {
                DrawNineSlice(canvas->Handle(), dest, *row.image, {0, 0, 0, 0}, cell, frames,
                              row.transparent, false, row.vertical);
                text(x, y + ch + 1, std::to_string(cell));
            }
            x += std::max(cw, 12) + kGap;
        }
        // Cell 1 sliced into a larger rectangle: corners unscaled, edges and centre stretched.
        x += 2 * kGap;
        const int sw = cw + std::max(32, cw / 2), sh = ch + std::max(16, ch / 2);
        if (canvas && first) {
            const TRect dest{x, y, x + sw, y + sh};
            DrawNineSlice(canvas->Handle(), dest, *row.image, row.margins, 1, frames,
                          row.transparent, false, row.vertical);
            text(x, y + sh + 1, "1 sliced");
        }
        width = std::max(width, x + sw + kMargin);
        y += std::max(ch, sh) + kLabel + kRowGap;
    }
    // The sixteen colours as named swatches, four to a line.
    const std::pair<const char*, TColor> swatches[] = {
        {"WindowText", colours.WindowTextColour},
        {"TitleTextActive", colours.TitleTextActiveColour},
        {"TitleTextNoActive", colours.TitleTextNoActiveColour},
        {"ButtonFace", colours.ButtonFaceColour},
        {"ButtonText", colours.ButtonTextColour},
        {"ButtonHilight", colours.ButtonHilightColour},
        {"Buttonlight", colours.ButtonlightColour},
        {"ButtonShadow", colours.ButtonShadowColour},
        {"ButtonDkShadow", colours.ButtonDkShadowColour},
        {"HilightText", colours.HilightTextColour},
        {"Hilight", colours.HilightColour},
        {"Menubar", colours.MenubarColour},
        {"MenuBarText", colours.MenuBarTextColour},
        {"MenuText", colours.MenuTextColour},
        {"Menu", colours.MenuColour},
        {"Scrollbar", colours.ScrollbarColour},
    };
    text(kMargin, y, "Colours");
    y += kLabel + 2;
    constexpr int kSwatchWidth = 170;
    for (size_t i = 0; i < std::size(swatches); ++i) {
        const int x = kMargin + int(i % 4) * kSwatchWidth, top = y + int(i / 4) * (kLabel + 8);
        if (canvas) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(kInk);
            canvas->FillRect({x, top, x + 20, top + kLabel});
            canvas->Brush()->SetColor(swatches[i].second);
            canvas->FillRect({x + 1, top + 1, x + 19, top + kLabel - 1});
            canvas->Brush()->SetStyle(bsClear);
            text(x + 24, top, swatches[i].first);
        }
    }
    width = std::max(width, kMargin + 4 * kSwatchWidth);
    y += 4 * (kLabel + 8) + kMargin;
    return {width, y};
}

}  // namespace

void PreviewCommand(TSkinToolArgs args, TSkinToolIO io) {
    if (args.size() != 2) throw ESkinToolUsage(L"expects a store file and an output file");
    TSkinReader reader;
    OpenStoreFile(args[0], reader);
    TMemoryStream description;
    std::string name;
    reader.FindEntry(".ini", description, name);
    if (name.empty()) Fail("no entry of " + args[0] + " is a skin description (no .ini)");
    TQuickIni ini;
    ini.LoadFromStream(&description);
    TSkinDescription skin;
    ParseSkin(skin, ini, reader);

    std::vector<TPreviewRow> rows;
    std::vector<std::string> missing;
    // Images without an element of their own (marks, glyphs, the chunk, title-bar buttons) are
    // drawn keyed, as their painters draw them; an element's image follows its Trans.
    const auto add = [&](const std::string& label, TBitmap& image, int frames,
                         const TDataSkinObject* o, bool vertical = false) {
        if (image.Empty()) {
            missing.push_back(label);
            return;
        }
        TRect margins{0, 0, 0, 0};
        if (o) margins = {o->LeftWidth, o->TopHeight, o->RightWidth, o->BottomHeight};
        rows.push_back({label, &image, frames, vertical, margins, !o || o->Trans != 0});
    };
    const auto element = [&](const std::string& label, TDataSkinObject* o) {
        if (!o) {
            missing.push_back(label);
            return;
        }
        add(label, o->Image, o->FrameCount, o);
    };

    add("Left", skin.FrameLeft.Image, skin.FrameLeft.FrameCount, &skin.FrameLeft);
    add("Right", skin.FrameRight.Image, skin.FrameRight.FrameCount, &skin.FrameRight);
    add("Top", skin.FrameTop.Image, skin.FrameTop.FrameCount, &skin.FrameTop, true);
    add("Bottom", skin.FrameBottom.Image, skin.FrameBottom.FrameCount, &skin.FrameBottom, true);
    // The title's margins place its text; its image is a plain two-cell strip.
    if (skin.Title.Image.Empty()) {
        missing.push_back("Title (TextBack)");
    } else {
        rows.push_back({"Title (TextBack)",
                        &skin.Title.Image,
                        skin.Title.FrameCount,
                        false,
                        {0, 0, 0, 0},
                        false});
    }
    for (const auto& b : skin.SysButtons) {
        char label[80];
        std::snprintf(label, sizeof label, "%s (Action %d, Align %d, x %d, y %d)",
                      b->Visibility == 100 ? "MDI child button" : b->Name.c_str(), int(b->Action),
                      int(b->Align), int(b->Xcoord), int(b->Ycoord));
        if (!b->Image.Empty()) add(label, b->Image, b->FrameCount, nullptr);
    }
    add("Buttons", skin.Buttons.Image, skin.Buttons.FrameCount, &skin.Buttons);
    add("Buttons.CheckButton", skin.Buttons.CheckImage, skin.Buttons.CheckFrameCount, nullptr);
    add("Buttons.RadioButton", skin.Buttons.RadioImage, skin.Buttons.RadioFrameCount, nullptr);
    ForEachSkinSlot(skin, [&](auto& slot, const TSkinSlotInfo& info) {
        element(std::string(SkinSlotLabel(info)), slot.get());
    });
    // The second images, each drawn the way its painter draws it.
    if (skin.Tabs && !skin.Tabs->Image2.Empty()) {
        // The page border is drawn opaquely with fixed margins.
        rows.push_back({"Tabs.Border", &skin.Tabs->Image2, 1, false, {4, 5, 4, 4}, false});
    }
    if (skin.Progress) add("Progress.Chunk", skin.Progress->Image2, 1, nullptr);
    if (skin.UpDownHorz)
        add("UpDown.Horz glyphs", skin.UpDownHorz->Image2, skin.UpDownHorz->FrameCount, nullptr);
    if (skin.UpDownVert)
        add("UpDown.Vert glyphs", skin.UpDownVert->Image2, skin.UpDownVert->FrameCount, nullptr);
    if (skin.ComboButton)
        add("ComboButton mirrored", skin.ComboButton->Image2, skin.ComboButton->FrameCount,
            skin.ComboButton.get());

    const SIZE size = LayOut(rows, skin, nullptr);
    TBitmap sheet;
    sheet.SetPixelFormat(TPixelFormat::pf24bit);
    sheet.SetSize(size.cx, size.cy);
    TCanvas& canvas = *sheet.Canvas();
    canvas.Brush()->SetColor(kSheet);
    canvas.FillRect({0, 0, size.cx, size.cy});
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetName(L"Tahoma");
    canvas.Font()->SetHeight(-11);
    canvas.Font()->SetColor(kInk);
    LayOut(rows, skin, &canvas);

    TMemoryStream out;
    sheet.SaveToStream(out);
    WriteFileBytes(args[1], out.Bytes());
    io.out << "preview of \"" << args[0] << "\" (" << skin.SkinName << "): " << rows.size()
           << " images, " << size.cx << " x " << size.cy << " pixels, written to \"" << args[1]
           << "\"\n";
    for (const std::string& label : missing) io.out << "not in the skin: " << label << '\n';
}

#else

void PreviewCommand(TSkinToolArgs, TSkinToolIO) {
    Fail(
        "preview draws with the skin engine's Win32 routines: use the Windows build of "
        "skintool");
}

#endif
