#pragma once

#include "pages/buttons/key_tables.h"

namespace mousedeck::protocol {

// Stored key codes are Windows virtual-key codes; the mouse wants HID
// Keyboard/Keypad page (0x07) usages and modifier-mask bits. The tables live
// with the button vocabulary, so there is one place that knows them.
using pages::buttons::IsModifierKey;
using pages::buttons::ModifierBitOf;
using pages::buttons::UsageOf;

// True for the modifier usages 0xE0..0xE7.
constexpr bool IsModifierUsage(int usage) {
    return usage >= 0xE0 && usage <= 0xE7;
}

}  // namespace mousedeck::protocol
