#pragma once

#include <chrono>
#include <memory>

#include "hid/device_manager.h"
#include "hid/hid_fixture.h"
#include "sim/simulated_hid_backend.h"
#include "sim/simulated_mouse.h"

namespace mousedeck::update::test {

// The simulated mouse (cable and receiver plugged in, firmware 0x0105,
// receiver 0x0102) behind a device manager that has enumerated it and made
// its type current.
struct SimRig {
    SimRig() : mouse(sim::DefaultProduct(), Options()), backend(mouse) { Open(); }

    static sim::SimOptions Options() {
        sim::SimOptions options;  // no log, no state file
        options.reply_latency = std::chrono::microseconds(200);
        return options;
    }
    // Enumerates again, as the application does after a plug event.
    void Open() {
        manager = std::make_unique<hid::DeviceManager>(backend, hid::test::FastTiming());
        for (const sim::SimMode& mode : mouse.product().modes) {
            manager->AddRule({mode.vendor_id, mode.product_id, mouse.product().device_type, mode.mode,
                              mouse.product().device_id});
        }
        manager->Enumerate();
        manager->SetCurrentDeviceType(mouse.product().device_type);
    }

    sim::SimulatedMouse mouse;
    sim::SimulatedHidBackend backend;
    std::unique_ptr<hid::DeviceManager> manager;
};

}  // namespace mousedeck::update::test
