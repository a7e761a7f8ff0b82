#include "forms/exact_decimal.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Digits kept by ParseDecimal; the rest only says whether something non-zero followed. A number
// halfway between two extended values needs at most about 11,500 significant digits (the
// smallest subnormals), so a sticky digit after 20,000 cannot change any rounding.
constexpr size_t kMaxDigits = 20000;
// Exponents beyond this are far outside every format; saturating keeps the arithmetic in int.
constexpr int64_t kExponentLimit = 100000000;

// Unsigned big integer, little-endian 32-bit limbs, no leading zero limbs. Only the few
// operations the conversions need.
class BigNat {
public:
    BigNat() = default;
    explicit BigNat(uint64_t value) {
        for (; value != 0; value >>= 32) limbs.push_back(static_cast<uint32_t>(value));
    }

    bool IsZero() const { return limbs.empty(); }
    size_t BitLength() const {
        return limbs.empty() ? 0 : limbs.size() * 32 - std::countl_zero(limbs.back());
    }

    // this = this * factor + addend
    void MulAdd(uint32_t factor, uint32_t addend) {
        uint64_t carry = addend;
        for (uint32_t& limb : limbs) {
            const uint64_t t = uint64_t(limb) * factor + carry;
            limb = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) limbs.push_back(static_cast<uint32_t>(carry));
    }

    // this = this / divisor; answers the remainder.
    uint32_t DivSmall(uint32_t divisor) {
        uint64_t rest = 0;
        for (size_t i = limbs.size(); i-- > 0;) {
            const uint64_t cur = (rest << 32) | limbs[i];
            limbs[i] = static_cast<uint32_t>(cur / divisor);
            rest = cur % divisor;
        }
        Trim();
        return static_cast<uint32_t>(rest);
    }

    void ShiftLeft(size_t bits) {
        if (limbs.empty() || bits == 0) return;
        const unsigned part = bits % 32;
        if (part != 0) {
            uint32_t carry = 0;
            for (uint32_t& limb : limbs) {
                const uint32_t next = (limb << part) | carry;
                carry = limb >> (32 - part);
                limb = next;
            }
            if (carry != 0) limbs.push_back(carry);
        }
        limbs.insert(limbs.begin(), bits / 32, 0);
    }

    BigNat Shifted(size_t bits) const {
        BigNat copy = *this;
        copy.ShiftLeft(bits);
        return copy;
    }

    friend int Compare(const BigNat& a, const BigNat& b) {
        if (a.limbs.size() != b.limbs.size()) return a.limbs.size() < b.limbs.size() ? -1 : 1;
        for (size_t i = a.limbs.size(); i-- > 0;) {
            if (a.limbs[i] != b.limbs[i]) return a.limbs[i] < b.limbs[i] ? -1 : 1;
        }
        return 0;
    }

    // this -= other; other must not be larger.
    void Subtract(const BigNat& other) {
        assert(Compare(*this, other) >= 0);
        int64_t borrow = 0;
        for (size_t i = 0; i < limbs.size(); ++i) {
            int64_t t = int64_t(limbs[i]) - borrow - (i < other.limbs.size() ? other.limbs[i] : 0);
            borrow = t < 0 ? 1 : 0;
            limbs[i] = static_cast<uint32_t>(t + (borrow << 32));
        }
        Trim();
    }

    // Decimal digits, most significant first; "" for zero.
    std::string ToDecimal() const {
        BigNat rest = *this;
        std::vector<uint32_t> chunks;  // base 10^9, least significant first
        while (!rest.IsZero()) chunks.push_back(rest.DivSmall(1000000000));
        std::string text;
        for (size_t i = chunks.size(); i-- > 0;) {
            std::string chunk = std::to_string(chunks[i]);
            if (i + 1 != chunks.size()) text.append(9 - chunk.size(), '0');
            text += chunk;
        }
        return text;
    }

private:
    void Trim() {
        while (!limbs.empty() && limbs.back() == 0) limbs.pop_back();
    }

