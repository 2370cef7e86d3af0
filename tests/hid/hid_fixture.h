#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "fake_backend.h"
#include "hid/device_manager.h"

namespace mousedeck::hid::test {

inline constexpr uint16_t kVid = 0x1A2B;
inline constexpr uint16_t kWiredPid = 0x0101;
inline constexpr uint16_t kDonglePid = 0x0202;
inline constexpr int kProductType = 102;

// Short waits so that the no-reply paths take milliseconds, not seconds.
inline ExchangeTiming FastTiming() {
    using std::chrono::milliseconds;
    ExchangeTiming t;
    t.reply_attempts = 5;
    t.reply_wait = milliseconds(10);
    t.identify_retry_delay = milliseconds(5);
    t.notification_wait = milliseconds(20);
    t.receiver_wait = milliseconds(5);
    t.upgrade_retry_delay = milliseconds(1);
    t.upgrade_read_delay = milliseconds(1);
    t.upgrade_read_wait = milliseconds(50);
    return t;
}

// A wired mouse and its receiver, both of product kProductType ("M102").
class HidFixture : public ::testing::Test {
protected:
    FakeDevice& AddWired(const std::string& path = "/dev/hidraw-wired") {
        FakeDevice& d = backend.Add(CommandInterface(path, kVid, kWiredPid, 0x0105));
        d.SetResponder(MouseResponder("M102"));
        return d;
    }
    FakeDevice& AddDongle(const std::string& path = "/dev/hidraw-dongle") {
        FakeDevice& d = backend.Add(CommandInterface(path, kVid, kDonglePid, 0x0207));
        d.SetResponder(MouseResponder("M102"));
        return d;
    }
    DeviceManager& Manager(ExchangeTiming timing = FastTiming()) {
        manager = std::make_unique<DeviceManager>(backend, timing);
        manager->AddRule({kVid, kWiredPid, kProductType, kWiredMode, "M102"});
        manager->AddRule({kVid, kDonglePid, kProductType, kDongleMode, "M102"});
        return *manager;
    }
    // Enumerates and makes kProductType current.
    DeviceManager& Opened(ExchangeTiming timing = FastTiming()) {
        DeviceManager& m = Manager(timing);
        m.Enumerate();
        m.SetCurrentDeviceType(kProductType);
        return m;
    }

    FakeBackend backend;
    std::unique_ptr<DeviceManager> manager;
};

}  // namespace mousedeck::hid::test
