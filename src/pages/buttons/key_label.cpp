#include "pages/buttons/key_label.h"

#include <array>

#include "pages/buttons/function_family.h"

namespace mousedeck::pages::buttons {
namespace {

constexpr std::string_view kJoin = " + ";

void Append(std::string& label, std::string_view part) {
    if (!label.empty()) {
        label += kJoin;
    }
    label += part;
}

}  // namespace

KeyLabel ComposeKeyLabel(const ModifierToggles& toggles, std::string_view key_name) {
    struct Toggle {
        bool on;
        std::string_view word;
        int bit;
    };
    const std::array<Toggle, 4> in_label_order{{
        {toggles.shift, "Shift", modifier::kLeftShift},
        {toggles.ctrl, "Ctrl", modifier::kLeftCtrl},
        {toggles.win, "Win", modifier::kLeftGui},
        {toggles.alt, "Alt", modifier::kLeftAlt},
    }};
    KeyLabel result;
    for (const Toggle& toggle : in_label_order) {
        if (toggle.on) {
            Append(result.label, toggle.word);
            result.mask |= toggle.bit;
        }
    }
    if (!key_name.empty()) {
        Append(result.label, key_name);
    }
    return result;
}

}  // namespace mousedeck::pages::buttons
