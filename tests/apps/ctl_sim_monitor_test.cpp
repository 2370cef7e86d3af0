#include <csignal>
#include <functional>
#include <map>
#include <sstream>

#include "ctl_fixture.h"

namespace mousedeck::ctl::test {
namespace {

using nlohmann::json;

TEST_F(CtlTest, SimCommandsChangeTheStoredMouse) {
    const uint8_t stage = Mouse().StageByte();
    const int count = stage & 0x0F;
    const int next_index = ((stage >> 4) + 1) % count;
    const std::vector<std::pair<Words, std::function<bool(const sim::MouseState&)>>> cases = {
        {{"press-dpi"}, [&](const sim::MouseState& m) { return m.StageByte() >> 4 == next_index; }},
        {{"battery", "40"}, [](const sim::MouseState& m) { return m.battery[1] == 40; }},
        {{"sensor", "38"}, [](const sim::MouseState& m) { return m.sensor_code == 38; }},
        {{"max-rate", "4000"}, [](const sim::MouseState& m) { return m.highest_rate == 0x20; }},
        {{"mouse", "off"}, [](const sim::MouseState& m) { return !m.mouse_on; }},
        {{"cable", "unplug"}, [](const sim::MouseState& m) { return !m.cable_plugged; }},
        {{"receiver", "unplug"}, [](const sim::MouseState& m) { return !m.receiver_plugged; }},
    };
    for (const auto& [args, holds] : cases) {
        Words words{"sim"};
        words.insert(words.end(), args.begin(), args.end());
        SCOPED_TRACE(args.front());
        const json doc = SimJson(words);
        EXPECT_TRUE(holds(Mouse()));
        EXPECT_EQ(doc["simulated"]["mouse_on"], Mouse().mouse_on);
    }
}

TEST_F(CtlTest, SimCommandsRefuseWhatTheMouseCannotDo) {
    const CtlRun real = Run({"sim", "press-dpi"});
    EXPECT_EQ(real.exit_code, 2);
    EXPECT_NE(real.err.find("--simulate"), std::string::npos) << real.err;
    const std::vector<Words> cases = {
        {"sim", "battery", "101"}, {"sim", "max-rate", "16000"},
        {"sim", "cable", "pull"},  {"sim", "sensor", "256"},
        {"sim", "jump"},
    };
    for (const Words& words : cases) {
        SCOPED_TRACE(words[1]);
        EXPECT_EQ(Sim(words).exit_code, 2);
    }
    const CtlRun wired = Sim({"sim", "receiver", "plug"}, kC2);
    EXPECT_EQ(wired.exit_code, 2);
    EXPECT_NE(wired.err.find("no receiver"), std::string::npos) << wired.err;
}

TEST_F(CtlTest, DpiPressIsDeliveredToTheNextRun) {
    ASSERT_EQ(Sim({"sim", "press-dpi"}).exit_code, 0);
    ASSERT_EQ(Sim({"sim", "press-dpi"}).exit_code, 0);
    EXPECT_EQ(Mouse().owed.size(), 1u);  // the latest stage report waits for a host
    const int active = (Mouse().StageByte() >> 4) + 1;
    EXPECT_EQ(SimJson({"show"})["dpi"]["active"], active);
    EXPECT_TRUE(Mouse().owed.empty());
}

TEST_F(CtlTest, StateFileIsTheOneTheEnvironmentNames) {
    const auto named = home / "elsewhere.state";
    environment["MOUSEDECK_SIM_STATE"] = named.string();
    ASSERT_EQ(Sim({"sim", "battery", "33"}).exit_code, 0);
    EXPECT_NE(mousedeck::test::ReadFile(named).find("battery 00 21"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home / ".local/state/mousedeck"));
}

TEST_F(CtlTest, MonitorPrintsWhatTheMouseReportsUntilInterrupted) {
    ChildProcess monitor(mousedeck::test::ExecutableFolder() / "mousedeckctl",
                         {"--simulate", "--json", "monitor", "--seconds", "60"}, environment);
    ASSERT_TRUE(monitor.WaitForOutput("\"event\":\"start\"", std::chrono::seconds(30)));

    ASSERT_EQ(Sim({"sim", "press-dpi"}).exit_code, 0);
    const int stage = (Mouse().StageByte() >> 4) + 1;
    EXPECT_TRUE(monitor.WaitForOutput("\"event\":\"dpi_stage\"", std::chrono::seconds(20)));
    ASSERT_EQ(Sim({"sim", "cable", "unplug"}).exit_code, 0);
    EXPECT_TRUE(monitor.WaitForOutput("\"connection\":\"receiver\"", std::chrono::seconds(20)));
    monitor.Signal(SIGINT);
    const ChildResult result = monitor.Finish(std::chrono::seconds(20));
    EXPECT_EQ(result.exit_code, 0) << result.err;

    std::vector<json> lines;
    std::istringstream in(result.out);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(json::parse(line, nullptr, false));
        ASSERT_FALSE(lines.back().is_discarded()) << line;
    }
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.front()["connection"], "cable");
    bool dpi_seen = false;
    for (const json& line : lines) {
        dpi_seen = dpi_seen || (line.value("event", "") == "dpi_stage" && line["stage"] == stage);
    }
    EXPECT_TRUE(dpi_seen) << result.out;
    EXPECT_EQ(lines.back()["result"], "done");  // the closing document
}

TEST_F(CtlTest, MonitorFollowsTheMouseBehindItsReceiverOnceEachChange) {
    ASSERT_EQ(Sim({"sim", "cable", "unplug"}).exit_code, 0);
    ChildProcess monitor(mousedeck::test::ExecutableFolder() / "mousedeckctl",
                         {"--simulate", "--json", "monitor"}, environment);
    ASSERT_TRUE(monitor.WaitForOutput("\"event\":\"start\"", std::chrono::seconds(30)));
    ASSERT_EQ(Sim({"sim", "mouse", "off"}).exit_code, 0);
    EXPECT_TRUE(monitor.WaitForOutput("\"event\":\"mouse_lost\"", std::chrono::seconds(20)));
    ASSERT_EQ(Sim({"sim", "mouse", "on"}).exit_code, 0);
    EXPECT_TRUE(monitor.WaitForOutput("\"event\":\"mouse_back\"", std::chrono::seconds(20)));
    ASSERT_EQ(Sim({"sim", "battery", "35"}).exit_code, 0);
    EXPECT_TRUE(monitor.WaitForOutput("\"percent\":35", std::chrono::seconds(20)));
    monitor.Signal(SIGTERM);
    const ChildResult result = monitor.Finish(std::chrono::seconds(20));
    EXPECT_EQ(result.exit_code, 0) << result.err;

    std::map<std::string, int> events;
    std::istringstream in(result.out);
    for (std::string line; std::getline(in, line);) {
        const json object = json::parse(line, nullptr, false);
        ASSERT_FALSE(object.is_discarded()) << line;
        ++events[object.value("event", "")];
    }
    // A connection report that only brings a new battery level is no return.
    EXPECT_EQ(events["mouse_lost"], 1) << result.out;
    EXPECT_EQ(events["mouse_back"], 1) << result.out;
    EXPECT_EQ(events["battery"], 1) << result.out;
}

TEST_F(CtlTest, MonitorTakesOnlyAPositiveNumberOfSeconds) {
    for (const Words& words : {Words{"monitor", "--seconds", "0"}, Words{"monitor", "--seconds", "soon"},
                               Words{"monitor", "now"}}) {
        EXPECT_EQ(Sim(words).exit_code, 2) << words.back();
    }
}

}  // namespace
}  // namespace mousedeck::ctl::test
