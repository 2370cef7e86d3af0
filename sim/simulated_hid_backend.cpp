#include "sim/simulated_hid_backend.h"

#include "sim/mouse_core.h"
#include "sim/sim_handle.h"

namespace mousedeck::sim {

SimulatedHidBackend::SimulatedHidBackend(const SimulatedMouse& mouse) {
    Attach(mouse);
}

void SimulatedHidBackend::Attach(const SimulatedMouse& mouse) {
    mice_.push_back(mouse.core());
}

std::vector<hid::HidDeviceInfo> SimulatedHidBackend::Enumerate(uint16_t vendor_id, uint16_t product_id) {
    std::vector<hid::HidDeviceInfo> all;
    for (const auto& mouse : mice_) {
        auto found = mouse->Enumerate(vendor_id, product_id);
        all.insert(all.end(), found.begin(), found.end());
    }
    return all;
}

std::unique_ptr<hid::HidHandle> SimulatedHidBackend::Open(const std::string& path) {
    for (const auto& mouse : mice_) {
        Endpoint endpoint;
        if (auto channel = mouse->Open(path, &endpoint)) {
            return std::make_unique<SimHandle>(mouse, std::move(endpoint), std::move(channel));
        }
    }
    return nullptr;
}

}  // namespace mousedeck::sim
