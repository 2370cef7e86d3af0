#pragma once

#include <array>
#include <string_view>

namespace mousedeck::pages::buttons {

// How a macro name stored in one language is shown in another: generated
// names begin with the word for "Custom" and copies end with the word for
// "Copy" in the language they were made in. For each interface language:
// the foreign prefixes that become language text 351, and the foreign copy
// words that become the language's own copy word. Tried in the order listed;
// empty entries are unused.
struct MacroNameRule {
    int language;  // LCID of the interface language
    std::array<std::string_view, 4> prefixes;
    std::array<std::string_view, 3> copy_words;
    // Put after the text before the copy word ("<text> 复制").
    std::string_view copy_suffix;
};

inline constexpr auto kMacroNameRules = std::to_array<MacroNameRule>({
    {2052, {"Custom", "自定義", "カスタム", "Пользоват"}, {"Copy", "複製", "Копировать"}, " 复制"},
    {1033, {"自定义", "自定義", "カスタム", "Пользоват"}, {"复制", "複製", "Копировать"}, " Copy"},
    {1028, {"自定义", "Custom", "カスタム", "Пользоват"}, {"复制", "Copy", "Копировать"}, " 複製"},
    {1041, {"自定义", "Custom", "自定義", "Пользоват"}, {"复制", "Copy", "Копировать"}, " 複製"},
    {1049, {"自定义", "Custom", "自定義", "カスタム"}, {"复制", "Copy", ""}, " Копировать"},
});

// The macro list shows names independently of the interface language: these
// prefixes become text 351 and these copy words text 31, first match wins.
inline constexpr std::array<std::string_view, 2> kMacroListPrefixes{"Custom", "自定义"};
inline constexpr std::array<std::string_view, 2> kMacroListCopyWords{"Copy", "复制"};

}  // namespace mousedeck::pages::buttons
