#pragma once
// What the soak driver types, and what it expects each box to show afterwards.

#include <random>
#include <string>

#include "tools/soak/section_model.h"

namespace soak {

// Keys for a numeric edit box, bad ones included: digits and points, letters, signs, commas,
// blanks, a Chinese character and Backspace ('\b').
std::wstring KeyStrokes(std::mt19937& random);
// Keys for a combo box: digits, a point, a sign, the first characters of material names.
std::wstring ComboStrokes(std::mt19937& random);
// Printable text and line breaks ('\r') for the help window's memo.
std::wstring MemoStrokes(std::mt19937& random);

// A filtered box's text after typed: only digits, "." and Backspace get through; with the
// whole text selected the first character that gets through replaces it.
std::wstring FilteredText(std::wstring text, const std::wstring& typed, bool allSelected);
// A memo's text after typed at its end: Enter breaks the line with CR LF.
std::wstring MemoText(std::wstring text, const std::wstring& typed);

// A value typed into a grid cell: its text, whether the column must take it, and the cell it
// then holds.
struct TCellValue {
    std::wstring text;
    bool valid = true;
    TCell cell;
};
// For a REAL column: decimal numbers (blanks around, signs, exponents, empty for NULL) and
// text that is no number.
TCellValue NumberValue(std::mt19937& random);
// For a TEXT column: any non-empty text, Chinese included.
TCellValue TextValue(std::mt19937& random);

}  // namespace soak
