#include "forms/controls.h"

#include <windowsx.h>

#include <algorithm>
#include <map>

#include "forms/application.h"
#include "forms/callback_guard.h"
#include "forms/dc_scopes.h"
#include "forms/exception.h"
#include "forms/text.h"
#include "forms/window_map.h"

namespace {

// Which object a window belongs to: kept by us rather than in GWLP_USERDATA, which other code
// (and other processes' hooks) may use for its own purposes.
TWindowMap<TWinControl>& ControlWindows() {
    static TWindowMap<TWinControl> windows;
    return windows;
}

// The control whose window CreateWindowEx is making: bound at the window's first message.
TWinControl* creatingControl = nullptr;

// Registered window classes and the procedure each one's own messages end in.
std::map<std::wstring, WNDPROC>& RegisteredClasses() {
    static std::map<std::wstring, WNDPROC> classes;
    return classes;
}

WNDPROC ClassDefaultProc(HWND window) {
    wchar_t name[256];
    if (GetClassNameW(window, name, 256) > 0) {
        auto it = RegisteredClasses().find(name);
        if (it != RegisteredClasses().end()) return it->second;
    }
    return DefWindowProcW;
}

int nextControlId = 100;

// Window messages of class-library controls being dispatched, nested, and the controls to free
// once the outermost one has returned.
int dispatchDepth = 0;
std::vector<TWinControl*> freeAfterDispatch;

}  // namespace

// ---- TControl -------------------------------------------------------------------------------

PONDERIX_DEFINE_CLASS(TControl, [](TClassBuilder<TControl>& b) {
    b.Integer("Left", &TControl::Left, &TControl::SetLeft);
    b.Integer("Top", &TControl::Top, &TControl::SetTop);
    b.Integer("Width", &TControl::Width, &TControl::SetWidth);
    b.Integer("Height", &TControl::Height, &TControl::SetHeight);
    b.Boolean("Visible", &TControl::Visible, &TControl::SetVisible);
    b.Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled);
    b.NamedInteger("Color", &IdentToColor, &TControl::Color, &TControl::SetColor);
    b.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
    b.Object<TFont>("Font", &TControl::Font, &TControl::SetFont);
    b.Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
    b.Boolean("DoubleBuffered", &TControl::DoubleBuffered, &TControl::SetDoubleBuffered);
})

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = TWndMethod::Of<TControl, &TControl::WndProc>(this);
    font.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    DestroyComponents();
    if (parent) parent->RemoveControl(this);
}

void TControl::SetParentComponent(TComponent* parentComponent) {
    if (auto* winParent = dynamic_cast<TWinControl*>(parentComponent)) SetParent(winParent);
}

void TControl::SetParent(TWinControl* newParent) {
    if (newParent == parent) return;
    if (newParent == this) throw EInvalidOperation(L"控件不能是自己的父控件");
    if (parent) parent->RemoveControl(this);
    if (newParent) newParent->InsertControl(this);
    ParentFontChanged();
    ParentColorChanged();
}

void TControl::SetBounds(int newLeft, int newTop, int newWidth, int newHeight) {
    if (newLeft == left && newTop == top && newWidth == width && newHeight == height) return;
    Invalidate();
    left = newLeft, top = newTop, width = newWidth, height = newHeight;
    Invalidate();
}

void TControl::SetVisible(bool value) {
    if (value == visible) return;
    visible = value;
    if (parent) parent->Invalidate();
    Perform(CM_VISIBLECHANGED, value);
}

bool TControl::Showing() const { return visible && (!parent || parent->Showing()); }

void TControl::SetEnabled(bool value) {
    if (value == enabled) return;
    enabled = value;
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetColor(TColor value) {
    parentColor = false;
    if (value == color) return;
    color = value;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    parentColor = value;
    if (value) ParentColorChanged();
}

void TControl::SetParentFont(bool value) {
    parentFont = value;
    if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont || !parent) return;
    updatingFromParent = true;
    font.Assign(*parent->Font());
    updatingFromParent = false;
}

void TControl::ParentColorChanged() {
    if (!parentColor || !parent || parent->Color() == color) return;
    color = parent->Color();
    ColorChanged();
}

