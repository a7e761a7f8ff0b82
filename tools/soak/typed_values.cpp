#include "tools/soak/typed_values.h"

#include <cstdlib>
#include <utility>
#include <vector>

#include "forms/text.h"

namespace soak {

namespace {

std::wstring Strokes(std::mt19937& random, const std::wstring& keys, int longest) {
    std::uniform_int_distribution<size_t> key(0, keys.size() - 1);
    std::uniform_int_distribution<int> length(1, longest);
    std::wstring typed;
    for (int i = length(random); i > 0; --i) typed += keys[key(random)];
    return typed;
}

template <class T>
const T& OneOf(std::mt19937& random, const std::vector<T>& items) {
    return items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(random)];
}

}  // namespace

std::wstring KeyStrokes(std::mt19937& random) {
    // Digits weigh most, so that boxes mostly hold numbers a calculation can read.
    return Strokes(random, L"0123456789012345678901234.5..a-, e汉\b\b", 8);
}

std::wstring ComboStrokes(std::mt19937& random) {
    return Strokes(random, L"01234567893-. 不铝碳紫塑黄x\b", 5);
}

std::wstring MemoStrokes(std::mt19937& random) {
    return Strokes(random, L"abcXYZ 0123456789.,;重量钢板\r", 10);
}

std::wstring FilteredText(std::wstring text, const std::wstring& typed, bool allSelected) {
    for (wchar_t c : typed) {
        const bool passes = (c >= L'0' && c <= L'9') || c == L'.' || c == L'\b';
        if (!passes) continue;
        if (std::exchange(allSelected, false)) {
            text.clear();
            if (c == L'\b') continue;
        } else if (c == L'\b') {
            if (!text.empty()) text.pop_back();
            continue;
        }
        text += c;
    }
    return text;
}

std::wstring MemoText(std::wstring text, const std::wstring& typed) {
    for (wchar_t c : typed) text += c == L'\r' ? std::wstring(L"\r\n") : std::wstring(1, c);
    return text;
}

TCellValue NumberValue(std::mt19937& random) {
    static const std::vector<std::wstring> good = {L"0",    L"7",     L"12.5", L"-3",    L"1e3",
                                                   L" 42 ", L"0.001", L"250",  L"+8.25", L""};
    static const std::vector<std::wstring> bad = {L"1.2.3", L"abc", L"1,5", L"12a", L"--2", L"钢"};
    TCellValue value;
    if (std::bernoulli_distribution(0.25)(random)) {
        value.text = OneOf(random, bad);
        value.valid = false;
        return value;
    }
    value.text = OneOf(random, good);
    if (std::uniform_int_distribution<int>(0, 2)(random) == 0 && !value.text.empty())
        value.text = std::to_wstring(std::uniform_int_distribution<int>(1, 99999)(random)) + L"." +
                     std::to_wstring(std::uniform_int_distribution<int>(0, 999)(random));
    if (!value.text.empty()) {
        value.cell.null = false;
        value.cell.numeric = true;
        value.cell.number = std::wcstod(value.text.c_str(), nullptr);
    }
    return value;
}

TCellValue TextValue(std::mt19937& random) {
    static const std::vector<std::wstring> stems = {L"S", L"测试", L"H", L"x y", L"角", L"#"};
    TCellValue value;
    value.text =
        OneOf(random, stems) + std::to_wstring(std::uniform_int_distribution<int>(1, 9999)(random));
    value.cell.null = false;
    value.cell.text = WideToUtf8(value.text);
    return value;
}

}  // namespace soak
