#include "protocol/key_usage.h"

#include <array>
#include <utility>

namespace mousedeck::protocol {
namespace {

// Single keys; the contiguous runs are handled in UsageOf.
constexpr std::array<std::pair<int, uint8_t>, 57> kSingleKeys = {{
    {0x30, 0x27},  // 0
    {0x0D, 0x28},  // Return
    {0x1B, 0x29},  // Escape
    {0x08, 0x2A},  // Backspace
    {0x09, 0x2B},  // Tab
    {0x20, 0x2C},  // Space
    {0xBD, 0x2D},  // OEM minus
    {0xBB, 0x2E},  // OEM plus
    {0xDB, 0x2F},  // OEM 4  [
    {0xDD, 0x30},  // OEM 6  ]
    {0xDC, 0x31},  // OEM 5  backslash
    {666, 0x32},   // Non-US # and ~
    {0xBA, 0x33},  // OEM 1  ;
    {0xDE, 0x34},  // OEM 7  '
    {0xC0, 0x35},  // OEM 3  `
    {0xBC, 0x36},  // comma
    {0xBE, 0x37},  // period
    {0xBF, 0x38},  // OEM 2  /
    {0x14, 0x39},  // Caps Lock
    {0x2C, 0x46},  // Print Screen
    {0x91, 0x47},  // Scroll Lock
    {0x13, 0x48},  // Pause
    {0x2D, 0x49},  // Insert
    {0x24, 0x4A},  // Home
    {0x21, 0x4B},  // Page Up
    {0x2E, 0x4C},  // Delete
    {0x23, 0x4D},  // End
    {0x22, 0x4E},  // Page Down
    {0x27, 0x4F},  // Right
    {0x25, 0x50},  // Left
    {0x28, 0x51},  // Down
    {0x26, 0x52},  // Up
    {0x90, 0x53},  // Num Lock
    {0x6F, 0x54},  // keypad /
    {0x6A, 0x55},  // keypad *
    {0x6D, 0x56},  // keypad -
    {0x6B, 0x57},  // keypad +
    {0x6C, 0x58},  // Separator: keypad Enter
    {0x60, 0x62},  // keypad 0
    {0x6E, 0x63},  // keypad .
    {0xE2, 0x64},  // OEM 102
    {0x5D, 0x65},  // Applications
    {0xA2, 0xE0},  // left Ctrl
    {0xA0, 0xE1},  // left Shift
    {0xA4, 0xE2},  // left Alt
    {0x5B, 0xE3},  // left Windows
    {0xA3, 0xE4},  // right Ctrl
    {0xA1, 0xE5},  // right Shift
    {0xA5, 0xE6},  // right Alt
    {0x5C, 0xE7},  // right Windows
    {0xFE, 0xAF},  // OEM Clear
    {0x88, 0x88},  // Keyboard International 2..5 keep their value
    {0x89, 0x89}, {0x8A, 0x8A}, {0x8B, 0x8B}, {301, 0xEC}, {302, 0xEB},
}};

// Modifier key (virtual-key code, usage) and its mask bit.
struct Modifier {
    int virtual_key;
    int usage;
    int bit;
};
constexpr std::array<Modifier, 8> kModifiers = {{
    {0xA2, 0xE0, 0x01},
    {0xA0, 0xE1, 0x02},
    {0xA4, 0xE2, 0x04},
    {0x5B, 0xE3, 0x08},
    {0xA3, 0xE4, 0x10},
    {0xA1, 0xE5, 0x20},
    {0xA5, 0xE6, 0x40},
    {0x5C, 0xE7, 0x80},
}};

}  // namespace

uint8_t UsageOf(int key_code) {
    if (key_code >= 0x41 && key_code <= 0x5A) {  // A..Z
        return static_cast<uint8_t>(key_code - 0x3D);
    }
    if (key_code >= 0x31 && key_code <= 0x39) {  // 1..9
        return static_cast<uint8_t>(key_code - 0x13);
    }
    if (key_code >= 0x70 && key_code <= 0x7B) {  // F1..F12
        return static_cast<uint8_t>(key_code - 0x36);
    }
    if (key_code >= 0x7C && key_code <= 0x87) {  // F13..F24
        return static_cast<uint8_t>(key_code - 0x14);
    }
    if (key_code >= 0x61 && key_code <= 0x69) {  // keypad 1..9
        return static_cast<uint8_t>(key_code - 0x08);
    }
    for (const auto& [code, usage] : kSingleKeys) {
        if (code == key_code) {
            return usage;
        }
    }
    return 0;
}

int ModifierBitOf(int code) {
    for (const auto& m : kModifiers) {
        if (m.virtual_key == code || m.usage == code) {
            return m.bit;
        }
    }
    return code;
}

bool IsModifierKey(int key_code) {
    for (const auto& m : kModifiers) {
        if (m.virtual_key == key_code) {
            return true;
        }
    }
    return false;
}

}  // namespace mousedeck::protocol
