#include "pages/buttons/function_words.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

#include "pages/buttons/ascii_lower.h"
#include "pages/buttons/dpi_functions.h"
#include "pages/buttons/function_family.h"
#include "pages/buttons/function_lookup.h"
#include "pages/buttons/key_combo.h"
#include "pages/buttons/mouse_functions.h"
#include "pages/buttons/multimedia_functions.h"
#include "pages/buttons/shortcut_functions.h"
#include "pages/buttons/family6_functions.h"

namespace mousedeck::pages::buttons {
namespace {

constexpr std::string_view kFamilies = "mouse, key, media, shortcut, dpi, special, fire, macro or disable";

FunctionWordsParse Error(std::string message) {
    return {std::nullopt, std::move(message)};
}

// A decimal number of digits only; nothing else, no sign.
std::optional<int> ParseNumber(std::string_view word) {
    int number = 0;
    if (word.empty() || word.front() < '0' || word.front() > '9') {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (error != std::errc{} || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return number;
}

template <typename Entry>
FunctionChoice ChoiceOf(int family, const Entry& entry) {
    FunctionChoice choice;
    choice.family = family;
    choice.value = entry.value;
    choice.caption_text = entry.text;
    if constexpr (requires { entry.fixed_caption; }) {
        choice.caption = std::string(entry.fixed_caption);
    }
    return choice;
}

// A value of a family with a table, by word or by number: any value of the
// table, or with `only_offered` only those the button page offers.
template <typename Table, typename List>
FunctionWordsParse ChooseFromTable(int family, std::string_view name, std::span<const std::string> words,
                                   const Table& table, const List& offered, bool only_offered) {
    auto accepted = [&] {
        std::string list;
        for (int value : offered) {
            if (const auto* entry = FindByValue(table, value); entry && !entry->word.empty()) {
                list += (list.empty() ? "" : "|") + std::string(entry->word);
            }
        }
        if (!only_offered) {
            list += "|1-" + std::to_string(table.back().value);  // tables are in value order
        }
        return std::string(name) + " takes one of " + list;
    };
    if (words.size() != 2) {
        return Error(accepted());
    }
    const std::string word = AsciiLower(words[1]);
    const auto* entry = FindByWord(table, word);
    if (!entry) {
        if (const std::optional<int> number = ParseNumber(word)) {
            entry = FindByValue(table, *number);
        }
    }
    if (!entry || (only_offered && std::ranges::find(offered, entry->value) == offered.end())) {
        return Error("unknown " + std::string(name) + " function '" + words[1] + "'; " + accepted());
    }
    return {ChoiceOf(family, *entry), {}};
}

FunctionWordsParse ChooseKey(std::span<const std::string> words) {
    if (words.size() != 2) {
        return Error("key takes one key combination, such as ctrl+alt+f5 or shift+a");
    }
    KeyComboParse parsed = ParseKeyCombo(words[1]);
    if (!parsed.combo) {
        return Error(std::move(parsed.error));
    }
    FunctionChoice choice;
    choice.family = family::kKeyboard;
    choice.value = parsed.combo->usage;
    choice.value2 = parsed.combo->label.mask;
    choice.caption = std::move(parsed.combo->label.label);
    return {std::move(choice), {}};
}

FunctionWordsParse ChooseFire(std::span<const std::string> words) {
    constexpr std::string_view kUsage = "fire takes parameter A 5-255 and parameter B 0-255";
    if (words.size() != 3) {
        return Error(std::string(kUsage));
    }
    const std::optional<int> a = ParseNumber(words[1]);
    const std::optional<int> b = ParseNumber(words[2]);
    if (!a || !b || *a < kParameterAMin || *a > kParameterAMax || *b < kParameterBMin ||
        *b > kParameterBMax) {
        return Error("fire " + words[1] + " " + words[2] + " is out of range; " + std::string(kUsage));
    }
    FunctionChoice choice;
    choice.family = family::kParameterised;
    choice.value = *a;
    choice.value2 = *b;
    choice.caption_text = text::kParameterPanel;
    return {std::move(choice), {}};
}

FunctionWordsParse ChooseMacro(std::span<const std::string> words) {
    const std::optional<int> id = words.size() == 2 ? ParseNumber(words[1]) : std::nullopt;
    if (!id || *id <= 0) {
        return Error("macro takes the id of a macro, a number from 1");
    }
    FunctionChoice choice;
    choice.family = family::kMacro;
    choice.value = *id;
    return {std::move(choice), {}};
}

FunctionWordsParse ChooseDisabled(std::span<const std::string> words) {
    if (words.size() != 1) {
        return Error("disable takes nothing more");
    }
    FunctionChoice choice;
    choice.family = family::kDisabled;
    choice.value = kDisabledValue;
    choice.caption_text = text::kDisabled;
    return {std::move(choice), {}};
}

template <typename Table>
std::vector<std::string> WordsFromTable(std::string_view name, const Table& table, int value) {
    const auto* entry = FindByValue(table, value);
    if (!entry) {
        return {};
    }
    return {std::string(name), entry->word.empty() ? std::to_string(value) : std::string(entry->word)};
}

}  // namespace

FunctionWordsParse ParseFunctionWords(std::span<const std::string> words) {
    if (words.empty()) {
        return Error(std::string("a function is one of ") + std::string(kFamilies));
    }
    const std::string name = AsciiLower(words[0]);
    if (name == "mouse") {
        return ChooseFromTable(family::kMouse, name, words, kMouseFunctions, kMouseFunctionList, false);
    }
    if (name == "media") {
        return ChooseFromTable(family::kMultimedia, name, words, kMultimediaFunctions, kMultimediaList,
                               false);
    }
    if (name == "shortcut") {
        return ChooseFromTable(family::kShortcut, name, words, kShortcutFunctions, kShortcutList, false);
    }
    if (name == "dpi") {
        return ChooseFromTable(family::kDpi, name, words, kDpiFunctions, kDpiList, false);
    }
    if (name == "special") {
        return ChooseFromTable(family::kSpecial, name, words, kSpecialFunctions, kSpecialList, true);
    }
    if (name == "key") {
        return ChooseKey(words);
    }
    if (name == "fire") {
        return ChooseFire(words);
    }
    if (name == "macro") {
        return ChooseMacro(words);
    }
    if (name == "disable") {
        return ChooseDisabled(words);
    }
    return Error("unknown function '" + words[0] + "'; a function is one of " + std::string(kFamilies));
}

std::vector<std::string> FunctionWordsOf(int family, int value, int value2) {
    switch (family) {
        case family::kMouse:
            return WordsFromTable("mouse", kMouseFunctions, value);
        case family::kMultimedia:
            return WordsFromTable("media", kMultimediaFunctions, value);
        case family::kShortcut:
            return WordsFromTable("shortcut", kShortcutFunctions, value);
        case family::kDpi:
            return WordsFromTable("dpi", kDpiFunctions, value);
        case family::kSpecial:
            return WordsFromTable("special", kSpecialFunctions, value);
        case family::kKeyboard: {
            std::string combo = KeyComboWords(value, value2);
            if (combo.empty()) {
                return {};
            }
            return {"key", std::move(combo)};
        }
        case family::kParameterised:
            if (value < kParameterAMin || value > kParameterAMax || value2 < kParameterBMin ||
                value2 > kParameterBMax) {
                return {};
            }
            return {"fire", std::to_string(value), std::to_string(value2)};
        case family::kMacro:
            if (value <= 0) {
                return {};
            }
            return {"macro", std::to_string(value)};
        case family::kDisabled:
            if (value != kDisabledValue) {
                return {};
            }
            return {"disable"};
        default:
            return {};
    }
}

}  // namespace mousedeck::pages::buttons
