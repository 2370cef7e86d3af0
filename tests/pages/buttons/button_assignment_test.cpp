#include "pages/buttons/button_assignment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "button_texts_fixture.h"
#include "pages/buttons/function_words.h"

namespace mousedeck::pages::buttons {
namespace {

using Words = std::vector<std::string>;

// The wireless demo's buttons: key code, name text, default function.
const std::vector<devices::DescriptionButton> kButtons = {
    {701, 0, 0, 0, 0, 0, 106, 1, 1}, {702, 1, 0, 0, 0, 0, 107, 1, 3}, {703, 2, 0, 0, 0, 0, 108, 1, 2},
    {704, 3, 0, 0, 0, 0, 110, 1, 6}, {705, 4, 0, 0, 0, 0, 109, 1, 5}, {706, 5, 0, 0, 0, 0, 142, 5, 3},
};

class ButtonAssignmentTest : public ButtonTextsTest {
protected:
    static FunctionChoice Choice(const Words& words) {
        const FunctionWordsParse parse = ParseFunctionWords(words);
        EXPECT_TRUE(parse.choice.has_value()) << parse.error;
        return parse.choice.value_or(FunctionChoice{});
    }
};

TEST_F(ButtonAssignmentTest, PrimaryButtonRefusesEveryFunction) {
    const Words choices[] = {{"mouse", "right"},   {"mouse", "left"}, {"key", "shift+a"}, {"media", "mute"},
                             {"shortcut", "copy"}, {"dpi", "cycle"},  {"special", "1"},   {"fire", "50", "3"},
                             {"macro", "3"},       {"disable"}};
    for (const Words& words : choices) {
        const Assignment assignment = AssignFunction(1, kPrimaryKeyCode, Choice(words), texts, "Custom 1");
        EXPECT_EQ(assignment.outcome, AssignmentOutcome::kRefused) << words[0];
        EXPECT_EQ(assignment.refusal, (Refusal{177, 175})) << words[0];
        EXPECT_EQ(assignment.binding, store::ButtonBinding{}) << words[0];
    }
    // Refused before the key capture's "nothing chosen" is even looked at.
    EXPECT_EQ(AssignFunction(1, 0, FunctionChoice{2, 0, 0, 0, ""}, texts).outcome,
              AssignmentOutcome::kRefused);

    EXPECT_EQ(CheckReassignable(0), (Refusal{177, 175}));
    for (const devices::DescriptionButton& button : kButtons) {
        if (button.key_value != kPrimaryKeyCode) {
            EXPECT_EQ(CheckReassignable(button.key_value), std::nullopt) << button.key_value;
        }
    }
}

TEST_F(ButtonAssignmentTest, OtherButtonsStoreTheFunctionWithItsCaption) {
    const struct {
        Words words;
        int family;
        int value;
        int value2;
        std::string description;
    } cases[] = {
        {{"media", "mute"}, 3, 8, 0, "Mute"},
        {{"mouse", "left"}, 1, 1, 0, "Left click"},
        {{"key", "ctrl+windows"}, 2, 0xE3, 0x01, "Ctrl + Windows"},
        {{"key", "ctrl+shift"}, 2, 0, 0x03, "Shift + Ctrl"},
        {{"shortcut", "copy"}, 8, 9, 0, "Copy"},
        {{"dpi", "up"}, 5, 1, 0, "DPI +"},
        {{"special", "2"}, 6, 2, 0, "Lighting cycle"},
        {{"fire", "50", "3"}, 7, 50, 3, "Rapid fire settings"},
        {{"disable"}, 9, 1, 0, "Disabled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words[0]);
        const Assignment assignment = AssignFunction(2, 3, Choice(c.words), texts);
        ASSERT_EQ(assignment.outcome, AssignmentOutcome::kStore);
        store::ButtonBinding expected;
        expected.profile = 2;
        expected.key_code = 3;
        expected.macro_type = c.family;
        expected.macro_value = c.value;
        expected.macro_value2 = c.value2;
        expected.macro_desc = c.description;
        EXPECT_EQ(assignment.binding, expected);
    }
}

TEST_F(ButtonAssignmentTest, MacroIsDescribedByItsListName) {
    Use(2052);
    const Assignment assignment = AssignFunction(1, 4, Choice({"macro", "7"}), texts, "Custom 3");
    ASSERT_EQ(assignment.outcome, AssignmentOutcome::kStore);
    EXPECT_EQ(assignment.binding.macro_type, 4);
    EXPECT_EQ(assignment.binding.macro_value, 7);
    EXPECT_EQ(assignment.binding.macro_desc, "自定义 3");
}

TEST_F(ButtonAssignmentTest, ChoicesNamingNoFunctionStoreNothing) {
    // Stored, any of these would only remove the button's row: a reset nobody asked for.
    const FunctionChoice choices[] = {
        {2, 0, 0, 0, ""},    // key capture with neither a key nor a toggle
        {4, 0, 0, 0, ""},    // macro 0
        {1, 0, 0, 106, ""},  // mouse function 0
        {0, 3, 0, 0, "?"},   // no family
        {10, 1, 0, 0, "?"},  // unknown family
    };
    for (const FunctionChoice& choice : choices) {
        const Assignment assignment = AssignFunction(1, 3, choice, texts);
        EXPECT_EQ(assignment.outcome, AssignmentOutcome::kNothing) << choice.family;
        EXPECT_EQ(assignment.binding, store::ButtonBinding{}) << choice.family;
    }
}

TEST_F(ButtonAssignmentTest, ResetRestoresTheDescriptionsDefault) {
    EXPECT_EQ(DefaultFunctionOf(kButtons, 0), (DefaultFunction{1, 1, 106}));
    EXPECT_EQ(DefaultFunctionOf(kButtons, 3), (DefaultFunction{1, 6, 110}));
    EXPECT_EQ(DefaultFunctionOf(kButtons, 5), (DefaultFunction{5, 3, 142}));
    EXPECT_EQ(DefaultFunctionOf(kButtons, 6), std::nullopt);
    EXPECT_EQ(DefaultFunctionOf({}, 0), std::nullopt);
}

TEST_F(ButtonAssignmentTest, ButtonsAreFoundByKeyCodeOrName) {
    WriteLanguage(1033,
                  "701=Left button\n702=Right button\n703=Wheel button\n704=Rear side button\n"
                  "705=Front side button\n706=DPI button\n");
    const struct {
        std::string word;
        int key_code;  // -1: not found
    } cases[] = {
        {"0", 0},           {"5", 5},           {"05", 5},
        {"left-button", 0}, {"Left Button", 0}, {"REAR-SIDE-BUTTON", 3},
        {"dpi-button", 5},  {"6", -1},          {"-1", -1},
        {"left", -1},       {"", -1},           {"button", -1},
    };
    for (const auto& c : cases) {
        const ButtonLookup lookup = FindButton(kButtons, c.word, texts);
        EXPECT_EQ(lookup.button ? lookup.button->key_value : -1, c.key_code) << "'" << c.word << "'";
        EXPECT_EQ(lookup.error.empty(), lookup.button.has_value()) << "'" << c.word << "'";
    }
    EXPECT_EQ(FindButton(kButtons, "left", texts).error,
              "unknown button 'left'; this mouse has 0 (left-button), 1 (right-button), 2 (wheel-button), "
              "3 (rear-side-button), 4 (front-side-button), 5 (dpi-button)");
    EXPECT_EQ(FindButton({}, "0", texts).error, "no buttons are known for this mouse");
    EXPECT_EQ(ButtonWord("Front side button"), "front-side-button");
}

}  // namespace
}  // namespace mousedeck::pages::buttons
