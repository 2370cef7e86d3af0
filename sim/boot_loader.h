#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mousedeck::sim {

// Boot-loader reports (usage page 0xFFEF): 64 bytes with report id 0x05 in
// byte 0, unused bytes 0xFF.
//   begin  05 02 02 00 01 FF..
//   data   05 02 L 00, then three 20-byte sub-blocks from byte 4; L = 20 per
//          sub-block that carries data (20, 40 or 60)
//   end    05 02 06 00 02 FF..
// Sub-block: sequence number (2 bytes LE), 16 image bytes (0xFF padding after
// the image's end), CRC-16/MODBUS of those 18 bytes (2 bytes LE).
inline constexpr std::size_t kBootReportSize = 64;
inline constexpr uint8_t kBootReportId = 0x05;
inline constexpr std::size_t kSubBlockSize = 20;
inline constexpr std::size_t kSubBlockData = 16;

// Status byte of the boot-loader's answer report.
inline constexpr uint8_t kBootOk = 0x00;
inline constexpr uint8_t kBootBadCrc = 0x01;
inline constexpr uint8_t kBootBadSequence = 0x02;
inline constexpr uint8_t kBootNotStarted = 0x03;
inline constexpr uint8_t kBootBadReport = 0x04;
inline constexpr uint8_t kBootEmptyImage = 0x05;

using BootReport = std::array<uint8_t, kBootReportSize>;

// CRC-16/MODBUS: reflected polynomial 0xA001, initial 0xFFFF, no final XOR.
uint16_t Crc16Modbus(std::span<const uint8_t> bytes);

// The release number a flashed image gives the mouse: the four hexadecimal
// digits after the first "MDVER=" in the image when there is one (so a test
// or a packaged image can name its release), else the current release + 1.
uint16_t ReleaseFromImage(std::span<const uint8_t> image, uint16_t current_release);

// The boot-loader's receiving side. Every report is answered with
// 05, status, next expected sequence number (LE), 0xFF...; the first error
// spoils the transfer until the next begin report, and an end report then
// yields no image.
class BootLoader {
public:
    struct Outcome {
        BootReport answer{};
        // Set by an end report that closes a clean, non-empty transfer: the
        // received sub-blocks' data, a multiple of 16 bytes (the last one
        // keeps its 0xFF padding; the loader cannot tell padding from data).
        std::optional<std::vector<uint8_t>> image;
    };

    Outcome Take(const BootReport& report);

    bool InTransfer() const { return in_transfer_; }
    // Status of the transfer so far: kBootOk or its first error.
    uint8_t TransferStatus() const { return status_; }
    // Image bytes received in the current or last transfer.
    const std::vector<uint8_t>& Received() const { return image_; }

private:
    uint8_t TakeData(const BootReport& report);

    bool in_transfer_ = false;
    uint8_t status_ = kBootOk;
    uint16_t next_sequence_ = 0;
    std::vector<uint8_t> image_;
};

}  // namespace mousedeck::sim
