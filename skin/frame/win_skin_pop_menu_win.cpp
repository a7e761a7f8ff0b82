#include "skin/frame/win_skin_pop_menu.h"

namespace {
constexpr UINT kIsSkinned = 0x3504;  // CN_IsSkinned
}  // namespace

void TWinSkinPopMenu::Attach(HWND window, TSkinData* skinData) {
    skin = skinData;
    if (!windowInstance.Attach(window, [this](TMessage& message) { WindowMessage(message); }))
        return;
    handle = window;
}

void TWinSkinPopMenu::Detach() {
    windowInstance.Detach();
    handle = nullptr;
}

void TWinSkinPopMenu::WindowMessage(TMessage& message) {
    if (message.Msg == kIsSkinned) {
        message.Result = 1;
        return;
    }
    message.Result = windowInstance.CallOld(message.Msg, message.WParam, message.LParam);
}
