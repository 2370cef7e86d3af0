#include <filesystem>

#include "commands.h"
#include "hid/task_code.h"
#include "update/local_image.h"
#include "update_session.h"

namespace mousedeck::ctl {
namespace {

using update::UpdateState;
using update::UpgradeResult;

// What a check found, into the report; false (exit 1) without an answer.
bool ReportCheck(UpdateSession& run, Report& report) {
    auto& firmware = run.Service().Firmware();
    const std::string mouse = firmware.MouseVersion();
    const std::string latest = firmware.LatestVersion();
    auto& json = report.Json();
    json["mouse_firmware"] = mouse;
    json["latest_firmware"] = latest;
    if (firmware.FirmwareAddress().empty()) {
        report.Fail(kExitNotAcknowledged, "this product names no firmware server");
        return false;
    }
    switch (firmware.State()) {
        case UpdateState::kNewer:
            json["newer"] = true;
            report.Line("newer firmware " + latest + " available (the mouse has " + mouse + ")");
            return true;
        case UpdateState::kUpToDate:
            json["newer"] = false;
            report.Line("the mouse has the latest firmware (" + mouse + ")");
            return true;
        case UpdateState::kUnchecked:
            break;
    }
    report.Fail(kExitNotAcknowledged,
                "the firmware server " + firmware.FirmwareAddress() +
                    " did not answer with a version (not reachable, or no version there)");
    return false;
}

std::string_view UpgradeWords(UpgradeResult result) {
    switch (result) {
        case UpgradeResult::kNone:
            return "the upgrade did not finish";
        case UpgradeResult::kNoImage:
            return "the firmware could not be downloaded or unpacked; nothing was written";
        case UpgradeResult::kImageRefused:
            return "the image is empty or too large; nothing was written";
        case UpgradeResult::kNoBootLoader:
            return "the mouse offers no boot-loader interface; nothing was written";
        case UpgradeResult::kBeginFailed:
            return "the mouse did not accept the start of the transfer; nothing was written";
        case UpgradeResult::kTransferFailed:
            return "the mouse did not accept the whole image; the transfer was ended";
        case UpgradeResult::kFlashed:
            return "the firmware was written";
    }
    return "";
}

void ReportUpgrade(UpdateSession& run, bool finished, Report& report) {
    const UpgradeResult result = run.Service().LastUpgrade();
    auto& json = report.Json();
    json["flashed"] = result == UpgradeResult::kFlashed;
    if (!finished) {
        report.Fail(kExitNotAcknowledged,
                    run.Interrupted() ? "interrupted" : "the upgrade did not finish in time");
        return;
    }
    if (result != UpgradeResult::kFlashed) {
        report.Fail(kExitNotAcknowledged, std::string(UpgradeWords(result)));
        return;
    }
    report.Line(std::string(UpgradeWords(result)) + "; 'mousedeckctl devices' shows the new version");
}

void FlashFile(UpdateSession& run, const std::string& file, Report& report) {
    const update::UpdateFolder folder(run.Base().Controller().Paths().DataFolder());
    std::optional<std::vector<uint8_t>> image = update::LoadLocalImage(file, folder);
    if (!image) {
        UsageOf("firmware",
                "'" + file + "' is neither a firmware image (1 byte to 1 MiB) nor a zip archive holding one",
                report);
        return;
    }
    report.Json()["image_bytes"] = image->size();
    const bool queued = run.Service().QueueLocalImage(std::move(*image));
    ReportUpgrade(run, queued && run.Wait(), report);
}

void FlashFromServer(UpdateSession& run, Report& report) {
    if (!run.Run(hid::kTaskCheckFirmware) || !ReportCheck(run, report)) {
        return;
    }
    if (run.Service().Firmware().State() != UpdateState::kNewer) {
        report.SetResult(kExitDone, "up to date");
        return;
    }
    ReportUpgrade(run, run.Run(hid::kTaskUpgradeFirmware), report);
}

}  // namespace

void RunFirmware(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    const std::string what = args.empty() ? std::string() : args[0];
    const bool check = what == "check" && args.size() == 1;
    const bool flash = what == "flash" && args.size() == 1;
    if (!check && !flash) {
        UsageOf("firmware", "firmware takes check, or flash --yes [--file <zip or image>]", report);
        return;
    }
    const std::optional<std::string> file = invocation.Option("file");
    if (check && file) {
        UsageOf("firmware", "firmware check takes no --file", report);
        return;
    }
    if (flash && !invocation.yes) {
        UsageOf("firmware", "writing firmware replaces the mouse's program: confirm with --yes", report);
        return;
    }
    if (file && (file->empty() || !std::filesystem::is_regular_file(*file))) {
        UsageOf("firmware", "no such file: '" + *file + "'", report);
        return;
    }
    const auto run = UpdateSession::Start(invocation, report, true);
    if (!run) {
        return;
    }
    if (check) {
        if (run->Run(hid::kTaskCheckFirmware)) {
            ReportCheck(*run, report);
        } else {
            report.Fail(kExitNotAcknowledged, "the check did not finish");
        }
    } else if (file) {
        FlashFile(*run, *file, report);
    } else {
        FlashFromServer(*run, report);
    }
}

}  // namespace mousedeck::ctl
