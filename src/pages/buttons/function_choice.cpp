#include "pages/buttons/function_choice.h"

#include <utility>

namespace mousedeck::pages::buttons {

std::string CaptionOf(const FunctionChoice& choice, const shell::LanguageTexts& texts) {
    return choice.caption_text != 0 ? texts.LangText(choice.caption_text) : choice.caption;
}

store::ButtonBinding BindingFor(int profile, int key_code, const FunctionChoice& choice,
                                std::string description) {
    store::ButtonBinding binding;
    binding.profile = profile;
    binding.fn_layer = 0;
    binding.key_code = key_code;
    binding.macro_type = choice.family;
    binding.macro_value = choice.value;
    binding.macro_value2 = choice.value2;
    binding.macro_desc = std::move(description);
    return binding;
}

}  // namespace mousedeck::pages::buttons
