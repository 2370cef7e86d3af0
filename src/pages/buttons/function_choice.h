#pragma once

#include <string>

#include "shell/lang_text.h"
#include "store/records.h"

namespace mousedeck::pages::buttons {

// A function chosen for a button, before it is stored: the values of a
// ButtonBinding and the caption the button page stores as its description.
struct FunctionChoice {
    int family = 0;  // macro_type
    int value = 0;   // macro_value
    int value2 = 0;  // macro_value2
    // The caption: language text `caption_text` when not 0, else `caption`
    // (a key label, "DPI +", "DPI -"). Empty for a Macro: its caption is the
    // macro's name as the macro list shows it, which only the caller knows.
    int caption_text = 0;
    std::string caption;

    bool operator==(const FunctionChoice&) const = default;
};

// The description the button page stores with the choice, in the current
// language of `texts`.
std::string CaptionOf(const FunctionChoice& choice, const shell::LanguageTexts& texts);

// The binding the button page stores for a choice: layer 0, layout value 0
// and text empty, third value 0.
store::ButtonBinding BindingFor(int profile, int key_code, const FunctionChoice& choice,
                                std::string description);

}  // namespace mousedeck::pages::buttons
