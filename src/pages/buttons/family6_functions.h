#pragma once

#include <array>
#include <string_view>

namespace mousedeck::pages::buttons {

// Family 6, Special function. Only values 1 and 2 have a device code; 3 to 6
// are shown when stored. Value 2 shows the stored description rather than
// its text.
struct SpecialFunction {
    int value;
    int text;
    bool shown_by_text;  // a stored row shows `text` rather than its stored description
    std::string_view word;
};

inline constexpr auto kSpecialFunctions = std::to_array<SpecialFunction>({
    {1, 151, true, "1"},
    {2, 181, false, "2"},
    {3, 152, true, "3"},
    {4, 153, true, "4"},
    {5, 154, true, "5"},
    {6, 155, true, "6"},
});

// The values the button page's Special function list offers, in list order.
inline constexpr std::array<int, 2> kSpecialList{1, 2};

}  // namespace mousedeck::pages::buttons
