#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "forms/exact_decimal.h"

namespace {

std::string Text(const DecimalNumber& d) {
    return (d.negative ? "-0." : "0.") + d.digits + "e" + std::to_string(d.exponent);
}

long double Read(const std::string& text, BinaryFormat format) {
    DecimalNumber d;
    EXPECT_TRUE(ParseDecimal(text, d)) << text;
    return DecimalToBinary(d, format);
}

// Halves a decimal digit string (digits of 0.d × 10^0); used to build exact midpoints.
std::string HalveDigits(const std::string& digits) {
    std::string out;
    int carry = 0;
    for (char c : digits) {
        const int v = carry * 10 + (c - '0');
        out += char('0' + v / 2);
        carry = v % 2;
    }
    if (carry) out += '5';
    return out;
}

}  // namespace

TEST(ExactDecimal, RunsOnThePlatformsEightyBitExtended) {
    // The x87 precision control must give 64-bit significands at run time (MinGW and glibc).
    volatile long double one = 1.0L;
    volatile long double step = std::ldexp(1.0L, -63);
    EXPECT_NE(one + step, one);
    EXPECT_EQ(LDBL_MANT_DIG, 64);
}

TEST(ExactDecimal, GivesTheWholeExpansion) {
    EXPECT_EQ(Text(ExactDecimal(0.1, 0)),
              "0.1000000000000000055511151231257827021181583404541015625e0");
    EXPECT_EQ(Text(ExactDecimal(-0.1f, 0)), "-0.100000001490116119384765625e0");
    EXPECT_EQ(Text(ExactDecimal(1e22, 0)), "0.1e23");
    EXPECT_EQ(Text(ExactDecimal(0.0, 0)), "0.e0");
    EXPECT_EQ(Text(ExactDecimal(-0.0, 0)), "-0.e0");
    const DecimalNumber tiny = ExactDecimal(DBL_TRUE_MIN, 0);
    EXPECT_EQ(tiny.digits.size(), 751u);
    EXPECT_EQ(tiny.digits.substr(0, 20), "49406564584124654417");
    EXPECT_EQ(tiny.exponent, -323);
    EXPECT_EQ(Text(ExactDecimal(LDBL_MAX, 5)), "0.11897e4933");
    EXPECT_EQ(ExactDecimal(LDBL_TRUE_MIN, 3).exponent, -4950);
}

TEST(ExactDecimal, RoundsByEitherRule) {
    struct Case {
        const char* digits;
        int keep;
        DecimalRounding rule;
        const char* expected;
    };
    const auto even = DecimalRounding::HalfEven;
    const auto away = DecimalRounding::HalfAwayFromZero;
    const Case cases[] = {
        {"125", 2, even, "0.12e0"}, {"135", 2, even, "0.14e0"},    {"1251", 2, even, "0.13e0"},
        {"125", 2, away, "0.13e0"}, {"124999", 2, away, "0.12e0"}, {"9995", 3, even, "0.1e1"},
        {"5", 0, away, "0.1e1"},    {"5", 0, even, "0.e0"},        {"51", 0, even, "0.1e1"},
        {"4", 0, away, "0.e0"},     {"123", -1, away, "0.e0"},     {"123", 5, even, "0.123e0"},
    };
    for (const Case& c : cases) {
        DecimalNumber d{false, c.digits, 0};
        RoundDigits(d, c.keep, c.rule);
        EXPECT_EQ(Text(d), c.expected) << c.digits << " keep " << c.keep;
    }
}

TEST(ParseDecimal, SyntaxAndNormalisation) {
    struct Case {
        const char* text;
        const char* expected;  // "" when refused
    };
    const Case cases[] = {
        {"0", "0.e0"},
        {"-0.000", "-0.e0"},
        {".", "0.e0"},
        {"-.", "-0.e0"},
        {".e5", "0.e0"},
        {"00123.4500", "0.12345e3"},
        {"0.00012", "0.12e-3"},
        {"12e-2", "0.12e0"},
        {"1E+2", "0.1e3"},
        {"1e99999999999999999999", "0.1e100000000"},
        {"", ""},
        {"+", ""},
        {"e1", ""},
        {"1e", ""},
        {"1e+", ""},
        {"1..2", ""},
        {" 1", ""},
        {"1 ", ""},
        {"1x", ""},
        {"++1", ""},
        {"1e1.5", ""},
    };
    for (const Case& c : cases) {
        DecimalNumber d;
        const bool ok = ParseDecimal(c.text, d);
        EXPECT_EQ(ok ? Text(d) : "", c.expected) << c.text;
    }
    // Digits beyond the kept ones still count: a non-zero tail leaves a sticky digit.
    DecimalNumber d;
    ASSERT_TRUE(ParseDecimal("1" + std::string(30000, '0') + "1", d));
    EXPECT_EQ(d.digits.size(), 20001u);
    EXPECT_EQ(d.digits.back(), '1');
    EXPECT_EQ(d.exponent, 30002);
}

