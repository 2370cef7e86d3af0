#pragma once

#include <array>
#include <string_view>

namespace mousedeck::pages::buttons {

// Family 1, Mouse function. `word` names the value on the command line
// (empty: the value is named by its number).
struct MouseFunction {
    int value;
    int text;  // caption and shown description
    std::string_view word;
};

inline constexpr auto kMouseFunctions = std::to_array<MouseFunction>({
    {1, 106, "left"},        // primary button, button mask 0x01
    {2, 108, "middle"},      // middle button, mask 0x04
    {3, 107, "right"},       // secondary button, mask 0x02
    {4, 180, "fire"},        // Parameterised function with A = 50, B = 3
    {5, 109, "forward"},     // "Forward" button, mask 0x10
    {6, 110, "back"},        // "Backward" button, mask 0x08
    {7, 112, "wheel-up"},    // wheel one step up (+1)
    {8, 113, "wheel-down"},  // wheel one step down (-1)
    {9, 114, ""},            // device code 0x10 0x00 0xF5
    {10, 115, ""},           // device code 0x10 0x00 0xF6
});

// The values the button page's Mouse function list offers, in list order;
// 9 and 10 are shown and sent when stored but not offered.
inline constexpr std::array<int, 8> kMouseFunctionList{1, 3, 2, 5, 6, 4, 7, 8};

}  // namespace mousedeck::pages::buttons
