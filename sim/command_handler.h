#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/macro_assembler.h"
#include "sim/mouse_state.h"
#include "sim/sim_product.h"

namespace mousedeck::sim {

// A command output report as the host hands it over: report id 0 in byte 0,
// command code in byte 1, page byte 3, length byte 4, payload 5..31,
// checksum 32 (sum of bytes 5..31 modulo 256), padded with zeros to 65.
inline constexpr std::size_t kOutputReportSize = 65;
// Every input report of the command interface: 64 data bytes, no report id.
inline constexpr std::size_t kInputReportSize = 64;

// Reply byte 1. Anything but kStatusOk is a refusal (a NAK).
inline constexpr uint8_t kStatusOk = 0x00;
inline constexpr uint8_t kStatusBadChecksum = 0x01;
inline constexpr uint8_t kStatusUnknownCommand = 0x02;
inline constexpr uint8_t kStatusBadPayload = 0x03;
inline constexpr uint8_t kStatusMouseOffline = 0x04;  // receiver: its mouse is off
inline constexpr uint8_t kStatusRejected = 0x05;      // refusal injected by a test

// Read-command codes.
inline constexpr uint8_t kIdentity = 0x10;
inline constexpr uint8_t kBeginReadBack = 0x11;
inline constexpr uint8_t kFirmwareVersion = 0x20;

// Notification kinds (input report byte 0).
inline constexpr uint8_t kConnectionNotification = 0xC0;
inline constexpr uint8_t kDpiNotification = 0xC2;

using OutputReport = std::array<uint8_t, kOutputReportSize>;
using InputReport = std::array<uint8_t, kInputReportSize>;

uint8_t FrameChecksum(std::span<const uint8_t> frame);

// The receiver's connection report: C0, 1 = mouse connected, then the battery
// (nothing while the mouse is off).
std::vector<uint8_t> ConnectionNotification(bool connected, const std::array<uint8_t, 2>& battery);
// The mouse's DPI report: C2, stage byte (index high nibble, count low).
std::vector<uint8_t> DpiNotification(uint8_t stage_byte);

// The firmware's command interpreter, for the mouse behind a cable or behind
// its receiver. Replies carry the command code in byte 0, the status in
// byte 1 and a read payload from byte 4.
class CommandHandler {
public:
    explicit CommandHandler(const SimProduct& product) : product_(product) {}

    struct Outcome {
        InputReport reply{};
        bool state_changed = false;
    };

    // through_receiver: the command came in on the receiver's interface, so
    // only the identity query is answered while the mouse is off.
    Outcome Handle(const OutputReport& frame, MouseState& state, bool through_receiver);

private:
    Outcome Identity(const MouseState& state, bool mouse_reachable) const;
    Outcome Set(uint8_t code, const OutputReport& frame, MouseState& state);

    const SimProduct& product_;
    MacroAssembler macros_;
};

}  // namespace mousedeck::sim
