#include "forms/bit_btn.h"

#include <algorithm>

#include "forms/filer.h"
#include "forms/picture.h"

const TEnumInfo ButtonLayoutType{"TButtonLayout",
                                 {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};

PONDERIX_DEFINE_CLASS(TBitBtn, [](TClassBuilder<TBitBtn>& b) { PublishGlyphOptions(b); })

// ---- glyph and caption drawing ---------------------------------------------------------------

namespace {

// Grey of a 24-bit pixel by its luminance (ITU-R 601 weights in 1/256).
uint8_t Luminance(const uint8_t* bgr) {
    return static_cast<uint8_t>((bgr[0] * 29 + bgr[1] * 150 + bgr[2] * 77) >> 8);
}

// Draws one cell of the strip turned grey; pixels of the key colour stay as they are, and no
// grey pixel may become the key by accident (the key is then grey too: step one level off it).
void DrawGreyCell(TCanvas& canvas, const TRect& dest, TBitmap& strip, const TRect& cell,
                  COLORREF key) {
    TBitmap grey;
    grey.SetSize(cell.Width(), cell.Height());
    grey.Canvas()->CopyRect({0, 0, cell.Width(), cell.Height()}, *strip.Canvas(), cell);
    const uint8_t keyRed = GetRValue(key), keyGreen = GetGValue(key), keyBlue = GetBValue(key);
    for (int y = 0; y < grey.Height(); ++y) {
        uint8_t* p = grey.ScanLine(y);
        for (int x = 0; x < grey.Width(); ++x, p += 3) {
            if (p[0] == keyBlue && p[1] == keyGreen && p[2] == keyRed) continue;
            uint8_t v = Luminance(p);
            if (v == keyRed && v == keyGreen && v == keyBlue) v ^= 1;
            p[0] = p[1] = p[2] = v;
        }
    }
    DrawTransparentBitmap(canvas, dest, grey, {0, 0, grey.Width(), grey.Height()}, key);
}

}  // namespace

TGlyphPlacement DrawGlyphButtonContent(TCanvas& canvas, const TRect& rect,
                                       const TGlyphButtonContent& content) {
    TBitmap* glyph = content.glyph && !content.glyph->Empty() ? content.glyph : nullptr;
    const int cells = std::clamp(content.numGlyphs, 1, 4);
    const TExtent glyphSize = glyph ? TExtent{glyph->Width() / cells, glyph->Height()} : TExtent{};
    if (content.font) canvas.SetFont(*content.font);
    TExtent textSize;
    if (!content.caption.empty()) {
        const SIZE s = canvas.TextExtent(content.caption);
        textSize = {s.cx, s.cy};
    }
    TGlyphPlacement place = PlaceGlyphAndText({rect.Width(), rect.Height()}, glyphSize, textSize,
                                              content.layout, content.margin, content.spacing);
    place.glyph = place.glyph.Offset(rect.left, rect.top);
    place.text = place.text.Offset(rect.left, rect.top);

    if (glyph && glyphSize.width > 0) {
        const TGlyphCell cell = ChooseGlyphCell(content.state, cells);
        const TRect source{cell.index * glyphSize.width, 0, (cell.index + 1) * glyphSize.width,
                           glyphSize.height};
        const COLORREF key = BottomLeftColor(*glyph);
        if (cell.grey)
            DrawGreyCell(canvas, place.glyph, *glyph, source, key);
        else
            DrawTransparentBitmap(canvas, place.glyph, *glyph, source, key);
    }

    if (!content.caption.empty()) {
        canvas.Brush()->SetStyle(bsClear);
        const TColor color = canvas.Font()->Color();
        if (content.enabled) {
            canvas.TextOut(place.text.left, place.text.top, content.caption);
        } else {
            // Embossed: a light copy one pixel down and right under the grey one.
            canvas.Font()->SetColor(clBtnHighlight);
            canvas.TextOut(place.text.left + 1, place.text.top + 1, content.caption);
            canvas.Font()->SetColor(clBtnShadow);
            canvas.TextOut(place.text.left, place.text.top, content.caption);
            canvas.Font()->SetColor(color);
        }
        canvas.Brush()->SetStyle(bsSolid);
    }
    return place;
}

// ---- TGlyphOptions ---------------------------------------------------------------------------

TGlyphOptions::TGlyphOptions() {
    glyph.OnChange = [this](TObject*) { GlyphChanged(); };
}

void TGlyphOptions::SetGlyph(TBitmap* value) {
    if (value)
        glyph.Assign(*value);
    else
        glyph.SetSize(0, 0);
}

void TGlyphOptions::SetNumGlyphs(int value) {
    numGlyphs = std::clamp(value, 1, 4);
    GlyphChanged();
}

void TGlyphOptions::SetLayout(TButtonLayout value) {
    layout = value;
    GlyphChanged();
}

void TGlyphOptions::SetMargin(int value) {
    margin = std::max(value, -1);
    GlyphChanged();
}

void TGlyphOptions::SetSpacing(int value) {
    spacing = std::max(value, -1);
    GlyphChanged();
}

void TGlyphOptions::DefineGlyphData(TFiler& filer) {
    filer.DefineBinaryProperty(
        "GlyphData", [this](TStream& stream) { glyph.LoadFromStream(stream); },
        [this](TStream& stream) { glyph.SaveToStream(stream); }, !glyph.Empty());
}

void TGlyphOptions::FillContent(TGlyphButtonContent& content) {
    content.glyph = &glyph;
    content.numGlyphs = numGlyphs;
    content.layout = layout;
    content.margin = margin;
    content.spacing = spacing;
}

// ---- TBitBtn ---------------------------------------------------------------------------------

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

void TBitBtn::DefineProperties(TFiler& filer) {
    TButton::DefineProperties(filer);
    DefineGlyphData(filer);
}

void TBitBtn::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    // An owner-drawn button has no default style of its own: the frame is drawn from defaultLook.
    params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
    defaultLook = Default();
}

void TBitBtn::WndProc(TMessage& message) {
    switch (message.Msg) {
        case CN_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
            message.Result = TRUE;
            return;
        case BM_SETSTYLE:
            // The dialog manager and SetDefault move the default between buttons with
            // BM_SETSTYLE; the button must stay owner-drawn and only remember the look.
            defaultLook = (message.WParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            message.WParam = (message.WParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
            Invalidate();
            break;
        case WM_LBUTTONDBLCLK:
            // An owner-drawn button answers a double click with BN_DOUBLECLICKED instead of a
            // press; taken as a press, the second click of a quick pair clicks like a push
            // button's.
            message.Msg = WM_LBUTTONDOWN;
            break;
    }
    TButton::WndProc(message);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    const TRect client{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};

    TCanvas canvas;
    canvas.SetHandle(item.hDC);
    RECT face = item.rcItem;
    if (defaultLook || focused) {
        canvas.Brush()->SetColor(clWindowFrame);
        canvas.FrameRect(client);
        InflateRect(&face, -1, -1);
    }
    DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    TGlyphButtonContent content;
    FillContent(content);
    content.state = !enabled ? gsDisabled : pressed ? gsDown : gsUp;
    content.caption = GetText();
    content.font = Font();
    content.enabled = enabled;
    // A pressed face moves its content one pixel down and right, as the standard button does.
    DrawGlyphButtonContent(canvas, pressed ? client.Offset(1, 1) : client, content);

    if (focused) {
        RECT focus = face;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
    canvas.SetHandle(nullptr);
}

void RegisterBitBtnClasses() { RegisterComponentClass(TBitBtn::StaticClass()); }
