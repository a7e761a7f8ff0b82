#include "skin/controls/skin_bit_button.h"

#include <algorithm>
#include <cctype>

#include "forms/dc_scopes.h"
#include "forms/messages.h"
#include "forms/image_list.h"
#include "forms/properties.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_transform.h"
#include "skin/controls/bit_button_layout.h"
#include "skin/controls/control_skinner_host.h"
#include "skin/shared_bitmaps_win.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinBitButton, [](TClassBuilder<TSkinBitButton>&) {})
PONDERIX_DEFINE_CLASS(TSkinSpeedButton, [](TClassBuilder<TSkinSpeedButton>&) {})

namespace {

bool SameName(std::string name, std::string_view expected) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name == expected;
}

// The glyph's cell for the state, greyed when disabled, drawn with its bottom-left pixel's
// colour transparent.
void DrawGlyphCell(HDC dc, TBitmap& glyph, int numGlyphs, const TGlyphCell& cell, TPlace at) {
    const int width = glyph.Width() / numGlyphs;
    const int height = glyph.Height();
    TBitmap piece;
    piece.SetPixelFormat(TPixelFormat::pf24bit);
    piece.SetSize(width, height);
    BitBlt(piece.Canvas()->Handle(), 0, 0, width, height, glyph.Canvas()->Handle(),
           cell.index * width, 0, SRCCOPY);
    if (cell.grey) GrayBitmap(piece.Pixels());
    const COLORREF transparent = GetPixel(piece.Canvas()->Handle(), 0, height - 1);
    DrawTransparent(dc, {at.x, at.y, at.x + width, at.y + height}, piece, transparent);
}

UINT FormatOf(TCaptionAlign align) {
    switch (align) {
        case TCaptionAlign::Right: return DT_RIGHT;
        case TCaptionAlign::Centre: return DT_CENTER;
        default: return DT_LEFT;
    }
}

}  // namespace

void TSkinBitButton::DrawControl(HDC dc, const TRect& rect) {
    if (skin->Skin().Buttons.Image.Empty() || rect.IsEmpty()) return;
    ReadButtonState();
    isDefault = control && SameName(GetEnumPropName(control, "Default"), "true");
    const TRect local{0, 0, rect.Width(), rect.Height()};
    ComposeGlyphButton(buffer, local, BitButtonCell(FaceState()));
    BitBlt(dc, rect.left, rect.top, local.right, local.bottom, buffer.Canvas()->Handle(), 0, 0,
           SRCCOPY);
}

void TSkinBitButton::ComposeGlyphButton(TBitmap& target, const TRect& local, int cell) {
    DrawFace(target, local, skin->Skin().Buttons.FrameCount, cell);
    HDC dc = target.Canvas()->Handle();
    TSavedDC saved(dc);
    SelectCaptionFont(target, cell);

    auto* glyph =
        dynamic_cast<TBitmap*>(GetObjectPropByName(control, "Glyph", TBitmap::StaticClass()));
    if (glyph && glyph->Empty()) glyph = nullptr;
    auto* images = dynamic_cast<TImageList*>(
        GetObjectPropByName(control, "Images", TImageList::StaticClass()));
    const int numGlyphs = std::max(GetIntProp(control, "NumGlyphs"), 1);
    const int imageIndex = GetIntProp(control, "ImageIndex");
    const int disabledIndex = GetIntProp(control, "DisabledIndex");

    TBitButtonLayout layout;
    layout.client = {local.right, local.bottom};
    if (glyph)
        layout.glyph = {glyph->Width() / numGlyphs, glyph->Height()};
    else if (images && imageIndex != -1)
        layout.glyph = {images->Width(), images->Height()};
    if (!text.empty()) {
        RECT measured{0, 0, local.right, local.bottom};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT);
        layout.text = {measured.right - measured.left, measured.bottom - measured.top};
    }
    layout.layout = BitButtonLayoutFromName(GetEnumPropName(control, "Layout"));
    layout.margin = GetIntProp(control, "Margin");
    layout.spacing = GetIntProp(control, "Spacing");
    layout.centred = SameName(GetEnumPropName(control, "Alignment"), "tacenter");
    const TBitButtonPlaces places = PlaceBitButton(layout);

    const bool pressed = (mouseState & msPressed) != 0;
    if (glyph) {
        DrawGlyphCell(dc, *glyph, numGlyphs, BitButtonGlyphCell(enabled, pressed, numGlyphs),
                      places.glyph);
    } else if (images) {
        const int index = enabled || disabledIndex == -1 ? imageIndex : disabledIndex;
        if (index != -1)
            images->Draw(*target.Canvas(), places.glyph.x, places.glyph.y, index, enabled);
    }
    if (!text.empty()) {
        SetBkMode(dc, TRANSPARENT);
        const TPlace& at = places.text;
        SkinDrawText(dc, text, {at.x, at.y, at.x + layout.text.width, at.y + layout.text.height},
                     FormatOf(places.align));
    }
}

