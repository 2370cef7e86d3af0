#include "pages/buttons/macro_names.h"

#include <gtest/gtest.h>

#include "button_texts_fixture.h"

namespace mousedeck::pages::buttons {
namespace {

using MacroNamesTest = ButtonTextsTest;

TEST_F(MacroNamesTest, LocalisedNameReplacesForeignPrefixesAndCopyWords) {
    const struct {
        int language;
        const char* stored;
        const char* shown;
    } cases[] = {
        {1033, "自定义 2 复制", "Custom 2  Copy"},
        {1033, "カスタム 7", "Custom 7"},
        {1033, "Пользоват 1", "Custom 1"},
        {1033, "Custom 2", "Custom 2"},  // the language's own words stay
        {1033, "Macro Копировать", "Macro  Copy"},
        {2052, "Custom 3 Copy", "自定义 3  复制"},
        {2052, "自定义 3", "自定义 3"},
        {2052, "custom 3", "custom 3"},  // case-sensitive
        {1028, "Custom 1", "自訂 1"},
        {1028, "自定义 1 复制", "自訂 1  複製"},
        {1041, "自定義 4 Copy", "カスタム 4  複製"},
        {1041, "カスタム 4", "カスタム 4"},
        {1049, "Custom 5 复制", "Пользовательский 5  Копировать"},
        {1049, "Name Копировать", "Name Копировать"},  // not a foreign word in Russian
        {1042, "Custom 1 Copy", "Custom 1 Copy"},      // no rules: as stored
        {1033, "My 自定义", "My 自定义"},              // prefix only at the start
        {1033, "复制 of a macro", "复制 of a macro"},  // copy word only at the end
        {1033, "", ""},
    };
    for (const auto& c : cases) {
        Use(c.language);
        EXPECT_EQ(LocalisedMacroName(c.stored, c.language, texts), c.shown)
            << c.language << " '" << c.stored << "'";
    }
}

TEST_F(MacroNamesTest, ListNameIsTheSameInEveryLanguageButUsesItsTexts) {
    const struct {
        const char* stored;
        const char* shown_1033;
        const char* shown_2052;
    } cases[] = {
        {"Custom 3", "Custom 3", "自定义 3"},
        {"自定义 3", "Custom 3", "自定义 3"},
        {"Custom 3 Copy", "Custom 3  Copy", "自定义 3  复制"},
        {"Custom 3 复制", "Custom 3  Copy", "自定义 3  复制"},
        {"カスタム 3", "カスタム 3", "カスタム 3"},  // only "Custom" and "自定义" are replaced
        {"Mine", "Mine", "Mine"},
        {"Copy", " Copy", " 复制"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        Use(1033);
        EXPECT_EQ(MacroListName(c.stored, texts), c.shown_1033) << c.stored;
        Use(2052);
        EXPECT_EQ(MacroListName(c.stored, texts), c.shown_2052) << c.stored;
    }
}

// Only the copy word at the end is replaced: the name before it, even when
// it holds the same word, stays whole.
TEST_F(MacroNamesTest, AnEarlierCopyWordKeepsTheNameBeforeTheTrailingOne) {
    Use(2052);
    EXPECT_EQ(LocalisedMacroName("Copy of Copy", 2052, texts), "Copy of  复制");
    Use(1033);
    EXPECT_EQ(LocalisedMacroName("复制 then 复制", 1033, texts), "复制 then  Copy");
    EXPECT_EQ(MacroListName("Copy me Copy", texts), "Copy me  Copy");
    EXPECT_EQ(MacroListName("CopyCopy", texts), "Copy Copy");
}

}  // namespace
}  // namespace mousedeck::pages::buttons
