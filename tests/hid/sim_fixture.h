#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "hid/device_manager.h"
#include "hid_fixture.h"
#include "sim/simulated_hid_backend.h"
#include "sim/simulated_mouse.h"

namespace mousedeck::hid::test {

// The simulated mouse with cable and receiver plugged in, its rules from its
// own product description, and a manager enumerated with its type current.
class SimFixture : public ::testing::Test {
protected:
    static sim::SimOptions QuietOptions() {
        sim::SimOptions options;  // no log, no state file
        return options;
    }
    explicit SimFixture(sim::SimProduct product = sim::DefaultProduct())
        : mouse(std::move(product), QuietOptions()), backend(mouse) {}

    void AddRules(DeviceManager& m) const {
        for (const sim::SimMode& mode : mouse.product().modes) {
            m.AddRule({mode.vendor_id, mode.product_id, mouse.product().device_type, mode.mode,
                       mouse.product().device_id});
        }
    }
    DeviceManager& Open(ExchangeTiming timing = FastTiming()) {
        manager = std::make_unique<DeviceManager>(backend, timing);
        AddRules(*manager);
        manager->Enumerate();
        manager->SetCurrentDeviceType(mouse.product().device_type);
        return *manager;
    }
    int Type() const { return mouse.product().device_type; }
    const sim::SimMode& Mode(int m) const { return *mouse.product().ModeOf(m); }

    sim::SimulatedMouse mouse;
    sim::SimulatedHidBackend backend;
    std::unique_ptr<DeviceManager> manager;
};

}  // namespace mousedeck::hid::test