    std::vector<uint32_t> limbs;
};

void MultiplyByPower(BigNat& n, uint32_t base, uint32_t bigStep, int stepExponent, int64_t power) {
    for (; power >= stepExponent; power -= stepExponent) n.MulAdd(bigStep, 0);
    for (; power > 0; --power) n.MulAdd(base, 0);
}

BigNat DigitsToBigNat(std::string_view digits) {
    BigNat n;
    size_t i = 0;
    // The first chunk takes the odd digits so that every later one is exactly nine digits.
    size_t chunk = digits.size() % 9 == 0 ? 9 : digits.size() % 9;
    while (i < digits.size()) {
        uint32_t value = 0;
        uint32_t scale = 1;
        for (size_t k = 0; k < chunk; ++k) {
            value = value * 10 + uint32_t(digits[i + k] - '0');
            scale *= 10;
        }
        n.MulAdd(scale, value);
        i += chunk;
        chunk = 9;
    }
    return n;
}

void StripTrailingZeros(DecimalNumber& number) {
    while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
    if (number.digits.empty()) number.exponent = 0;
}

}  // namespace

void RoundDigits(DecimalNumber& number, int keep, DecimalRounding rule) {
    std::string& d = number.digits;
    if (keep < 0) {
        d.clear();
        number.exponent = 0;
        return;
    }
    if (size_t(keep) >= d.size()) return;
    const char next = d[keep];
    bool up;
    if (rule == DecimalRounding::HalfAwayFromZero) {
        up = next >= '5';
    } else {
        const bool restNonZero = d.find_first_not_of('0', keep + 1) != std::string::npos;
        const bool lastOdd = keep > 0 && (d[keep - 1] - '0') % 2 == 1;
        up = next > '5' || (next == '5' && (restNonZero || lastOdd));
    }
    d.resize(keep);
    if (up) {
        size_t i = d.size();
        while (i > 0 && d[i - 1] == '9') d[--i] = '0';
        if (i == 0) {
            d.insert(d.begin(), '1');  // 99.9 -> 100: one more integer digit
            ++number.exponent;
        } else {
            ++d[i - 1];
        }
    }
    StripTrailingZeros(number);
}

DecimalNumber ExactDecimal(long double value, int significantDigits) {
    assert(std::isfinite(value));
    DecimalNumber number;
    number.negative = std::signbit(value);
    if (value == 0) return number;

    // value = mantissa × 2^shift exactly, mantissa odd.
    int exponent2 = 0;
    const long double fraction = std::frexp(std::fabs(value), &exponent2);  // [0.5, 1)
    uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
    const int zeros = std::countr_zero(mantissa);
    mantissa >>= zeros;
    const int shift = exponent2 - 64 + zeros;

    BigNat n(mantissa);
    if (shift >= 0) {
        n.ShiftLeft(size_t(shift));
        number.digits = n.ToDecimal();
        number.exponent = int(number.digits.size());
    } else {
        // m / 2^k = m × 5^k / 10^k
        MultiplyByPower(n, 5, 1220703125, 13, -shift);
        number.digits = n.ToDecimal();
        number.exponent = int(number.digits.size()) + shift;
    }
    StripTrailingZeros(number);
    if (significantDigits > 0) RoundDigits(number, significantDigits, DecimalRounding::HalfEven);
    return number;
}

