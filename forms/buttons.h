#pragma once
// Push buttons, check boxes and radio buttons: the standard BUTTON control, superclassed.
//
// A radio button's OnClick runs only when it becomes checked (by the user or by code after the
// form has been read); checking one unchecks the radio buttons that share its parent.

#include "forms/controls.h"

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TButtonControl : public TWinControl {
    PONDERIX_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
};

class TButton : public TButtonControl {
    PONDERIX_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return isDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel; }
    void SetCancel(bool value) { cancel = value; }
    int ModalResult() const { return modalResult; }
    void SetModalResult(int value) { modalResult = value; }

    // Clicks the button as the user would: runs OnClick.
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    bool isDefault = false;
    bool cancel = false;
    int modalResult = mrNone;
};

class TCheckBox : public TButtonControl {
    PONDERIX_CLASS(TCheckBox, TButtonControl)
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return checked; }
    void SetChecked(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateHandle() override;
    void WndProc(TMessage& message) override;

private:
    bool checked = false;
};

class TRadioButton : public TButtonControl {
    PONDERIX_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked; }
    void SetChecked(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateHandle() override;
    void WndProc(TMessage& message) override;

private:
    void TurnSiblingsOff();
    bool checked = false;
};

void RegisterButtonClasses();