void TControl::FontChanged() {
    if (!updatingFromParent) parentFont = false;
    Perform(CM_FONTCHANGED);
    Invalidate();
}

void TControl::ColorChanged() {
    Perform(CM_COLORCHANGED);
    Invalidate();
}

std::wstring TControl::GetText() const { return text; }

void TControl::SetText(const std::wstring& value) {
    if (value == text) return;
    text = value;
    TextChanged();
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::Invalidate() {
    if (parent && parent->HandleAllocated() && visible) {
        const RECT r = BoundsRect();
        InvalidateRect(parent->Handle(), &r, TRUE);
    }
}

void TControl::Repaint() {
    Invalidate();
    if (parent && parent->HandleAllocated()) UpdateWindow(parent->Handle());
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
        case CM_MOUSEENTER: mouseInControl = true; break;
        case CM_MOUSELEAVE: mouseInControl = false; break;
    }
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}

// ---- TGraphicControl ------------------------------------------------------------------------

PONDERIX_DEFINE_CLASS(TGraphicControl, [](TClassBuilder<TGraphicControl>&) {})

void TGraphicControl::Paint(HDC) {}

void TGraphicControl::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        Paint(reinterpret_cast<HDC>(message.WParam));
        return;
    }
    TControl::WndProc(message);
}

// ---- TWinControl ----------------------------------------------------------------------------

PONDERIX_DEFINE_CLASS(TWinControl, [](TClassBuilder<TWinControl>& b) {
    b.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
    b.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
})

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    freeAfterDispatch.erase(std::remove(freeAfterDispatch.begin(), freeAfterDispatch.end(), this),
                            freeAfterDispatch.end());
    // Owned controls go first, while this window and object are whole.
    DestroyComponents();
    for (TControl* child : controls) child->parent = nullptr;
    controls.clear();
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND window) { return ControlWindows().Find(window); }

HWND TWinControl::Handle() {
    if (!handle) {
        if (parent) {
            parent->HandleNeeded();  // creates ours too, with the parent's children
            parent->CreatePendingChildHandles();
        }
        if (!handle) CreateWnd();
    }
    return handle;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = text;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (visible) params.Style |= WS_VISIBLE;
    if (tabStop) params.Style |= WS_TABSTOP;
    if (!enabled) params.Style |= WS_DISABLED;
    params.X = Left(), params.Y = Top(), params.Width = Width(), params.Height = Height();
    params.WndParent = Parent() ? Parent()->Handle() : nullptr;
    params.WinClassName = Utf8ToWide(ClassName());
}

void TWinControl::RegisterWindowClass(const TCreateParams& params) {
    auto& classes = RegisteredClasses();
    auto it = classes.find(params.WinClassName);
    if (it != classes.end()) {
        DefWndProc = it->second;
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (params.SuperClassName) {
        if (!GetClassInfoExW(nullptr, params.SuperClassName, &wc))
            throw EInvalidOperation(L"找不到窗口类 " + std::wstring(params.SuperClassName));
        wc.cbSize = sizeof wc;
    } else {
        wc.lpfnWndProc = DefWindowProcW;
        wc.style = params.WindowClassStyle;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    }
    DefWndProc = wc.lpfnWndProc;
    wc.lpfnWndProc = StdWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = params.WinClassName.c_str();
    wc.style &= ~CS_GLOBALCLASS;
    if (!RegisterClassExW(&wc))
        throw EInvalidOperation(L"注册窗口类 " + params.WinClassName + L" 失败");
    classes.emplace(params.WinClassName, DefWndProc);
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    RegisterWindowClass(params);
    CreateWindowHandle(params);
    if (!handle) throw EInvalidOperation(L"创建窗口 " + Name() + L" 失败");
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
    AfterCreateHandle();
    if (CreatesChildHandlesNow())
        CreateChildHandles(false);
    else
        childHandlesPending = true;
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    const HMENU id =
        (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(INT_PTR{nextControlId++}) : nullptr;
    creatingControl = this;
    const HWND created =
        CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                        params.Style, params.X, params.Y, params.Width, params.Height,
                        params.WndParent, id, GetModuleHandleW(nullptr), nullptr);
    creatingControl = nullptr;
    if (created && created != handle) {
        // The window was bound to another object: a bug in our creation order, never ignored.
        DestroyWindow(created);
        handle = nullptr;
        throw EInvalidOperation(L"窗口 " + Name() + L" 创建时绑定错误");
    }
}

void TWinControl::CreateChildHandles(bool everyOne) {
    std::vector<TWinControl*> children;
    for (TControl* c : controls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) children.push_back(w);
    // The window order of siblings is the tab order.
    std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
        return static_cast<unsigned>(a->tabOrder) < static_cast<unsigned>(b->tabOrder);
    });
    for (TWinControl* child : children) {
        if (child->handle) continue;
        if (everyOne || child->CreatesHandleWithParent())
            child->CreateWnd();
        else
            childHandlesPending = true;
    }
    // New windows come below their older siblings, so windows made here in tab order are
    // mostly in place already; a move costs a round of position messages.
    HWND after = HWND_TOP;
    for (TWinControl* child : children) {
        if (!child->handle) continue;
        const HWND above = after == HWND_TOP ? nullptr : after;
        if (GetWindow(child->handle, GW_HWNDPREV) != above)
            SetWindowPos(child->handle, after, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = child->handle;
    }
}

