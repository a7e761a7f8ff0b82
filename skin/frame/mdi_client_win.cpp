// The frame skinner's MDI side: the procedure installed on the MDI client of an MDI frame, which
// skins the MDI children created through it and keeps the shared maximised state, and the two
// presentations of an MDI child (maximised inside the client with its native caption, or with
// its skinned frame).
#include <utility>

#include "skin/frame/form_skinner_registry.h"
#include "skin/frame/win_skin_form.h"
#include "skin/skin_data.h"

bool TWinSkinForm::IsMdiChildMaximized() const {
    if (kind != wkMdiFrame || !mdiClient) return false;
    BOOL maximised = FALSE;
    const LRESULT child =
        SendMessageW(mdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
    return child != 0 && maximised;
}

void TWinSkinForm::SetMdiPresentation(bool maximised) {
    if (kind != wkMdiChild) return;
    if (maximised) {
        DropRegion();
        SetNativeCaption(true);
        return;
    }
    if (windowState == fwMinimized) {
        SetNativeCaption(true);
        return;
    }
    windowState = fwNormal;
    UpdateRegion();
    SetNativeCaption(false);
    if (!regionSet)
        SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::AttachMdiClient() {
    if (!mdiClient) return;
    clientInstance.Attach(mdiClient, [this](TMessage& message) { ClientMessage(message); });
}

void TWinSkinForm::ClientMessage(TMessage& message) {
    const auto passOn = [&] {
        message.Result = clientInstance.CallOld(message.Msg, message.WParam, message.LParam);
    };
    switch (message.Msg) {
        case WM_NCCALCSIZE:
            // The MDI client never shows native scroll bars under a skinned frame.
            if (frameEnabled) {
                const LONG clientStyle = GetWindowLongW(mdiClient, GWL_STYLE);
                if (clientStyle & (WS_HSCROLL | WS_VSCROLL))
                    SetWindowLongW(mdiClient, GWL_STYLE, clientStyle & ~(WS_HSCROLL | WS_VSCROLL));
            }
            passOn();
            return;
        case WM_MDICREATE:
            skin->SetMenuUpdate(false);
            passOn();
            pendingMdiChild = reinterpret_cast<HWND>(message.Result);
            return;
        case WM_MDIDESTROY:
            passOn();
            if (frameEnabled && manager) manager->SetMdiMaximized(IsMdiChildMaximized());
            return;
        case WM_MDITILE:
        case WM_MDICASCADE:
            if (frameEnabled && manager && manager->MdiMaximized()) manager->SetMdiMaximized(false);
            passOn();
            return;
        case WM_MDIREFRESHMENU:
            passOn();
            // The child created before is complete now: it gets its frame skinner.
            if (HWND child = std::exchange(pendingMdiChild, nullptr)) {
                if (manager && IsWindow(child)) manager->SkinMdiChild(child);
                PostMessageW(handle, CN_RepaintFrame, 0, 0);
            }
            return;
        default: passOn();
    }
}
