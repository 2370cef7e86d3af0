#include "sim/sim_handle.h"

namespace mousedeck::sim {

SimHandle::SimHandle(std::shared_ptr<MouseCore> core, Endpoint endpoint,
                     std::shared_ptr<ReportChannel> channel)
    : core_(std::move(core)), endpoint_(std::move(endpoint)), channel_(std::move(channel)) {}

SimHandle::~SimHandle() {
    core_->Close(channel_);
}

int SimHandle::Write(std::span<const uint8_t> report) {
    return core_->Write(endpoint_, channel_, report);
}

int SimHandle::Read(std::span<uint8_t> buffer, int timeout_ms) {
    return channel_->Pop(buffer, timeout_ms, core_->log());
}

void SimHandle::CancelReads() {
    channel_->CancelReads();
}

}  // namespace mousedeck::sim
