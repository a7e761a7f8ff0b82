#include "forms/buttons.h"

PONDERIX_DEFINE_CLASS(TButtonControl, [](TClassBuilder<TButtonControl>& b) {
    b.String("Caption", &TButtonControl::Caption, &TButtonControl::SetCaption);
    b.Event("OnClick", &TButtonControl::OnClick);
})

PONDERIX_DEFINE_CLASS(TButton, [](TClassBuilder<TButton>& b) {
    b.Boolean("Default", &TButton::Default, &TButton::SetDefault);
    b.Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel);
    b.Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
})

PONDERIX_DEFINE_CLASS(TCheckBox, [](TClassBuilder<TCheckBox>& b) {
    b.Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
})

PONDERIX_DEFINE_CLASS(TRadioButton, [](TClassBuilder<TRadioButton>& b) {
    b.Boolean("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
})

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SuperClassName = L"BUTTON";
}

// ---- TButton --------------------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::SetDefault(bool value) {
    isDefault = value;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() { TControl::Click(); }

void TButton::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    TButtonControl::WndProc(message);
}

// ---- TCheckBox ------------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= BS_CHECKBOX;
}

void TCheckBox::AfterCreateHandle() {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool value) {
    if (value == checked) return;
    checked = value;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!HasState(csLoading)) Click();
}

void TCheckBox::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        SetChecked(!checked);
        return;
    }
    TButtonControl::WndProc(message);
}

// ---- TRadioButton ---------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= BS_RADIOBUTTON;  // not automatic: the group rule is ours
}

void TRadioButton::AfterCreateHandle() {
    SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::TurnSiblingsOff() {
    if (!Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
        if (sibling && sibling != this && sibling->checked) {
            sibling->checked = false;
            if (sibling->HandleAllocated())
                SendMessageW(sibling->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

void TRadioButton::SetChecked(bool value) {
    if (value == checked) return;
    checked = value;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value) return;
    TurnSiblingsOff();
    if (!HasState(csLoading)) Click();
}

void TRadioButton::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        SetChecked(true);  // nothing happens for the button that is already checked
        return;
    }
    TButtonControl::WndProc(message);
}

void RegisterButtonClasses() {
    RegisterComponentClass(TButton::StaticClass());
    RegisterComponentClass(TCheckBox::StaticClass());
    RegisterComponentClass(TRadioButton::StaticClass());
}
