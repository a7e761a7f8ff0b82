#include "forms/window_subclass.h"

#include <utility>

bool TWindowSubclass::Attach(HWND target, THandler newHandler) {
    Detach();
    handler = std::move(newHandler);
    return procedure.Attach(target, [this](TMessage& message) {
        if (message.Msg != WM_NCDESTROY) {
            message.Result = handler(message.Msg, message.WParam, message.LParam);
            return;
        }
        message.Result = Next(message.Msg, message.WParam, message.LParam);
        if (OnDestroyed) GuardCallback(OnDestroyed);
    });
}
