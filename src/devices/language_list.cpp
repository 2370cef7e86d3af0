#include "devices/language_list.h"

#include <algorithm>

#include "devices/product_paths.h"
#include "shell/lenient_number.h"
#include "xml/xml_document.h"

namespace mousedeck::devices {

LanguageList ReadLanguageList(xml::XmlDocument& document) {
    LanguageList list;
    if (!document.FindNext("config") || !document.EnterElement()) {
        return list;
    }
    if (document.FindNext("language.info")) {
        list.default_language = shell::ParseLenientInt(document.AttributeOf("default_lan"));
        if (document.EnterElement()) {
            while (document.FindNext("lan")) {
                list.languages.push_back(shell::ParseLenientInt(document.AttributeOf("value")));
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

LanguageList LoadLanguageList(const ProductFolders& folders) {
    xml::XmlDocument document;
    if (!document.LoadText(CataloguePath(folders.application)) || !document.ParseText()) {
        return {};
    }
    return ReadLanguageList(document);
}

}  // namespace mousedeck::devices