// Makes the children's windows that CreateWnd left for later, all at once and in tab order,
// and tells the top-level window, whose helpers (such as a skin) may want to know the new windows.
void TWinControl::CreatePendingChildHandles() {
    if (!std::exchange(childHandlesPending, false)) return;
    CreateChildHandles(true);
    if (HWND root = GetAncestor(handle, GA_ROOT); root && root != handle)
        SendMessageW(root, CM_CHILDHANDLESCREATED, 0, reinterpret_cast<LPARAM>(this));
}

bool TWinControl::HandleDeferred() const {
    if (handle) return false;
    for (const TWinControl* p = parent; p; p = p->parent)
        if (p->handle) return p->childHandlesPending;
    return false;
}

void TWinControl::DestroyHandle() {
    childHandlesPending = false;
    if (!handle) return;
    // WM_NCDESTROY saves this window's state and clears the handles of it and its children.
    DestroyWindow(handle);
    // A window that could not be destroyed (or whose last message never reached us) must not
    // lead back to this object any more.
    if (handle) ControlWindows().Unbind(handle);
    handle = nullptr;
}

void TWinControl::FreeAfterDispatch() {
    if (std::find(freeAfterDispatch.begin(), freeAfterDispatch.end(), this) ==
        freeAfterDispatch.end())
        freeAfterDispatch.push_back(this);
    // Asked from outside any dispatch: the request comes back as a message, so that the caller
    // returns before the control goes.
    if (dispatchDepth == 0 && handle) PostMessageW(handle, CM_RELEASE, 0, 0);
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* self = FromHandle(window);
    if (!self) {
        if (!creatingControl)
            return CallWindowProcW(ClassDefaultProc(window), window, msg, wParam, lParam);
        self = std::exchange(creatingControl, nullptr);
        self->handle = window;
        ControlWindows().Bind(window, self);
    }
    return GuardMessage(window, msg, [&] { return self->Dispatch(msg, wParam, lParam); });
}

LRESULT TWinControl::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The outermost dispatch frees the controls that asked for it: only then does nothing on the
    // stack read them (or the children that go with them) any more.
    struct TDepth {
        TDepth() { ++dispatchDepth; }
        ~TDepth() {
            if (--dispatchDepth != 0) return;
            while (!freeAfterDispatch.empty()) {
                TWinControl* control = freeAfterDispatch.back();
                freeAfterDispatch.pop_back();  // before the delete, which dispatches messages
                delete control;
            }
        }
    } depth;
    TMessage message{msg, wParam, lParam, 0};
    WindowProc(message);
    return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (handle)
        message.Result =
            CallWindowProcW(DefWndProc, handle, message.Msg, message.WParam, message.LParam);
}

