#pragma once
// Edit boxes: TEdit (one line) and TMemo (several lines), both the standard EDIT control
// superclassed. Every typed character goes through OnKeyPress first, which may drop it.

#include "forms/controls.h"
#include "forms/strings.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const TEnumInfo ScrollStyleType;

class TCustomEdit : public TWinControl {
    PONDERIX_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);

    bool ReadOnly() const { return readOnly; }
    void SetReadOnly(bool value);
    int MaxLength() const { return maxLength; }
    void SetMaxLength(int value);
    std::wstring Text() const { return GetText(); }
    void SetTextValue(const std::wstring& value) { SetText(value); }
    // The selection, in characters.
    int SelStart() const;
    int SelLength() const;
    void SetSelection(int start, int length);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateHandle() override;
    void WndProc(TMessage& message) override;
    virtual void Change();

private:
    bool readOnly = false;
    int maxLength = 0;
};

class TEdit : public TCustomEdit {
    PONDERIX_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
};

class TMemo : public TCustomEdit {
    PONDERIX_CLASS(TMemo, TCustomEdit)
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;

    TStrings* Lines();
    bool WordWrap() const { return wordWrap; }
    void SetWordWrap(bool value) { wordWrap = value; }
    TScrollStyle ScrollBars() const { return scrollBars; }
    void SetScrollBars(TScrollStyle value) { scrollBars = value; }
    bool WantReturns() const { return wantReturns; }
    void SetWantReturns(bool value) { wantReturns = value; }

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyPress(wchar_t& key) override;

private:
    class TMemoLines;
    TMemoLines* lines;
    bool wordWrap = true;
    TScrollStyle scrollBars = ssNone;
    bool wantReturns = true;
};

void RegisterEditClasses();
