#include "pages/buttons/key_combo.h"

#include <algorithm>
#include <array>

#include "pages/buttons/ascii_lower.h"
#include "pages/buttons/function_family.h"
#include "pages/buttons/key_names.h"
#include "pages/buttons/key_tables.h"

namespace mousedeck::pages::buttons {
namespace {

constexpr char kSeparator = '+';

struct ToggleWord {
    std::string_view word;
    bool ModifierToggles::*toggle;
    int bit;
};

// In label order.
constexpr std::array<ToggleWord, 4> kToggleWords{{
    {"shift", &ModifierToggles::shift, modifier::kLeftShift},
    {"ctrl", &ModifierToggles::ctrl, modifier::kLeftCtrl},
    {"win", &ModifierToggles::win, modifier::kLeftGui},
    {"alt", &ModifierToggles::alt, modifier::kLeftAlt},
}};

struct ToggleAlias {
    std::string_view alias;
    std::string_view word;
};
constexpr std::array<ToggleAlias, 2> kToggleAliases{{{"control", "ctrl"}, {"super", "win"}}};

constexpr std::string_view kAccepted =
    "a key combination is modifier words (ctrl, shift, alt, win) and at most one key, joined by '+', "
    "such as ctrl+alt+f5 or shift+a";

const ToggleWord* FindToggle(std::string_view word) {
    for (const ToggleAlias& alias : kToggleAliases) {
        if (alias.alias == word) {
            word = alias.word;
        }
    }
    for (const ToggleWord& toggle : kToggleWords) {
        if (toggle.word == word) {
            return &toggle;
        }
    }
    return nullptr;
}

KeyComboParse Error(std::string what) {
    return {std::nullopt, what + "; " + std::string(kAccepted)};
}

}  // namespace

KeyComboParse ParseKeyCombo(std::string_view text) {
    if (text.empty()) {
        return Error("empty key combination");
    }
    ModifierToggles toggles;
    int virtual_key = 0;
    std::string key_word;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(kSeparator, start), text.size());
        const std::string part = AsciiLower(text.substr(start, end - start));
        start = end + 1;
        if (part.empty()) {
            return Error("empty part in key combination '" + std::string(text) + "'");
        }
        if (const ToggleWord* toggle = FindToggle(part)) {
            if (toggles.*(toggle->toggle)) {
                return Error("'" + part + "' given twice");
            }
            toggles.*(toggle->toggle) = true;
            continue;
        }
        const int code = KeyCodeOfWord(part);
        if (code == 0) {
            return Error("unknown key '" + part + "'");
        }
        if (virtual_key != 0) {
            return Error("two keys '" + key_word + "' and '" + part + "'");
        }
        virtual_key = code;
        key_word = part;
    }
    KeyCombo combo;
    combo.virtual_key = virtual_key;
    combo.usage = UsageOf(virtual_key);
    combo.label = ComposeKeyLabel(toggles, virtual_key != 0 ? KeyNameOf(virtual_key) : std::string());
    return {combo, {}};
}

std::string KeyComboWords(int usage, int mask) {
    if ((mask & ~modifier::kToggleBits) != 0 || (usage == 0 && mask == 0)) {
        return {};
    }
    std::string words;
    for (const ToggleWord& toggle : kToggleWords) {
        if ((mask & toggle.bit) != 0) {
            if (!words.empty()) {
                words += kSeparator;
            }
            words += toggle.word;
        }
    }
    if (usage != 0) {
        const std::string key = KeyWordOf(KeyCodeOfUsage(usage));
        if (key.empty()) {
            return {};
        }
        if (!words.empty()) {
            words += kSeparator;
        }
        words += key;
    }
    return words;
}

}  // namespace mousedeck::pages::buttons
