#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "data/field_text.h"

TEST(FieldNumberText, FifteenSignificantDigitsNoTrailingZeros) {
    struct Case {
        double value;
        const wchar_t* text;
    };
    const Case cases[] = {
        {10, L"10"},
        {5.438, L"5.438"},
        {33.4, L"33.4"},
        {1.0 / 3, L"0.333333333333333"},
        {2.0 / 3, L"0.666666666666667"},
        {-0.1, L"-0.1"},
        {0.1 + 0.2, L"0.3"},  // 0.30000000000000004 at 17 digits
        {0, L"0"},
        {-0.0, L"0"},
        {123456789012345, L"123456789012345"},
        {1234567890123456, L"1.23456789012346E15"},
        {1e14, L"100000000000000"},
        {1e15, L"1E15"},
        {1e21, L"1E21"},
        {-1.5e300, L"-1.5E300"},
        {0.0001, L"0.0001"},
        {0.00012345, L"0.00012345"},
        {0.00001, L"1E-5"},
        {1e-7, L"1E-7"},
        {1.25e-10, L"1.25E-10"},
        {999999999999999.9, L"1E15"},  // rounding carries into a sixteenth integer digit
        {0.99999999999999999, L"1"},
        {DBL_TRUE_MIN, L"4.94065645841247E-324"},
        {DBL_MAX, L"1.79769313486232E308"},
        {HUGE_VAL, L"INF"},
        {-HUGE_VAL, L"-INF"},
        {NAN, L"NAN"},
    };
    for (const Case& c : cases) EXPECT_EQ(FieldNumberText(c.value), c.text) << c.value;
}
