#pragma once

#include <string>
#include <vector>

#include "devices/catalogue_entries.h"

namespace mousedeck::xml {
class XmlDocument;
}

namespace mousedeck::devices {

// What start-up needs from config.xml before the main window exists.
struct LanguageList {
    int default_language = 0;     // `default_lan`, an LCID
    std::vector<int> languages;   // the `lan` values, ascending, each once
    std::string device_name;      // `software caption`, the product-line name
};

// Reads config > language.info (default_lan, lan*) and then config > software
// (caption), forward only: a `software` placed before `language.info` is not
// found.
LanguageList ReadLanguageList(xml::XmlDocument& document);

// Reads <application>/config.xml; an empty list when it is missing or not
// well-formed.
LanguageList LoadLanguageList(const ProductFolders& folders);

}  // namespace mousedeck::devices
