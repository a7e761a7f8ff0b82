#pragma once
// Exact conversions between decimal digit strings and binary floating point, shared by the
// calculator's number rules and the text form of section values. The C library is not used: its
// rounding differs between platforms and depends on the locale, and both directions here must be
// correctly rounded on every build.

#include <string>
#include <string_view>

// A decimal number 0.d1 d2 ... dn × 10^exponent. `digits` holds '0'..'9' without leading zeros;
// it is empty for zero (exponent is then 0).
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

enum class DecimalRounding {
    HalfEven,          // a tie goes to the even digit
    HalfAwayFromZero,  // a 5 in the first dropped digit rounds the magnitude up
};

// Keeps the first `keep` digits, rounding by `rule` on the digits dropped; keep 0 rounds at the
// first digit (0.5 -> 1), a negative keep gives zero. Trailing zeros are dropped. The sign stays.
void RoundDigits(DecimalNumber& number, int keep, DecimalRounding rule);

// The value's exact decimal expansion, rounded to `significantDigits` digits (ties to even) when
// that is positive and the expansion is longer; trailing zeros are dropped. The value must be
// finite.
DecimalNumber ExactDecimal(long double value, int significantDigits);

// Reads [sign] digits [. digits] [(e|E) [sign] digits] with nothing around it. At least one
// digit or the point must stand before the exponent (a lone "." is zero), the exponent needs a
// digit. Leading zeros and any number of digits are accepted; huge exponents saturate.
bool ParseDecimal(std::string_view text, DecimalNumber& number);

enum class BinaryFormat {
    Double,    // IEEE 754 binary64: 53-bit significand
    Extended,  // x87 extended: 64-bit significand
};

// Correctly rounded (to nearest, ties to even) conversion into `format`, returned in a long double
// that holds exactly a value of that format: infinity beyond its range, zero (with the sign) below
// half its smallest subnormal.
long double DecimalToBinary(const DecimalNumber& number, BinaryFormat format);
