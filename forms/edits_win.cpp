#include "forms/edits.h"

const TEnumInfo ScrollStyleType{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};

PONDERIX_DEFINE_CLASS(TCustomEdit, [](TClassBuilder<TCustomEdit>& b) {
    b.String("Text", &TCustomEdit::Text, &TCustomEdit::SetTextValue);
    b.Boolean("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
    b.Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength);
    b.Event("OnChange", &TCustomEdit::OnChange);
    b.Event("OnKeyPress", &TCustomEdit::OnKeyPress);
})
PONDERIX_DEFINE_CLASS(TEdit, [](TClassBuilder<TEdit>&) {})
PONDERIX_DEFINE_CLASS(TMemo, [](TClassBuilder<TMemo>& b) {
    b.StringList("Lines", &TMemo::Lines);
    b.Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
    b.Enum("ScrollBars", ScrollStyleType, &TMemo::ScrollBars, &TMemo::SetScrollBars);
    b.Boolean("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
})

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SuperClassName = L"EDIT";
    params.ExStyle |= WS_EX_CLIENTEDGE;
    if (readOnly) params.Style |= ES_READONLY;
}

void TCustomEdit::AfterCreateHandle() {
    if (maxLength > 0) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
    readOnly = value;
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
    maxLength = value;
    if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

int TCustomEdit::SelStart() const {
    DWORD start = 0;
    if (auto* self = const_cast<TCustomEdit*>(this); self->HandleAllocated())
        SendMessageW(self->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() const {
    DWORD start = 0, end = 0;
    if (auto* self = const_cast<TCustomEdit*>(this); self->HandleAllocated())
        SendMessageW(self->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelection(int start, int length) {
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE) {
        Change();
        return;
    }
    if (message.Msg == CN_CTLCOLOREDIT || message.Msg == CN_CTLCOLORSTATIC) {
        // Read-only boxes keep the colour the form gives them, not the platform's grey.
        message.Result = ControlColors(reinterpret_cast<HDC>(message.WParam));
        return;
    }
    TWinControl::WndProc(message);
}

// ---- TEdit ----------------------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 121, 21); }

void TEdit::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
}

// ---- TMemo ----------------------------------------------------------------------------------

// The memo's lines: kept in memory until the window exists, read from and written to its text
// afterwards.
class TMemo::TMemoLines : public TStrings {
public:
    explicit TMemoLines(TMemo& memo) : memo(memo) {}
    const TClassInfo& ClassType() const override { return TStrings::StaticClass(); }

    int Count() const override { return static_cast<int>(Split().size()); }
    std::wstring Get(int index) const override { return Split().at(static_cast<size_t>(index)); }
    void Put(int index, const std::wstring& text) override {
        auto lines = Split();
        lines.at(static_cast<size_t>(index)) = text;
        Join(lines);
    }
    void Insert(int index, const std::wstring& text) override {
        auto lines = Split();
        if (index < 0 || index > static_cast<int>(lines.size())) return;
        lines.insert(lines.begin() + index, text);
        Join(lines);
    }
    void Delete(int index) override {
        auto lines = Split();
        if (index < 0 || index >= static_cast<int>(lines.size())) return;
        lines.erase(lines.begin() + index);
        Join(lines);
    }
    void Clear() override { memo.SetText(L""); }

private:
    // Every line break ends a line, so a text ending in one has an empty last line: that keeps
    // an empty line added at the end. Empty text has no lines.
    std::vector<std::wstring> Split() const {
        const std::wstring text = memo.GetText();
        std::vector<std::wstring> lines;
        if (text.empty()) return lines;
        std::wstring current;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == L'\r' || text[i] == L'\n') {
                lines.push_back(current);
                current.clear();
                if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            } else {
                current += text[i];
            }
        }
        lines.push_back(current);
        return lines;
    }
    void Join(const std::vector<std::wstring>& lines) {
        std::wstring text;
        for (size_t i = 0; i < lines.size(); ++i) text += (i ? L"\r\n" : L"") + lines[i];
        memo.SetText(text);
    }
    TMemo& memo;
};

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), lines(new TMemoLines(*this)) {
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() { delete lines; }

TStrings* TMemo::Lines() { return lines; }

void TMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_LEFT;
    if (wantReturns) params.Style |= ES_WANTRETURN;
    if (!wordWrap) params.Style |= ES_AUTOHSCROLL;
    params.Style |= ES_AUTOVSCROLL;
    if (scrollBars == ssVertical || scrollBars == ssBoth) params.Style |= WS_VSCROLL;
    if (scrollBars == ssHorizontal || scrollBars == ssBoth) params.Style |= WS_HSCROLL;
}

void TMemo::KeyPress(wchar_t& key) {
    TCustomEdit::KeyPress(key);
    if (key == L'\r' && !wantReturns) key = 0;
}

void RegisterEditClasses() {
    RegisterComponentClass(TEdit::StaticClass());
    RegisterComponentClass(TMemo::StaticClass());
}
