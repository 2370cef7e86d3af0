#include "fake_backend.h"

#include <algorithm>
#include <atomic>
#include <chrono>

namespace mousedeck::hid::test {

namespace {

class FakeHandle final : public HidHandle {
public:
    explicit FakeHandle(FakeDevice& device) : device_(device) {}
    int Write(std::span<const uint8_t> report) override { return device_.Write(Bytes(report.begin(), report.end())); }
    int Read(std::span<uint8_t> buffer, int timeout_ms) override {
        return device_.Read(buffer, timeout_ms, cancelled_);
    }
    bool CanCancelReads() const override { return device_.cancellable(); }
    void CancelReads() override {
        if (device_.cancellable()) {
            cancelled_.store(true);
            device_.WakeReaders();
        }
    }

private:
    FakeDevice& device_;
    std::atomic<bool> cancelled_{false};
};

}  // namespace

FakeDevice::FakeDevice(HidDeviceInfo info) : info_(std::move(info)) {}

void FakeDevice::SetResponder(Responder responder) {
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

void FakeDevice::SetWriteFails(bool fails) {
    std::lock_guard lock(mutex_);
    write_fails_ = fails;
}

void FakeDevice::Deliver(const Bytes& report) {
    {
        std::lock_guard lock(mutex_);
        input_.push_back(report);
    }
    changed_.notify_all();
}

void FakeDevice::Unplug() {
    {
        std::lock_guard lock(mutex_);
        unplugged_ = true;
    }
    changed_.notify_all();
}

void FakeDevice::UnplugOnWrite(int n) {
    std::lock_guard lock(mutex_);
    unplug_on_write_ = n;
}

std::vector<Bytes> FakeDevice::Writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

size_t FakeDevice::WriteCount() const {
    std::lock_guard lock(mutex_);
    return writes_.size();
}

int FakeDevice::ReadCalls() const {
    std::lock_guard lock(mutex_);
    return read_calls_;
}

int FakeDevice::Write(const Bytes& report) {
    Responder responder;
    {
        std::lock_guard lock(mutex_);
        writes_.push_back(report);
        if (unplug_on_write_ > 0 && static_cast<int>(writes_.size()) == unplug_on_write_) {
            unplugged_ = true;
        }
        if (unplugged_ || write_fails_) {
            changed_.notify_all();
            return -1;
        }
        responder = responder_;
    }
    if (responder) {
        for (const Bytes& reply : responder(report)) {
            Deliver(reply);
        }
    }
    return static_cast<int>(report.size());
}

int FakeDevice::Read(std::span<uint8_t> buffer, int timeout_ms, const std::atomic<bool>& cancelled) {
    std::unique_lock lock(mutex_);
    ++read_calls_;
    const auto ready = [&] {
        return unplugged_ || !input_.empty() || cancelled.load();
    };
    if (timeout_ms < 0) {
        changed_.wait(lock, ready);
    } else {
        changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), ready);
    }
    if (!input_.empty()) {
        const Bytes report = input_.front();
        input_.pop_front();
        const size_t n = std::min(report.size(), buffer.size());
        std::copy_n(report.begin(), n, buffer.begin());
        return static_cast<int>(n);
    }
    return unplugged_ ? -1 : 0;
}

void FakeDevice::WakeReaders() {
    { std::lock_guard lock(mutex_); }
    changed_.notify_all();
}

FakeDevice& FakeBackend::Add(HidDeviceInfo info) {
    devices_.push_back(std::make_unique<FakeDevice>(std::move(info)));
    return *devices_.back();
}

std::vector<HidDeviceInfo> FakeBackend::Enumerate(uint16_t vendor_id, uint16_t product_id) {
    std::vector<HidDeviceInfo> result;
    for (const auto& device : devices_) {
        const HidDeviceInfo& info = device->info();
        if ((vendor_id == 0 || info.vendor_id == vendor_id) && (product_id == 0 || info.product_id == product_id)) {
            result.push_back(info);
        }
    }
    return result;
}

std::unique_ptr<HidHandle> FakeBackend::Open(const std::string& path) {
    for (const auto& device : devices_) {
        if (device->info().path == path && !device->open_fails()) {
            ++open_count_;
            return std::make_unique<FakeHandle>(*device);
        }
    }
    return nullptr;
}

Bytes Reply(uint8_t command, uint8_t status, std::initializer_list<uint8_t> payload_from_byte_4) {
    Bytes reply(33, 0);
    reply[0] = command;
    reply[1] = status;
    std::copy(payload_from_byte_4.begin(), payload_from_byte_4.end(), reply.begin() + 4);
    return reply;
}

FakeDevice::Responder MouseResponder(const std::string& device_id) {
    return [device_id](const Bytes& written) -> std::vector<Bytes> {
        const uint8_t command = written.size() > 1 ? written[1] : 0;
        Bytes reply = Reply(command, 0);
        if (command == 0x10) {
            std::copy_n(device_id.begin(), std::min<size_t>(device_id.size(), 4), reply.begin() + 4);
        }
        return {reply};
    };
}

HidDeviceInfo CommandInterface(const std::string& path, uint16_t vid, uint16_t pid, uint16_t release) {
    HidDeviceInfo info;
    info.path = path;
    info.vendor_id = vid;
    info.product_id = pid;
    info.release_number = release;
    info.usage_page = 0xFF01;
    info.usage = 0x0010;
    info.interface_number = 2;
    return info;
}

}  // namespace mousedeck::hid::test
