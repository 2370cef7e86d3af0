#include "commands.h"
#include "conclusion.h"
#include "pages/performance/value_words.h"
#include "profile_text.h"
#include "store/profile_setup.h"

namespace mousedeck::ctl {
namespace {

using shell::app::PageActions;

std::optional<int> ParseProfile(const std::string& word, Report& report) {
    const std::optional<int> number = pages::performance::ParseWholeNumber(word);
    if (!number || *number < 1 || *number > store::kProfileCount) {
        UsageOf("profile", "profile '" + word + "' is not one of 1-" + std::to_string(store::kProfileCount),
                report);
        return std::nullopt;
    }
    return number;
}

// The profile dialog opens only with a connected mouse, as in the GUI.
bool OpenProfiles(Session& session, Report& report) {
    const ActionOutcome outcome =
        session.Perform([](PageActions& actions) { return actions.OpenProfileList(); });
    if (outcome.accepted) {
        return true;
    }
    Conclude(outcome, session, report);
    if (!report.Failed()) {
        report.Fail(kExitNoDevice, session.Text(shell::app::kNoDeviceMessage, "The mouse is not connected"));
    }
    return false;
}

void ListProfiles(Session& session, Report& report) {
    auto& controller = session.Controller();
    nlohmann::ordered_json profiles = nlohmann::ordered_json::array();
    for (const store::ProfileEntry& entry : controller.Database().ListProfiles()) {
        const std::string name = ShownProfileName(session, entry.name);
        const bool active = entry.status == 1;
        profiles.push_back({{"number", entry.profile}, {"name", name}, {"active", active}});
        report.Line(std::string(active ? "* " : "  ") + std::to_string(entry.profile) + "  " + name);
    }
    report.Json()["profiles"] = profiles;
}

}  // namespace

void RunProfile(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    const std::string what = args.empty() ? std::string() : args[0];
    if (what == "export" || what == "import") {
        RunProfileFile(invocation, args, report);
        return;
    }
    const bool list = what == "list" && args.size() == 1;
    const bool use = what == "use" && args.size() == 2;
    const bool rename = what == "rename" && args.size() == 3;
    if (!list && !use && !rename) {
        UsageOf("profile",
                "profile takes list, use <1-4>, rename <1-4> <name>, export <file> or import <file>", report);
        return;
    }
    std::optional<int> profile;
    if (!list && !(profile = ParseProfile(args[1], report))) {
        return;
    }
    if (rename && args[2].empty()) {
        UsageOf("profile", "a profile name cannot be empty", report);
        return;
    }
    const auto session = StartWithDevice(invocation, report);
    if (!session || !OpenProfiles(*session, report)) {
        return;
    }
    if (list) {
        ListProfiles(*session, report);
        return;
    }
    const int number = *profile;
    const std::string name = rename ? args[2] : std::string();
    const ActionOutcome outcome = session->Perform([&](PageActions& actions) {
        return use ? actions.MakeProfileActive(number) : actions.RenameProfile(number, name);
    });
    ListProfiles(*session, report);
    Conclude(outcome, *session, report);
}

}  // namespace mousedeck::ctl
