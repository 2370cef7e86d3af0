#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hid/hid_backend.h"

namespace mousedeck::hid {

// An open hidraw node. Reads wait in poll() on the node and on an eventfd
// that CancelReads signals, so a reader blocked without time-out wakes at
// once when the interface is closed. POLLHUP or POLLERR on the node (the
// device went away) is a read failure.
class HidrawHandle final : public HidHandle {
public:
    // Nothing when the node cannot be opened for reading and writing.
    static std::unique_ptr<HidrawHandle> Open(const std::string& path);
    ~HidrawHandle() override;
    HidrawHandle(const HidrawHandle&) = delete;
    HidrawHandle& operator=(const HidrawHandle&) = delete;

    int Write(std::span<const uint8_t> report) override;
    int Read(std::span<uint8_t> buffer, int timeout_ms) override;
    bool CanCancelReads() const override { return true; }
    void CancelReads() override;

private:
    HidrawHandle(int fd, int cancel_fd);
    static std::vector<uint8_t> ReadDescriptor(int fd);

    int fd_;
    int cancel_fd_;
    std::vector<uint8_t> descriptor_;  // empty when the node would not give it
};

}  // namespace mousedeck::hid
