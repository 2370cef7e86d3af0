#pragma once

#include <array>

namespace mousedeck::pages::buttons {

// Each modifier key, as a Windows virtual-key code and as its HID keyboard
// usage, with its bit in the HID keyboard report's modifier byte.
struct ModifierKey {
    int virtual_key;
    int usage;
    int bit;
};

inline constexpr auto kModifierKeys = std::to_array<ModifierKey>({
    {0xA2, 0xE0, 0x01},  // left Ctrl
    {0xA0, 0xE1, 0x02},  // left Shift
    {0xA4, 0xE2, 0x04},  // left Alt
    {0x5B, 0xE3, 0x08},  // left Windows
    {0xA3, 0xE4, 0x10},  // right Ctrl
    {0xA1, 0xE5, 0x20},  // right Shift
    {0xA5, 0xE6, 0x40},  // right Alt
    {0x5C, 0xE7, 0x80},  // right Windows
});

}  // namespace mousedeck::pages::buttons
