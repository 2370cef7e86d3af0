#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "protocol/command_codes.h"
#include "protocol/lighting_frames.h"
#include "protocol/settings_replies.h"

namespace mousedeck::hid {
class DeviceManager;
}
namespace mousedeck::store {
class SettingsDatabase;
}

namespace mousedeck::protocol {

class CommandTrace;

enum class SendResult {
    kSent,           // every frame was acknowledged
    kFailed,         // at least one exchange failed: run the connection-state check
    kNothingToSend,  // no frame was built: no lighting row for the effect, no macro
                     // bound to the key, or a stored report rate that is no rate
    kTooLong,        // the macro has more than 101 events; nothing was sent
};

struct SenderTiming {
    std::chrono::milliseconds restore_settle{100};  // between 0x0E and the 0x15 read
};

// Sends the stored settings of a profile to the mouse and reads the mouse's
// settings back into a profile. "Store first, then send": every Send* reads
// the profile's keys (or rows) when it builds the frame, so a failed send
// loses nothing and the next send carries the stored value. Reads store only
// on success and only the fields the mouse reported in range.
//
// The profile number and the sensor code are the caller's state, passed in.
// Sequencing, retries and the connection-state check after kFailed belong to
// the caller. Every member runs on the device worker thread (it does I/O
// through DeviceManager::Send and blocks for up to 1.5 s per exchange); the
// database and the manager are reached by reference and must outlive this.
class CommandSender {
public:
    CommandSender(hid::DeviceManager& devices, store::SettingsDatabase& db, CommandTrace* trace = nullptr,
                  SenderTiming timing = {});

    // 0x02 from `report_rate`.
    SendResult SendReportRate(int profile);
    // 0x03 from `dpi_count`, `dpi_index` and the six stage values, bounded to
    // the range of `sensor_code`.
    SendResult SendDpiStages(int profile, int sensor_code);
    // 0x04 from the six stage colours.
    SendResult SendDpiColours(int profile);
    // 0x06 from `liftoff_height` and `sensor_flag`.
    SendResult SendLiftSensor(int profile);
    // 0x07 from `sleep_light`, `move_wakeup`, `move_closelight`,
    // `button_respondtime` (the power and the debounce tasks both send it).
    SendResult SendPowerDebounce(int profile);
    // Makes `effect` the profile's active effect, then sends 0x05 from its
    // row; kNothingToSend when the profile has no row for it.
    SendResult SendLighting(int profile, int effect);
    // 0x09: the slots of the profile's bindings over the mouse defaults.
    // Macro bindings whose macro is gone or too long keep the default slot.
    SendResult SendButtons(int profile);
    // 0x08 pages for the button that was just given a macro: the profile's
    // first macro binding on `key_code` names the macro. Every page is sent
    // even when one fails.
    SendResult SendMacro(int profile, int key_code);
    // 0x0F; the mouse's answer means nothing to the caller.
    bool FactoryReset();

    // 0x0E, a pause of restore_settle, then ReadLighting.
    struct RestoreResult {
        bool restored = false;                  // 0x0E acknowledged
        std::optional<LightingReply> lighting;  // the 0x15 read, when it succeeded
    };
    RestoreResult RestoreLighting(int profile);

    // Read-back, in the order the caller runs them. Each returns nothing when
    // the exchange failed and then stores nothing.
    bool BeginReadBack();  // 0x11, reply ignored
    std::optional<ReportRateReply> ReadReportRate(int profile);
    std::optional<DpiStagesReply> ReadDpiStages(int profile, int sensor_code);
    std::optional<DpiColoursReply> ReadDpiColours(int profile);
    // A valid effect becomes the profile's active effect and, when the profile
    // has a row for it, the row takes the reported brightness and speed.
    std::optional<LightingReply> ReadLighting(int profile);
    std::optional<LiftSensorReply> ReadLiftSensor(int profile);
    std::optional<PowerReply> ReadPowerDebounce(int profile);
    // 0x20: the version text "%X%02X"; stores nothing.
    std::optional<std::string> ReadFirmwareVersion();

private:
    bool Exchange(OutgoingFrame& out, std::string_view failure_text);
    std::optional<hid::CommandFrame> Read(Command command);
    void Trace(std::string_view message, std::span<const uint8_t> bytes);

    hid::DeviceManager& devices_;
    store::SettingsDatabase& db_;
    CommandTrace* trace_;  // not owned; may be null
    SenderTiming timing_;
};

}  // namespace mousedeck::protocol
