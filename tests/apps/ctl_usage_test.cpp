#include "ctl_fixture.h"

namespace mousedeck::ctl::test {
namespace {

using nlohmann::json;

TEST_F(CtlTest, HelpNamesEveryCommandAndEachCommandHasItsOwn) {
    const CtlRun program = Run({"--help"});
    EXPECT_EQ(program.exit_code, 0);
    for (const char* command :
         {"devices", "show", "set", "reset", "lighting", "button", "profile", "monitor", "sim"}) {
        EXPECT_NE(program.out.find(std::string("  ") + command), std::string::npos) << command;
        const CtlRun own = Run({command, "--help"});
        EXPECT_EQ(own.exit_code, 0) << command;
        EXPECT_TRUE(own.out.starts_with("Usage: mousedeckctl")) << own.out;
        const std::string first_line = own.out.substr(0, own.out.find('\n'));
        EXPECT_NE((first_line + " ").find(std::string(" ") + command + " "), std::string::npos) << first_line;
    }
    const CtlRun version = Run({"--version"});
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_TRUE(version.out.starts_with("mousedeckctl ")) << version.out;
    const CtlRun set = Run({"help", "set"});
    EXPECT_EQ(set.out, Run({"set", "--help"}).out);
    EXPECT_NE(set.out.find("report-rate <125|250|500|1000|2000|4000|8000>"), std::string::npos);
}

TEST_F(CtlTest, UsageErrorsEndWithExitTwoAndSayWhatIsAccepted) {
    const std::vector<std::pair<Words, std::string>> cases = {
        {{}, "a command is needed"},
        {{"frobnicate"}, "unknown command"},
        {{"--verbose", "show"}, "unknown option"},
        {{"--simulate=abc", "show"}, "device type"},
        {{"--simulate=999", "show"}, "101"},
        {{"show", "everything"}, "no arguments"},
        {{"devices", "--slot", "2"}, "no --slot"},
        {{"set", "dpi", "--all", "1", "400"}, "no --all"},
        {{"set"}, "report-rate"},
        {{"set", "dpi", "1"}, "<stage 1-6> <value>"},
        {{"lighting", "colour"}, "one value"},
        {{"lighting", "colour", "#123456", "--slot"}, "needs a value"},
        {{"reset", "everything"}, "dpi, report-rate"},
        {{"button"}, "list, set"},
    };
    for (const auto& [words, accepted] : cases) {
        Words all{"--simulate"};
        all.insert(all.end(), words.begin(), words.end());
        SCOPED_TRACE(words.empty() ? "" : words.front());
        const CtlRun run = Run(words.empty() || words.front().starts_with("--simulate") ? words : all);
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_NE(run.err.find(accepted), std::string::npos) << run.err;
    }
}

TEST_F(CtlTest, JsonOutputIsOneDocumentAlsoForErrors) {
    const json error = SimJson({"set", "sleep", "7"}, 2);
    EXPECT_EQ(error["result"], "usage");
    EXPECT_EQ(error["exit_code"], 2);
    EXPECT_NE(error["error"].get<std::string>().find("1|2|5"), std::string::npos);

    const json done = SimJson({"set", "sleep", "5"});
    EXPECT_EQ(done["command"], "set");
    EXPECT_EQ(done["exit_code"], 0);
    EXPECT_TRUE(done["acknowledged"]);
    EXPECT_FALSE(done.contains("error"));
}

}  // namespace
}  // namespace mousedeck::ctl::test
