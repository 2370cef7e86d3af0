#pragma once

#include <string>
#include <string_view>

namespace mousedeck::pages::buttons {

// The virtual-key code a command-line word names ("a", "f5", "num7",
// "page-up", ...; letters are matched without regard to case); 0 when the
// word names no key.
int KeyCodeOfWord(std::string_view word);

// The canonical command-line word of a virtual-key code; empty when the key
// has none.
std::string KeyWordOf(int virtual_key);

// The name of a virtual-key code as key labels show it ("A", "F5", "Num 7",
// "Page Up"); empty when the key has none.
std::string KeyNameOf(int virtual_key);

}  // namespace mousedeck::pages::buttons