bool TWinControl::ReflectNotification(TMessage& message) {
    HWND child = nullptr;
    switch (message.Msg) {
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_CHARTOITEM:
        case WM_VKEYTOITEM: child = reinterpret_cast<HWND>(message.LParam); break;
        case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom; break;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
            if (item->CtlType != ODT_MENU) child = item->hwndItem;
            break;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
            if (item->CtlType != ODT_MENU)
                child = GetDlgItem(handle, static_cast<int>(item->CtlID));
            break;
        }
        case WM_DELETEITEM:
            child = reinterpret_cast<DELETEITEMSTRUCT*>(message.LParam)->hwndItem;
            break;
        case WM_COMPAREITEM:
            child = reinterpret_cast<COMPAREITEMSTRUCT*>(message.LParam)->hwndItem;
            break;
        default: return false;
    }
    TWinControl* target = FromHandle(child);
    if (!target || target == this) return false;
    message.Result = target->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

void TWinControl::TrackGraphicMouse(TMessage& message) {
    const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* hit = nullptr;
    if (message.Msg != WM_MOUSELEAVE) {
        for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
            TControl* c = *it;
            const RECT r = c->BoundsRect();
            if (c->visible && dynamic_cast<TGraphicControl*>(c) && PtInRect(&r, p)) {
                hit = c;
                break;
            }
        }
    }
    if (hit != mouseControl) {
        if (mouseControl) mouseControl->Perform(CM_MOUSELEAVE);
        mouseControl = hit;
        if (hit) hit->Perform(CM_MOUSEENTER);
    }
    if (hit && message.Msg != WM_MOUSELEAVE)
        hit->Perform(message.Msg, message.WParam, MAKELPARAM(p.x - hit->Left(), p.y - hit->Top()));
}

