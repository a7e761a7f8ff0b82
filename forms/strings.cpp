#include "forms/strings.h"

#include "forms/exception.h"
#include "forms/text.h"

PONDERIX_DEFINE_CLASS(TStrings, [](TClassBuilder<TStrings>&) {})
PONDERIX_DEFINE_CLASS(TStringList, [](TClassBuilder<TStringList>&) {})

int TStrings::Add(const std::wstring& text) {
    const int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::IndexOf(const std::wstring& text) const {
    for (int i = 0; i < Count(); ++i)
        if (Get(i) == text) return i;
    return -1;
}

std::vector<std::wstring> TStrings::ToVector() const {
    std::vector<std::wstring> out;
    for (int i = 0; i < Count(); ++i) out.push_back(Get(i));
    return out;
}

void TStrings::SetLines(const std::vector<std::wstring>& newLines) {
    Clear();
    for (const std::wstring& line : newLines) Add(line);
}

std::wstring TStrings::Text() const {
    std::wstring out;
    for (int i = 0; i < Count(); ++i) out += Get(i) + L"\r\n";
    return out;
}

void TStrings::SetText(const std::wstring& text) {
    std::vector<std::wstring> parts;
    std::wstring current;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            parts.push_back(current);
            current.clear();
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else {
            current += text[i];
        }
    }
    if (!current.empty()) parts.push_back(current);
    SetLines(parts);
}

std::wstring TStrings::Names(int index) const {
    const std::wstring line = Get(index);
    const size_t eq = line.find(L'=');
    return eq == std::wstring::npos ? std::wstring() : line.substr(0, eq);
}

std::wstring TStrings::Values(const std::wstring& lineName) const {
    const std::string wanted = WideToUtf8(lineName);
    for (int i = 0; i < Count(); ++i) {
        const std::wstring line = Get(i);
        const size_t eq = line.find(L'=');
        if (eq != std::wstring::npos && SameTextAscii(WideToUtf8(line.substr(0, eq)), wanted))
            return line.substr(eq + 1);
    }
    return {};
}

void TStrings::Assign(const TPersistent& source) {
    if (auto* other = dynamic_cast<const TStrings*>(&source)) {
        if (other != this) SetLines(other->ToVector());
        return;
    }
    TPersistent::Assign(source);
}

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit)
        throw EInvalidOperation(L"列表索引越界 (" + std::to_wstring(index) + L")");
}

std::wstring TStringList::Get(int index) const {
    CheckIndex(index, Count() - 1);
    return lines[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::wstring& text) {
    CheckIndex(index, Count() - 1);
    lines[static_cast<size_t>(index)] = text;
    Changed();
}

void TStringList::Insert(int index, const std::wstring& text) {
    CheckIndex(index, Count());
    lines.insert(lines.begin() + index, text);
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count() - 1);
    lines.erase(lines.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (lines.empty()) return;
    lines.clear();
    Changed();
}

void TStringList::Changed() {
    if (OnChange) OnChange(this);
}
