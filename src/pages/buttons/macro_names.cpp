#include "pages/buttons/macro_names.h"

#include <span>

#include "pages/buttons/function_family.h"
#include "pages/buttons/macro_name_rules.h"

namespace mousedeck::pages::buttons {
namespace {

// Replaces the first of `prefixes` that `name` begins with by text 351.
std::string ReplacePrefix(std::string_view name, std::span<const std::string_view> prefixes,
                          const shell::LanguageTexts& texts) {
    for (std::string_view prefix : prefixes) {
        if (!prefix.empty() && name.starts_with(prefix)) {
            return texts.LangText(text::kMacroPrefix) + std::string(name.substr(prefix.size()));
        }
    }
    return std::string(name);
}

// The first of `words` that `name` ends with, or empty. Only that trailing
// occurrence is replaced, so an earlier occurrence of the same word stays part
// of the name.
std::string_view TrailingWord(std::string_view name, std::span<const std::string_view> words) {
    for (std::string_view word : words) {
        if (!word.empty() && name.ends_with(word)) {
            return word;
        }
    }
    return {};
}

}  // namespace

std::string LocalisedMacroName(std::string_view stored, int language_id, const shell::LanguageTexts& texts) {
    for (const MacroNameRule& rule : kMacroNameRules) {
        if (rule.language != language_id) {
            continue;
        }
        std::string name = ReplacePrefix(stored, rule.prefixes, texts);
        const std::string_view word = TrailingWord(name, rule.copy_words);
        if (!word.empty()) {
            name.resize(name.size() - word.size());
            name += rule.copy_suffix;
        }
        return name;
    }
    return std::string(stored);
}

std::string MacroListName(std::string_view stored, const shell::LanguageTexts& texts) {
    std::string name = ReplacePrefix(stored, kMacroListPrefixes, texts);
    const std::string_view word = TrailingWord(name, kMacroListCopyWords);
    if (!word.empty()) {
        name.resize(name.size() - word.size());
        name += ' ';
        name += texts.LangText(text::kMacroCopy);
    }
    return name;
}

}  // namespace mousedeck::pages::buttons