void TSkinSpeedButton::HookGraphicControl(TControlSkinnerHost* frame, TSkinData* skinData,
                                          TCanvas* sharedCanvas) {
    auto* target = dynamic_cast<TControl*>(Owner());
    if (attached || !target) return;
    skin = skinData;
    canvas = sharedCanvas;
    frameSkinner = frame;
    graphicControl = target;
    control = target;
    ReplaceControlWindowProc(target);
    ListWithFrameSkinner();
    attached = true;
    state = ssAttached;
}

bool TSkinSpeedButton::BeforeMessage(TMessage& message) {
    if (!HasFace()) return TSkinControl::BeforeMessage(message);  // the native look
    switch (message.Msg) {
        case WM_PAINT:
            PaintControl(reinterpret_cast<HDC>(message.WParam));
            message.Result = 1;
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            CallOriginal(message);  // the button presses and clicks itself
            if (control && control->Enabled()) Apply(TButtonEvent::Press);
            PaintControl(nullptr);
            return false;
        default: return TSkinControl::BeforeMessage(message);
    }
}

void TSkinSpeedButton::AfterMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (message.WParam != VK_SPACE) return;
            Apply(message.Msg == WM_KEYDOWN ? TButtonEvent::SpaceDown : TButtonEvent::SpaceUp);
            break;
        case WM_LBUTTONUP: Apply(TButtonEvent::SpaceUp); break;  // clears the press, no click
        case CM_MOUSEENTER:
            Apply(TButtonEvent::Move);
            BecomeHot();
            break;
        case CM_MOUSELEAVE:
            mouseState = 0;
            if (frameSkinner && frameSkinner->HotControl() == this)
                frameSkinner->SetHotControl(nullptr);
            if (!control || !control->Visible()) return;
            break;
        default: return;
    }
    PaintControl(nullptr);
}

void TSkinSpeedButton::PaintControl(HDC dc) {
    if (!control || skin->Skin().Buttons.Image.Empty()) return;
    const TRect local{0, 0, control->Width(), control->Height()};
    try {
        if (dc) {
            DrawControl(dc, local);
            return;
        }
        TWinControl* parent = control->Parent();
        if (!parent || !parent->HandleAllocated() || !control->Visible()) return;
        TWindowDC parentDc(parent->Handle(), TWindowDC::Client);
        if (!parentDc) return;
        DrawControl(parentDc.Dc(), local.Offset(control->Left(), control->Top()));
    } catch (...) {
    }
}

void TSkinSpeedButton::DrawControl(HDC dc, const TRect& rect) {
    if (rect.IsEmpty()) return;
    enabled = control->Enabled();
    focused = false;
    isDefault = false;
    text = GetStrPropByName(control, "Caption");
    const bool down = SameName(GetEnumPropName(control, "Down"), "true");
    const TRect local{0, 0, rect.Width(), rect.Height()};
    TBitmap& shared = SkinShared().Bitmap();
    ComposeGlyphButton(shared, local, SpeedButtonCell(FaceState(), down));
    BitBlt(dc, rect.left, rect.top, local.right, local.bottom, shared.Canvas()->Handle(), 0, 0,
           SRCCOPY);
}
