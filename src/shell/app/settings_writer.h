#pragma once

#include "protocol/command_sender.h"
#include "shell/app/app_context.h"
#include "shell/app/page_refresher.h"
#include "shell/app/user_view.h"

namespace mousedeck::shell::app {

// The task routines that send what the current profile stores: each builder
// reads the keys when it builds its frame, so the last stored value goes. A
// set command the mouse does not acknowledge runs the connection-state check
// (MarkReceiverConnected) and the routine goes on; nothing is retried.
// Device worker only.
class SettingsWriter {
public:
    SettingsWriter(const AppContext& context, PageRefresher& pages);

    // Task 6: the macro of the button just given one (0x08), then every
    // button function (0x09).
    TaskOutcome SendButtons();
    TaskOutcome SendLighting();       // task 8: 0x05 for the current effect
    TaskOutcome SendDpiStages();      // task 9: 0x03
    TaskOutcome SendDpiColours();     // task 10: 0x04
    TaskOutcome SendReportRate();     // task 11: 0x02
    TaskOutcome SendLiftSensor();     // task 12: 0x06
    TaskOutcome SendPowerDebounce();  // tasks 13 and 14: 0x07
    // Task 5, after a profile switch or import: shows the button,
    // performance and lighting pages of the current profile, then sends
    // 0x09, 0x05 (with lighting), 0x03, 0x04, 0x02, 0x06, 0x07 in that order;
    // one failure does not stop the others.
    TaskOutcome WriteAllSettings();

    // Combines outcomes: any unacknowledged command wins, then any sent one.
    static TaskOutcome Combine(TaskOutcome a, TaskOutcome b);

private:
    TaskOutcome Checked(protocol::SendResult result);

    const AppContext& context_;
    PageRefresher& pages_;
};

}  // namespace mousedeck::shell::app
