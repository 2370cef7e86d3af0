#include "pages/buttons/key_names.h"

#include <gtest/gtest.h>

#include "pages/buttons/key_name_table.h"
#include "pages/buttons/key_tables.h"

namespace mousedeck::pages::buttons {
namespace {

TEST(KeyNames, WordsNameKeys) {
    const struct {
        const char* word;
        int virtual_key;
        const char* name;
    } cases[] = {
        {"a", 0x41, "A"},
        {"Z", 0x5A, "Z"},
        {"0", 0x30, "0"},
        {"7", 0x37, "7"},
        {"f1", 0x70, "F1"},
        {"F12", 0x7B, "F12"},
        {"f13", 0x7C, "F13"},
        {"f24", 0x87, "F24"},
        {"num0", 0x60, "Num 0"},
        {"NUM9", 0x69, "Num 9"},
        {"num-enter", 0x6C, "Num Enter"},
        {"return", 0x0D, "Enter"},
        {"esc", 0x1B, "Esc"},
        {"page-up", 0x21, "Page Up"},
        {"pgdn", 0x22, "Page Down"},
        {"del", 0x2E, "Delete"},
        {"-", 0xBD, "-"},
        {"slash", 0xBF, "/"},
        {"lwin", 0x5B, "Windows"},
        {"windows", 0x5B, "Windows"},
        {"rwin", 0x5C, "RWindows"},
        {"rctrl", 0xA3, "RCtrl"},
        {"lshift", 0xA0, "Shift"},
        {"yen", 0x89, "\xEF\xBF\xA5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyCodeOfWord(c.word), c.virtual_key) << c.word;
        EXPECT_EQ(KeyNameOf(c.virtual_key), c.name) << c.word;
    }
}

TEST(KeyNames, UnknownWordsNameNoKey) {
    for (const char* word :
         {"", "f0", "f25", "f05", "f1x", "num", "num10", "num-1", "aa", "ctrl", "shift", "+", "é", "f-1"}) {
        EXPECT_EQ(KeyCodeOfWord(word), 0) << "'" << word << "'";
    }
    EXPECT_EQ(KeyWordOf(0), "");
    EXPECT_EQ(KeyNameOf(0xA6), "");
    EXPECT_EQ(KeyWordOf(-1), "");
}

// Every key that has a word has a usage, and its canonical word leads back
// to it, so a stored Keyboard key binding can always be written as words.
TEST(KeyNames, EveryNamedKeyHasAUsageAndItsWordRoundTrips) {
    int named = 0;
    for (int code = 0; code <= kMaxKeyCode; ++code) {
        const std::string word = KeyWordOf(code);
        if (word.empty()) {
            EXPECT_EQ(KeyNameOf(code), "") << code;
            continue;
        }
        ++named;
        EXPECT_NE(UsageOf(code), 0) << word;
        EXPECT_EQ(KeyCodeOfWord(word), code) << word;
        EXPECT_FALSE(KeyNameOf(code).empty()) << word;
        EXPECT_EQ(word.find('+'), std::string::npos) << "'+' joins combinations";
    }
    EXPECT_GT(named, 100);
    for (const NamedKey& key : kNamedKeys) {
        EXPECT_EQ(KeyCodeOfWord(key.word), key.virtual_key) << key.word << ": alias shadowed";
    }
}

}  // namespace
}  // namespace mousedeck::pages::buttons
