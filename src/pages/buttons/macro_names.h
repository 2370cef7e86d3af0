#pragma once

#include <string>
#include <string_view>

#include "shell/lang_text.h"

namespace mousedeck::pages::buttons {

// A stored macro name as a button's description shows it in the interface
// language `language_id` (an LCID): a leading foreign word for "Custom"
// becomes language text 351, and a trailing foreign word for "Copy" becomes
// the language's own. Names in other languages than Simplified and
// Traditional Chinese, English, Japanese and Russian are shown as stored.
std::string LocalisedMacroName(std::string_view stored, int language_id, const shell::LanguageTexts& texts);

// A stored macro name as the macro list and the button page's macro choice
// list show it: a leading "Custom" (or else "自定义") becomes text 351, and a
// trailing "Copy" (or else "复制") becomes a space and text 31.
std::string MacroListName(std::string_view stored, const shell::LanguageTexts& texts);

}  // namespace mousedeck::pages::buttons
