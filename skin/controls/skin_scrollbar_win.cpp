#include "skin/controls/skin_scrollbar.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "forms/dc_scopes.h"
#include "skin/bitmap_draw_win.h"
#include "skin/bitmap_slice_win.h"
#include "skin/controls/skin_header.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinScrollbar, [](TClassBuilder<TSkinScrollbar>&) {})
PONDERIX_DEFINE_CLASS(TSkinListView, [](TClassBuilder<TSkinListView>&) {})

namespace {

// Each bar is composed at this thickness, whatever the system's bars are.
constexpr int kStripThickness = 16;
// Longer (or negative) bars are left to the system.
constexpr int kLongestBar = 10000;

bool HasImage(const TDataSkinObject* object) { return object && !object->Image.Empty(); }

TRect Margins(const TDataSkinObject& object) {
    return {object.LeftWidth, object.TopHeight, object.RightWidth, object.BottomHeight};
}

// A rectangle along the strip, from start for length pixels.
TRect AlongStrip(bool vertical, int start, int length) {
    return vertical ? TRect{0, start, kStripThickness, start + length}
                    : TRect{start, 0, start + length, kStripThickness};
}

bool Windows95Family() { return static_cast<int32_t>(GetVersion()) < 0; }

}  // namespace

void DrawScrollBarStrip(HDC dc, TBitmap& strip, const TRect& bar, bool vertical, int arrow,
                        const TBarGeometry& g, int activePart, TSkinData& skinData) {
    const TSkinDescription& s = skinData.Skin();
    const int length = vertical ? bar.Height() : bar.Width();
    if (length <= 0 || length > kLongestBar || !HasImage(s.Scrollbar.get())) return;
    const int stripWidth = vertical ? kStripThickness : length;
    const int stripHeight = vertical ? length : kStripThickness;
    if (strip.Width() != stripWidth || strip.Height() != stripHeight)
        strip.SetSize(stripWidth, stripHeight);
    HDC target = strip.Canvas()->Handle();
    SetStretchBltMode(target, COLORONCOLOR);
    FillSolidRect(target, {0, 0, stripWidth, stripHeight}, ColorToRGB(s.ScrollbarColour));

    if (TDataSkinObject* track = vertical ? s.VertScroll.get() : s.HorzScroll.get();
        HasImage(track))
        DrawNineSlice(target, AlongStrip(vertical, arrow, length - 2 * arrow), track->Image,
                      Margins(*track), 1, 4, track->Trans == 1, track->Tile != 0, false);

    // The arrows' cells stretched by dropping or repeating pixels, never blending them, so that a
    // short bar's half arrows keep the skin's colours.
    const int arrowLength = ArrowLength(length, arrow);
    for (bool second : {false, true}) {
        const TRect r = AlongStrip(vertical, second ? length - arrowLength : 0, arrowLength);
        if (r.IsEmpty()) continue;
        std::unique_ptr<TBitmap> cell = MakeNineSlice(
            r, s.Scrollbar->Image, {}, ArrowCell(vertical, second, activePart), 23, false, false);
        DrawTransparent(target, r, *cell, kSkinKeyColor);
    }

    // While dragged past its end the thumb's offset may run to the track's end; it is drawn
    // where the track ends, never over the arrow.
    const int offset = std::min(g.offset, g.track - g.thumb);
    if (TDataSkinObject* thumb = vertical ? s.VertScrollThumb.get() : s.HorzScrollThumb.get();
        HasImage(thumb) && g.track >= g.thumb && g.thumb > 0 && thumb->FrameCount > 0)
        DrawNineSlice(target, AlongStrip(vertical, arrowLength + offset, g.thumb), thumb->Image,
                      Margins(*thumb), ThumbCell(vertical, activePart), thumb->FrameCount,
                      thumb->Trans == 1, false, false);

    TSavedDC saved(dc);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, bar.left, bar.top, bar.Width(), bar.Height(), target, 0, 0, stripWidth,
               stripHeight, SRCCOPY);
}

