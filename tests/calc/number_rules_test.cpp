#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "calc/number_rules.h"
#include "forms/exact_decimal.h"
#include "forms/exception.h"
#include "forms/text.h"

namespace {

std::wstring ConversionMessage(const std::wstring& text) {
    try {
        ConvertInput(text);
    } catch (const Exception& e) {
        return e.Message();
    }
    return L"(no error)";
}

// Exact decimal text of a value that an extended number holds exactly.
std::wstring ExactText(long double value) {
    const DecimalNumber d = ExactDecimal(value, 0);
    return Utf8ToWide("0." + d.digits + "e" + std::to_string(d.exponent));
}

}  // namespace

TEST(KeyFilter, DigitsPointAndBackspacePassEverythingElseIsDropped) {
    for (wchar_t c = L'0'; c <= L'9'; ++c) EXPECT_TRUE(NumericKeyPasses(c)) << int(c);
    EXPECT_TRUE(NumericKeyPasses(L'.'));
    EXPECT_TRUE(NumericKeyPasses(L'\b'));
    for (wchar_t c :
         {L'a',    L'-',    L'+',    L',',    L' ',    L'e',  L'E',    L'\r', L'\n', L'\t',
          L'\x1B', L'\x03', L'\x16', L'\x18', L'\x1A', L'\0', L'\x7F', L'。', L'０', L'５'}) {
        EXPECT_FALSE(NumericKeyPasses(c)) << int(c);
    }
}

TEST(InputConversion, AcceptsTheDecimalSyntax) {
    struct Case {
        const wchar_t* text;
        float expected;
    };
    const Case cases[] = {
        {L"1.5", 1.5f},
        {L"  1.5  ", 1.5f},
        {L".", 0.0f},
        {L" . ", 0.0f},
        {L"-.", -0.0f},
        {L".e7", 0.0f},
        {L"+5", 5.0f},
        {L"-5", -5.0f},
        {L"5.", 5.0f},
        {L".5", 0.5f},
        {L"1e3", 1000.0f},
        {L"1E+3", 1000.0f},
        {L"25e-1", 2.5f},
        {L"007.50", 7.5f},
        {L"7.85", 7.85f},
        {L"0.0031416", 0.0031416f},
        {L"1e-46", 0.0f},
        {L"1e-5000", 0.0f},
        {L"-1e-5000", -0.0f},
        {L"1e-45", FLT_TRUE_MIN},
        {L"3.4028235e38", FLT_MAX},
        {L"3.40282356e38", FLT_MAX},  // below the midpoint to 2^128: rounds down, no overflow
        {L"0.000000000000000000000000000000000000000000000000000000000000000000001e69", 1.0f},
    };
    for (const Case& c : cases) {
        const float value = ConvertInput(c.text);
        EXPECT_EQ(value, c.expected) << WideToUtf8(c.text);
        EXPECT_EQ(std::signbit(value), std::signbit(c.expected)) << WideToUtf8(c.text);
    }
}

TEST(InputConversion, RejectsEverythingElseWithTheTextInTheMessage) {
    for (const wchar_t* text : {L"",
                                L" ",
                                L"   ",
                                L"1.2.3",
                                L"1,5",
                                L"1 5",
                                L"\t1",
                                L"1\t",
                                L"\x3000"
                                L"1",
                                L"１",
                                L"--1",
                                L"+-1",
                                L"-",
                                L"+",
                                L"e5",
                                L"-e5",
                                L"1e",
                                L"1e+",
                                L"1e5.0",
                                L"0x10",
                                L"$10",
                                L"inf",
                                L"nan",
                                L"1d5",
                                L"5-",
                                L"1.5kg",
                                L"\x5341"}) {
        EXPECT_EQ(ConversionMessage(text), L"'" + std::wstring(text) + L"' 不是一个有效的浮点值")
            << WideToUtf8(text);
    }
    EXPECT_THROW(ConvertInput(L"1.2.3"), EConvertError);
}

TEST(InputConversion, ValuesBeyondSinglePrecisionOverflow) {
    for (const wchar_t* text : {L"1e39", L"-1e39", L"3.4028236e38", L"1e5000", L"-1e99999999999"}) {
        EXPECT_EQ(ConversionMessage(text), L"浮点指针溢出") << WideToUtf8(text);
    }
    EXPECT_THROW(ConvertInput(L"1e39"), EOverflow);
    EXPECT_THROW(NarrowToSingle(1e39L), EOverflow);
    EXPECT_EQ(NarrowToSingle(-1e-60L), -0.0f);
}

