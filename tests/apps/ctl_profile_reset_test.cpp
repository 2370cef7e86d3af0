#include <algorithm>

#include "ctl_fixture.h"
#include "protocol/dpi_codec.h"

namespace mousedeck::ctl::test {
namespace {

using nlohmann::json;

bool WroteAll(const std::vector<int>& commands, const std::vector<int>& wanted) {
    return std::all_of(wanted.begin(), wanted.end(), [&](int code) {
        return std::find(commands.begin(), commands.end(), code) != commands.end();
    });
}

TEST_F(CtlTest, ProfilesAreListedRenamedAndEachWritesItsOwnSettingsWhenUsed) {
    json doc = SimJson({"profile", "list"});
    ASSERT_EQ(doc["profiles"].size(), 4u);
    EXPECT_TRUE(doc["profiles"][0]["active"]);

    doc = SimJson({"profile", "rename", "2", "Gaming setup"});
    EXPECT_EQ(doc["result"], "done");
    EXPECT_EQ(doc["profiles"][1]["name"], "Gaming setup");

    ASSERT_EQ(Sim({"set", "report-rate", "250"}).exit_code, 0);  // profile 1
    TakeWrites();
    doc = SimJson({"profile", "use", "2"});
    EXPECT_EQ(doc["result"], "acknowledged");
    EXPECT_TRUE(doc["profiles"][1]["active"]);
    EXPECT_TRUE(WroteAll(TakeCommands(), {0x02, 0x03, 0x04, 0x06, 0x07, 0x09}));
    EXPECT_EQ(PayloadOf(0x02)[0], 0x01);  // profile 2 holds the product's 1000 Hz

    ASSERT_EQ(Sim({"profile", "use", "1"}).exit_code, 0);
    EXPECT_EQ(PayloadOf(0x02)[0], 0x04);  // and profile 1 its 250 Hz
    EXPECT_EQ(SimJson({"show"})["profile"]["number"], 1);
}

TEST_F(CtlTest, ProfileCommandsRefuseWhatTheyDoNotTake) {
    const std::vector<Words> cases = {
        {"profile", "use", "5"},    {"profile", "use", "0"},    {"profile", "rename", "1", ""},
        {"profile", "rename", "1"}, {"profile", "delete", "1"}, {"profile"},
    };
    for (const Words& words : cases) {
        SCOPED_TRACE(words.size() > 1 ? words[1] : "");
        const CtlRun run = Sim(words);
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_FALSE(run.err.empty());
    }
}

TEST_F(CtlTest, ResetsGiveBackTheProductDefaults) {
    const sim::SimProduct w1 = ShippedProduct(kW1);
    ASSERT_EQ(Sim({"set", "report-rate", "250"}).exit_code, 0);
    json doc = SimJson({"reset", "report-rate"});
    EXPECT_EQ(doc["report_rate"]["code"], w1.factory.report_rate);
    EXPECT_EQ(PayloadOf(0x02)[0], w1.factory.report_rate);

    ASSERT_EQ(Sim({"set", "dpi", "1", "5000"}).exit_code, 0);
    const CtlRun asked = Sim({"reset", "dpi"});
    EXPECT_EQ(asked.exit_code, 2);
    EXPECT_NE(asked.err.find(LanguageText(1033, 258)), std::string::npos) << asked.err;
    EXPECT_EQ(SimJson({"show"})["dpi"]["stages"][0]["dpi"], 5000);

    doc = SimJson({"reset", "dpi", "--yes"});
    EXPECT_EQ(doc["dpi"]["stages"][0]["dpi"], w1.factory.stage_dpi[0]);
    const sim::Payload stages = PayloadOf(0x03);
    EXPECT_EQ(stages[1] | (stages[2] << 8), protocol::EncodeStageDpi(0, w1.factory.stage_dpi[0]));
}

TEST_F(CtlTest, FactoryResetNeedsYesAndResetsTheMouse) {
    const sim::SimProduct w1 = ShippedProduct(kW1);
    ASSERT_EQ(Sim({"set", "debounce", "12"}).exit_code, 0);
    TakeWrites();

    const CtlRun asked = Sim({"reset"});
    EXPECT_EQ(asked.exit_code, 2);
    EXPECT_NE(asked.err.find(LanguageText(1033, 571)), std::string::npos) << asked.err;
    auto commands = TakeCommands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x0F), 0);

    const json doc = SimJson({"reset", "--yes"});
    EXPECT_EQ(doc["result"], "acknowledged");
    commands = TakeCommands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x0F), 1);
    EXPECT_EQ(PayloadOf(0x07)[3], w1.factory.debounce_ms);
    EXPECT_EQ(SimJson({"show"})["debounce_ms"], w1.factory.debounce_ms);
}

}  // namespace
}  // namespace mousedeck::ctl::test
