#include "calc/number_rules.h"

#include <cmath>
#include <string>

#include "forms/exact_decimal.h"
#include "forms/exception.h"

namespace {

constexpr size_t kResultWidth = 15;  // "%15.3f"
constexpr int kResultDecimals = 3;
// The decimal form a weight is rounded from, as the display has always shown it: 18 digits of
// the single-precision value, then the three decimals.
constexpr int kResultSignificantDigits = 18;

}  // namespace

bool NumericKeyPasses(wchar_t key) {
    return (key >= L'0' && key <= L'9') || key == L'.' || key == L'\b';
}

bool TryReadExtended(std::wstring_view text, long double& value) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return false;
    const size_t last = text.find_last_not_of(L' ');
    std::string ascii;
    for (const wchar_t c : text.substr(first, last - first + 1)) {
        if (c <= 0 || c > 0x7F) return false;  // full-width digits and the like are not numbers
        ascii.push_back(static_cast<char>(c));
    }
    DecimalNumber number;
    if (!ParseDecimal(ascii, number)) return false;
    value = DecimalToBinary(number, BinaryFormat::Extended);
    return true;
}

float NarrowToSingle(long double value) {
    // The conversion rounds to nearest; a magnitude that rounds past the largest single value
    // becomes infinity, which is the overflow.
    const float single = static_cast<float>(value);
    if (std::isinf(single)) throw EOverflow(L"浮点指针溢出");
    return single;
}

float ConvertInput(std::wstring_view text) {
    long double value = 0;
    if (!TryReadExtended(text, value)) {
        throw EConvertError(L"'" + std::wstring(text) + L"' 不是一个有效的浮点值");
    }
    return NarrowToSingle(value);
}

std::wstring FormatWeight(long double weight) {
    const float single = NarrowToSingle(weight);
    std::string text;
    if (std::isnan(single)) {
        text = "NAN";  // no formula yields one from finite inputs; shown rather than asserted
    } else {
        DecimalNumber d = ExactDecimal(single, kResultSignificantDigits);
        RoundDigits(d, d.exponent + kResultDecimals, DecimalRounding::HalfAwayFromZero);
        auto digitAt = [&d](int position) {
            return position >= 0 && size_t(position) < d.digits.size() ? d.digits[position] : '0';
        };
        // A weight that rounds to zero shows no sign: "-0.000" would read as a negative weight.
        if (d.negative && !d.digits.empty()) text += '-';
        if (d.exponent <= 0) text += '0';
        for (int i = 0; i < d.exponent; ++i) text += digitAt(i);
        text += '.';
        for (int i = 0; i < kResultDecimals; ++i) text += digitAt(d.exponent + i);
    }
    std::wstring shown(text.size() < kResultWidth ? kResultWidth - text.size() : 0, L' ');
    shown.append(text.begin(), text.end());
    return shown;
}
