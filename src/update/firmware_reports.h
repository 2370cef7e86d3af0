#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace mousedeck::update {

// Reports for the boot-loader interface (usage page 0xFFEF). Every report is
// 64 bytes with report id 0x05 in byte 0; unused bytes are 0xFF. Unlike the
// command frames there is no checksum in byte 32: each 20-byte sub-block
// carries its own CRC.
//   begin  05 02 02 00 01 FF...
//   data   05 02 L 00, then three sub-blocks in bytes 4..63;
//          L = 20 per sub-block that carries image bytes (20, 40 or 60)
//   end    05 02 06 00 02 FF...
// Sub-block j of data report k (bytes 4 + 20j .. 23 + 20j):
//   0..1   sequence number 3k + j, little-endian (counts over the whole image)
//   2..17  16 image bytes; 0xFF after the image's end
//   18..19 CRC-16/MODBUS of bytes 0..17 (padding included), little-endian
inline constexpr std::size_t kUpgradeReportSize = 64;
inline constexpr std::size_t kSubBlockBytes = 20;
inline constexpr std::size_t kSubBlockImageBytes = 16;
inline constexpr std::size_t kImageBytesPerReport = 48;
// Sequence numbers are 16 bits: a longer image would wrap them and the
// loader would place its tail over its head.
inline constexpr std::size_t kMaxImageBytes = std::size_t{65536} * kSubBlockImageBytes;

using UpgradeReport = std::array<uint8_t, kUpgradeReportSize>;

// CRC-16/MODBUS: polynomial 0x8005 bit-reflected (0xA001), initial 0xFFFF,
// least significant bit first, no final XOR. "123456789" gives 0x4B37.
uint16_t Crc16Modbus(std::span<const uint8_t> bytes);

UpgradeReport BeginReport();
UpgradeReport EndReport();

// Data reports an image of `image_bytes` needs: one per 48 bytes begun.
std::size_t DataReportCount(std::size_t image_bytes);
// Data report `index` (from 0) of `image`; index < DataReportCount.
UpgradeReport DataReport(std::span<const uint8_t> image, std::size_t index);

}  // namespace mousedeck::update