TEST(InputConversion, ReadsInExtendedThenRoundsOnceMoreToSingle) {
    // 1 + 2^-24 is halfway between the floats 1 and 1 + 2^-23: ties go to the even one.
    const long double half = 1.0L + std::ldexp(1.0L, -24);
    EXPECT_EQ(ExactText(half), L"0.1000000059604644775390625e1");
    EXPECT_EQ(ConvertInput(ExactText(half)), 1.0f);
    const long double threeHalves = 1.0L + 3 * std::ldexp(1.0L, -24);  // ties up to even
    EXPECT_EQ(ConvertInput(ExactText(threeHalves)), 1.0f + 2 * std::ldexp(1.0f, -23));
    // Just above the midpoint by less than half an extended step: the extended reading is the
    // midpoint itself and the tie rule applies again.
    EXPECT_EQ(ConvertInput(L"1.000000059604644775390625000001"), 1.0f);
    // Above it by more than that: the extended value lies above and rounds up.
    EXPECT_EQ(ConvertInput(L"1.0000000596046448"), 1.0f + std::ldexp(1.0f, -23));
    EXPECT_EQ(ConvertInput(L"1.0000000596046447"), 1.0f);
}

TEST(InputConversion, ExtendedReadingIsCorrectlyRounded) {
    long double value = 0;
    // 1 + 2^-64 is halfway between 1 and 1 + 2^-63: ties to even gives 1.
    const std::wstring tie = L"1.0000000000000000000542101086242752217003726400434970855712890625";
    ASSERT_TRUE(TryReadExtended(tie, value));
    EXPECT_EQ(value, 1.0L);
    ASSERT_TRUE(TryReadExtended(tie + L"0000000000000000000000000000000000001", value));
    EXPECT_EQ(value, 1.0L + std::ldexp(1.0L, -63));
    // The deciding digit may lie far beyond any digit that is kept in full.
    ASSERT_TRUE(TryReadExtended(tie + std::wstring(25000, L'0') + L"1", value));
    EXPECT_EQ(value, 1.0L + std::ldexp(1.0L, -63));
    ASSERT_TRUE(TryReadExtended(tie + std::wstring(25000, L'0'), value));
    EXPECT_EQ(value, 1.0L);
    // A long run of digits read one by one into an extended accumulator drifts; exact does not.
    const std::wstring third = L"0." + std::wstring(300, L'3');
    ASSERT_TRUE(TryReadExtended(third, value));
    EXPECT_EQ(value, 1.0L / 3.0L);
    ASSERT_TRUE(TryReadExtended(L"0.1", value));
    EXPECT_EQ(value, 0.1L);
    ASSERT_TRUE(TryReadExtended(L"7.85", value));
    EXPECT_EQ(value, 7.85L);
}

TEST(ResultDisplay, FifteenWideThreeDecimalsFromTheSingleValue) {
    struct Case {
        long double weight;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {1.0625L, L"          1.063"},  // printf's ties-to-even gives 1.062
        {-1.0625L, L"         -1.063"},
        {61.55525207519531L, L"         61.555"},
        {25105.46875L, L"      25105.469"},
        {0.0L, L"          0.000"},
        {-0.0L, L"          0.000"},
        {-0.0004L, L"          0.000"},   // rounds to zero: no sign
        {0.0005L, L"          0.001"},    // the float is 0.000500000023…
        {1.0005L, L"          1.000"},    // the float is 1.000499963…
        {999.9995L, L"       1000.000"},  // the float is 999.99951171875: carries through
        {-2.5L, L"         -2.500"},
        {1e10L, L"10000000000.000"},             // exactly fifteen
        {123456789012.0L, L"123456790528.000"},  // longer texts are not cut
        // 2^60 = 1152921504606846976 shows its 18-digit form.
        {std::ldexp(1.0L, 60), L"1152921504606846980.000"},
        {FLT_MAX, L"340282346638528860000000000000000000000.000"},
        {FLT_TRUE_MIN, L"          0.000"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatWeight(c.weight), c.shown) << double(c.weight);
}

TEST(ResultDisplay, ResultsBeyondSinglePrecisionOverflow) {
    EXPECT_THROW(FormatWeight(3.5e38L), EOverflow);
    EXPECT_THROW(FormatWeight(-1e300L), EOverflow);
    EXPECT_EQ(FormatWeight(3.40282356e38L), L"340282346638528860000000000000000000000.000");
}
