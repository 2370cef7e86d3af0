#pragma once

#include <string>
#include <string_view>

namespace mousedeck::pages::buttons {

// The four modifier toggles of the key capture panel.
struct ModifierToggles {
    bool shift = false;
    bool ctrl = false;
    bool win = false;
    bool alt = false;

    bool operator==(const ModifierToggles&) const = default;
};

// What a Keyboard key binding stores: the label as its description and the
// mask as its second value.
struct KeyLabel {
    std::string label;
    int mask = 0;

    bool operator==(const KeyLabel&) const = default;
};

// The label of a key with modifiers: the words "Shift", "Ctrl", "Win", "Alt"
// of the toggles that are on, always in that order, then the key name, all
// joined by " + ". The mask collects 0x02 Shift, 0x01 Ctrl, 0x08 Win and
// 0x04 Alt. An empty key name gives the modifier words alone.
KeyLabel ComposeKeyLabel(const ModifierToggles& toggles, std::string_view key_name);

}  // namespace mousedeck::pages::buttons
