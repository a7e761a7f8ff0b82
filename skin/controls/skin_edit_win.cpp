#include "skin/controls/skin_edit.h"

#include <cwchar>

#include "forms/dc_scopes.h"
#include "skin/controls/skin_up_down.h"
#include "skin/skin_data.h"

PONDERIX_DEFINE_CLASS(TSkinEdit, [](TClassBuilder<TSkinEdit>&) {})

namespace {

// The skin's frame: a line of the shadow colour and a white one inside it.
constexpr int kFrameWidth = 2;

// Frames r with a one-pixel line of a brush made for it.
void FrameWith(HDC dc, const RECT& r, COLORREF colour) {
    Owned<HBRUSH, &DeleteObject> brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush.Get());
}

bool IsUpDownClass(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return _wcsicmp(name, L"msctls_updown32") == 0 || _wcsicmp(name, L"TSpinButton") == 0;
}

}  // namespace

TSkinEdit::~TSkinEdit() {
    if (upDown) upDown->RemoveFreeNotification(this);
}

void TSkinEdit::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == upDown) upDown = nullptr;
}

bool TSkinEdit::FrameIsTheWholeBorder() const {
    RECT window{}, client{};
    if (!GetWindowRect(handle, &window) || !GetClientRect(handle, &client)) return false;
    const LONG style = GetWindowLongW(handle, GWL_STYLE);
    return !(style & (WS_HSCROLL | WS_VSCROLL)) &&
           window.right - window.left - client.right == 2 * kFrameWidth &&
           window.bottom - window.top - client.bottom == 2 * kFrameWidth;
}

bool TSkinEdit::BeforeMessage(TMessage& message) {
    if (message.Msg == WM_NCPAINT && FrameIsTheWholeBorder()) {
        // The skin's two lines cover all the edit's own border would draw: the border is left
        // out rather than drawn and drawn over, each time taking a device context of its own.
        if (!SkinPaintPending()) PaintControl(nullptr);
        message.Result = 0;
        return false;
    }
    if (message.Msg != WM_PRINT) return TSkinControl::BeforeMessage(message);
    const auto dc = reinterpret_cast<HDC>(message.WParam);
    {
        // The edit's own printing may leave the context's origin moved (Wine does); the frame
        // goes where the printing code asked, with the brush it selected.
        TSavedDC saved(dc);
        CallOriginal(message);
    }
    PrintFrame(dc);
    return false;
}

void TSkinEdit::AfterMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            // A paint into a given context (printing the client) leaves the frame alone.
            if (!message.WParam) PaintControl(nullptr);
            break;
        case WM_NCPAINT:
            // The edit's own border comes back whenever its frame is repainted (focus, theme
            // hover), not only with the client.
            if (!SkinPaintPending()) PaintControl(nullptr);
            break;
        default: TSkinControl::AfterMessage(message); break;
    }
}

void TSkinEdit::FindUpDown() {
    for (HWND child = GetTopWindow(handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsUpDownClass(child)) continue;
        auto* skinner = new TSkinUpDown(Owner());
        skinner->SetInEdit(true);
        skinner->HookWindow(child, skin, frameSkinner, canvas);
        if (skinner->State() != ssAttached) {
            delete skinner;
            return;
        }
        if (upDown) upDown->RemoveFreeNotification(this);
        upDown = skinner;
        upDown->FreeNotification(this);
        InvalidateRect(child, nullptr, FALSE);
        return;
    }
}

void TSkinEdit::DrawControl(HDC dc, const TRect& rect) {
    // Searched until one is found, and again once the one found has lost its window.
    if (!upDown || upDown->State() == ssWindowDestroyed) FindUpDown();
    RECT client{};
    GetClientRect(handle, &client);
    if (client.right == rect.Width() || client.bottom == rect.Height()) return;  // no border
    const COLORREF shadow = ColorToRGB(skin->Skin().ButtonShadowColour);
    const RECT outer{rect.left, rect.top, rect.right, rect.bottom};
    const RECT inner{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
    FrameWith(dc, outer, shadow);
    FrameWith(dc, inner, RGB(255, 255, 255));
}

void TSkinEdit::PrintFrame(HDC given) {
    if (!handle || !GetWindowRect(handle, &windowRect)) return;
    const int w = windowRect.right - windowRect.left, h = windowRect.bottom - windowRect.top;
    RECT client{};
    GetClientRect(handle, &client);
    if (client.right + 2 >= w || client.bottom + 2 >= h) return;
    try {
        if (given) {
            PrintFrameInto(given, w, h);
        } else {
            TWindowDC own(handle, TWindowDC::WholeWindow);
            if (own) PrintFrameInto(own.Dc(), w, h);
        }
    } catch (...) {
    }
}

void TSkinEdit::PrintFrameInto(HDC dc, int w, int h) {
    // The inner line in the brush the printing code selected, then the outer one.
    const RECT outer{0, 0, w, h};
    const RECT inner{1, 1, w - 1, h - 1};
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    FrameWith(dc, outer, ColorToRGB(skin->Skin().ButtonShadowColour));
}
