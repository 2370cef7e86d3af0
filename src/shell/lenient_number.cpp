#include "shell/lenient_number.h"

#include <cctype>
#include <climits>
#include <cstddef>

namespace mousedeck::shell {
namespace {

std::size_t SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    return i;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int ParseLenientInt(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        return static_cast<int>(-value < INT_MIN ? INT_MIN : -value);
    }
    return static_cast<int>(value > INT_MAX ? INT_MAX : value);
}

uint32_t ParseLenientHex(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        i + 2 < text.size() && HexDigit(text[i + 2]) >= 0) {
        i += 2;
    }
    uint64_t value = 0;
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
        value = value * 16 + static_cast<uint64_t>(HexDigit(text[i]));
        if (value > UINT32_MAX) {
            value = UINT32_MAX;
        }
    }
    return static_cast<uint32_t>(value);
}

}  // namespace mousedeck::shell
