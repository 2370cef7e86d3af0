#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace mousedeck::hid {

// An output report for the mouse's command interface, filled by the command
// builders and handed to DeviceManager::Send, which writes the first 33 or 65
// bytes and leaves the reply in the same buffer.
//   byte 0      report id, always 0x00
//   byte 1      command code
//   bytes 2-31  command-specific (page byte 3, payload length 4, payload 5-31)
//   byte 32     checksum: sum of bytes 5-31 modulo 256, written by Send
//   bytes 33-64 zero for every command
// Replies arrive without the report id: byte 1 = 0x00 marks success and a read
// payload starts at byte 4.
struct CommandFrame {
    static constexpr size_t kSize = 65;
    static constexpr size_t kShortLength = 33;
    static constexpr size_t kChecksumIndex = 32;

    std::array<uint8_t, kSize> bytes{};

    uint8_t& operator[](size_t i) { return bytes[i]; }
    uint8_t operator[](size_t i) const { return bytes[i]; }
};

// Sum of bytes 5-31 modulo 256; bytes 0-4 and 33 onwards never count.
uint8_t FrameChecksum(std::span<const uint8_t, CommandFrame::kSize> frame);

// Writes FrameChecksum into byte 32.
void StoreChecksum(CommandFrame& frame);

// Unsolicited input reports, told apart by byte 0.
inline constexpr uint8_t kConnectionReport = 0xC0;  // byte 1: 1 = mouse behind the receiver connected
inline constexpr uint8_t kDpiReport = 0xC2;         // byte 1: stage index << 4 | stage count

// True for a report the mouse or receiver sends on its own; such a report is
// never the reply to a command.
constexpr bool IsNotificationReport(uint8_t first_byte) {
    return first_byte == kConnectionReport || first_byte == kDpiReport;
}

}  // namespace mousedeck::hid
