#include "shell/app/controller_state.h"

#include <utility>

namespace mousedeck::shell::app {

int ControllerState::CurrentProfile() const {
    std::lock_guard lock(mutex_);
    return profile_;
}

void ControllerState::SetCurrentProfile(int profile) {
    std::lock_guard lock(mutex_);
    profile_ = profile;
}

int ControllerState::CurrentEffect() const {
    std::lock_guard lock(mutex_);
    return effect_;
}

void ControllerState::SetCurrentEffect(int effect) {
    std::lock_guard lock(mutex_);
    effect_ = effect;
}

ControllerState::MouseIdentity ControllerState::Identity() const {
    std::lock_guard lock(mutex_);
    return identity_;
}

void ControllerState::SetIdentity(const MouseIdentity& identity) {
    std::lock_guard lock(mutex_);
    identity_ = identity;
}

void ControllerState::SetOnline(bool online) {
    std::lock_guard lock(mutex_);
    identity_.online = online;
}

ControllerState::ShownStages ControllerState::Shown() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

void ControllerState::SetShown(ShownStages shown) {
    std::lock_guard lock(mutex_);
    shown_ = shown;
}

void ControllerState::SetShownCount(int count) {
    std::lock_guard lock(mutex_);
    shown_.count = count;
}

void ControllerState::SetShownIndex(int index) {
    std::lock_guard lock(mutex_);
    shown_.index = index;
}

bool ControllerState::AddReadBack(int device_type) {
    std::lock_guard lock(mutex_);
    return read_back_.insert(device_type).second;
}

bool ControllerState::WasReadBack(int device_type) const {
    std::lock_guard lock(mutex_);
    return read_back_.contains(device_type);
}

void ControllerState::ClearReadBack() {
    std::lock_guard lock(mutex_);
    read_back_.clear();
}

std::string ControllerState::MouseFirmwareVersion() const {
    std::lock_guard lock(mutex_);
    return firmware_version_;
}

void ControllerState::SetMouseFirmwareVersion(std::string version) {
    std::lock_guard lock(mutex_);
    firmware_version_ = std::move(version);
}

void ControllerState::SetPendingMacroKey(int key_code) {
    std::lock_guard lock(mutex_);
    pending_macro_key_ = key_code;
}

int ControllerState::TakePendingMacroKey() {
    std::lock_guard lock(mutex_);
    return std::exchange(pending_macro_key_, kUnset);
}

}  // namespace mousedeck::shell::app
