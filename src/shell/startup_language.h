#pragma once

#include <span>
#include <string>
#include <string_view>

#include "shell/language_state.h"
#include "shell/settings_file.h"

namespace mousedeck::shell {

// The language the program falls back to: US English.
inline constexpr int kFallbackLanguage = 1033;

// The locale variables that name the user's interface language, in the order
// they take effect; an empty string means unset.
struct LocaleEnvironment {
    std::string lc_all;
    std::string lc_messages;
    std::string lang;

    static LocaleEnvironment FromProcess();
};

// The LCID of a POSIX locale name ("ko_KR.UTF-8", "de_AT@euro", "zh_TW"):
// chosen by language, and by territory for Chinese (TW, HK, MO traditional)
// and Portuguese (BR). "C", "POSIX", an empty name and languages without a
// known LCID give 1033.
int LcidOfLocale(std::string_view locale);

// The user's interface language: the LCID of the first set variable among
// LC_ALL, LC_MESSAGES and LANG.
int UserInterfaceLanguage(const LocaleEnvironment& environment);

// Picks the interface language at start-up and returns it, also setting it
// in `language`:
//  1. the stored LCID value (ReadLanguageSetting: 0 when there is none, 2052
//     when the settings file cannot be read);
//  2. when it is 0: the user's language if `languages` holds it, else 1033;
//     either is written back as LCID;
//  3. when the result is not in `languages`: 1033, written back as LCID.
// `languages` is the language list of config.xml, ascending.
int ChooseStartupLanguage(LanguageState& language, SettingsFile& settings, std::span<const int> languages,
                          int user_language);

}  // namespace mousedeck::shell
