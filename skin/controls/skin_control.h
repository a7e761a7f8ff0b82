#pragma once
// TSkinControl: the base of every control skinner. It sits between one control's window and the
// window's own procedure: it lets that procedure run, then paints the control again from the
// skin, and keeps the little state the drawing needs (mouse over, pressed, focused, enabled,
// caption). It attaches either through the class library control's replaceable WindowProc
// (HookControl) or by replacing a bare window's procedure (HookWindow).
//
// Owned by the skinned component (so it dies with the control), or by the frame skinner for a
// bare child window; listed, without ownership, in the frame skinner's list.

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string>

#include "forms/component.h"
#include "forms/controls.h"
#include "forms/geometry.h"
#include "forms/replaced_window_proc.h"

class TBitmap;
class TCanvas;
class TControlSkinnerHost;
class TDataSkinObject;
class TImageList;
class TSkinData;

// MouseState bits.
constexpr uint8_t msHot = 1;
constexpr uint8_t msPressed = 2;

// State values.
constexpr int ssCreated = 0;
constexpr int ssAttached = 1;
constexpr int ssWindowDestroyed = 6;

struct TSkinControlProcTag {};
using TControlSkinnerProc = TReplacedWindowProc<TSkinControlProcTag>;

class TSkinControl : public TComponent {
    PONDERIX_CLASS(TSkinControl, TComponent)
public:
    explicit TSkinControl(TComponent* owner);
    ~TSkinControl() override;

    // The eight operations, in this order, that skinner families override.
    virtual void HookControl(TControlSkinnerHost* frame, TSkinData* skin, bool recolour,
                             TCanvas* canvas);
    virtual void HookWindow(HWND window, TSkinData* skin, TControlSkinnerHost* frame,
                            TCanvas* canvas);
    virtual void RestoreColor();
    // False: the message is consumed and the replaced procedure is not called.
    virtual bool BeforeMessage(TMessage& message);
    virtual void AfterMessage(TMessage& message);
    virtual void PaintControl(HDC dc);
    virtual void DrawControl(HDC dc, const TRect& rect);
    virtual void SkinChanged();
    // Whether the skinner draws over the window's own paint and the window's procedure paints
    // into a context it is given (WM_PAINT's wParam), so that PaintOver serves its WM_PAINT.
    virtual bool DrawsOverOwnPaint() const { return false; }

    // The replacement window procedure, and the way on to the replaced one.
    void WndProc(TMessage& message);
    void CallOriginal(TMessage& message);
    // Invalidates the window (no erase) and updates it at once; never a top-level window.
    void Repaint();
    // Paints a WM_PAINT entirely from the skin (for skinners that consume WM_PAINT).
    void PaintInstead(TMessage& message);
    // Paints a WM_PAINT with the replaced procedure and then the skin over it, both into the one
    // context BeginPaint gives, where drawing over the window's own paint would otherwise take
    // a window context of its own. Only for a window without a frame (its client area is all of
    // it) whose own procedure paints into a context it is given.
    void PaintOver(TMessage& message);
    // Whether the window has a client update pending, whose WM_PAINT repaints the whole control
    // from the skin: a frame paint before it (one that BeginPaint asks for, or one of a resize
    // of the parent) need not draw it as well.
    bool SkinPaintPending() const;
    void SendMouseLeave();

    uint8_t MouseState() const { return mouseState; }
    bool Enabled() const { return enabled; }
    bool Focused() const { return focused; }
    const std::wstring& Text() const { return text; }
    HWND Handle() const { return handle; }
    TControl* Control() const { return control; }
    TControl* GraphicControl() const { return graphicControl; }
    TSkinData* Skin() const { return skin; }
    TControlSkinnerHost* FrameSkinner() const { return frameSkinner; }
    const RECT& WindowRect() const { return windowRect; }
    bool Recolour() const { return recolour; }
    TColor SavedColor() const { return savedColor; }
    bool Attached() const { return attached; }
    int State() const { return state; }
    // How the skinner sits in the window: through the control's WindowProc, or by a replaced
    // window procedure.
    bool HookedThroughWindowProc() const { return static_cast<bool>(savedWindowProc); }
    bool HookedBySubclass() const { return windowInstance.Attached(); }
    // Whether the control's WindowProc is this skinner's.
    bool OwnsWindowProc(const TControl& target) const;
    // The method HookControl puts into the control's WindowProc (empty when not attached so).
    TWndMethod ControlEntry() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

    // Drawing helpers for the families.
    void FillSkinColor(HDC dc, const RECT& rect);
    void DrawSkinObject(HDC dc, const TRect& rect, int frameCount, int frame,
                        TDataSkinObject& object);
    void DrawCellStretched(HDC dc, const TRect& rect, int frameCount, int frame, TBitmap& bitmap);
    void DrawCellMasked(HDC dc, const TRect& rect, int frameCount, int frame, TBitmap& bitmap);
    // A caption with an optional icon of the image list, aligned 0 left, 1 centre, 2 right
    // (the tab and header skinners' labels).
    void DrawSkinLabel(TCanvas& canvas, const TRect& rect, int alignment, const std::wstring& label,
                       int imageIndex, TImageList* images);
    // The same with a common-controls image list (a bare control's, not owned), or none.
    void DrawSkinLabelWithImages(TCanvas& canvas, const TRect& rect, int alignment,
                                 const std::wstring& label, int imageIndex, HIMAGELIST images);

    // The control's WindowProc is replaced by this skinner's WndProc (HookControl and the
    // families' own attach operations).
    void ReplaceControlWindowProc(TControl* target);
    void ListWithFrameSkinner();

    class TRelay;  // the WindowProc entry while attached through the control's WindowProc

    uint8_t mouseState = 0;
    TCanvas* canvas = nullptr;
    bool enabled = true;
    bool focused = false;
    std::wstring text;
    TControlSkinnerProc windowInstance;
    TSkinData* skin = nullptr;
    HWND handle = nullptr;
    TWndMethod savedWindowProc;
    TControl* control = nullptr;
    RECT windowRect{};
    TControl* graphicControl = nullptr;
    bool recolour = false;
    TColor savedColor = 0;
    bool attached = false;
    int state = ssCreated;
    TControlSkinnerHost* frameSkinner = nullptr;

private:
    void RestoreWindowProcs();

    TRelay* relay = nullptr;
};

// The window text, read with WM_GETTEXT into a buffer of 1000 characters.
std::wstring SkinWindowText(HWND window);