TEST(DecimalToBinary, MidpointsOfDoublesTieToEvenAndTailsDecide) {
    std::mt19937_64 random(12345);
    for (int i = 0; i < 2000; ++i) {
        // Random doubles over the whole range, subnormals included.
        double x;
        do {
            const uint64_t bits = random() & 0x7FEFFFFFFFFFFFFFull;
            std::memcpy(&x, &bits, sizeof x);
        } while (!std::isfinite(x) || x == 0);
        const double next = std::nextafter(x, HUGE_VAL);
        // The midpoint has 54 significant bits at most: exact in extended.
        const long double mid = (static_cast<long double>(x) + next) / 2;
        const DecimalNumber exact = ExactDecimal(mid, 0);
        const std::string text = "0." + exact.digits + "e" + std::to_string(exact.exponent);
        const double even = (std::bit_cast<uint64_t>(x) & 1) == 0 ? x : next;
        EXPECT_EQ(double(Read(text, BinaryFormat::Double)), even) << text;

        std::string below = exact.digits;
        below.back() = char(below.back() - 1);  // a midpoint's last digit is 5
        below += "9999";
        EXPECT_EQ(
            double(Read("0." + below + "e" + std::to_string(exact.exponent), BinaryFormat::Double)),
            x);
        EXPECT_EQ(double(Read("0." + exact.digits + "00001e" + std::to_string(exact.exponent),
                              BinaryFormat::Double)),
                  next);
        // Every double reads back from its 17 significant digits.
        const DecimalNumber shortest = ExactDecimal(x, 17);
        EXPECT_EQ(double(Read("0." + shortest.digits + "e" + std::to_string(shortest.exponent),
                              BinaryFormat::Double)),
                  x);
    }
}

TEST(DecimalToBinary, ExtendedTiesRangeEndsAndRoundTrips) {
    // Halfway between the two smallest extended subnormals' neighbours of zero: ties to zero.
    const DecimalNumber smallest = ExactDecimal(LDBL_TRUE_MIN, 0);
    const std::string half = HalveDigits(smallest.digits);
    const std::string exponent = "e" + std::to_string(smallest.exponent);
    EXPECT_EQ(Read("0." + half + exponent, BinaryFormat::Extended), 0.0L);
    EXPECT_EQ(Read("0." + half + "1" + exponent, BinaryFormat::Extended), LDBL_TRUE_MIN);
    EXPECT_EQ(Read("-1e-4952", BinaryFormat::Extended), -0.0L);
    EXPECT_TRUE(std::signbit(Read("-1e-4952", BinaryFormat::Extended)));
    EXPECT_EQ(Read("1.18973149535723176502e4932", BinaryFormat::Extended), LDBL_MAX);
    EXPECT_EQ(Read("1.2e4932", BinaryFormat::Extended), HUGE_VALL);
    EXPECT_EQ(Read("1.7976931348623157e308", BinaryFormat::Double), DBL_MAX);
    EXPECT_EQ(Read("1.7976931348623159e308", BinaryFormat::Double), HUGE_VALL);
    EXPECT_EQ(Read("2.4703282292062328e-324", BinaryFormat::Double), DBL_TRUE_MIN);
    EXPECT_EQ(Read("2.4703282292062327e-324", BinaryFormat::Double), 0.0L);

    std::mt19937_64 random(777);
    for (int i = 0; i < 500; ++i) {
        // Random finite extended values; 21 significant digits identify each one.
        const long double x = std::ldexp(static_cast<long double>(random() | (uint64_t(1) << 63)),
                                         int(random() % 32000) - 16000 - 63);
        const DecimalNumber d = ExactDecimal(x, 21);
        EXPECT_EQ(Read("0." + d.digits + "e" + std::to_string(d.exponent), BinaryFormat::Extended),
                  x);
    }
}

#ifdef __GLIBC__
// glibc's strtod and strtold round correctly; compare on random decimal texts.
TEST(DecimalToBinary, AgreesWithGlibcOnRandomTexts) {
    std::mt19937_64 random(4242);
    for (int i = 0; i < 3000; ++i) {
        std::string text = random() % 2 ? "-" : "";
        const int digits = 1 + int(random() % (i % 10 == 0 ? 400 : 25));
        for (int k = 0; k < digits; ++k) text += char('0' + random() % 10);
        if (random() % 2) text.insert(text.size() - random() % digits, ".");
        text += "e" + std::to_string(int(random() % 10000) - 5000);
        const long double extended = Read(text, BinaryFormat::Extended);
        const long double expected = std::strtold(text.c_str(), nullptr);
        EXPECT_TRUE(extended == expected && std::signbit(extended) == std::signbit(expected))
            << text;
        if (std::abs(std::atoi(text.c_str() + text.find('e') + 1)) < 400) {
            EXPECT_EQ(double(Read(text, BinaryFormat::Double)), std::strtod(text.c_str(), nullptr))
                << text;
        }
    }
}
#endif
