#pragma once

#include <memory>
#include <vector>

#include "hid/hid_backend.h"
#include "sim/simulated_mouse.h"

namespace mousedeck::sim {

// The HID seam over simulated mice: enumerates the interfaces of every
// attached mouse whose cable or receiver is plugged in, in attach order, and
// opens them by path. Attach mice before the backend is used from other
// threads; Enumerate and Open are then thread-safe. The backend shares each
// mouse, so it keeps working after the SimulatedMouse object is gone.
class SimulatedHidBackend : public hid::HidBackend {
public:
    SimulatedHidBackend() = default;
    explicit SimulatedHidBackend(const SimulatedMouse& mouse);

    void Attach(const SimulatedMouse& mouse);

    std::vector<hid::HidDeviceInfo> Enumerate(uint16_t vendor_id, uint16_t product_id) override;
    std::unique_ptr<hid::HidHandle> Open(const std::string& path) override;

private:
    std::vector<std::shared_ptr<MouseCore>> mice_;
};

}  // namespace mousedeck::sim
