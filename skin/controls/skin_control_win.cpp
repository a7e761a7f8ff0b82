#include "skin/controls/skin_control.h"

#include <memory>
#include <vector>

#include "forms/dc_scopes.h"
#include "skin/controls/control_skinner_host.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinControl, [](TClassBuilder<TSkinControl>&) {})

// What the control's WindowProc calls while a skinner sits in it. When the skinner goes while
// something else has replaced the WindowProc after it (and so keeps this entry as its "previous"
// procedure), putting the saved procedure back would cut that one out: the relay then stays,
// passing every message to the saved procedure, and lives until the program ends.
class TSkinControl::TRelay : public TObject {
public:
    TSkinControl* skinner = nullptr;
    TWndMethod saved;

    TWndMethod Entry() { return TWndMethod::Of<TRelay, &TRelay::Relay>(this); }
    void Relay(TMessage& message) {
        if (skinner)
            skinner->WndProc(message);
        else if (saved)
            saved(message);
    }
};

namespace {

// Relays left behind as pass-throughs (see TRelay); a handful at most in a program's life.
std::vector<std::unique_ptr<TObject>>& OrphanRelays() {
    static std::vector<std::unique_ptr<TObject>> relays;
    return relays;
}

}  // namespace

std::wstring SkinWindowText(HWND window) {
    if (!window) return {};
    std::wstring buffer(1000, L'\0');
    const LRESULT n =
        SendMessageW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return buffer;
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
    RestoreWindowProcs();
    if (frameSkinner) frameSkinner->RemoveControlSkinner(this);
    if (control && control != Owner()) control->RemoveFreeNotification(this);
}

void TSkinControl::RestoreWindowProcs() {
    if (relay) {
        TRelay* r = std::exchange(relay, nullptr);
        if (control && control->WindowProc == r->Entry()) {
            control->WindowProc = r->saved;
            delete r;
        } else if (control) {
            r->skinner = nullptr;
            OrphanRelays().emplace_back(r);
        } else {
            delete r;  // the control is gone, and nothing can call its procedures any more
        }
        savedWindowProc = {};
    }
    windowInstance.Detach();
}

void TSkinControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == control) control = nullptr;
    if (component == graphicControl) graphicControl = nullptr;
}

bool TSkinControl::OwnsWindowProc(const TControl& target) const {
    return relay && target.WindowProc == relay->Entry();
}

TWndMethod TSkinControl::ControlEntry() const { return relay ? relay->Entry() : TWndMethod(); }

void TSkinControl::ReplaceControlWindowProc(TControl* target) {
    if (relay) return;
    relay = new TRelay;
    relay->skinner = this;
    relay->saved = target->WindowProc;
    savedWindowProc = target->WindowProc;
    target->WindowProc = relay->Entry();
    if (target != Owner()) target->FreeNotification(this);
}

void TSkinControl::ListWithFrameSkinner() {
    if (frameSkinner) frameSkinner->AddControlSkinner(this);
}

void TSkinControl::HookControl(TControlSkinnerHost* frame, TSkinData* skinData, bool recolourOn,
                               TCanvas* sharedCanvas) {
    if (attached) return;
    auto* target = dynamic_cast<TControl*>(Owner());
    if (!target) return;
    recolour = recolourOn;
    skin = skinData;
    frameSkinner = frame;
    canvas = sharedCanvas;
    control = target;
    auto* windowed = dynamic_cast<TWinControl*>(target);
    handle = windowed ? windowed->Handle() : nullptr;
    ReplaceControlWindowProc(target);
    target->SetDoubleBuffered(true);
    ListWithFrameSkinner();
    focused = handle && GetFocus() == handle;
    enabled = !handle || !(GetWindowLongW(handle, GWL_STYLE) & WS_DISABLED);
    text = SkinWindowText(handle);
    if (recolour) {
        savedColor = target->Color();
        target->SetColor(skin->Skin().ButtonFaceColour);
    }
    target->Invalidate();
    attached = true;
    state = ssAttached;
}

