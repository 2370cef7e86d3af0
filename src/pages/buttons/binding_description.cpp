#include "pages/buttons/binding_description.h"

#include "pages/buttons/function_family.h"
#include "pages/buttons/function_lookup.h"
#include "pages/buttons/macro_names.h"
#include "pages/buttons/mouse_functions.h"
#include "pages/buttons/multimedia_functions.h"
#include "pages/buttons/shortcut_functions.h"
#include "pages/buttons/special_functions.h"

namespace mousedeck::pages::buttons {

int ShownTextOf(int family, int value) {
    switch (family) {
        case family::kMouse:
            if (const auto* entry = FindByValue(kMouseFunctions, value)) {
                return entry->text;
            }
            return 0;
        case family::kMultimedia:
            if (const auto* entry = FindByValue(kMultimediaFunctions, value)) {
                return entry->text;
            }
            return 0;
        case family::kSpecial:
            if (const auto* entry = FindByValue(kSpecialFunctions, value); entry && entry->shown_by_text) {
                return entry->text;
            }
            return 0;
        case family::kShortcut:
            if (const auto* entry = FindByValue(kShortcutFunctions, value)) {
                return entry->text;
            }
            return 0;
        case family::kParameterised:
            return value >= kParameterAMin && value <= kParameterAMax ? text::kParameterisedShown : 0;
        case family::kDisabled:
            return value == kDisabledValue ? text::kDisabled : 0;
        default:
            return 0;
    }
}

std::string DescribeBinding(const store::ButtonBinding& binding, const shell::LanguageTexts& texts,
                            int language_id) {
    if (binding.macro_type == family::kMacro) {
        return LocalisedMacroName(binding.macro_desc, language_id, texts);
    }
    if (const int number = ShownTextOf(binding.macro_type, binding.macro_value); number != 0) {
        return texts.LangText(number);
    }
    return binding.macro_desc;
}

}  // namespace mousedeck::pages::buttons
