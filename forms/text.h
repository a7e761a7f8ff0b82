#pragma once
// Conversions between the UTF-8 of source files and form descriptions and the UTF-16 of UI text.
// Both directions are total: invalid input becomes U+FFFD rather than an error.

#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// ASCII-only case folding: only A-Z and a-z are folded, every other unit stays as it is.
char AsciiLower(char c);
std::string AsciiLowerCase(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);
