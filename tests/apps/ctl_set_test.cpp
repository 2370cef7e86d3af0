#include <algorithm>

#include "ctl_fixture.h"
#include "protocol/dpi_codec.h"

namespace mousedeck::ctl::test {
namespace {

using nlohmann::json;

// What a set command leaves in the JSON document and in the mouse.
struct SetCase {
    Words words;          // after "set"
    std::string pointer;  // a member of the document
    json shown;           // its value: the normalised value
    int command;          // the set command the mouse must have received
    std::size_t byte;     // a byte of that command's stored payload
    int mask;
    int mouse;  // its value, masked
};

bool Wrote(const std::vector<int>& commands, int code) {
    return std::find(commands.begin(), commands.end(), code) != commands.end();
}

TEST_F(CtlTest, EverySettingIsStoredPrintedBackAndSentToTheMouse) {
    const std::vector<SetCase> cases = {
        {{"report-rate", "500"}, "/report_rate/hz", 500, 0x02, 0, 0xFF, 0x02},
        {{"report-rate", "125Hz"}, "/report_rate/hz", 125, 0x02, 0, 0xFF, 0x08},
        {{"dpi", "2", "1625"}, "/stage/dpi", 1600, 0x03, 5, 0xFF, protocol::EncodeStageDpi(0, 1600) & 0xFF},
        {{"dpi-count", "3"}, "/dpi/count", 3, 0x03, 0, 0x0F, 3},
        {{"dpi-active", "1"}, "/dpi/active", 1, 0x03, 0, 0xF0, 0x00},
        {{"dpi-colour", "1", "#00ff80"}, "/stage/colour", "#00FF80", 0x04, 2, 0xFF, 0x80},
        {{"lift-off", "2"}, "/lift_off_mm", 2, 0x06, 0, 0xFF, 2},
        {{"sensor", "on", "off", "on"}, "/sensor/flags", 4 + 16, 0x06, 2, 0xFF, 1},  // bit 4 in byte 7
        {{"sleep", "10"}, "/sleep/units", 60, 0x07, 0, 0xFF, 60},
        {{"wake-on-move", "off"}, "/wake_on_move", false, 0x07, 1, 0xFF, 0},
        {{"lights-off-on-move", "off"}, "/lights_off_on_move", false, 0x07, 2, 0xFF, 0},
        {{"debounce", "35"}, "/debounce_ms", 20, 0x07, 3, 0xFF, 20},
    };
    for (const SetCase& c : cases) {
        Words words{"set"};
        words.insert(words.end(), c.words.begin(), c.words.end());
        SCOPED_TRACE(words[1] + " " + words[2]);
        const json doc = SimJson(words);
        EXPECT_EQ(doc["result"], "acknowledged");
        EXPECT_EQ(doc[json::json_pointer(c.pointer)], c.shown);
        EXPECT_TRUE(Wrote(TakeCommands(), c.command));
        EXPECT_EQ(PayloadOf(static_cast<uint8_t>(c.command))[c.byte] & c.mask, c.mouse);
    }
}

TEST_F(CtlTest, NormalisedValuesSayWhatWasTyped) {
    const CtlRun run = Sim({"set", "debounce", "35"});
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_NE(run.out.find("20 ms"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("typed 35"), std::string::npos) << run.out;
    EXPECT_EQ(SimJson({"set", "dpi", "1", "400"}).count("typed"), 0u);  // nothing changed, nothing said
}

TEST_F(CtlTest, RefusedValuesSayWhatIsAcceptedAndReachNeitherProfileNorMouse) {
    const json before = SimJson({"show"});
    TakeWrites();
    const std::vector<std::pair<Words, std::string>> cases = {
        {{"report-rate", "8000"}, "125|250|500|1000"},
        {{"report-rate", "300"}, "125|250|500|1000"},
        {{"dpi", "7", "800"}, "1-6"},
        {{"dpi", "2", "fast"}, "fast"},
        {{"dpi-count", "0"}, "1-6"},
        {{"dpi-active", "9"}, "9"},
        {{"dpi-colour", "1", "#000000"}, "black"},
        {{"dpi-colour", "1", "red"}, "RRGGBB"},
        {{"lift-off", "3"}, "2"},
        {{"sensor", "on", "off"}, "<on|off> <on|off> <on|off>"},
        {{"sleep", "7"}, "1|2|5|6|10|20|30"},
        {{"wake-on-move", "maybe"}, "on"},
        {{"debounce", "x"}, "0-20"},
        {{"colour", "1"}, "report-rate"},
    };
    for (const auto& [values, accepted] : cases) {
        Words words{"set"};
        words.insert(words.end(), values.begin(), values.end());
        SCOPED_TRACE(words[1]);
        const CtlRun run = Sim(words);
        EXPECT_EQ(run.exit_code, 2) << run.out;
        EXPECT_NE(run.err.find(accepted), std::string::npos) << run.err;
    }
    for (const int code : TakeCommands()) {
        EXPECT_FALSE(code >= 0x02 && code <= 0x0F) << "set command " << code << " written";
    }
    const json after = SimJson({"show"});
    for (const char* member : {"report_rate", "dpi", "lift_off_mm", "sensor", "sleep", "debounce_ms"}) {
        EXPECT_EQ(after[member], before[member]) << member;
    }
}

TEST_F(CtlTest, ReportRatesOfferedFollowTheMousesCapability) {
    // Only a mouse reporting 8000 Hz is offered the rates above 1000 Hz;
    // one reporting 4000 Hz still gets the four basic rates.
    const std::vector<std::tuple<std::string, std::string, int>> cases = {
        {"8000", "8000", 0}, {"8000", "2000", 0}, {"4000", "4000", 2},
        {"none", "2000", 2}, {"4000", "1000", 0},
    };
    for (const auto& [highest, rate, exit_code] : cases) {
        SCOPED_TRACE(highest + " " + rate);
        ASSERT_EQ(Sim({"sim", "max-rate", highest}).exit_code, 0);
        const CtlRun run = Sim({"set", "report-rate", rate});
        EXPECT_EQ(run.exit_code, exit_code) << run.out << run.err;
    }
    EXPECT_EQ(PayloadOf(0x02)[0], 0x01);  // the last accepted rate, 1000 Hz
}

TEST_F(CtlTest, TypedDpiIsSteppedAndBoundedForTheMousesSensor) {
    const std::vector<std::tuple<int, std::string, int>> cases = {
        {4, "12345", 8000}, {4, "150", 100}, {37, "6700", 6000}, {38, "150", 200}, {0, "26049", 26000},
    };
    for (const auto& [sensor, typed, stored] : cases) {
        SCOPED_TRACE(std::to_string(sensor) + " " + typed);
        ASSERT_EQ(Sim({"sim", "sensor", std::to_string(sensor)}).exit_code, 0);
        const json doc = SimJson({"set", "dpi", "1", typed});
        EXPECT_EQ(doc["stage"]["dpi"], stored);
        EXPECT_EQ(doc["typed"], typed);
        const uint16_t code = protocol::EncodeStageDpi(sensor, stored);
        const sim::Payload stages = PayloadOf(0x03);
        EXPECT_EQ(stages[1] | (stages[2] << 8), code);
    }
}

TEST_F(CtlTest, ChangeTheMouseDidNotTakeIsKeptAndSentByTheNextRunThatReachesIt) {
    ASSERT_EQ(Sim({"sim", "cable", "unplug"}).exit_code, 0);
    ASSERT_EQ(Sim({"sim", "mouse", "off"}).exit_code, 0);
    const uint8_t before = PayloadOf(0x07)[3];

    const CtlRun refused = Sim({"set", "debounce", "9"});
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_NE(refused.out.find("kept and goes with the next write"), std::string::npos) << refused.out;
    const json doc = SimJson({"set", "sleep", "20"}, 1);
    EXPECT_EQ(doc["result"], "not_acknowledged");
    EXPECT_TRUE(doc["kept"]);
    EXPECT_EQ(PayloadOf(0x07)[3], before);

    const CtlRun unreachable = Sim({"show"});
    EXPECT_EQ(unreachable.exit_code, 1);
    EXPECT_NE(unreachable.out.find("not reachable"), std::string::npos);
    EXPECT_FALSE(SimJson({"devices"})["devices"][0]["online"]);

    // Back on: the next run reads the mouse's own settings back, then sends
    // what was kept, so neither change is lost.
    ASSERT_EQ(Sim({"sim", "mouse", "on"}).exit_code, 0);
    const json shown = SimJson({"show"});
    EXPECT_EQ(shown["resent"].size(), 2u);
    EXPECT_EQ(shown["debounce_ms"], 9);
    EXPECT_EQ(shown["sleep"]["minutes"], 20);
    EXPECT_EQ(PayloadOf(0x07)[3], 9);
    EXPECT_EQ(PayloadOf(0x07)[0], 120);
    EXPECT_FALSE(SimJson({"show"}).contains("resent"));  // sent once
}

TEST_F(CtlTest, KeptChangesAreSentAgainInTheOrderTheyWereMade) {
    ASSERT_EQ(Sim({"sim", "cable", "unplug"}).exit_code, 0);
    ASSERT_EQ(Sim({"sim", "mouse", "off"}).exit_code, 0);
    // A brightness belongs to the effect chosen before it.
    for (const Words& words :
         {Words{"lighting", "effect", "breathing"}, Words{"lighting", "brightness", "1"},
          Words{"lighting", "effect", "steady"}, Words{"button", "set", "3", "key", "ctrl+c"},
          Words{"set", "dpi", "1", "800"}, Words{"set", "dpi", "1", "900"}}) {
        EXPECT_EQ(Sim(words).exit_code, 1) << words[1];
    }
    ASSERT_EQ(Sim({"sim", "mouse", "on"}).exit_code, 0);

    const json shown = SimJson({"show"});
    EXPECT_EQ(shown["resent"].size(), 5u);  // the second DPI value made the first needless
    EXPECT_EQ(shown["lighting"]["effect"], "steady");
    EXPECT_EQ(shown["buttons"][3]["words"], "key ctrl+c");
    EXPECT_EQ(shown["dpi"]["stages"][0]["dpi"], 900);
    EXPECT_EQ(PayloadOf(0x05)[0], 3);
    const sim::Payload slots = PayloadOf(0x09);
    EXPECT_EQ((Bytes{slots[9], slots[10], slots[11]}), (Bytes{0x70, 0x01, 0x06}));  // Ctrl, usage of C
    EXPECT_EQ(SimJson({"lighting", "effect", "breathing"})["lighting"]["brightness"], 1);
}

}  // namespace
}  // namespace mousedeck::ctl::test
