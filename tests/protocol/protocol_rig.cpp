#include "protocol_rig.h"

#include <gtest/gtest.h>

#include "sim/traffic_log.h"
#include "store/config_defaults.h"

namespace mousedeck::protocol::test {
namespace {

sim::SimOptions RigOptions(const mousedeck::test::TempDir& dir) {
    sim::SimOptions options;
    options.log_path = (dir / "traffic.log").string();
    options.reply_latency = std::chrono::microseconds(100);
    return options;
}

hid::ExchangeTiming FastTiming() {
    hid::ExchangeTiming t;
    t.reply_attempts = 5;
    t.reply_wait = std::chrono::milliseconds(10);
    t.identify_retry_delay = std::chrono::milliseconds(5);
    t.notification_wait = std::chrono::milliseconds(20);
    t.receiver_wait = std::chrono::milliseconds(5);
    return t;
}

}  // namespace

ProtocolRig::ProtocolRig(sim::SimProduct product)
    : mouse(product, RigOptions(dir)),
      backend(mouse),
      devices(backend, FastTiming()),
      sender(devices, db, &trace, SenderTiming{std::chrono::milliseconds(1)}) {
    for (const auto& mode : product.modes) {
        devices.AddRule({mode.vendor_id, mode.product_id, product.device_type, mode.mode, product.device_id});
    }
    devices.Enumerate();
    devices.SetCurrentDeviceType(product.device_type);
    EXPECT_TRUE(devices.SelectInterface().has_value());
    EXPECT_TRUE(db.OpenForDevice(dir.path(), "Sim", product.device_type));
    EXPECT_EQ(db.AddProfile({.profile = 0, .name = "P1"}, store::DefaultConfigRows()), 1);
    EXPECT_EQ(db.AddProfile({.profile = 0, .name = "P2"}, store::DefaultConfigRows()), 2);
    TakeWrites();
}

std::vector<Bytes> ProtocolRig::TakeWrites() {
    sim::TrafficLog::HostWrites writes =
        sim::TrafficLog::ReadHostWrites((dir / "traffic.log").string(), log_lines_read_);
    log_lines_read_ = writes.lines;
    return std::move(writes.reports);
}

std::vector<Bytes> ProtocolRig::TakeWrites(uint8_t code) {
    std::vector<Bytes> matching;
    for (auto& w : TakeWrites()) {
        if (w.size() > 1 && w[1] == code) {
            matching.push_back(std::move(w));
        }
    }
    return matching;
}

bool ProtocolRig::SendRaw(uint8_t code, const Bytes& payload, std::size_t length) {
    hid::CommandFrame frame;
    frame[1] = code;
    frame[3] = 0x01;
    frame[4] = static_cast<uint8_t>(payload.size());
    std::copy(payload.begin(), payload.end(), frame.bytes.begin() + 5);
    return devices.Send(frame, length);
}

std::string ProtocolRig::Key(const std::string& key, int profile) {
    return db.GetConfigValue(profile, key).value_or("<none>");
}

void ProtocolRig::SetKey(const std::string& key, const std::string& value, int profile) {
    EXPECT_TRUE(db.SetConfigValue(profile, key, value)) << key;
}

}  // namespace mousedeck::protocol::test
