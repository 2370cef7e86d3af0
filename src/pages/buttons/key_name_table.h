#pragma once

#include <array>
#include <string_view>

namespace mousedeck::pages::buttons {

// Names of the keys that are not letters, digits or F-keys: the lower-case
// word that names a key on the command line and the name shown in key labels
// (as the keyboard decoder names them on a US layout). A key may have several
// words; its first entry gives the canonical word and the name.
struct NamedKey {
    int virtual_key;
    std::string_view word;
    std::string_view name;
};

inline constexpr auto kNamedKeys = std::to_array<NamedKey>({
    {0x0D, "enter", "Enter"},
    {0x0D, "return", "Enter"},
    {0x1B, "esc", "Esc"},
    {0x1B, "escape", "Esc"},
    {0x08, "backspace", "Backspace"},
    {0x09, "tab", "Tab"},
    {0x20, "space", "Space"},
    {0xBD, "minus", "-"},
    {0xBD, "-", "-"},
    {0xBB, "equal", "="},
    {0xBB, "=", "="},
    {0xDB, "left-bracket", "["},
    {0xDB, "[", "["},
    {0xDD, "right-bracket", "]"},
    {0xDD, "]", "]"},
    {0xDC, "backslash", "\\"},
    {0xDC, "\\", "\\"},
    {0xBA, "semicolon", ";"},
    {0xBA, ";", ";"},
    {0xDE, "apostrophe", "'"},
    {0xDE, "'", "'"},
    {0xC0, "grave", "`"},
    {0xC0, "`", "`"},
    {0xBC, "comma", ","},
    {0xBC, ",", ","},
    {0xBE, "period", "."},
    {0xBE, ".", "."},
    {0xBF, "slash", "/"},
    {0xBF, "/", "/"},
    {0xE2, "iso-backslash", "OEM 102"},
    {0x14, "caps-lock", "Caps Lock"},
    {0x2C, "print-screen", "Print Screen"},
    {0x91, "scroll-lock", "Scroll Lock"},
    {0x13, "pause", "Pause"},
    {0x2D, "insert", "Insert"},
    {0x24, "home", "Home"},
    {0x21, "page-up", "Page Up"},
    {0x21, "pgup", "Page Up"},
    {0x2E, "delete", "Delete"},
    {0x2E, "del", "Delete"},
    {0x23, "end", "End"},
    {0x22, "page-down", "Page Down"},
    {0x22, "pgdn", "Page Down"},
    {0x27, "right", "Right"},
    {0x25, "left", "Left"},
    {0x28, "down", "Down"},
    {0x26, "up", "Up"},
    {0x90, "num-lock", "Num Lock"},
    {0x6F, "num-divide", "Num /"},
    {0x6A, "num-multiply", "Num *"},
    {0x6D, "num-minus", "Num -"},
    {0x6B, "num-plus", "Num +"},
    {0x6C, "num-enter", "Num Enter"},
    {0x6E, "num-decimal", "Num Del"},
    {0x5D, "menu", "Application"},
    {0x5D, "application", "Application"},
    {0xA2, "lctrl", "Ctrl"},
    {0xA3, "rctrl", "RCtrl"},
    {0xA0, "lshift", "Shift"},
    {0xA1, "rshift", "RShift"},
    {0xA4, "lalt", "Alt"},
    {0xA5, "ralt", "RAlt"},
    {0x5B, "lwin", "Windows"},
    {0x5B, "windows", "Windows"},
    {0x5C, "rwin", "RWindows"},
    {0x89, "yen", "\xEF\xBF\xA5"},  // U+FFE5 FULLWIDTH YEN SIGN
    {0xFE, "clear", "Clear"},
});

// Keys named by rule rather than listed: a..z (0x41..), 0..9 (0x30..),
// f1..f24 (0x70..) and the keypad digits num0..num9 (0x60..), shown as
// "A", "7", "F5" and "Num 7".
inline constexpr int kFirstLetterKey = 0x41;
inline constexpr int kFirstDigitKey = 0x30;
inline constexpr int kFirstFunctionKey = 0x70;
inline constexpr int kFunctionKeyCount = 24;
inline constexpr int kFirstKeypadDigitKey = 0x60;

}  // namespace mousedeck::pages::buttons
