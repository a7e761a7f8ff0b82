#include "data/field_text.h"

#include <cmath>

#include "forms/exact_decimal.h"

namespace {

constexpr int kSignificantDigits = 15;
// Plain notation for 0.d × 10^n with n in this range, scientific outside it.
constexpr int kPlainMaxExponent = kSignificantDigits;
constexpr int kPlainMinExponent = -3;

}  // namespace

std::wstring FieldNumberText(double value) {
    if (std::isnan(value)) return L"NAN";
    if (std::isinf(value)) return value < 0 ? L"-INF" : L"INF";

    const DecimalNumber d = ExactDecimal(value, kSignificantDigits);
    if (d.digits.empty()) return L"0";  // a stored -0 is shown as 0

    // Built by appending: GCC 12 warns falsely (-Wrestrict) on "literal" + std::string.
    std::string text = d.negative ? "-" : "";
    const int n = d.exponent;
    const int count = int(d.digits.size());
    if (n > kPlainMaxExponent || n < kPlainMinExponent) {
        text += d.digits[0];
        if (count > 1) text.append(".").append(d.digits, 1);
        text.append("E").append(std::to_string(n - 1));
    } else if (n <= 0) {
        text.append("0.").append(size_t(-n), '0').append(d.digits);
    } else if (n >= count) {
        text.append(d.digits).append(size_t(n - count), '0');
    } else {
        text.append(d.digits, 0, n).append(".").append(d.digits, n);
    }
    return std::wstring(text.begin(), text.end());
}
