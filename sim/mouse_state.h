#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim_product.h"

namespace mousedeck::sim {

// Set-command payloads occupy request bytes 5..31; the mouse keeps all 27,
// whatever the length byte says (the DPI stages command announces 0x25).
inline constexpr std::size_t kPayloadSize = 27;
using Payload = std::array<uint8_t, kPayloadSize>;

// Set-command codes.
inline constexpr uint8_t kSetReportRate = 0x02;
inline constexpr uint8_t kSetDpiStages = 0x03;
inline constexpr uint8_t kSetDpiColours = 0x04;
inline constexpr uint8_t kSetLighting = 0x05;
inline constexpr uint8_t kSetSensor = 0x06;
inline constexpr uint8_t kSetPower = 0x07;
inline constexpr uint8_t kMacroData = 0x08;
inline constexpr uint8_t kButtonFunction = 0x09;
inline constexpr uint8_t kRestoreLighting = 0x0E;
inline constexpr uint8_t kFactoryReset = 0x0F;

// A notification the mouse sent while no host had that connection's command
// interface open. With a state file it is kept there, and the next host that
// opens the interface (in any process) receives it first; a later report of
// the same kind on the same connection replaces it, as it supersedes it.
struct OwedReport {
    int mode = 0;                // 0 = cable, 1 = receiver
    std::vector<uint8_t> bytes;  // the input report as sent; byte 0 is its kind

    bool operator==(const OwedReport&) const = default;
};

// Everything the mouse and its receiver remember: the stored settings, the
// firmware releases, the battery and whether cable, receiver and mouse power
// are on. A value type: the protocol code changes it, the state file saves it.
struct MouseState {
    std::string device_id;
    // Stored payloads of the set commands 0x02..0x07 and 0x09 (the button
    // slots of key codes 0..8, three bytes each), keyed by set code.
    std::map<uint8_t, Payload> payloads;
    // Macro event bytes per key code: the assembled stream without its
    // leading key-code byte (four bytes per event).
    std::map<uint8_t, std::vector<uint8_t>> macros;
    uint16_t firmware = 0;  // major in the high byte, minor in the low byte
    uint16_t receiver_firmware = 0;
    std::array<uint8_t, 2> battery = {0, 0};  // identity bytes 12, 13
    bool cable_plugged = false;
    bool receiver_plugged = false;
    bool mouse_on = true;  // the power switch; matters only behind the receiver
    // Identity bytes 10 and 11 when changed from the product's (a different
    // sensor or report-rate ceiling to test against); nothing: the product's.
    std::optional<uint8_t> sensor_code;
    std::optional<uint8_t> highest_rate;
    std::vector<OwedReport> owed;

    // A new mouse: factory settings, the product's firmware and battery, and
    // every connection mode the product has plugged in.
    static MouseState Factory(const SimProduct& product);

    // Factory reset: settings, button slots and macros as shipped; firmware,
    // battery and connections stay.
    void RestoreSettings(const SimProduct& product);
    void RestoreLighting(const SimProduct& product);

    // The stored payload of a set code; all zeros when never set.
    Payload PayloadOf(uint8_t code) const;

    // Stage byte of the DPI stages payload: index high nibble, count low.
    uint8_t StageByte() const;
    void SetStageByte(uint8_t stage_byte);

    // Keeps `report` owed on `mode`, replacing an owed report of its kind there.
    void Owe(int mode, std::vector<uint8_t> report);
    // The reports owed on `mode`, oldest first, no longer owed.
    std::vector<std::vector<uint8_t>> TakeOwed(int mode);
    // A report of this kind (byte 0) is owed on `mode`.
    bool Owes(int mode, uint8_t kind) const;

    bool operator==(const MouseState&) const = default;
};

}  // namespace mousedeck::sim
