#include "pages/buttons/button_assignment.h"

#include <algorithm>
#include <utility>

#include "pages/buttons/ascii_lower.h"
#include "pages/buttons/function_family.h"
#include "pages/buttons/macro_names.h"
#include "shell/lenient_number.h"

namespace mousedeck::pages::buttons {
namespace {

bool IsFamily(int family) {
    return family >= family::kMouse && family <= family::kDisabled;
}

// Digits only: a key code is never signed.
std::optional<int> KeyCodeOf(std::string_view word) {
    if (word.empty() || !std::ranges::all_of(word, [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return shell::ParseLenientInt(word);
}

}  // namespace

std::optional<Refusal> CheckReassignable(int key_code) {
    if (key_code == kPrimaryKeyCode) {
        return Refusal{kPrimaryRefusalTitle, kPrimaryRefusalMessage};
    }
    return std::nullopt;
}

Assignment AssignFunction(int profile, int key_code, const FunctionChoice& choice,
                          const shell::LanguageTexts& texts, std::string_view macro_name) {
    Assignment assignment;
    if (const std::optional<Refusal> refusal = CheckReassignable(key_code)) {
        assignment.outcome = AssignmentOutcome::kRefused;
        assignment.refusal = *refusal;
        return assignment;
    }
    if (!IsFamily(choice.family) || (choice.value == 0 && choice.value2 == 0)) {
        return assignment;
    }
    std::string description =
        choice.family == family::kMacro ? MacroListName(macro_name, texts) : CaptionOf(choice, texts);
    assignment.outcome = AssignmentOutcome::kStore;
    assignment.binding = BindingFor(profile, key_code, choice, std::move(description));
    return assignment;
}

std::optional<DefaultFunction> DefaultFunctionOf(std::span<const devices::DescriptionButton> buttons,
                                                 int key_code) {
    const auto it = std::ranges::find(buttons, key_code, &devices::DescriptionButton::key_value);
    if (it == buttons.end()) {
        return std::nullopt;
    }
    return DefaultFunction{it->func_type, it->func_value, it->description};
}

std::string ButtonWord(std::string_view name) {
    std::string word = AsciiLower(name);
    std::ranges::replace(word, ' ', '-');
    return word;
}

ButtonLookup FindButton(std::span<const devices::DescriptionButton> buttons, std::string_view word,
                        const shell::LanguageTexts& texts) {
    const std::optional<int> key_code = KeyCodeOf(word);
    const std::string wanted = ButtonWord(word);
    std::string known;
    for (const devices::DescriptionButton& button : buttons) {
        const std::string name = ButtonWord(texts.LangText(button.name));
        if (key_code ? button.key_value == *key_code : (!name.empty() && name == wanted)) {
            return {button, {}};
        }
        known += (known.empty() ? "" : ", ") + std::to_string(button.key_value);
        if (!name.empty()) {
            known += " (" + name + ")";
        }
    }
    if (buttons.empty()) {
        return {std::nullopt, "no buttons are known for this mouse"};
    }
    return {std::nullopt, "unknown button '" + std::string(word) + "'; this mouse has " + known};
}

}  // namespace mousedeck::pages::buttons
