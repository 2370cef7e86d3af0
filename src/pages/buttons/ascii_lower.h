#pragma once

#include <string>
#include <string_view>

namespace mousedeck::pages::buttons {

// Command-line words are ASCII and matched without regard to case; other
// bytes (UTF-8 key names such as the Yen sign) pass unchanged.
inline std::string AsciiLower(std::string_view word) {
    std::string lower(word);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

}  // namespace mousedeck::pages::buttons
