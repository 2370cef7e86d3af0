#pragma once

#include <chrono>

#include "shell/app/app_context.h"
#include "shell/app/device_read_back.h"
#include "shell/app/page_refresher.h"
#include "shell/app/user_view.h"

namespace mousedeck::shell::app {

// The routines that follow the device situation: a start or an arrival, a
// removal, a card chosen behind the receiver, and the receiver reporting its
// mouse back. Each shows the stored settings first, then reads the mouse and
// shows them again. Device worker only.
//
// Results: kNothingSent when no interface of the current product is left,
// kNotAcknowledged when the mouse could not be read, else kAcknowledged.
class DeviceRefresh {
public:
    DeviceRefresh(const AppContext& context, PageRefresher& pages);

    // Tasks 1 and 2: the manager's rules from the catalogue, enumeration and
    // the saved product, then AfterConnect.
    TaskOutcome FindAndRead(std::chrono::milliseconds delay);
    // Tasks 1 and 2 after the enumeration: waits `delay`, selects the
    // product, ensures its profiles, shows every page, reads the mouse; on
    // success shows the pages again with the information page and runs the
    // firmware check (the routine of task 24, when one is registered).
    TaskOutcome AfterConnect(std::chrono::milliseconds delay);
    // Task 3.
    TaskOutcome AfterRemoval();
    // Task 4.
    TaskOutcome AfterSelection();
    // The receiver reported its mouse connected.
    void AfterReconnect();

private:
    bool ReadAndShow(ReadBackKind kind);

    const AppContext& context_;
    PageRefresher& pages_;
    DeviceReadBack read_back_;
};

}  // namespace mousedeck::shell::app
