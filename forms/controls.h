#pragma once
// Controls: TControl (anything placed on a form), TWinControl (a control with a window of its
// own, created on demand, whose Win32 window class is named after its class) and TGraphicControl
// (a control painted by its parent).
//
// Every message for a control goes through its replaceable WindowProc, which starts as the
// virtual WndProc. Subclasses override WndProc and end in the inherited one; the chain ends in
// DefaultHandler, the one place that hands a message to the platform.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/colors.h"
#include "forms/component.h"
#include "forms/font.h"
#include "forms/messages.h"

class TWinControl;

// A typed character on its way into a control; a handler may change it, or set it to 0 to drop it.
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;

// What CreateParams decides before a window is created.
struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    std::wstring WinClassName;                // registered under this name, once per class
    const wchar_t* SuperClassName = nullptr;  // standard control superclassed, or null
    UINT WindowClassStyle = CS_DBLCLKS;
};

class TControl : public TComponent {
    PONDERIX_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent; }
    virtual void SetParent(TWinControl* newParent);
    void SetParentComponent(TComponent* parentComponent) override;

    int Left() const { return left; }
    int Top() const { return top; }
    int Width() const { return width; }
    int Height() const { return height; }
    void SetLeft(int value) { SetBounds(value, top, width, height); }
    void SetTop(int value) { SetBounds(left, value, width, height); }
    void SetWidth(int value) { SetBounds(left, top, value, height); }
    void SetHeight(int value) { SetBounds(left, top, width, value); }
    virtual void SetBounds(int newLeft, int newTop, int newWidth, int newHeight);
    RECT BoundsRect() const { return {left, top, left + width, top + height}; }

    bool Visible() const { return visible; }
    virtual void SetVisible(bool value);
    // Visible here and in every parent up to a visible window.
    bool Showing() const;
    bool Enabled() const { return enabled; }
    virtual void SetEnabled(bool value);
    TColor Color() const { return color; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor; }
    void SetParentColor(bool value);
    TFont* Font() { return &font; }
    void SetFont(TFont* value) {
        if (value) font.Assign(*value);
    }
    bool ParentFont() const { return parentFont; }
    void SetParentFont(bool value);

    // The caption of a button or label, the text of an edit: one value, the window's text.
    virtual std::wstring GetText() const;
    virtual void SetText(const std::wstring& value);
    std::wstring Caption() const { return GetText(); }
    void SetCaption(const std::wstring& value) { SetText(value); }

    bool DoubleBuffered() const { return doubleBuffered; }
    void SetDoubleBuffered(bool value) { doubleBuffered = value; }
    bool MouseInControl() const { return mouseInControl; }

    // Sends a message straight into this control's WindowProc; answers its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The replaceable window procedure; compare, save and restore it as a value.
    TWndMethod WindowProc;

    virtual void Invalidate();
    void Repaint();

    TNotifyEvent OnClick;

protected:
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);
    virtual void Click();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged() {}
    // Parent's font or colour changed: take them over when ParentFont / ParentColor is set.
    void ParentFontChanged();
    void ParentColorChanged();

    std::wstring text;
    bool visible = true;
    bool enabled = true;

private:
    friend class TWinControl;
    TWinControl* parent = nullptr;
    int left = 0, top = 0, width = 0, height = 0;
    TColor color = clWindow;
    bool parentColor = false;
    TFont font;
    bool parentFont = true;
    bool updatingFromParent = false;
    bool doubleBuffered = false;
    bool mouseInControl = false;
};

class TWinControl : public TControl {
    PONDERIX_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window handle, created (with those of the parents) when first asked for.
    HWND Handle();
    bool HandleAllocated() const { return handle != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    // True while this control's window waits for a hidden container to be shown: asking for
    // the handle now would make the whole hidden page's windows at once.
    bool HandleDeferred() const;

    int ControlCount() const { return static_cast<int>(controls.size()); }
    TControl* Controls(int index) const { return controls.at(static_cast<size_t>(index)); }
    int TabOrder() const { return tabOrder; }
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop; }
    void SetTabStop(bool value);

    void SetBounds(int newLeft, int newTop, int newWidth, int newHeight) override;
    void SetVisible(bool value) override;
    void SetEnabled(bool value) override;
    std::wstring GetText() const override;
    void SetText(const std::wstring& value) override;
    void Invalidate() override;
    void SetFocus();
    bool Focused() const;

    // The control whose window this is, when it belongs to the class library.
    static TWinControl* FromHandle(HWND window);

    TKeyPressEvent OnKeyPress;

protected:
    // Each typed character passes here before the window takes it; 0 drops it.
    virtual void KeyPress(wchar_t& key);
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Runs once the window exists (send fonts, fill lists kept while there was no window).
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void AfterCreateHandle() {}
    // False while the children's windows can wait: they are then made when this control is
    // shown or when one of them is asked for its handle, whichever comes first.
    virtual bool CreatesChildHandlesNow() const { return true; }
    // False while this control's own window can wait when its parent's children are made: it is
    // then made with the parent's other waiting children when it is shown or when one of them
    // is asked for its handle.
    virtual bool CreatesHandleWithParent() const { return true; }
    // Runs when the window is going, at its WM_NCDESTROY (its child windows are gone by then; its
    // text was saved at WM_DESTROY):
    // save what only the window holds, so that a new window can be made alike. During the
    // destructor of TWinControl only this base version runs; what a subclass owns besides is
    // freed by its own members.
    virtual void WindowDestroying() {}
    // Frees this control once every window message being dispatched to a control has returned:
    // for a control that asks to be freed from inside one of its own messages (or one of its
    // children's, which go with it).
    void FreeAfterDispatch();
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    // Answers a WM_CTLCOLORxxx for this control: its font colour on its own colour.
    LRESULT ControlColors(HDC dc);
    // A child control has just been placed on, or taken off, this control.
    virtual void ControlInserted(TControl*) {}
    virtual void ControlRemoved(TControl*) {}
    // Paints a window of our own class: background, then graphic children.
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc);
    void FontChanged() override;
    void ColorChanged() override;

    // The procedure of the superclassed standard control, or DefWindowProc.
    WNDPROC DefWndProc = DefWindowProcW;

private:
    friend class TControl;
    static LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void RegisterWindowClass(const TCreateParams& params);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Makes the children's windows in tab order; those that can wait are left pending unless
    // every one is wanted now.
    void CreateChildHandles(bool everyOne);
    void CreatePendingChildHandles();
    bool ReflectNotification(TMessage& message);
    void TrackGraphicMouse(TMessage& message);
    void UpdateBoundsFromWindow();
    bool OwnPaint() const { return DefWndProc == DefWindowProcW; }

    HWND handle = nullptr;
    bool childHandlesPending = false;
    std::vector<TControl*> controls;
    int tabOrder = -1;
    bool tabStop = false;
    TControl* mouseControl = nullptr;  // graphic child under the mouse
    bool trackingLeave = false;
};

class TGraphicControl : public TControl {
    PONDERIX_CLASS(TGraphicControl, TControl)
public:
    using TControl::TControl;

protected:
    friend class TWinControl;
    // Paints into the parent's context, whose origin is this control's top-left corner.
    virtual void Paint(HDC dc);
    // The parent paints the control with WM_PAINT, the context in wParam, through WindowProc,
    // so that whatever replaced WindowProc (a skinner) can paint it instead.
    void WndProc(TMessage& message) override;
};

// Registers the classes of this unit with the form reader.
void RegisterControlClasses();

// Whether a window has a frame, a caption or scroll bars around its client area (true, to be
// safe, for a window that cannot be asked).
bool HasNonClientArea(HWND window);
