#pragma once

#include <string>
#include <vector>

#include "frame_bytes.h"
#include "hid/device_manager.h"
#include "protocol/command_sender.h"
#include "protocol/command_trace.h"
#include "sim/simulated_hid_backend.h"
#include "sim/simulated_mouse.h"
#include "store/settings_database.h"
#include "support/temp_home.h"

namespace mousedeck::protocol::test {

class RecordingTrace : public CommandTrace {
public:
    void Trace(std::string_view message, std::span<const uint8_t> bytes) override {
        static_cast<void>(bytes);
        messages.emplace_back(message);
    }
    std::vector<std::string> messages;
};

// A simulated mouse (cable and receiver plugged) behind a DeviceManager with
// its interfaces enumerated, a fresh settings database with profile 1 seeded
// with the default keys, and a sender over both. Everything the host writes
// is in the simulator's traffic log.
class ProtocolRig {
public:
    explicit ProtocolRig(sim::SimProduct product = sim::DefaultProduct());

    // Every report the host wrote since the last call, in order, as written
    // (33 or 65 bytes).
    std::vector<Bytes> TakeWrites();
    // The same, only those with this command code.
    std::vector<Bytes> TakeWrites(uint8_t code);

    // Exchanges a hand-made frame (its checksum is stored by Send).
    bool SendRaw(uint8_t code, const Bytes& payload, std::size_t length = 65);

    std::string Key(const std::string& key, int profile = 1);
    void SetKey(const std::string& key, const std::string& value, int profile = 1);

    mousedeck::test::TempDir dir;
    sim::SimulatedMouse mouse;
    sim::SimulatedHidBackend backend;
    hid::DeviceManager devices;
    store::SettingsDatabase db;
    RecordingTrace trace;
    CommandSender sender;

private:
    std::size_t log_lines_read_ = 0;
};

}  // namespace mousedeck::protocol::test
