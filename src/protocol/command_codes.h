#pragma once

#include <cstddef>
#include <cstdint>

#include "hid/command_frame.h"

namespace mousedeck::protocol {

// Command codes of the mouse (request byte 1). Set commands 0x02..0x0F carry
// a page byte and a payload length; reads 0x10..0x20 carry neither. The reply
// to a read 0x12..0x17 has the layout of the set payload 0x10 lower, shifted
// one byte down (request payload from byte 5, reply payload from byte 4).
enum class Command : uint8_t {
    kSetReportRate = 0x02,
    kSetDpiStages = 0x03,
    kSetDpiColours = 0x04,
    kSetLighting = 0x05,
    kSetLiftSensor = 0x06,
    kSetPowerDebounce = 0x07,
    kMacroData = 0x08,
    kButtonFunction = 0x09,
    kRestoreLighting = 0x0E,
    kFactoryReset = 0x0F,
    kIdentity = 0x10,
    kBeginReadBack = 0x11,
    kReadReportRate = 0x12,
    kReadDpiStages = 0x13,
    kReadDpiColours = 0x14,
    kReadLighting = 0x15,
    kReadLiftSensor = 0x16,
    kReadPowerDebounce = 0x17,
    kReadFirmwareVersion = 0x20,
};

constexpr uint8_t CodeOf(Command command) {
    return static_cast<uint8_t>(command);
}

// Request layout shared by every command.
inline constexpr std::size_t kCodeByte = 1;
inline constexpr std::size_t kPageByte = 3;      // page index << 4 | page count; 0x00 for reads
inline constexpr std::size_t kLengthByte = 4;    // payload length; 0x00 for reads
inline constexpr std::size_t kPayloadStart = 5;  // set payload: bytes 5..31
inline constexpr std::size_t kPayloadCapacity = hid::CommandFrame::kChecksumIndex - kPayloadStart;
inline constexpr uint8_t kSinglePage = 0x01;  // page 0 of 1
// Reply layout: no report id, byte 1 = 0x00 on success, read payload from 4.
inline constexpr std::size_t kReplyPayloadStart = 4;

static_assert(kPayloadCapacity == 27, "set payload occupies request bytes 5..31");
static_assert(hid::CommandFrame::kSize == 65, "full output report");
static_assert(hid::CommandFrame::kShortLength == 33, "short write ends after the checksum");

// A request ready for DeviceManager::Send: the filled report (checksum in
// byte 32 already stored) and how many of its bytes to write (33 or 65).
struct OutgoingFrame {
    hid::CommandFrame frame{};
    std::size_t length = hid::CommandFrame::kShortLength;
};

}  // namespace mousedeck::protocol
