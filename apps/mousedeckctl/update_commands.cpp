#include "commands.h"
#include "hid/task_code.h"
#include "update_session.h"

namespace mousedeck::ctl {
namespace {

using update::AppDownloadOutcome;
using update::UpdateState;

// What the check found, into the report; false (exit 1) without an answer.
bool ReportCheck(UpdateSession& run, Report& report) {
    auto& controller = run.Base().Controller();
    const std::string running = controller.Catalogue().Software().version;
    const std::string address = controller.Catalogue().Software().upgrade_url;
    auto& app = run.Service().App();
    auto& json = report.Json();
    json["version"] = running;
    json["latest_version"] = app.LatestVersion();
    if (address.empty()) {
        report.Fail(kExitNotAcknowledged, "the product data names no update server");
        return false;
    }
    switch (app.State()) {
        case UpdateState::kNewer:
            json["newer"] = true;
            report.Line("version " + app.LatestVersion() + " is available (this is " + running + ")");
            return true;
        case UpdateState::kUpToDate:
            json["newer"] = false;
            report.Line("this is the latest version (" + running + ")");
            return true;
        case UpdateState::kUnchecked:
            break;
    }
    report.Fail(kExitNotAcknowledged,
                "the update server " + address +
                    " did not answer with a version (not reachable, or no version there)");
    return false;
}

std::string_view DownloadWords(AppDownloadOutcome outcome) {
    switch (outcome) {
        case AppDownloadOutcome::kNoVersion:
            return "no version to download";
        case AppDownloadOutcome::kNoInstaller:
            return "the download failed or the archive holds no installer";
        case AppDownloadOutcome::kStartFailed:
            return "the installer could not be started";
        case AppDownloadOutcome::kInstallerStarted:
            return "the installer has started";
    }
    return "";
}

}  // namespace

void RunUpdate(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    const std::string what = args.empty() ? std::string() : args[0];
    const bool check = what == "check" && args.size() == 1;
    const bool install = what == "install" && args.size() == 1;
    if (!check && !install) {
        UsageOf("update", "update takes check or install --yes", report);
        return;
    }
    if (install && !invocation.yes) {
        UsageOf("update", "installing ends this program and starts the installer: confirm with --yes",
                report);
        return;
    }
    const auto run = UpdateSession::Start(invocation, report, false);
    if (!run) {
        return;
    }
    if (!run->Run(hid::kTaskCheckAppUpdate)) {
        report.Fail(kExitNotAcknowledged,
                    run->Interrupted() ? "interrupted" : "the check did not finish in time");
        return;
    }
    if (!ReportCheck(*run, report) || check) {
        return;
    }
    if (run->Service().App().State() != UpdateState::kNewer) {
        report.SetResult(kExitDone, "up to date");
        return;
    }
    const bool finished = run->Run(hid::kTaskDownloadApp);
    const AppDownloadOutcome outcome = run->Service().LastDownload();
    report.Json()["installer_started"] = outcome == AppDownloadOutcome::kInstallerStarted;
    if (!finished || outcome != AppDownloadOutcome::kInstallerStarted) {
        report.Fail(kExitNotAcknowledged,
                    finished ? std::string(DownloadWords(outcome)) : "the download did not finish");
        return;
    }
    report.Line(std::string(DownloadWords(outcome)));
}

}  // namespace mousedeck::ctl
