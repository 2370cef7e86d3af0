#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mousedeck::xml {
class XmlDocument;
}

namespace mousedeck::shell {

// What start-up takes from config.xml before anything else exists.
struct LanguageList {
    bool read = false;                    // config.xml was read and is well-formed
    std::optional<int> default_language;  // language.info default_lan, when language.info exists
    std::vector<int> languages;           // the lan values, ascending, each once
    std::string device_name;              // software caption: the product-line name

    bool Contains(int lcid) const;
};

// Reads config > language.info (default_lan, then every lan value) and then
// config > software (caption). Elements are searched forward only, in that
// order, so a software element placed before language.info is not found and
// the device name stays empty. Numbers convert leniently (no digits: 0).
// A missing or ill-formed file gives an empty list with `read` false.
//
// The caller makes default_language current (it is replaced at once by
// ChooseStartupLanguage) and builds its AppPaths from device_name.
LanguageList LoadLanguageList(const std::filesystem::path& config_file);
LanguageList ReadLanguageList(xml::XmlDocument& document);

}  // namespace mousedeck::shell
