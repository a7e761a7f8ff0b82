#pragma once
// Bytes as upper-case hexadecimal text, two digits a byte: the form in which form descriptions
// carry binary property data, and a readable way to compare bytes in a test's message.

#include <cstdint>
#include <string>
#include <vector>

inline std::string Hex(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}
