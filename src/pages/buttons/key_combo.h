#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "pages/buttons/key_label.h"

namespace mousedeck::pages::buttons {

// A key combination named in words, as a Keyboard key binding stores it.
struct KeyCombo {
    int virtual_key = 0;  // 0: modifiers only
    int usage = 0;        // HID keyboard usage of the key; 0: modifiers only
    KeyLabel label;       // description and modifier mask

    bool operator==(const KeyCombo&) const = default;
};

struct KeyComboParse {
    std::optional<KeyCombo> combo;
    std::string error;  // when `combo` is empty: what is wrong and what is accepted
};

// Parses words joined by '+', such as "ctrl+alt+f5", "shift+a" or "ctrl+win":
// any of the modifier words ctrl, shift, alt and win (the key capture
// panel's toggles; also control and super), each at most once and in any
// order, and at most one key word (key_names.h). Case does not matter.
KeyComboParse ParseKeyCombo(std::string_view text);

// The words of a stored Keyboard key binding ("shift+ctrl+a"), modifiers in
// label order; empty when the mask holds right-hand bits, or the usage has no
// key word, or both are 0.
std::string KeyComboWords(int usage, int mask);

}  // namespace mousedeck::pages::buttons
