#include "commands.h"
#include "conclusion.h"
#include "hid/task_code.h"
#include "pages/profiles/profile_export.h"
#include "pages/profiles/profile_import.h"

namespace mousedeck::ctl {
namespace {

namespace profiles = pages::profiles;
using profiles::ProfileFileStatus;

std::string FileWords(ProfileFileStatus status) {
    switch (status) {
        case ProfileFileStatus::kOk:
            return "done";
        case ProfileFileStatus::kUnreadable:
            return "the file cannot be read";
        case ProfileFileStatus::kMalformed:
            return "the file is not a profile file (not well-formed XML, or no profile root)";
        case ProfileFileStatus::kNoSuchProfile:
            return "the current profile has no settings stored";
        case ProfileFileStatus::kWriteFailed:
            return "the file cannot be written";
        case ProfileFileStatus::kDatabaseFailed:
            return "the settings database refused the profile; it was left as it was";
    }
    return "";
}

void Fail(ProfileFileStatus status, Report& report) {
    const bool refused = status == ProfileFileStatus::kUnreadable || status == ProfileFileStatus::kMalformed;
    report.Fail(refused ? kExitUsage : kExitNotAcknowledged, FileWords(status));
}

}  // namespace

// profile export <file> and profile import <file>, on the current profile.
// An import replaces its settings, renames it after the file and writes
// everything to the mouse (task 5).
void RunProfileFile(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    if (args.size() != 2 || args[1].empty()) {
        UsageOf("profile", "profile " + args[0] + " takes one file", report);
        return;
    }
    const bool import = args[0] == "import";
    const std::string& file = args[1];
    const auto session = StartWithDevice(invocation, report);
    if (!session) {
        return;
    }
    auto& controller = session->Controller();
    const profiles::ProfileTarget target{controller.Database(), controller.CurrentProfile(),
                                         controller.Description().lighting};
    const devices::TextLookup text = [&session](int number) { return session->Texts().LangText(number); };
    report.Json()["file"] = file;
    report.Json()["profile"] = target.profile;
    if (!import) {
        const ProfileFileStatus status = profiles::ExportProfileFile(target, text, file);
        if (status != ProfileFileStatus::kOk) {
            Fail(status, report);
            return;
        }
        report.Line("profile " + std::to_string(target.profile) + " written to " + file);
        return;
    }
    ProfileFileStatus status = ProfileFileStatus::kOk;
    const ActionOutcome outcome = session->Perform([&](shell::app::PageActions&) {
        status = profiles::ImportProfileFile(target, file, text, session->View(), [&controller] {
            controller.PushTask(hid::kTaskWriteAllSettings);
        });
        return status == ProfileFileStatus::kOk;
    });
    if (status != ProfileFileStatus::kOk) {
        Fail(status, report);
        return;
    }
    report.Line("profile " + std::to_string(target.profile) + " read from " + file);
    Conclude(outcome, *session, report);
}

}  // namespace mousedeck::ctl