void TSkinControl::HookWindow(HWND window, TSkinData* skinData, TControlSkinnerHost* frame,
                              TCanvas* sharedCanvas) {
    skin = skinData;
    canvas = sharedCanvas;
    frameSkinner = frame;
    handle = window;
    enabled = true;  // the style is not read: a message tells otherwise
    text = SkinWindowText(window);
    if (!windowInstance.Attach(window, [this](TMessage& message) { WndProc(message); })) return;
    ListWithFrameSkinner();
    attached = true;
    state = ssAttached;
}

void TSkinControl::RestoreColor() {
    if (recolour && control) control->SetColor(savedColor);
}

bool TSkinControl::BeforeMessage(TMessage& message) {
    if (message.Msg == WM_PAINT && !message.WParam && DrawsOverOwnPaint() &&
        !HasNonClientArea(handle)) {
        PaintOver(message);
        return false;
    }
    if (message.Msg != WM_NCDESTROY) return true;
    CallOriginal(message);
    state = ssWindowDestroyed;
    RestoreColor();
    return false;
}

void TSkinControl::AfterMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case CM_ENABLEDCHANGED: Repaint(); break;
        case WM_SETTEXT:
            text = message.LParam ? reinterpret_cast<const wchar_t*>(message.LParam) : L"";
            Repaint();
            break;
        case WM_PAINT: PaintControl(reinterpret_cast<HDC>(message.WParam)); break;
        default: break;
    }
}

void TSkinControl::WndProc(TMessage& message) {
    if (!BeforeMessage(message)) return;
    CallOriginal(message);
    AfterMessage(message);
}

void TSkinControl::CallOriginal(TMessage& message) {
    if (savedWindowProc)
        savedWindowProc(message);
    else if (windowInstance.Attached())
        message.Result = windowInstance.CallOld(message.Msg, message.WParam, message.LParam);
}

void TSkinControl::Repaint() {
    RECT r{};
    if (!handle || !GetWindowRect(handle, &r)) return;
    if (!GetParent(handle)) return;  // a top-level window is left alone
    const RECT local{0, 0, r.right - r.left, r.bottom - r.top};
    InvalidateRect(handle, &local, FALSE);
    UpdateWindow(handle);
}

void TSkinControl::PaintControl(HDC dc) {
    if (!handle || !GetWindowRect(handle, &windowRect)) return;
    const TRect local{0, 0, windowRect.right - windowRect.left, windowRect.bottom - windowRect.top};
    // A broken skin element must never stop the control's own painting.
    try {
        if (dc) {
            DrawControl(dc, local);
        } else {
            TWindowDC windowDc(handle, TWindowDC::WholeWindow);
            if (windowDc) DrawControl(windowDc.Dc(), local);
        }
    } catch (...) {
    }
}

void TSkinControl::PaintOver(TMessage& message) {
    TPaintScope paint(handle, 0);
    TMessage own{WM_PAINT, reinterpret_cast<WPARAM>(paint.Dc()), 0, 0};
    CallOriginal(own);
    PaintControl(paint.Dc());
    message.Result = 0;
}

void TSkinControl::PaintInstead(TMessage& message) {
    TPaintScope paint(handle, message.WParam);
    if (!GetWindowRect(handle, &windowRect)) return;
    const TRect local{0, 0, windowRect.right - windowRect.left, windowRect.bottom - windowRect.top};
    try {
        DrawControl(paint.Dc(), local);
    } catch (...) {
    }
}

bool TSkinControl::SkinPaintPending() const {
    return handle && GetUpdateRect(handle, nullptr, FALSE);
}

void TSkinControl::DrawControl(HDC, const TRect&) {}

void TSkinControl::SkinChanged() {
    if (recolour && control) control->SetColor(skin->Skin().ButtonFaceColour);
    if (graphicControl)
        graphicControl->Invalidate();
    else if (handle)
        // The frame too: skinners draw borders and scroll bars there, and a skin without the
        // element must show the native one again, not the old skin's.
        RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TSkinControl::SendMouseLeave() {
    if (handle && IsWindow(handle)) SendMessageW(handle, CM_MOUSELEAVE, 0, 0);
}
