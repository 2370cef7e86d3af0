#pragma once

namespace mousedeck::pages::buttons {

// Largest key code the usage table knows (the extra code 666).
inline constexpr int kMaxKeyCode = 666;

// The HID Keyboard/Keypad page usage of a key code (a Windows virtual-key
// code, or one of the extra codes 301, 302 and 666); 0 when the key has none,
// including for negative and unknown codes.
int UsageOf(int key_code);

// The modifier-mask bit of a modifier key given as a virtual-key code
// (0xA0..0xA5, 0x5B, 0x5C) or as its HID usage (0xE0..0xE7). 0 gives 0; any
// other code comes back unchanged, so callers apply it to modifiers only.
int ModifierBitOf(int code);

// True for the virtual-key codes of the eight modifier keys (left and right
// Ctrl, Shift, Alt and Windows).
bool IsModifierKey(int virtual_key);

// The key code whose usage is `usage` (the inverse of UsageOf); 0 when no
// key code has it.
int KeyCodeOfUsage(int usage);

}  // namespace mousedeck::pages::buttons
