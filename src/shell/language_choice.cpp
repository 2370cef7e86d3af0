#include "shell/language_choice.h"

#include <algorithm>

namespace mousedeck::shell {
namespace {

constexpr LanguageName kLanguageNames[] = {
    {2052, "简体中文"}, {1033, "English"},         {1028, "繁体中文"}, {1041, "日本語にほんご"},
    {1042, "한국어"},   {1058, "Українська Мова"}, {1049, "Русский"},
};

}  // namespace

std::span<const LanguageName> LanguageNames() {
    return kLanguageNames;
}

LanguageChoice FillLanguageChoice(std::span<const int> languages, int current_language) {
    LanguageChoice choice;
    for (const LanguageName& name : kLanguageNames) {
        if (std::find(languages.begin(), languages.end(), name.lcid) == languages.end()) {
            continue;
        }
        if (name.lcid == current_language) {
            choice.selected = static_cast<int>(choice.entries.size());
        }
        choice.entries.push_back(name);
    }
    return choice;
}

void OnLanguageChosen(int lcid, LanguageState& language, SettingsFile& settings, LanguageObserver& observer) {
    language.SetCurrent(lcid);
    settings.WriteRegistryNumber(kLcidValue, lcid);
    observer.ShowTextsInLanguage(lcid);
}

}  // namespace mousedeck::shell
