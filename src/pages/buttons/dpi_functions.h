#pragma once

#include <array>
#include <string_view>

namespace mousedeck::pages::buttons {

// Family 5, DPI. Two captions are fixed words, not language texts. A stored
// row always shows its stored description.
struct DpiFunction {
    int value;
    int text;  // language text of the caption; 0 when `fixed_caption` holds it
    std::string_view fixed_caption;
    std::string_view word;
};

inline constexpr auto kDpiFunctions = std::to_array<DpiFunction>({
    {1, 0, "DPI +", "up"},    // next higher stage
    {2, 0, "DPI -", "down"},  // next lower stage
    {3, 142, "", "cycle"},    // through the stages; the default of slot 5
});

// The values the button page's DPI list offers, in list order.
inline constexpr std::array<int, 3> kDpiList{3, 1, 2};

}  // namespace mousedeck::pages::buttons