void TWinControl::UpdateBoundsFromWindow() {
    RECT r;
    if (!GetWindowRect(handle, &r)) return;
    if (HWND parentWindow = GetParent(handle);
        parentWindow && (GetWindowLongW(handle, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parentWindow, reinterpret_cast<POINT*>(&r), 2);
    TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool HasNonClientArea(HWND handle) {
    RECT window{}, client{};
    if (!GetWindowRect(handle, &window) || !GetClientRect(handle, &client)) return true;
    return window.right - window.left != client.right ||
           window.bottom - window.top != client.bottom;
}

void TWinControl::WndProc(TMessage& message) {
    if (ReflectNotification(message)) return;
    switch (message.Msg) {
        case WM_MOUSEMOVE:
            if (!trackingLeave) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle, 0};
                trackingLeave = TrackMouseEvent(&track) != FALSE;
                if (!MouseInControl()) Perform(CM_MOUSEENTER);
            }
            TrackGraphicMouse(message);
            break;
        case WM_MOUSELEAVE:
            trackingLeave = false;
            TrackGraphicMouse(message);
            if (MouseInControl()) Perform(CM_MOUSELEAVE);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: TrackGraphicMouse(message); break;
        case WM_NCPAINT:
            // A window whose client area is all of it has no frame to paint, but the system's
            // painting would still take a device context for it, which under Wine costs several
            // round trips to the server.
            if (!HasNonClientArea(handle)) {
                message.Result = 0;
                return;
            }
            break;
        case WM_ERASEBKGND:
            if (OwnPaint()) {
                RECT r;
                GetClientRect(handle, &r);
                FillSolidRect(reinterpret_cast<HDC>(message.WParam), r, ColorToRGB(Color()));
                message.Result = 1;
                return;
            }
            break;
        case WM_PAINT:
            if (OwnPaint()) {
                TPaintScope paint(handle, message.WParam);
                PaintWindow(paint.Dc());
                PaintControls(paint.Dc());
                return;
            }
            break;
        case WM_CHAR: {
            auto key = static_cast<wchar_t>(message.WParam);
            KeyPress(key);
            if (key == 0) return;
            message.WParam = key;
            break;
        }
        case WM_SETFOCUS: Perform(CM_ENTER); break;
        case WM_KILLFOCUS: Perform(CM_EXIT); break;
        case WM_SIZE:
        case WM_MOVE: UpdateBoundsFromWindow(); break;
        case WM_DESTROY:
            // The text is read while the child windows still exist: a combo box's is its edit
            // part's, which is gone by the combo box's WM_NCDESTROY.
            text = GetText();
            break;
        case WM_NCDESTROY:
            // Before the window's own procedure lets go of its data.
            WindowDestroying();
            TControl::WndProc(message);
            ControlWindows().Unbind(handle);
            handle = nullptr;
            childHandlesPending = false;
            trackingLeave = false;
            return;
    }
    TControl::WndProc(message);
}

LRESULT TWinControl::ControlColors(HDC dc) {
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    SetDCBrushColor(dc, ColorToRGB(Color()));
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

void TWinControl::KeyPress(wchar_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc) {
    for (TControl* c : controls) {
        auto* graphic = dynamic_cast<TGraphicControl*>(c);
        if (!graphic || !graphic->visible) continue;
        TSavedDC saved(dc);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + c->Left(), origin.y + c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        graphic->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::InsertControl(TControl* control) {
    controls.push_back(control);
    control->parent = this;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (w->tabOrder < 0) {
            int count = 0;
            for (TControl* c : controls) count += dynamic_cast<TWinControl*>(c) != nullptr;
            w->tabOrder = count - 1;
        }
        if (w->handle)
            ::SetParent(w->handle, Handle());
        else if (handle && !childHandlesPending)
            w->CreateWnd();
    }
    ControlInserted(control);
    Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    if (control == mouseControl) mouseControl = nullptr;
    controls.erase(std::remove(controls.begin(), controls.end(), control), controls.end());
    control->parent = nullptr;
    ControlRemoved(control);
    if (auto* w = dynamic_cast<TWinControl*>(control); w && w->handle) w->DestroyHandle();
    if (handle) InvalidateRect(handle, nullptr, TRUE);
}

void TWinControl::SetTabOrder(int value) { tabOrder = value; }

void TWinControl::SetTabStop(bool value) {
    tabStop = value;
    if (handle) {
        LONG style = GetWindowLongW(handle, GWL_STYLE);
        SetWindowLongW(handle, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

void TWinControl::SetBounds(int newLeft, int newTop, int newWidth, int newHeight) {
    TControl::SetBounds(newLeft, newTop, newWidth, newHeight);
    if (handle)
        SetWindowPos(handle, nullptr, newLeft, newTop, newWidth, newHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetVisible(bool value) {
    TControl::SetVisible(value);
    // A window its parent left for when it is shown (not one waiting on a hidden parent).
    if (value && !handle && parent && parent->handle && parent->childHandlesPending &&
        parent->CreatesChildHandlesNow())
        Handle();
    if (!handle) return;
    if (value) CreatePendingChildHandles();  // shown complete
    ShowWindow(handle, value ? SW_SHOW : SW_HIDE);
}

void TWinControl::SetEnabled(bool value) {
    if (handle) EnableWindow(handle, value);
    TControl::SetEnabled(value);
}

std::wstring TWinControl::GetText() const {
    if (!handle) return text;
    const int length = GetWindowTextLengthW(handle);
    std::wstring result(static_cast<size_t>(length) + 1, L'\0');
    result.resize(static_cast<size_t>(GetWindowTextW(handle, result.data(), length + 1)));
    return result;
}

void TWinControl::SetText(const std::wstring& value) {
    if (handle) {
        if (value == GetText()) return;
        SetWindowTextW(handle, value.c_str());
        text = value;
        TextChanged();
        Perform(CM_TEXTCHANGED);
        return;
    }
    TControl::SetText(value);
}

void TWinControl::Invalidate() {
    if (handle) InvalidateRect(handle, nullptr, TRUE);
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

bool TWinControl::Focused() const { return handle && GetFocus() == handle; }

void TWinControl::FontChanged() {
    TControl::FontChanged();
    if (handle) SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    for (TControl* c : controls) c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* c : controls) c->ParentColorChanged();
}

void RegisterControlClasses() {
    RegisterComponentClass(TControl::StaticClass());
    RegisterComponentClass(TWinControl::StaticClass());
    RegisterComponentClass(TGraphicControl::StaticClass());
}
