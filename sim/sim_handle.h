#pragma once

#include <memory>

#include "hid/hid_backend.h"
#include "sim/mouse_core.h"

namespace mousedeck::sim {

// One open simulated interface. Keeps the mouse alive while open; after the
// interface is unplugged every read and write fails with -1, as a removed
// hidraw node does. Read and Write may run on two threads at once.
class SimHandle : public hid::HidHandle {
public:
    SimHandle(std::shared_ptr<MouseCore> core, Endpoint endpoint, std::shared_ptr<ReportChannel> channel);
    ~SimHandle() override;
    SimHandle(const SimHandle&) = delete;
    SimHandle& operator=(const SimHandle&) = delete;

    int Write(std::span<const uint8_t> report) override;
    int Read(std::span<uint8_t> buffer, int timeout_ms) override;
    bool CanCancelReads() const override { return true; }
    void CancelReads() override;

private:
    std::shared_ptr<MouseCore> core_;
    Endpoint endpoint_;
    std::shared_ptr<ReportChannel> channel_;
};

}  // namespace mousedeck::sim
