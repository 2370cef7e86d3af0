#pragma once

#include "shell/app/app_context.h"

namespace mousedeck::shell::app {

enum class ReadBackKind {
    kFull,            // after a connection or a card choice
    kAfterReconnect,  // the receiver reported its mouse back: no battery reset,
                      // no firmware-version read
};

// Takes over what the mouse holds. Every call refreshes what the identity
// reply of the selected interface says (sensor and DPI limits, report-rate
// capability, battery, online). The first call per device type in this run
// then reads every setting into the current profile: 0x11, 0x12 report
// rate, 0x13 DPI stages, 0x14 DPI colours, 0x15 lighting, 0x16 lift-off and
// sensor, 0x17 power and debounce, and through the receiver 0x20 firmware
// version. A read that fails stores nothing and the others still run.
// Device worker only.
class DeviceReadBack {
public:
    explicit DeviceReadBack(const AppContext& context) : context_(context) {}

    // False when no interface is selected or the mouse behind the receiver
    // is not reachable; the connection-state check has then run.
    bool Read(ReadBackKind kind);

private:
    void ReadSettings(ReadBackKind kind, int sensor_code);

    const AppContext& context_;
};

}  // namespace mousedeck::shell::app
