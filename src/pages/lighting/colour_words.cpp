#include "pages/lighting/colour_words.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "protocol/value_codecs.h"
#include "shell/lenient_number.h"

namespace mousedeck::pages::lighting {
namespace {

constexpr std::size_t kHexDigits = 6;
constexpr int kMaxComponent = 255;

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string HexColourText(int colour) {
    const protocol::Rgb rgb = protocol::ColourToRgb(colour);
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02X%02X%02X", rgb.red, rgb.green, rgb.blue);
    return std::string(text.data(), kHexDigits + 1);
}

performance::Normalised<int> ParseHexColour(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '#') {
        digits.remove_prefix(1);
    }
    std::array<int, 3> bytes{};  // red, green, blue
    bool valid = digits.size() == kHexDigits;
    for (std::size_t k = 0; valid && k < kHexDigits; k += 2) {
        const int high = HexValue(digits[k]);
        const int low = HexValue(digits[k + 1]);
        valid = high >= 0 && low >= 0;
        bytes[k / 2] = high * 16 + low;
    }
    if (!valid) {
        return performance::Normalised<int>::Refuse("colour '" + std::string(text) +
                                                    "' is not written #RRGGBB (six hexadecimal digits)");
    }
    const protocol::Rgb rgb{static_cast<uint8_t>(bytes[0]), static_cast<uint8_t>(bytes[1]),
                            static_cast<uint8_t>(bytes[2])};
    return performance::Normalised<int>::Accept(protocol::ColourFromRgb(rgb));
}

ColourComponent ReadColourComponent(std::string_view text) {
    const int number = shell::ParseLenientInt(text);
    const int bounded = std::clamp(number, 0, kMaxComponent);
    return {bounded, bounded != number};
}

}  // namespace mousedeck::pages::lighting
