// The frame skinner's form procedure: it sits in the form's replaceable window procedure (only
// while the skin draws the frame) and repaints the caption when the window's text changes,
// applies a skin change on request, and hands dialog characters of an MDI child to its frame.
#include <memory>
#include <utility>
#include <vector>

#include "forms/forms.h"
#include "forms/messages.h"
#include "skin/controls/skin_control.h"
#include "skin/frame/form_skinner_registry.h"
#include "skin/frame/win_skin_form.h"

// What the form's WindowProc calls while the frame skinner sits in it. When the frame skinner
// goes while something else has replaced the WindowProc after it, putting the saved procedure
// back would cut that one out: the relay then stays as a pass-through to the saved procedure.
class TWinSkinForm::TFormProcedure : public TObject {
public:
    TWinSkinForm* owner = nullptr;
    TWndMethod saved;

    TWndMethod Entry() { return TWndMethod::Of<TFormProcedure, &TFormProcedure::Relay>(this); }
    void Relay(TMessage& message) {
        if (owner)
            owner->FormMessage(message);
        else if (saved)
            saved(message);
    }
};

namespace {
// Relays left behind as pass-throughs; one per skinned form at most.
std::vector<std::unique_ptr<TObject>>& OrphanFormProcedures() {
    static std::vector<std::unique_ptr<TObject>> relays;
    return relays;
}
}  // namespace

void TWinSkinForm::AttachFormProcedure() {
    if (formProcedure || !form) return;
    formProcedure = new TFormProcedure;
    formProcedure->owner = this;
    formProcedure->saved = form->WindowProc;
    form->WindowProc = formProcedure->Entry();
}

void TWinSkinForm::DetachFormProcedure() {
    TFormProcedure* relay = std::exchange(formProcedure, nullptr);
    if (!relay) return;
    if (form && form->WindowProc == relay->Entry()) {
        form->WindowProc = relay->saved;
        delete relay;
        return;
    }
    relay->owner = nullptr;
    OrphanFormProcedures().emplace_back(relay);
}

void TWinSkinForm::PassOnToForm(TMessage& message) {
    if (formProcedure && formProcedure->saved) formProcedure->saved(message);
}

void TWinSkinForm::FormMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_SETTEXT:
            PassOnToForm(message);
            caption = SkinWindowText(handle);
            // The system recalculates and repaints the frame, with the new title.
            SetWindowPos(
                handle, nullptr, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            return;
        case CN_ReapplySkin: ApplySkinChange(); return;
        case CM_DIALOGCHAR: OnDialogChar(message); return;
        default: PassOnToForm(message);
    }
}

void TWinSkinForm::OnDialogChar(TMessage& message) {
    // An MDI child's dialog characters are the MDI frame's first (its menu accelerators).
    if (kind == wkMdiChild && manager) {
        TCustomForm* parent = manager->MdiParent();
        if (parent && parent != form && parent->HandleAllocated()) {
            const LRESULT answer = parent->Perform(CM_DIALOGCHAR, message.WParam, message.LParam);
            if (answer != 0) {
                message.Result = answer;
                return;
            }
        }
    }
    message.Result = 0;
    PassOnToForm(message);
}
