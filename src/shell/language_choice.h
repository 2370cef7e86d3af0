#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "shell/language_observer.h"
#include "shell/language_state.h"
#include "shell/settings_file.h"

namespace mousedeck::shell {

// The font of every text control, whatever the language.
inline constexpr std::string_view kInterfaceFontName = "Open Sans Semibold";

struct LanguageName {
    int lcid;
    std::string_view name;  // in its own language, UTF-8
};

// The languages the settings page can offer, in the order it offers them.
std::span<const LanguageName> LanguageNames();

struct LanguageChoice {
    std::vector<LanguageName> entries;  // in LanguageNames() order
    int selected = -1;                  // index of the current language; -1 when it is not offered
};

// The entries of the language box: every name whose LCID the language list
// of config.xml holds, and which of them shows the current language.
LanguageChoice FillLanguageChoice(std::span<const int> languages, int current_language);

// The user picked a language: it becomes current, is stored as LCID, and
// the interface shows its texts.
void OnLanguageChosen(int lcid, LanguageState& language, SettingsFile& settings, LanguageObserver& observer);

}  // namespace mousedeck::shell
