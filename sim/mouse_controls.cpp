// The controls of the simulated mouse: what a user does to it and what a
// test asks of it. The transport side of MouseCore is in mouse_core.cpp.
#include "sim/mouse_core.h"

#include <algorithm>

namespace mousedeck::sim {

void MouseCore::SetReplyLatency(std::chrono::microseconds latency) {
    std::lock_guard lock(mutex_);
    latency_ = latency;
}

void MouseCore::AddFault(const FaultRule& rule) {
    std::lock_guard lock(mutex_);
    faults_.Add(rule);
}

void MouseCore::ClearFaults() {
    std::lock_guard lock(mutex_);
    faults_.Clear();
}

void MouseCore::Plug(int mode, bool plugged) {
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    PlugLocked(mode, plugged);
    Dispatch(lock);
}

void MouseCore::SetMousePower(bool on) {
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    SetPowerLocked(on);
    Dispatch(lock);
}

void MouseCore::SetBattery(uint8_t byte12, uint8_t byte13) {
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    state_.battery = {byte12, byte13};
    if (state_.mouse_on) {
        SendToLocked(1, InterfaceRole::kCommand, ConnectionNotification(true, state_.battery),
                     SimClock::now());
    }
    PersistLocked();
    Dispatch(lock);
}

std::optional<uint8_t> MouseCore::PressDpiButton() {
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    const bool cable = PluggedLocked(0);
    if (!cable && !state_.mouse_on) {
        Dispatch(lock);
        return std::nullopt;  // switched off and not powered by the cable
    }
    const uint8_t stage = state_.StageByte();
    const int count = std::max(stage & 0x0F, 1);
    const int index = ((stage >> 4) + 1) % count;
    const auto next = static_cast<uint8_t>((index << 4) | count);
    state_.SetStageByte(next);
    PersistLocked();
    // The mouse talks over the cable when it has one, else over the air.
    SendToLocked(cable ? 0 : 1, InterfaceRole::kCommand, DpiNotification(next), SimClock::now());
    Dispatch(lock);
    return next;
}

void MouseCore::SetSensorCode(uint8_t code) {
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    state_.sensor_code = code;
    PersistLocked();
    Dispatch(lock);
}

void MouseCore::SetHighestRate(uint8_t rate_byte) {
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    state_.highest_rate = rate_byte;
    PersistLocked();
    Dispatch(lock);
}

void MouseCore::FollowStateFile() {
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    Dispatch(lock);
}

bool MouseCore::InjectInputReport(int mode, std::span<const uint8_t> report) {
    std::unique_lock lock(mutex_);
    const bool plugged = PluggedLocked(mode);
    if (plugged) {
        SendToLocked(mode, InterfaceRole::kCommand, std::vector<uint8_t>(report.begin(), report.end()),
                     SimClock::now());
    }
    Dispatch(lock);
    return plugged;
}

int MouseCore::AddPlugListener(PlugListener listener) {
    std::lock_guard lock(mutex_);
    const int id = next_listener_++;
    listeners_[id] = std::move(listener);
    return id;
}

void MouseCore::RemovePlugListener(int id) {
    std::lock_guard lock(mutex_);
    listeners_.erase(id);
}

MouseState MouseCore::State() {
    std::unique_lock lock(mutex_);
    SyncFromDiskLocked();
    MouseState copy = state_;
    Dispatch(lock);
    return copy;
}

void MouseCore::ResetState() {
    std::unique_lock lock(mutex_);
    MouseState fresh = MouseState::Factory(product_);
    fresh.cable_plugged = state_.cable_plugged;
    fresh.receiver_plugged = state_.receiver_plugged;
    fresh.mouse_on = state_.mouse_on;
    state_ = fresh;
    flashed_image_.reset();
    PersistLocked();
    Dispatch(lock);
}

std::optional<std::vector<uint8_t>> MouseCore::LastFlashedImage() {
    std::lock_guard lock(mutex_);
    return flashed_image_;
}

uint8_t MouseCore::BootLoaderStatus() {
    std::lock_guard lock(mutex_);
    return boot_.TransferStatus();
}

bool MouseCore::StateSaved() {
    std::lock_guard lock(mutex_);
    return state_saved_;
}

}  // namespace mousedeck::sim
