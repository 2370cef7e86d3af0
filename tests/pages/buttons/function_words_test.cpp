#include "pages/buttons/function_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "button_texts_fixture.h"
#include "pages/buttons/binding_description.h"
#include "pages/buttons/dpi_functions.h"
#include "pages/buttons/mouse_functions.h"
#include "pages/buttons/multimedia_functions.h"
#include "pages/buttons/shortcut_functions.h"
#include "pages/buttons/family6_functions.h"

namespace mousedeck::pages::buttons {
namespace {

using Words = std::vector<std::string>;

std::string Joined(const Words& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

TEST(ParseFunctionWords, NamesEveryFamily) {
    const struct {
        Words words;
        FunctionChoice choice;  // family, value, value2, caption text, caption
    } cases[] = {
        {{"mouse", "left"}, {1, 1, 0, 106, ""}},
        {{"mouse", "right"}, {1, 3, 0, 107, ""}},
        {{"mouse", "middle"}, {1, 2, 0, 108, ""}},
        {{"Mouse", "BACK"}, {1, 6, 0, 110, ""}},
        {{"mouse", "forward"}, {1, 5, 0, 109, ""}},
        {{"mouse", "wheel-up"}, {1, 7, 0, 112, ""}},
        {{"mouse", "wheel-down"}, {1, 8, 0, 113, ""}},
        {{"mouse", "fire"}, {1, 4, 0, 180, ""}},
        {{"mouse", "10"}, {1, 10, 0, 115, ""}},
        {{"key", "ctrl+alt+f5"}, {2, 0x3E, 0x05, 0, "Ctrl + Alt + F5"}},
        {{"key", "shift+a"}, {2, 0x04, 0x02, 0, "Shift + A"}},
        {{"key", "A+SHIFT"}, {2, 0x04, 0x02, 0, "Shift + A"}},
        {{"key", "alt+win+shift+ctrl+delete"}, {2, 0x4C, 0x0F, 0, "Shift + Ctrl + Win + Alt + Delete"}},
        {{"key", "ctrl+windows"}, {2, 0xE3, 0x01, 0, "Ctrl + Windows"}},
        {{"key", "control+super"}, {2, 0, 0x09, 0, "Ctrl + Win"}},
        {{"key", "num-enter"}, {2, 0x58, 0, 0, "Num Enter"}},
        {{"key", "rctrl"}, {2, 0xE4, 0, 0, "RCtrl"}},
        {{"key", "f24"}, {2, 0x73, 0, 0, "F24"}},
        {{"media", "volume-up"}, {3, 6, 0, 117, ""}},
        {{"media", "volume-down"}, {3, 7, 0, 118, ""}},
        {{"media", "mute"}, {3, 8, 0, 119, ""}},
        {{"media", "player"}, {3, 1, 0, 120, ""}},
        {{"media", "play-pause"}, {3, 2, 0, 121, ""}},
        {{"media", "stop"}, {3, 3, 0, 124, ""}},
        {{"media", "previous"}, {3, 4, 0, 122, ""}},
        {{"media", "next"}, {3, 5, 0, 123, ""}},
        {{"shortcut", "brightness-up"}, {8, 1, 0, 127, ""}},
        {{"shortcut", "brightness-down"}, {8, 2, 0, 128, ""}},
        {{"shortcut", "calculator"}, {8, 3, 0, 129, ""}},
        {{"shortcut", "computer"}, {8, 4, 0, 130, ""}},
        {{"shortcut", "home"}, {8, 5, 0, 131, ""}},
        {{"shortcut", "mail"}, {8, 6, 0, 132, ""}},
        {{"shortcut", "desktop"}, {8, 7, 0, 133, ""}},
        {{"shortcut", "switch-window"}, {8, 8, 0, 134, ""}},
        {{"shortcut", "copy"}, {8, 9, 0, 31, ""}},
        {{"shortcut", "paste"}, {8, 10, 0, 32, ""}},
        {{"shortcut", "cut"}, {8, 11, 0, 36, ""}},
        {{"dpi", "cycle"}, {5, 3, 0, 142, ""}},
        {{"dpi", "up"}, {5, 1, 0, 0, "DPI +"}},
        {{"dpi", "down"}, {5, 2, 0, 0, "DPI -"}},
        {{"special", "1"}, {6, 1, 0, 151, ""}},
        {{"special", "2"}, {6, 2, 0, 181, ""}},
        {{"fire", "5", "0"}, {7, 5, 0, 182, ""}},
        {{"fire", "255", "255"}, {7, 255, 255, 182, ""}},
        {{"fire", "050", "3"}, {7, 50, 3, 182, ""}},
        {{"macro", "7"}, {4, 7, 0, 0, ""}},
        {{"disable"}, {9, 1, 0, 139, ""}},
    };
    for (const auto& c : cases) {
        const FunctionWordsParse parsed = ParseFunctionWords(c.words);
        ASSERT_TRUE(parsed.choice.has_value()) << Joined(c.words) << ": " << parsed.error;
        EXPECT_EQ(*parsed.choice, c.choice) << Joined(c.words);
        EXPECT_TRUE(parsed.error.empty()) << Joined(c.words);
    }
}

TEST(ParseFunctionWords, RefusesWhatNoButtonCanCarry) {
    const struct {
        Words words;
        const char* error_part;  // the error names the fault or what is accepted
    } cases[] = {
        {{}, "mouse, key, media"},
        {{"teleport"}, "unknown function 'teleport'"},
        {{"mouse"}, "left|right|middle|forward|back|fire|wheel-up|wheel-down|1-10"},
        {{"mouse", "left", "twice"}, "mouse takes one of"},
        {{"mouse", "tilt"}, "unknown mouse function 'tilt'"},
        {{"mouse", "0"}, "unknown mouse function"},
        {{"mouse", "11"}, "unknown mouse function"},
        {{"mouse", "-1"}, "unknown mouse function"},
        {{"media", "louder"}, "volume-up|volume-down|mute|player|play-pause|previous|next|stop|1-8"},
        {{"shortcut", "12"}, "unknown shortcut function"},
        {{"dpi", "4"}, "cycle|up|down|1-3"},
        {{"special", "3"}, "special takes one of 1|2"},
        {{"special", "0"}, "special takes one of 1|2"},
        {{"fire", "4", "3"}, "out of range"},
        {{"fire", "256", "0"}, "out of range"},
        {{"fire", "5", "256"}, "out of range"},
        {{"fire", "5", "-1"}, "out of range"},
        {{"fire", "+5", "1"}, "out of range"},
        {{"fire", "x", "1"}, "out of range"},
        {{"fire", "99999999999", "1"}, "out of range"},
        {{"fire", "5"}, "parameter A 5-255 and parameter B 0-255"},
        {{"macro"}, "id of a macro"},
        {{"macro", "0"}, "id of a macro"},
        {{"macro", "-3"}, "id of a macro"},
        {{"macro", "abc"}, "id of a macro"},
        {{"macro", "99999999999"}, "id of a macro"},
        {{"disable", "now"}, "disable takes nothing"},
        {{"key"}, "one key combination"},
        {{"key", "ctrl", "a"}, "one key combination"},
        {{"key", ""}, "empty key combination"},
        {{"key", "+"}, "empty part"},
        {{"key", "ctrl++a"}, "empty part"},
        {{"key", "ctrl+"}, "empty part"},
        {{"key", "a+b"}, "two keys 'a' and 'b'"},
        {{"key", "ctrl+ctrl+a"}, "'ctrl' given twice"},
        {{"key", "ctrl+control"}, "'control' given twice"},
        {{"key", "hyper+a"}, "unknown key 'hyper'"},
        {{"key", "f25"}, "unknown key 'f25'"},
    };
    for (const auto& c : cases) {
        const FunctionWordsParse parsed = ParseFunctionWords(c.words);
        EXPECT_FALSE(parsed.choice.has_value()) << Joined(c.words);
        EXPECT_NE(parsed.error.find(c.error_part), std::string::npos)
            << Joined(c.words) << " gave: " << parsed.error;
    }
}

// Every stored value that has words reads back to the same values, so the
// command line can show any binding in a form it accepts.
TEST(FunctionWordsOf, ReadsBackToTheSameValues) {
    struct Value {
        int family, value, value2;
    };
    std::vector<Value> values;
    for (const auto& entry : kMouseFunctions)
        values.push_back({1, entry.value, 0});
    for (const auto& entry : kMultimediaFunctions)
        values.push_back({3, entry.value, 0});
    for (const auto& entry : kShortcutFunctions)
        values.push_back({8, entry.value, 0});
    for (const auto& entry : kDpiFunctions)
        values.push_back({5, entry.value, 0});
    for (int value : kSpecialList)
        values.push_back({6, value, 0});
    for (int usage = 0; usage <= 0xFF; ++usage) {
        values.push_back({2, usage, usage % 16});  // every usage with some toggle masks
    }
    values.insert(values.end(), {{7, 5, 0}, {7, 255, 255}, {7, 50, 3}, {4, 1, 0}, {4, 123456, 0}, {9, 1, 0}});

    int keyboard_values_with_words = 0;
    for (const Value& v : values) {
        const std::vector<std::string> words = FunctionWordsOf(v.family, v.value, v.value2);
        if (v.family == 2 && words.empty()) {
            continue;  // usages without a key word
        }
        keyboard_values_with_words += v.family == 2 ? 1 : 0;
        ASSERT_FALSE(words.empty()) << v.family << "/" << v.value;
        const FunctionWordsParse parsed = ParseFunctionWords(words);
        ASSERT_TRUE(parsed.choice.has_value()) << Joined(words) << ": " << parsed.error;
        EXPECT_EQ(parsed.choice->family, v.family) << Joined(words);
        EXPECT_EQ(parsed.choice->value, v.value) << Joined(words);
        EXPECT_EQ(parsed.choice->value2, v.value2) << Joined(words);
    }
    EXPECT_GT(keyboard_values_with_words, 100);
}

TEST(FunctionWordsOf, CanonicalWordsAndValuesWithoutWords) {
    const struct {
        int family, value, value2;
        const char* words;
    } cases[] = {
        {2, 0x3E, 0x05, "key ctrl+alt+f5"},
        {2, 0, 0x0F, "key shift+ctrl+win+alt"},
        {2, 0xE3, 0x01, "key ctrl+lwin"},
        {1, 9, 0, "mouse 9"},
        {6, 4, 0, "special 4"},  // shown, though it cannot be chosen
        {5, 1, 0, "dpi up"},
        // No words.
        {1, 0, 0, ""},
        {1, 11, 0, ""},
        {2, 0, 0, ""},
        {2, 0x04, 0x10, ""},  // right Ctrl bit: no modifier word
        {2, 0xEC, 0, ""},     // extra code 301: no key word
        {2, 0x100, 0, ""},
        {3, 9, 0, ""},
        {4, 0, 0, ""},
        {5, 4, 0, ""},
        {6, 7, 0, ""},
        {7, 4, 3, ""},
        {7, 5, 256, ""},
        {8, 0, 0, ""},
        {9, 0, 0, ""},
        {0, 1, 0, ""},
        {10, 1, 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Joined(FunctionWordsOf(c.family, c.value, c.value2)), c.words)
            << c.family << "/" << c.value << "/" << c.value2;
    }
}

using FunctionCaptionTest = ButtonTextsTest;

TEST_F(FunctionCaptionTest, CaptionsAreStoredAndShownAsTheButtonPageDoes) {
    const struct {
        Words words;
        const char* caption;  // stored as the description
        const char* shown;    // DescribeBinding of the stored binding
    } cases[] = {
        {{"shortcut", "cut"}, "Cut", "Cut"},
        {{"media", "mute"}, "Mute", "Mute"},
        {{"mouse", "right"}, "Right click", "Right click"},
        {{"dpi", "up"}, "DPI +", "DPI +"},
        {{"dpi", "cycle"}, "DPI cycle", "DPI cycle"},
        {{"special", "2"}, "Lighting cycle", "Lighting cycle"},
        {{"key", "ctrl+alt+f5"}, "Ctrl + Alt + F5", "Ctrl + Alt + F5"},
        {{"fire", "50", "3"}, "Rapid fire settings", "Rapid fire"},
        {{"disable"}, "Disabled", "Disabled"},
        {{"macro", "3"}, "", ""},
    };
    for (const auto& c : cases) {
        const FunctionWordsParse parsed = ParseFunctionWords(c.words);
        ASSERT_TRUE(parsed.choice.has_value()) << Joined(c.words);
        const std::string caption = CaptionOf(*parsed.choice, texts);
        EXPECT_EQ(caption, c.caption) << Joined(c.words);
        const store::ButtonBinding binding = BindingFor(2, 4, *parsed.choice, caption);
        EXPECT_EQ(binding.profile, 2);
        EXPECT_EQ(binding.key_code, 4);
        EXPECT_EQ(binding.fn_layer, 0);
        EXPECT_EQ(binding.macro_type, parsed.choice->family);
        EXPECT_EQ(binding.macro_value, parsed.choice->value);
        EXPECT_EQ(binding.macro_value2, parsed.choice->value2);
        EXPECT_EQ(DescribeBinding(binding, texts, 1033), c.shown) << Joined(c.words);
    }
}

}  // namespace
}  // namespace mousedeck::pages::buttons
