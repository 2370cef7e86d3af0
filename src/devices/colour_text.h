#pragma once

#include <cstdint>
#include <string_view>

namespace mousedeck::devices {

// Colour as description files write it: one leading character (normally "#")
// that is skipped, then hexadecimal red, green and blue. The remainder is
// split as RR, G or GG, B or BB by its length:
//   2 -> red only, 3 -> red + one-digit green, 4 -> red + green,
//   5 -> red + green + one-digit blue, 6 -> all three,
//   any other length (0, 1, 7 or more) -> 0 (black).
// A group stops at its first non-hex character ("G0" reads as 0).
// The result is the 0x00BBGGRR layout: red + 256 * green + 65536 * blue.
uint32_t ParseColourText(std::string_view text);

}  // namespace mousedeck::devices
