#include "pages/buttons/binding_description.h"

#include "pages/buttons/function_family.h"
#include "pages/buttons/function_lookup.h"
#include "pages/buttons/macro_names.h"
#include "pages/buttons/mouse_functions.h"
#include "pages/buttons/multimedia_functions.h"
#include "pages/buttons/shortcut_functions.h"
#include "pages/buttons/family6_functions.h"

namespace mousedeck::pages::buttons {

namespace {

template <typename Table>
int TextIn(const Table& table, int value) {
    const auto* entry = FindByValue(table, value);
    return entry ? entry->text : 0;
}

}  // namespace

int ShownTextOf(int family, int value) {
    switch (family) {
        case family::kMouse:
            return TextIn(kMouseFunctions, value);
        case family::kMultimedia:
            return TextIn(kMultimediaFunctions, value);
        case family::kShortcut:
            return TextIn(kShortcutFunctions, value);
        case family::kSpecial: {
            const auto* entry = FindByValue(kSpecialFunctions, value);
            return entry && entry->shown_by_text ? entry->text : 0;
        }
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
