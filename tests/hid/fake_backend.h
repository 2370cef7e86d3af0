#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "hid/hid_backend.h"

namespace mousedeck::hid::test {

using Bytes = std::vector<uint8_t>;

// One scripted interface. Every write is recorded and handed to `respond`,
// whose reports become readable at once; tests push notifications or late
// replies with Deliver and pull the cable with Unplug.
class FakeDevice {
public:
    using Responder = std::function<std::vector<Bytes>(const Bytes& written)>;

    explicit FakeDevice(HidDeviceInfo info);

    const HidDeviceInfo& info() const { return info_; }
    void SetResponder(Responder responder);
    void SetWriteFails(bool fails);
    void SetCancellable(bool cancellable) { cancellable_ = cancellable; }
    bool cancellable() const { return cancellable_; }
    void SetOpenFails(bool fails) { open_fails_ = fails; }
    bool open_fails() const { return open_fails_; }

    void Deliver(const Bytes& report);
    // Reads fail from now on and writes too: the interface is gone.
    void Unplug();
    // Pulls the cable when the n-th write (from 1) arrives, before answering.
    void UnplugOnWrite(int n);

    std::vector<Bytes> Writes() const;
    size_t WriteCount() const;

    // The handle side.
    int Write(const Bytes& report);
    int Read(std::span<uint8_t> buffer, int timeout_ms, const std::atomic<bool>& cancelled);
    void WakeReaders();
    int ReadCalls() const;

private:
    HidDeviceInfo info_;
    bool cancellable_ = true;
    bool open_fails_ = false;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    Responder responder_;
    std::deque<Bytes> input_;
    std::vector<Bytes> writes_;
    bool write_fails_ = false;
    bool unplugged_ = false;
    int unplug_on_write_ = 0;
    int read_calls_ = 0;
};

class FakeBackend final : public HidBackend {
public:
    FakeDevice& Add(HidDeviceInfo info);
    std::vector<HidDeviceInfo> Enumerate(uint16_t vendor_id, uint16_t product_id) override;
    std::unique_ptr<HidHandle> Open(const std::string& path) override;
    int OpenCount() const { return open_count_; }

private:
    std::vector<std::unique_ptr<FakeDevice>> devices_;
    int open_count_ = 0;
};

// A 33-byte reply: byte 0 echoes the command, byte 1 the status.
Bytes Reply(uint8_t command, uint8_t status, std::initializer_list<uint8_t> payload_from_byte_4 = {});
// Answers the identity query with `device_id` in bytes 4-7 and every other
// command with success.
FakeDevice::Responder MouseResponder(const std::string& device_id);

HidDeviceInfo CommandInterface(const std::string& path, uint16_t vid, uint16_t pid, uint16_t release = 0x0105);

}  // namespace mousedeck::hid::test
