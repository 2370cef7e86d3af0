#include "devices/discovery/discovery_state.h"

#include <utility>

namespace mousedeck::discovery {

int DiscoveryState::CurrentDeviceType() const {
    std::lock_guard lock(mutex_);
    return device_type_;
}

devices::CurrentProduct DiscoveryState::CurrentProduct() const {
    std::lock_guard lock(mutex_);
    return product_;
}

devices::DeviceDescription DiscoveryState::Description() const {
    std::lock_guard lock(mutex_);
    return description_;
}

void DiscoveryState::SetCurrent(int device_type, devices::CurrentProduct product,
                                devices::DeviceDescription description) {
    std::lock_guard lock(mutex_);
    device_type_ = device_type;
    product_ = std::move(product);
    description_ = std::move(description);
}

DeviceCards DiscoveryState::Cards() const {
    std::lock_guard lock(mutex_);
    return cards_;
}

void DiscoveryState::SetCards(DeviceCards cards) {
    std::lock_guard lock(mutex_);
    cards_ = std::move(cards);
}

bool DiscoveryState::SetCardState(int device_type, int connection_mode, int state) {
    std::lock_guard lock(mutex_);
    return cards_.SetState(device_type, connection_mode, state);
}

bool DiscoveryState::AnyCardPresent() const {
    std::lock_guard lock(mutex_);
    return cards_.AnyPresent();
}

}  // namespace mousedeck::discovery
