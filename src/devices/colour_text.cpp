#include "devices/colour_text.h"

#include <cstddef>
#include <vector>

namespace mousedeck::devices {
namespace {

// Characters, not bytes: a non-ASCII first character is skipped whole and a
// non-ASCII character counts once towards the length. Each UTF-8 sequence is
// kept as its lead byte, which is never a hex digit.
std::vector<char> CharactersOf(std::string_view text) {
    std::vector<char> characters;
    characters.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) {
            characters.push_back(c);
        }
    }
    return characters;
}

uint32_t HexGroup(const std::vector<char>& characters, std::size_t first, std::size_t count) {
    uint32_t value = 0;
    for (std::size_t i = first; i < first + count && i < characters.size(); ++i) {
        const char c = characters[i];
        uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            break;
        }
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

uint32_t ParseColourText(std::string_view text) {
    const std::vector<char> characters = CharactersOf(text);
    if (characters.empty()) {
        return 0;
    }
    const std::size_t length = characters.size() - 1;  // without the leading "#"
    if (length < 2 || length > 6) {
        return 0;
    }
    const uint32_t red = HexGroup(characters, 1, 2);
    const uint32_t green = length > 2 ? HexGroup(characters, 3, length - 2 >= 2 ? 2 : 1) : 0;
    const uint32_t blue = length > 4 ? HexGroup(characters, 5, length - 4) : 0;
    return red + 256 * green + 65536 * blue;
}

}  // namespace mousedeck::devices
