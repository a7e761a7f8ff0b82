#pragma once
// TSkinScrollbar: paints the scroll bars a window shows in its frame (WS_HSCROLL, WS_VSCROLL)
// from the skin's Scrollbar (arrows), HorzScroll/VertScroll (tracks) and
// HorzScrollThumb/VertScrollThumb (thumbs) elements, plus the corner square between two bars.
// Each bar is composed in a strip 16 pixels thick and stretched onto the real bar by one
// StretchBlt. It computes the bars' geometry from the window's own scroll information
// (skin/controls/scroll_geometry.h) and, in mode 1, drags the thumb itself with its own
// message loop; in mode 0 a press on the thumb is left to the window.
//
// TSkinListView is the same for a list view, and also skins the list view's header.

#include <windows.h>

#include "forms/bitmap.h"
#include "skin/controls/scroll_geometry.h"
#include "skin/controls/skin_control.h"

class TDataSkinObject;
class TSkinHeader;

class TSkinScrollbar : public TSkinControl {
    PONDERIX_CLASS(TSkinScrollbar, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinScrollbar() override;

    // Attaches through the control's WindowProc; mode 1 lets the skinner drag the thumb itself.
    virtual void HookScrollControl(TWinControl* target, TSkinData* skin, int mode,
                                   TControlSkinnerHost* frame, TCanvas* canvas);

    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

    // -1 when not attached with HookScrollControl.
    int Mode() const { return mode; }
    bool OwnThumbDrag() const { return mode == 1; }
    int ActivePart() const { return activePart; }
    bool Tracking() const { return tracking; }
    // The bars and the corner in window coordinates, and each bar's geometry, as last computed.
    const TScrollBarRects& BarRects() const { return rects; }
    const TBarGeometry& Geometry(bool vertical) const {
        return vertical ? vert.geometry : horz.geometry;
    }
    // Extra room above the vertical bar (empty after attaching).
    void SetTopOffset(const TRect& value) { topOffset = value; }

private:
    struct TBar {
        SCROLLINFO info{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
        TBarGeometry geometry;
    };

    // The style with the bars whose scroll message is running, the rectangles, and each bar's
    // thumb (kept while a drag runs, or when the range is empty).
    void UpdateGeometry();
    void UpdateThumb(bool vertical);
    void DrawBar(HDC dc, bool vertical);
    void ScrollMessage(TMessage& message, bool vertical);
    // The press on a bar: answers true when it was on the thumb and the drag has run.
    bool PressOnBar(const TMessage& message);
    void TrackThumb(bool vertical, POINT start);

    int activePart = kNoPart;
    LONG style = 0;
    LONG exStyle = 0;
    TScrollBarRects rects;
    bool tracking = false;
    int mode = -1;
    bool inVScroll = false;
    bool inHScroll = false;
    TBar horz;
    TBar vert;
    TRect topOffset;
    TBitmap strip;
    // Set while a drag runs: the capture went elsewhere, or the skinner was freed meanwhile.
    bool captureLost = false;
    bool* alive = nullptr;
};

class TSkinListView : public TSkinScrollbar {
    PONDERIX_CLASS(TSkinListView, TSkinScrollbar)
public:
    using TSkinScrollbar::TSkinScrollbar;

    // Then skins the list view's header, when it has one.
    void HookScrollControl(TWinControl* target, TSkinData* skin, int mode,
                           TControlSkinnerHost* frame, TCanvas* canvas) override;
    TSkinHeader* Header() const { return header; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TSkinHeader* header = nullptr;
};

// Composes one bar, length long, into strip (16 pixels thick) from the skin's elements and
// stretches it onto bar of dc; the parts that the geometry gives, cells for activePart pressed.
// Also used for the scroll bar control, whose whole window is one bar.
void DrawScrollBarStrip(HDC dc, TBitmap& strip, const TRect& bar, bool vertical, int arrow,
                        const TBarGeometry& geometry, int activePart, TSkinData& skin);
