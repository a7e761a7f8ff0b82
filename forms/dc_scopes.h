#pragma once
// Scopes for device contexts: each one takes a context, or a state of one, in its constructor
// and gives it back in its destructor, also when the drawing between throws.
//
//   raw GDI:                                      with scopes:
//     PAINTSTRUCT ps;                               TPaintScope paint(window, message.WParam);
//     HDC dc = BeginPaint(window, &ps);             TSavedDC saved(paint.Dc());
//     HGDIOBJ old = SelectObject(dc, pen);          SelectObject(paint.Dc(), pen.Get());
//     Draw(dc);  // a throw here leaks both         Draw(paint.Dc());
//     SelectObject(dc, old);
//     EndPaint(window, &ps);
//
// Declare the GDI objects a paint selects before the TSavedDC that puts the context back: scopes
// end in reverse order, so the context lets go of the objects before they are deleted (a selected
// object cannot be deleted and would leak).

#include <windows.h>

#include "forms/owned.h"

// BeginPaint/EndPaint for a WM_PAINT, or the context a WM_PAINT (or WM_PRINTCLIENT) carries in
// its wParam: then nothing is begun or ended.
class TPaintScope {
public:
    explicit TPaintScope(HWND window, WPARAM givenDc = 0)
        : window(window), dc(reinterpret_cast<HDC>(givenDc)) {
        if (!dc) {
            dc = BeginPaint(window, &paint);
            began = true;
        } else {
            GetClipBox(dc, &paint.rcPaint);
        }
    }
    ~TPaintScope() {
        if (began) EndPaint(window, &paint);
    }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;

    HDC Dc() const { return dc; }
    // The part of the window to paint.
    const RECT& Rect() const { return paint.rcPaint; }

private:
    HWND window;
    HDC dc;
    PAINTSTRUCT paint{};
    bool began = false;
};

// GetDC (or GetWindowDC, for the whole window with its frame) and ReleaseDC.
class TWindowDC {
public:
    enum TArea { Client, WholeWindow };
    explicit TWindowDC(HWND window, TArea area = Client)
        : window(window), dc(area == Client ? GetDC(window) : GetWindowDC(window)) {}
    ~TWindowDC() {
        if (dc) ReleaseDC(window, dc);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Dc() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

private:
    HWND window;
    HDC dc;
};

// SaveDC/RestoreDC: every object selected and every mode, colour, origin and clip changed inside
// the scope is put back at its end.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : dc(dc), saved(dc ? SaveDC(dc) : 0) {}
    ~TSavedDC() {
        if (saved) RestoreDC(dc, saved);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC dc;
    int saved;
};

// A memory context compatible with another (the screen's for null), with one bitmap (if any)
// selected while the scope lasts; the
// bitmap is free to be deleted once the scope has ended. Test it before use: GDI may be out of
// contexts.
class TMemoryDC {
public:
    TMemoryDC(HDC like, HBITMAP bitmap) : dc(CreateCompatibleDC(like)) {
        if (dc && bitmap) original = SelectObject(dc.Get(), bitmap);
    }
    ~TMemoryDC() {
        if (original) SelectObject(dc.Get(), original);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC Dc() const { return dc.Get(); }
    explicit operator bool() const { return static_cast<bool>(dc); }

private:
    Owned<HDC, &DeleteDC> dc;
    HGDIOBJ original = nullptr;
};

// A memory context that measures text as the screen does (same resolution, same font mapping),
// made once for the process and kept to its end: a screen context from GetDC(nullptr) costs,
// under Wine, a visible-region query and several display checks at the server each time, and
// measuring needs neither. For the GUI thread; select into it only inside a TSavedDC. Null
// while GDI is out of contexts.
inline HDC MeasuringDC() {
    static Owned<HDC, &DeleteDC> dc;
    if (!dc) dc.Reset(CreateCompatibleDC(nullptr));
    return dc.Get();
}

// Fills a rectangle with a solid colour through the context's own DC brush: no GDI object is
// made, so none can leak.
inline void FillSolidRect(HDC dc, const RECT& r, COLORREF colour) {
    const COLORREF previous = SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, previous);
}
