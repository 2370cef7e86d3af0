#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "devices/device_description.h"
#include "pages/buttons/function_choice.h"
#include "shell/lang_text.h"
#include "store/records.h"

namespace mousedeck::pages::buttons {

// The primary button keeps its function whatever the user chooses, so the
// mouse can never lock its user out.
inline constexpr int kPrimaryKeyCode = 0;

// Language texts of the button page's message boxes.
inline constexpr int kPrimaryRefusalTitle = 177;
inline constexpr int kPrimaryRefusalMessage = 175;
inline constexpr int kResetQuestionTitle = 171;  // asked before either reset
inline constexpr int kResetQuestionMessage = 170;

// A one-button message box that ends an operation without any change.
struct Refusal {
    int title_text = 0;
    int message_text = 0;

    bool operator==(const Refusal&) const = default;
};

// Asked before every assignment and before either panel opens: the refusal
// for the primary button, none for any other. The resets are not asked: the
// primary button can always be given back its default.
std::optional<Refusal> CheckReassignable(int key_code);

enum class AssignmentOutcome {
    kStore,    // store `binding` and send the button functions
    kRefused,  // show `refusal`; nothing is stored or sent
    kNothing,  // the choice names no function (a key capture with neither a key
               // nor a toggle, values 0 and 0, an unknown family): nothing happens
};

struct Assignment {
    AssignmentOutcome outcome = AssignmentOutcome::kNothing;
    store::ButtonBinding binding;  // kStore: profile, layer 0, key code, values, description
    Refusal refusal;               // kRefused

    bool operator==(const Assignment&) const = default;
};

// A function chosen for the button with `key_code` in `profile`, as the
// button page stores it. The description is the choice's caption in the
// language of `texts`; for a Macro it is the macro list's name of the stored
// `macro_name` (the caller checks that the macro exists).
//
// A choice with both values 0 is never stored: such a row would only remove
// the button's binding, a reset the user did not ask for.
Assignment AssignFunction(int profile, int key_code, const FunctionChoice& choice,
                          const shell::LanguageTexts& texts, std::string_view macro_name = {});

// What a reset gives a button back: the product's default function and the
// language text describing it. The reset itself stores no row (its binding
// is removed), so the mouse's own default applies.
struct DefaultFunction {
    int family = 0;
    int value = 0;
    int description_text = 0;

    bool operator==(const DefaultFunction&) const = default;
};
// None when the description has no button with `key_code`.
std::optional<DefaultFunction> DefaultFunctionOf(std::span<const devices::DescriptionButton> buttons,
                                                 int key_code);

// A button of the description named on a command line: its key code, or its
// name (language text `name`) with blanks written as '-' and case ignored
// ("left-button" for "Left button").
struct ButtonLookup {
    std::optional<devices::DescriptionButton> button;
    std::string error;  // when `button` is empty: what is wrong and which buttons exist

    bool operator==(const ButtonLookup&) const = default;
};
ButtonLookup FindButton(std::span<const devices::DescriptionButton> buttons, std::string_view word,
                        const shell::LanguageTexts& texts);
// The word FindButton accepts for a button's name text.
std::string ButtonWord(std::string_view name);

}  // namespace mousedeck::pages::buttons
