#include "pages/lighting/colour_words.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "protocol/value_codecs.h"
#include "shell/lenient_number.h"

namespace mousedeck::pages::lighting {
namespace {

constexpr std::size_t kHexDigits = 6;
constexpr int kMaxComponent = 255;

// Two hexadecimal digits and nothing else; an unsigned from_chars takes no
// sign, blank or "0x".
std::optional<uint8_t> HexByte(std::string_view digits) {
    unsigned value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, 16);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return static_cast<uint8_t>(value);
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
    std::array<std::optional<uint8_t>, 3> bytes{};  // red, green, blue
    if (digits.size() == kHexDigits) {
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            bytes[k] = HexByte(digits.substr(2 * k, 2));
        }
    }
    if (!bytes[0] || !bytes[1] || !bytes[2]) {
        return performance::Normalised<int>::Refuse("colour '" + std::string(text) +
                                                    "' is not written #RRGGBB (six hexadecimal digits)");
    }
    const protocol::Rgb rgb{*bytes[0], *bytes[1], *bytes[2]};
    return performance::Normalised<int>::Accept(protocol::ColourFromRgb(rgb));
}

ColourComponent ReadColourComponent(std::string_view text) {
    const int number = shell::ParseLenientInt(text);
    const int bounded = std::clamp(number, 0, kMaxComponent);
    return {bounded, bounded != number};
}

}  // namespace mousedeck::pages::lighting
