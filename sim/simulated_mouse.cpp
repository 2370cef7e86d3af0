#include "sim/simulated_mouse.h"

#include "sim/mouse_core.h"

namespace mousedeck::sim {

SimulatedMouse::SimulatedMouse(SimProduct product, SimOptions options)
    : core_(std::make_shared<MouseCore>(std::move(product), std::move(options))) {}

SimulatedMouse::~SimulatedMouse() = default;
SimulatedMouse::SimulatedMouse(SimulatedMouse&&) noexcept = default;
SimulatedMouse& SimulatedMouse::operator=(SimulatedMouse&&) noexcept = default;

const SimProduct& SimulatedMouse::product() const {
    return core_->product();
}
void SimulatedMouse::SetReplyLatency(std::chrono::microseconds latency) {
    core_->SetReplyLatency(latency);
}
void SimulatedMouse::AddFault(const FaultRule& rule) {
    core_->AddFault(rule);
}
void SimulatedMouse::ClearFaults() {
    core_->ClearFaults();
}
void SimulatedMouse::PlugCable(bool plugged) {
    core_->Plug(0, plugged);
}
void SimulatedMouse::PlugReceiver(bool plugged) {
    core_->Plug(1, plugged);
}
void SimulatedMouse::SetMousePower(bool on) {
    core_->SetMousePower(on);
}
void SimulatedMouse::SetBattery(uint8_t byte12, uint8_t byte13) {
    core_->SetBattery(byte12, byte13);
}
std::optional<uint8_t> SimulatedMouse::PressDpiButton() {
    return core_->PressDpiButton();
}
void SimulatedMouse::SetSensorCode(uint8_t code) {
    core_->SetSensorCode(code);
}
void SimulatedMouse::SetHighestRate(uint8_t rate_byte) {
    core_->SetHighestRate(rate_byte);
}
void SimulatedMouse::FollowStateFile() {
    core_->FollowStateFile();
}
bool SimulatedMouse::InjectInputReport(int mode, std::span<const uint8_t> report) {
    return core_->InjectInputReport(mode, report);
}
int SimulatedMouse::AddPlugListener(PlugListener listener) {
    return core_->AddPlugListener(std::move(listener));
}
void SimulatedMouse::RemovePlugListener(int id) {
    core_->RemovePlugListener(id);
}
MouseState SimulatedMouse::State() const {
    return core_->State();
}
void SimulatedMouse::ResetState() {
    core_->ResetState();
}
std::optional<std::vector<uint8_t>> SimulatedMouse::LastFlashedImage() const {
    return core_->LastFlashedImage();
}
uint8_t SimulatedMouse::BootLoaderStatus() const {
    return core_->BootLoaderStatus();
}
bool SimulatedMouse::StateSaved() const {
    return core_->StateSaved();
}

}  // namespace mousedeck::sim