TSkinScrollbar::~TSkinScrollbar() {
    if (alive) *alive = false;  // a drag loop of this skinner is on the stack: it must stop
    // The window gets its own bars back.
    if (state == ssAttached && handle && IsWindow(handle))
        RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollbar::HookScrollControl(TWinControl* target, TSkinData* skinData, int scrollMode,
                                       TControlSkinnerHost* frame, TCanvas* sharedCanvas) {
    if (attached || !target) return;
    frameSkinner = frame;
    skin = skinData;
    canvas = sharedCanvas;
    control = target;
    handle = target->Handle();
    ReplaceControlWindowProc(target);
    ListWithFrameSkinner();
    tracking = inVScroll = inHScroll = false;
    horz.info.cbSize = vert.info.cbSize = sizeof(SCROLLINFO);
    mode = scrollMode;
    topOffset = {};
    attached = true;
    state = ssAttached;
    // The window recomputes and repaints its frame, where the skinned bars go.
    SetWindowPos(
        handle, nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool TSkinScrollbar::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_NCCALCSIZE: CallOriginal(message); return false;
        case WM_NCMOUSEMOVE:
            // The system would track and redraw its own bars.
            if (message.WParam == HTHSCROLL || message.WParam == HTVSCROLL) return false;
            break;
        case WM_NCLBUTTONDOWN:
            if (OwnThumbDrag() && PressOnBar(message)) return false;
            break;
        case WM_HSCROLL: ScrollMessage(message, false); return false;
        case WM_VSCROLL: ScrollMessage(message, true); return false;
        case WM_CAPTURECHANGED:
            if (tracking) {
                captureLost = true;
                PostMessageW(handle, WM_NULL, 0, 0);  // wakes the drag loop's wait
            }
            break;
        default: break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbar::ScrollMessage(TMessage& message, bool vertical) {
    activePart = ScrollMessagePart(vertical, LOWORD(message.WParam));
    bool& running = vertical ? inVScroll : inHScroll;
    running = true;
    CallOriginal(message);
    running = false;
    PaintControl(nullptr);
}

void TSkinScrollbar::AfterMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_SIZE:
        case WM_NCPAINT:
        case WM_PRINT: Repaint(); break;
        default: TSkinControl::AfterMessage(message); break;
    }
}

void TSkinScrollbar::UpdateGeometry() {
    style = GetWindowLongW(handle, GWL_STYLE);
    exStyle = GetWindowLongW(handle, GWL_EXSTYLE);
    if (inVScroll) style |= WS_VSCROLL;
    if (inHScroll) style |= WS_HSCROLL;
    RECT window{}, client{};
    GetWindowRect(handle, &window);
    GetClientRect(handle, &client);
    TScrollFrame frame;
    frame.width = window.right - window.left;
    frame.height = window.bottom - window.top;
    frame.clientWidth = client.right;
    frame.clientHeight = client.bottom;
    frame.barSize = GetSystemMetrics(SM_CXHSCROLL);
    frame.edge = GetSystemMetrics(SM_CXEDGE);
    frame.topOffset = topOffset.top;
    frame.horizontal = (style & WS_HSCROLL) != 0;
    frame.vertical = (style & WS_VSCROLL) != 0;
    frame.leftScrollBar = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    rects = ScrollBarRects(frame);
    if (frame.horizontal) UpdateThumb(false);
    if (frame.vertical) UpdateThumb(true);
}

void TSkinScrollbar::UpdateThumb(bool vertical) {
    if (tracking) return;  // the drag loop moves the thumb
    TBar& bar = vertical ? vert : horz;
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(handle, vertical ? SB_VERT : SB_HORZ, &info)) return;
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int length = vertical ? rects.vert.Height() : rects.horz.Width();
    const TScrollValues values{info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
    if (std::optional<TBarGeometry> g =
            ThumbGeometry(length, arrow, values, MinimumThumb(arrow, Windows95Family()),
                          GetSystemMetrics(SM_CXHTHUMB))) {
        bar.info = info;
        bar.geometry = *g;
    }
}

void TSkinScrollbar::DrawControl(HDC dc, const TRect&) {
    if (!HasImage(skin->Skin().Scrollbar.get())) return;
    UpdateGeometry();
    const bool both = (style & WS_HSCROLL) && (style & WS_VSCROLL);
    if ((style & WS_HSCROLL) && !rects.horz.IsEmpty()) DrawBar(dc, false);
    if ((style & WS_VSCROLL) && !rects.vert.IsEmpty()) DrawBar(dc, true);
    if (both && !rects.corner.IsEmpty()) {
        const TRect& c = rects.corner;
        FillSkinColor(dc, {c.left, c.top, c.right, c.bottom});
    }
}

void TSkinScrollbar::DrawBar(HDC dc, bool vertical) {
    if (vertical ? inVScroll : inHScroll) return;  // the window is moving it right now
    DrawScrollBarStrip(dc, strip, vertical ? rects.vert : rects.horz, vertical,
                       GetSystemMetrics(SM_CXHSCROLL), Geometry(vertical), activePart, *skin);
}

void TSkinListView::HookScrollControl(TWinControl* target, TSkinData* skinData, int scrollMode,
                                      TControlSkinnerHost* frame, TCanvas* sharedCanvas) {
    const bool wasAttached = attached;
    TSkinScrollbar::HookScrollControl(target, skinData, scrollMode, frame, sharedCanvas);
    if (wasAttached || !attached) return;
    const auto window = reinterpret_cast<HWND>(SendMessageW(handle, LVM_GETHEADER, 0, 0));
    if (!window) return;
    header = new TSkinHeader(Owner());
    header->FreeNotification(this);
    header->HookWindow(window, skinData, frame, sharedCanvas);
}

void TSkinListView::Notification(TComponent* component, TOperation operation) {
    TSkinScrollbar::Notification(component, operation);
    if (operation == TOperation::opRemove && component == header) header = nullptr;
}
