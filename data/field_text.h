#pragma once
// The text form of a section table value, as the calculators read a cell and as the grids show
// it: a number rounded to 15 significant digits, trailing zeros dropped, "." as the point.
//
// Plain notation is used while the decimal exponent stays within -4 .. 15 digits, otherwise the
// short scientific form of the same digits: 1e21 -> "1E21", 1e-7 -> "1E-7", -1.5e300 ->
// "-1.5E300" (no "+", no leading zeros in the exponent). Precisely, with the value written as
// 0.d1d2… × 10^n (d1 ≠ 0): plain when -3 <= n <= 15, so 0.0001 -> "0.0001" and
// 0.00001 -> "1E-5", 1e14 -> "100000000000000" and 1e15 -> "1E15". Zero (either sign) is "0";
// infinities are "INF" / "-INF" and a NaN "NAN". The result never depends on the locale.

#include <string>

std::wstring FieldNumberText(double value);
