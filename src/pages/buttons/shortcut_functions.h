#pragma once

#include <array>
#include <string_view>

namespace mousedeck::pages::buttons {

// Family 8, Shortcut: either a usage of the HID Consumer page (0x0C), or a key
// chord of a modifier mask and one Keyboard-page (0x07) usage. Exactly one of
// `consumer_usage` and `key_usage` is non-zero.
struct ShortcutFunction {
    int value;
    int text;  // caption and shown description
    int consumer_usage;
    int modifier_mask;
    int key_usage;
    std::string_view word;
};

inline constexpr auto kShortcutFunctions = std::to_array<ShortcutFunction>({
    {1, 127, 0x006F, 0, 0, "brightness-up"},    // Display Brightness Increment
    {2, 128, 0x0070, 0, 0, "brightness-down"},  // Display Brightness Decrement
    {3, 129, 0x0192, 0, 0, "calculator"},       // AL Calculator
    {4, 130, 0x0194, 0, 0, "computer"},         // AL Local Machine Browser
    {5, 131, 0x0223, 0, 0, "home"},             // AC Home
    {6, 132, 0x018A, 0, 0, "mail"},             // AL Email Reader
    {7, 133, 0, 0x08, 0x07, "desktop"},         // Left GUI + D
    {8, 134, 0, 0x08, 0x2B, "switch-window"},   // Left GUI + Tab
    {9, 31, 0, 0x01, 0x06, "copy"},             // Left Control + C
    {10, 32, 0, 0x01, 0x19, "paste"},           // Left Control + V
    {11, 36, 0, 0x01, 0x1B, "cut"},             // Left Control + X
});

// The values the button page's Shortcut list offers, in list order.
inline constexpr std::array<int, 11> kShortcutList{1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10};

}  // namespace mousedeck::pages::buttons
