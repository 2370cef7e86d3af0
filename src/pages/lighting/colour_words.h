#pragma once

#include <string>
#include <string_view>

#include "pages/performance/normalised.h"

namespace mousedeck::pages::lighting {

// Colours are 0x00BBGGRR (red in the lowest byte). People write them as
// "#RRGGBB", red first.

// "#RRGGBB" in upper-case hexadecimal; bits above 23 are ignored.
std::string HexColourText(int colour);
// "#RRGGBB" or "RRGGBB", hexadecimal digits in either case, nothing else.
performance::Normalised<int> ParseHexColour(std::string_view text);

// A red, green or blue field of the colour controls: the text read as a
// number (text that is not a number reads as 0, leading digits count) and
// bounded to 0..255. `rewrite` says the field must be rewritten with the
// value, which happens only when bounding changed the number.
struct ColourComponent {
    int value = 0;
    bool rewrite = false;

    bool operator==(const ColourComponent&) const = default;
};
ColourComponent ReadColourComponent(std::string_view text);

}  // namespace mousedeck::pages::lighting