bool ParseDecimal(std::string_view text, DecimalNumber& number) {
    number = DecimalNumber();
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number.negative = text[i++] == '-';

    bool mantissaSeen = false;  // a digit or the point
    bool pointSeen = false;
    bool sticky = false;   // non-zero digits beyond kMaxDigits
    int64_t exponent = 0;  // of 0.digits, counted as digits are read
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !pointSeen) {
            pointSeen = mantissaSeen = true;
        } else if (c >= '0' && c <= '9') {
            mantissaSeen = true;
            if (number.digits.empty() && c == '0') {
                if (pointSeen) --exponent;  // 0.00d: the first digit sits lower
            } else {
                if (!pointSeen) ++exponent;
                if (number.digits.size() < kMaxDigits) {
                    number.digits.push_back(c);
                } else {
                    sticky = sticky || c != '0';
                }
            }
        } else {
            break;
        }
    }
    if (!mantissaSeen) return false;

    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i++] == '-';
        }
        const size_t first = i;
        int64_t value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            value = std::min<int64_t>(value * 10 + (text[i] - '0'), kExponentLimit);
        }
        if (i == first) return false;
        exponent += negativeExponent ? -value : value;
    }
    if (i != text.size()) return false;

    // The sticky digit sits right after the kept ones: strictly between them and the next value.
    if (sticky) number.digits.push_back('1');
    StripTrailingZeros(number);
    if (number.digits.empty()) return true;
    number.exponent = int(std::clamp(exponent, -kExponentLimit, kExponentLimit));
    return true;
}

long double DecimalToBinary(const DecimalNumber& number, BinaryFormat format) {
    const long double sign = number.negative ? -1.0L : 1.0L;
    if (number.digits.empty()) return sign * 0.0L;

    const bool extended = format == BinaryFormat::Extended;
    const int precision = extended ? 64 : 53;
    const int minExponent = extended ? -16382 : -1022;  // of the smallest normal value
    const int maxExponent = extended ? 16383 : 1023;
    // The value lies in [10^(exponent-1), 10^exponent). Decide the far ends without big numbers:
    // 10^4933 and 10^309 exceed the largest values; 10^-4952 and 10^-325 are below half the
    // smallest subnormals (1.8e-4951 and 2.5e-324).
    if (number.exponent > (extended ? 4933 : 309)) return sign * HUGE_VALL;
    if (number.exponent < (extended ? -4951 : -324)) return sign * 0.0L;

    // value = num / den exactly.
    BigNat num = DigitsToBigNat(number.digits);
    BigNat den(1);
    const int64_t power10 = int64_t(number.exponent) - int64_t(number.digits.size());
    MultiplyByPower(power10 >= 0 ? num : den, 10, 1000000000, 9, power10 >= 0 ? power10 : -power10);

    // Binary exponent e with 2^e <= value < 2^(e+1).
    const int64_t lengthGap = int64_t(num.BitLength()) - int64_t(den.BitLength());
    const bool atLeast = lengthGap >= 0 ? Compare(num, den.Shifted(size_t(lengthGap))) >= 0
                                        : Compare(num.Shifted(size_t(-lengthGap)), den) >= 0;
    const int64_t e = atLeast ? lengthGap : lengthGap - 1;

    // Unit in the last place: fixed below the normal range, where the precision shrinks.
    int64_t ulpExponent = std::max<int64_t>(e - precision + 1, minExponent - precision + 1);
    if (ulpExponent >= 0) {
        den.ShiftLeft(size_t(ulpExponent));
    } else {
        num.ShiftLeft(size_t(-ulpExponent));
    }
    // q = floor(num / den) < 2^precision, one bit at a time; num keeps the remainder.
    uint64_t q = 0;
    for (int bit = precision - 1; bit >= 0; --bit) {
        BigNat part = den.Shifted(size_t(bit));
        if (Compare(num, part) >= 0) {
            num.Subtract(part);
            q |= uint64_t(1) << bit;
        }
    }
    num.ShiftLeft(1);
    const int half = Compare(num, den);
    if (half > 0 || (half == 0 && (q & 1) != 0)) {
        const uint64_t largest = precision == 64 ? ~uint64_t(0) : (uint64_t(1) << precision) - 1;
        if (q == largest) {
            q = uint64_t(1) << (precision - 1);
            ++ulpExponent;
        } else {
            ++q;
        }
    }
    if (q == 0) return sign * 0.0L;
    if (ulpExponent + int64_t(std::bit_width(q)) - 1 > maxExponent) return sign * HUGE_VALL;
    return sign * std::ldexp(static_cast<long double>(q), int(ulpExponent));
}
