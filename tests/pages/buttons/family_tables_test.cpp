#include <gtest/gtest.h>

#include <set>
#include <string>

#include "pages/buttons/dpi_functions.h"
#include "pages/buttons/key_names.h"
#include "pages/buttons/key_tables.h"
#include "pages/buttons/mouse_functions.h"
#include "pages/buttons/multimedia_functions.h"
#include "pages/buttons/shortcut_functions.h"
#include "pages/buttons/family6_functions.h"

namespace mousedeck::pages::buttons {
namespace {

// Values run 1..N in order, words are unique, and the button page's list
// offers each value at most once and only values of the table.
template <typename Table, typename List>
void ExpectWellFormed(const char* name, const Table& table, const List& list) {
    std::set<std::string_view> words;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].value, static_cast<int>(i) + 1) << name;
        if (!table[i].word.empty()) {
            EXPECT_TRUE(words.insert(table[i].word).second) << name << ": " << table[i].word;
        }
    }
    std::set<int> listed(list.begin(), list.end());
    EXPECT_EQ(listed.size(), list.size()) << name << ": a value listed twice";
    for (int value : list) {
        EXPECT_GE(value, 1) << name;
        EXPECT_LE(value, static_cast<int>(table.size())) << name;
    }
}

TEST(FamilyTables, AreWellFormed) {
    ExpectWellFormed("mouse", kMouseFunctions, kMouseFunctionList);
    ExpectWellFormed("multimedia", kMultimediaFunctions, kMultimediaList);
    ExpectWellFormed("shortcut", kShortcutFunctions, kShortcutList);
    ExpectWellFormed("dpi", kDpiFunctions, kDpiList);
    ExpectWellFormed("special", kSpecialFunctions, kSpecialList);
    EXPECT_EQ(kMultimediaList.size(), kMultimediaFunctions.size());
    EXPECT_EQ(kShortcutList.size(), kShortcutFunctions.size());
    EXPECT_EQ(kDpiList.size(), kDpiFunctions.size());
    for (const DpiFunction& entry : kDpiFunctions) {
        EXPECT_NE(entry.text != 0, !entry.fixed_caption.empty()) << "dpi " << entry.value << ": one caption";
    }
}

// The key chords of the Shortcut family are what a Keyboard key binding of
// the same keys would store.
TEST(FamilyTables, ShortcutChordsAreKeyboardChords) {
    const struct {
        int value;
        const char* key_word;
        int modifier_key;
    } chords[] = {
        {7, "d", 0x5B}, {8, "tab", 0x5B}, {9, "c", 0xA2}, {10, "v", 0xA2}, {11, "x", 0xA2},
    };
    for (const auto& chord : chords) {
        const ShortcutFunction& entry = kShortcutFunctions[static_cast<std::size_t>(chord.value - 1)];
        EXPECT_EQ(entry.consumer_usage, 0) << chord.value;
        EXPECT_EQ(entry.key_usage, UsageOf(KeyCodeOfWord(chord.key_word))) << chord.value;
        EXPECT_EQ(entry.modifier_mask, ModifierBitOf(chord.modifier_key)) << chord.value;
    }
    for (const ShortcutFunction& entry : kShortcutFunctions) {
        EXPECT_NE(entry.consumer_usage == 0, entry.key_usage == 0) << "value " << entry.value;
    }
}

}  // namespace
}  // namespace mousedeck::pages::buttons
