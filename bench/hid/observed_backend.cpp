#include "observed_backend.h"

#include <thread>

namespace mousedeck::bench {

namespace {

class ObservedHandle final : public hid::HidHandle {
public:
    ObservedHandle(std::unique_ptr<hid::HidHandle> inner, ObservedBackend& owner, bool boot_loader)
        : inner_(std::move(inner)), owner_(owner), boot_loader_(boot_loader) {}

    int Write(std::span<const uint8_t> report) override {
        if (!boot_loader_) {
            owner_.NoteCommandWrite();
            return inner_->Write(report);
        }
        // One report per period: a write waits for its slot on the wire.
        const auto period = std::chrono::microseconds(owner_.boot_period_us());
        if (period.count() > 0) {
            const auto slot = std::max(Clock::now(), next_slot_);
            std::this_thread::sleep_until(slot);
            next_slot_ = slot + period;
        }
        return inner_->Write(report);
    }
    int Read(std::span<uint8_t> buffer, int timeout_ms) override { return inner_->Read(buffer, timeout_ms); }
    bool CanCancelReads() const override { return inner_->CanCancelReads(); }
    void CancelReads() override { inner_->CancelReads(); }

private:
    std::unique_ptr<hid::HidHandle> inner_;
    ObservedBackend& owner_;
    bool boot_loader_;
    Clock::time_point next_slot_{};
};

}  // namespace

std::vector<hid::HidDeviceInfo> ObservedBackend::Enumerate(uint16_t vendor_id, uint16_t product_id) {
    auto found = inner_.Enumerate(vendor_id, product_id);
    std::lock_guard lock(mutex_);
    for (const auto& info : found) {
        usage_pages_[info.path] = info.usage_page;
    }
    return found;
}

std::unique_ptr<hid::HidHandle> ObservedBackend::Open(const std::string& path) {
    auto inner = inner_.Open(path);
    if (!inner) {
        return nullptr;
    }
    bool boot_loader = false;
    {
        std::lock_guard lock(mutex_);
        const auto it = usage_pages_.find(path);
        boot_loader = it != usage_pages_.end() && it->second == 0xFFEF;
    }
    return std::make_unique<ObservedHandle>(std::move(inner), *this, boot_loader);
}

}  // namespace mousedeck::bench
