#pragma once

#include "protocol/notification.h"
#include "shell/app/app_context.h"
#include "shell/app/device_refresh.h"

namespace mousedeck::shell::app {

// Reads one report the mouse or its receiver sent on its own and brings the
// screen and the database in line with it. Runs on the device worker
// between tasks, never in the middle of a command sequence.
//   0xC2 the mouse changed its DPI stage: the stage count and the active
//        stage are stored and shown; nothing is sent (the mouse changed
//        already). A report that repeats what is shown changes nothing.
//   0xC0 the receiver's mouse connected (byte 1 = 1) or went away: the
//        connection caption, cards and views follow, and a reconnect reads
//        the mouse again; bytes 2, 3 go to the battery display when byte 2
//        is not 0.
class NotificationHandler {
public:
    NotificationHandler(const AppContext& context, DeviceRefresh& refresh);

    void Poll();

private:
    void OnDpiStage(const protocol::StageByte& stage, int device_type);
    void OnConnection(const protocol::Notification& report, int device_type);

    const AppContext& context_;
    DeviceRefresh& refresh_;
};

}  // namespace mousedeck::shell::app
