#pragma once

#include <cstdint>

namespace mousedeck::protocol {

// Stored key codes are Windows virtual-key codes (files and databases keep
// them), plus three extra codes above 255: 666 (Non-US # and ~), 301 and
// 302. The mouse wants HID Keyboard/Keypad page (0x07) usages.

// The usage of a key code; 0 when the key has none.
uint8_t UsageOf(int key_code);

// The modifier-mask bit of a modifier key given as virtual-key code or as
// usage: 0x01 left Ctrl, 0x02 left Shift, 0x04 left Alt, 0x08 left GUI,
// 0x10 right Ctrl, 0x20 right Shift, 0x40 right Alt, 0x80 right GUI.
// 0 gives 0; any other input comes back unchanged.
int ModifierBitOf(int code);

// True for the virtual-key codes of the eight modifier keys (0xA0..0xA5,
// 0x5B, 0x5C), which a macro sends as modifier events.
bool IsModifierKey(int key_code);

// True for the modifier usages 0xE0..0xE7.
constexpr bool IsModifierUsage(int usage) {
    return usage >= 0xE0 && usage <= 0xE7;
}

}  // namespace mousedeck::protocol
