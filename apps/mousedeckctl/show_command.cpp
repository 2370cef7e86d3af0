#include "button_rows.h"
#include "commands.h"
#include "lighting_text.h"
#include "performance_text.h"
#include "profile_text.h"

namespace mousedeck::ctl {

void RunShow(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    if (!args.empty()) {
        UsageOf("show", "show takes no arguments", report);
        return;
    }
    const auto session = StartWithDevice(invocation, report);
    if (!session) {
        return;
    }
    PutCurrentProduct(*session, report);
    PutCurrentProfile(*session, report);
    PutPerformance(ReadPerformance(*session), *session, report);
    report.Line("Buttons:");
    PutButtons(ReadButtons(*session), report);
    PutLighting(ReadLighting(*session), *session, report);
    // A receiver answers for its mouse while the mouse is off; only the
    // mouse's own online byte says it was read.
    const auto& controller = session->Controller();
    if (!controller.DeviceConnected() || !controller.MouseIdentity().online) {
        report.Line("The mouse is not reachable; these are the settings stored for it.");
        report.SetResult(kExitNotAcknowledged, "not_connected");
    }
}

}  // namespace mousedeck::ctl
