#include "shell/language_list.h"

#include "shell/lenient_number.h"
#include "xml/xml_document.h"

#include <algorithm>

namespace mousedeck::shell {

bool LanguageList::Contains(int lcid) const {
    return std::binary_search(languages.begin(), languages.end(), lcid);
}

LanguageList ReadLanguageList(xml::XmlDocument& document) {
    LanguageList list;
    if (!document.FindNext("config") || !document.EnterElement()) {
        return list;
    }
    list.read = true;
    if (document.FindNext("language.info")) {
        list.default_language = ParseLenientInt(document.AttributeOf("default_lan"));
        if (document.EnterElement()) {
            while (document.FindNext("lan")) {
                list.languages.push_back(ParseLenientInt(document.AttributeOf("value")));
            }
            document.LeaveElement();
        }
    }
    if (document.FindNext("software")) {
        list.device_name = document.AttributeOf("caption");
    }
    document.LeaveElement();
    std::sort(list.languages.begin(), list.languages.end());
    list.languages.erase(std::unique(list.languages.begin(), list.languages.end()), list.languages.end());
    return list;
}

LanguageList LoadLanguageList(const std::filesystem::path& config_file) {
    xml::XmlDocument document;
    if (!document.LoadText(config_file.string()) || !document.ParseText()) {
        return {};
    }
    return ReadLanguageList(document);
}

}  // namespace mousedeck::shell
