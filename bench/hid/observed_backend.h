#pragma once

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "hid/hid_backend.h"

namespace mousedeck::bench {

using Clock = std::chrono::steady_clock;

// Wraps a backend to see the traffic from the host's side: the time of the
// latest write (when a task reached the wire) and, for boot-loader
// interfaces, a write pace of one report per `boot_write_period`, the rate of
// a full-speed interrupt endpoint at 1000 Hz.
class ObservedBackend final : public hid::HidBackend {
public:
    explicit ObservedBackend(hid::HidBackend& inner) : inner_(inner) {}

    void SetBootWritePeriod(std::chrono::microseconds period) { boot_period_us_ = period.count(); }
    // Time of the most recent write on any command interface.
    Clock::time_point LastCommandWrite() const {
        return Clock::time_point(Clock::duration(last_write_.load()));
    }

    std::vector<hid::HidDeviceInfo> Enumerate(uint16_t vendor_id, uint16_t product_id) override;
    std::unique_ptr<hid::HidHandle> Open(const std::string& path) override;

    // Used by the wrapped handles.
    void NoteCommandWrite() { last_write_.store(Clock::now().time_since_epoch().count()); }
    int64_t boot_period_us() const { return boot_period_us_.load(); }

private:
    hid::HidBackend& inner_;
    std::mutex mutex_;
    std::map<std::string, uint16_t> usage_pages_;
    std::atomic<int64_t> boot_period_us_{0};
    std::atomic<Clock::rep> last_write_{0};
};

}  // namespace mousedeck::bench
