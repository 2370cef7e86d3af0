#include <algorithm>

#include "ctl_fixture.h"

namespace mousedeck::ctl::test {
namespace {

using nlohmann::json;

// Stored lighting payload (command 0x05 from byte 5): effect, brightness << 4
// | speed, then the colours as red, green, blue (after a count of 7 for an
// effect with seven colours).
struct LightingCase {
    Words words;  // after "lighting"
    std::string pointer;
    json shown;
    std::size_t byte;
    int mask;
    int mouse;
};

TEST_F(CtlTest, LightingChangesTheCurrentEffectAndEachEffectKeepsItsOwn) {
    const std::vector<LightingCase> cases = {
        {{"effect", "breathing"}, "/lighting/effect", "breathing", 0, 0xFF, 2},
        {{"brightness", "2"}, "/lighting/brightness", 2, 1, 0xF0, 0x20},
        {{"speed", "3"}, "/lighting/speed", 3, 1, 0x0F, 3},
        {{"colour", "#112233", "--slot", "3"}, "/lighting/colours/2", "#112233", 3 + 3 * 2 + 2, 0xFF, 0x33},
        {{"effect", "steady"}, "/lighting/effect", "steady", 0, 0xFF, 3},
        {{"colour", "#abcdef"}, "/lighting/colours/0", "#ABCDEF", 2, 0xFF, 0xAB},
        // Back to breathing: its own brightness and colours come back.
        {{"effect", "breathing"}, "/lighting/colours/2", "#112233", 1, 0xF0, 0x20},
        {{"effect", "off"}, "/lighting/effect", "off", 0, 0xFF, 0},
    };
    for (const LightingCase& c : cases) {
        Words words{"lighting"};
        words.insert(words.end(), c.words.begin(), c.words.end());
        SCOPED_TRACE(words[1] + " " + words[2]);
        const json doc = SimJson(words);
        EXPECT_EQ(doc["result"], "acknowledged");
        EXPECT_EQ(doc[json::json_pointer(c.pointer)], c.shown);
        EXPECT_EQ(PayloadOf(0x05)[c.byte] & c.mask, c.mouse);
    }
}

TEST_F(CtlTest, LightingRefusesWhatTheEffectOrProductDoesNotOffer) {
    ASSERT_EQ(Sim({"lighting", "effect", "steady"}).exit_code, 0);
    const sim::Payload before = PayloadOf(0x05);
    const std::vector<std::pair<Words, std::string>> cases = {
        {{"lighting", "speed", "1"}, "no speed"},
        {{"lighting", "colour", "#ABCDEF", "--slot", "2"}, "slot 1"},
        {{"lighting", "brightness", "5"}, "0-4"},
        {{"lighting", "effect", "disco"}, "flowing"},
        {{"lighting", "effect", "steady", "--slot", "1"}, "--slot"},
        {{"lighting", "glow"}, "effect, brightness"},
    };
    for (const auto& [words, accepted] : cases) {
        SCOPED_TRACE(words[1]);
        const CtlRun run = Sim(words);
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_NE(run.err.find(accepted), std::string::npos) << run.err;
    }
    EXPECT_EQ(PayloadOf(0x05), before);

    const CtlRun wired = Sim({"lighting", "effect", "off"}, kC2);
    EXPECT_EQ(wired.exit_code, 2);
    EXPECT_NE(wired.err.find("no lighting"), std::string::npos) << wired.err;
}

TEST_F(CtlTest, LightingResetAsksAndThenRestoresWhatTheMouseKeeps) {
    ASSERT_EQ(Sim({"lighting", "effect", "neon"}).exit_code, 0);
    TakeWrites();
    const CtlRun asked = Sim({"lighting", "reset"});
    EXPECT_EQ(asked.exit_code, 2);
    EXPECT_NE(asked.err.find(LanguageText(1033, 275)), std::string::npos) << asked.err;
    EXPECT_NE(asked.err.find("--yes"), std::string::npos);
    auto commands = TakeCommands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x0E), 0);

    const json doc = SimJson({"lighting", "reset", "--yes"});
    commands = TakeCommands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x0E), 1);
    const int factory_effect = ShippedProduct(kW1).factory.light_effect;
    EXPECT_EQ(doc["lighting"]["code"], factory_effect);
    EXPECT_EQ(PayloadOf(0x05)[0], factory_effect);
}

}  // namespace
}  // namespace mousedeck::ctl::test
