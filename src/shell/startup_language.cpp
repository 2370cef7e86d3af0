#include "shell/startup_language.h"

#include <algorithm>
#include <cstdlib>

namespace mousedeck::shell {
namespace {

struct LanguageCode {
    std::string_view language;  // ISO 639-1
    int lcid;
};

// Languages whose territory does not change the LCID the program knows.
constexpr LanguageCode kLanguages[] = {
    {"ar", 1025}, {"bg", 1026}, {"ca", 1027}, {"cs", 1029}, {"da", 1030}, {"de", 1031},
    {"el", 1032}, {"en", 1033}, {"es", 3082}, {"et", 1061}, {"fi", 1035}, {"fr", 1036},
    {"he", 1037}, {"hr", 1050}, {"hu", 1038}, {"id", 1057}, {"it", 1040}, {"ja", 1041},
    {"ko", 1042}, {"lt", 1063}, {"lv", 1062}, {"nb", 1044}, {"nl", 1043}, {"no", 1044},
    {"pl", 1045}, {"pt", 2070}, {"ro", 1048}, {"ru", 1049}, {"sk", 1051}, {"sl", 1060},
    {"sv", 1053}, {"th", 1054}, {"tr", 1055}, {"uk", 1058}, {"vi", 1066}, {"zh", 2052},
};

constexpr int kTraditionalChinese = 1028;
constexpr int kBrazilianPortuguese = 1046;

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

LocaleEnvironment LocaleEnvironment::FromProcess() {
    return {EnvironmentValue("LC_ALL"), EnvironmentValue("LC_MESSAGES"), EnvironmentValue("LANG")};
}

int LcidOfLocale(std::string_view locale) {
    // language[_territory][.codeset][@modifier]
    locale = locale.substr(0, locale.find_first_of(".@"));
    const std::size_t underscore = locale.find('_');
    const std::string_view language = locale.substr(0, underscore);
    const std::string_view territory =
        underscore == std::string_view::npos ? std::string_view() : locale.substr(underscore + 1);
    if (language == "zh" && (territory == "TW" || territory == "HK" || territory == "MO")) {
        return kTraditionalChinese;
    }
    if (language == "pt" && territory == "BR") {
        return kBrazilianPortuguese;
    }
    for (const LanguageCode& code : kLanguages) {
        if (code.language == language) {
            return code.lcid;
        }
    }
    return kFallbackLanguage;
}

int UserInterfaceLanguage(const LocaleEnvironment& environment) {
    for (const std::string* value : {&environment.lc_all, &environment.lc_messages, &environment.lang}) {
        if (!value->empty()) {
            return LcidOfLocale(*value);
        }
    }
    return kFallbackLanguage;
}

int ChooseStartupLanguage(LanguageState& language, SettingsFile& settings, std::span<const int> languages,
                          int user_language) {
    const auto listed = [&](int lcid) {
        return std::find(languages.begin(), languages.end(), lcid) != languages.end();
    };
    int chosen = settings.ReadLanguageSetting();
    if (chosen == 0) {
        chosen = listed(user_language) ? user_language : kFallbackLanguage;
        settings.WriteRegistryNumber(kLcidValue, chosen);
    }
    if (!listed(chosen)) {
        chosen = kFallbackLanguage;
        settings.WriteRegistryNumber(kLcidValue, chosen);
    }
    language.SetCurrent(chosen);
    return chosen;
}

}  // namespace mousedeck::shell
