#pragma once
// The three rules every calculator page shares: which typed characters a numeric box takes (the
// key filter), how a box's text becomes a number (input conversion), and how a weight is shown
// (result display). Inputs are held in single precision, formulas run in extended precision.

#include <string>
#include <string_view>

// Key filter of the numeric edit boxes: the digits, "." and backspace pass; every other
// character, control characters included, is dropped. One character at a time, so "1.2.3" can
// be typed.
bool NumericKeyPasses(wchar_t key);

// Reads text as a decimal number in extended precision: blanks (the space character only)
// around [sign] digits [. digits] [(e|E) [sign] digits]; a lone "." is 0. Correctly rounded.
// False when the text is not such a number.
bool TryReadExtended(std::wstring_view text, long double& value);

// Narrows to single precision, rounding to nearest; raises EOverflow ("浮点指针溢出") when the
// magnitude exceeds single precision.
float NarrowToSingle(long double value);

// Input conversion: TryReadExtended, then NarrowToSingle. Raises EConvertError
// "'<text>' 不是一个有效的浮点值" for text that is not a number, EOverflow for a value beyond
// single precision.
float ConvertInput(std::wstring_view text);

// Result display: narrows the weight to single precision (EOverflow beyond it) and formats it
// like "%15.3f" from its 18-significant-digit decimal form, a 5 in the fourth decimal rounding
// away from zero: 1.0625 shows as "          1.063".
std::wstring FormatWeight(long double weight);
