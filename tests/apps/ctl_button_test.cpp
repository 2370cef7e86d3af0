#include <array>
#include <optional>

#include "ctl_fixture.h"

namespace mousedeck::ctl::test {
namespace {

using nlohmann::json;
using Slot = std::array<uint8_t, 3>;

// The three bytes the mouse stores for a key code (command 0x09 payload).
Slot SlotOf(const sim::Payload& payload, int key_code) {
    const auto at = static_cast<std::size_t>(3 * key_code);
    return {payload[at], payload[at + 1], payload[at + 2]};
}

TEST_F(CtlTest, ButtonListNamesEveryButtonOfTheProduct) {
    const json doc = SimJson({"button", "list"});
    ASSERT_EQ(doc["buttons"].size(), 6u);
    for (int key = 0; key < 6; ++key) {
        const json& button = doc["buttons"][static_cast<std::size_t>(key)];
        EXPECT_EQ(button["key_code"], key);
        EXPECT_EQ(button["name"], LanguageText(1033, 701 + key));
        EXPECT_TRUE(button["default"]);
    }
}

TEST_F(CtlTest, ButtonSetStoresTheFunctionAndSendsItsSlot) {
    struct Case {
        std::string button;
        Words function;
        int key_code;
        std::string words;  // the function as the list shows it
        std::optional<Slot> slot;
    };
    const std::vector<Case> cases = {
        {"3", {"key", "ctrl+alt+f5"}, 3, "key ctrl+alt+f5", Slot{0x70, 0x05, 0x3E}},
        {"rear-side-button", {"disable"}, 3, "disable", Slot{0x60, 0x00, 0x00}},
        {"4", {"fire", "10", "20"}, 4, "fire 10 20", Slot{0x30, 0x0A, 0x14}},
        {"Front-Side-Button", {"dpi", "up"}, 4, "dpi up", Slot{0x40, 0x02, 0x00}},
        {"1", {"mouse", "middle"}, 1, "mouse middle", Slot{0x10, 0x04, 0x00}},
        {"2", {"media", "mute"}, 2, "media mute", std::nullopt},
        {"2", {"shortcut", "copy"}, 2, "shortcut copy", std::nullopt},
    };
    for (const Case& c : cases) {
        Words words{"button", "set", c.button};
        words.insert(words.end(), c.function.begin(), c.function.end());
        SCOPED_TRACE(c.button + " " + c.words);
        const json doc = SimJson(words);
        EXPECT_EQ(doc["result"], "acknowledged");
        EXPECT_EQ(doc["button"]["key_code"], c.key_code);
        EXPECT_EQ(doc["button"]["words"], c.words);
        EXPECT_FALSE(doc["button"]["default"]);
        if (c.slot) {
            EXPECT_EQ(SlotOf(PayloadOf(0x09), c.key_code), *c.slot);
        }
    }
}

TEST_F(CtlTest, PrimaryButtonKeepsItsFunctionAndSaysWhy) {
    const sim::Payload before = PayloadOf(0x09);
    for (const Words& words :
         {Words{"button", "set", "0", "mouse", "right"}, Words{"button", "set", "left-button", "disable"}}) {
        const CtlRun run = Sim(words);
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_NE(run.err.find(LanguageText(1033, 177)), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(LanguageText(1033, 175)), std::string::npos) << run.err;
    }
    const json doc = SimJson({"button", "set", "0", "key", "a"}, 2);
    EXPECT_EQ(doc["refusal"]["title_text"], 177);
    EXPECT_EQ(doc["refusal"]["message_text"], 175);

    EXPECT_EQ(PayloadOf(0x09), before);
    EXPECT_TRUE(SimJson({"button", "list"})["buttons"][0]["default"]);
}

TEST_F(CtlTest, PrimaryButtonRefusalSpeaksTheLanguageChosenAtTheFirstRun) {
    environment["LC_ALL"] = "zh_CN.UTF-8";
    ASSERT_NE(LanguageText(2052, 175), LanguageText(1033, 175));
    const CtlRun chinese = Sim({"button", "set", "0", "disable"});
    EXPECT_EQ(chinese.exit_code, 2);
    EXPECT_NE(chinese.err.find(LanguageText(2052, 175)), std::string::npos) << chinese.err;
    // The choice is kept, as the GUI keeps it: a later run in another locale
    // still speaks it.
    environment["LC_ALL"] = "C";
    EXPECT_NE(Sim({"button", "set", "0", "disable"}).err.find(LanguageText(2052, 177)), std::string::npos);
}

TEST_F(CtlTest, ButtonSetRefusesUnknownButtonsFunctionsAndMacros) {
    const std::vector<std::pair<Words, std::string>> cases = {
        {{"9", "disable"}, "0 (left-button)"},   {{"thumb", "disable"}, "5 (dpi-button)"},
        {{"3", "jump"}, "a function is one of"}, {{"3", "mouse", "sideways"}, "mouse takes one of"},
        {{"3", "fire", "3", "3"}, "5-255"},      {{"3", "macro", "7"}, "no macro has id 7"},
        {{"3"}, "a button and a function"},
    };
    for (const auto& [args, accepted] : cases) {
        Words words{"button", "set"};
        words.insert(words.end(), args.begin(), args.end());
        SCOPED_TRACE(args.front());
        const CtlRun run = Sim(words);
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_NE(run.err.find(accepted), std::string::npos) << run.err;
    }
}

TEST_F(CtlTest, ButtonResetAsksThenGivesTheDefaultBack) {
    const Slot factory_back = SlotOf(PayloadOf(0x09), 3);
    const Slot factory_forward = SlotOf(PayloadOf(0x09), 4);
    ASSERT_EQ(Sim({"button", "set", "3", "disable"}).exit_code, 0);
    ASSERT_EQ(Sim({"button", "set", "4", "disable"}).exit_code, 0);

    const CtlRun asked = Sim({"button", "reset", "3"});
    EXPECT_EQ(asked.exit_code, 2);
    EXPECT_NE(asked.err.find(LanguageText(1033, 170)), std::string::npos) << asked.err;
    EXPECT_EQ(SlotOf(PayloadOf(0x09), 3), (Slot{0x60, 0x00, 0x00}));

    const json one = SimJson({"button", "reset", "rear-side-button", "--yes"});
    EXPECT_TRUE(one["button"]["default"]);
    EXPECT_EQ(SlotOf(PayloadOf(0x09), 3), factory_back);
    EXPECT_EQ(SlotOf(PayloadOf(0x09), 4), (Slot{0x60, 0x00, 0x00}));

    // The primary button can always be given its default back.
    EXPECT_EQ(Sim({"button", "reset", "0", "--yes"}).exit_code, 0);

    const json all = SimJson({"button", "reset", "--all", "--yes"});
    for (const json& button : all["buttons"]) {
        EXPECT_TRUE(button["default"]) << button["key_code"];
    }
    EXPECT_EQ(SlotOf(PayloadOf(0x09), 4), factory_forward);
    EXPECT_EQ(Sim({"button", "reset", "3", "--all"}).exit_code, 2);
}

}  // namespace
}  // namespace mousedeck::ctl::test
