#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace mousedeck::bench {

using BootReport = std::array<uint8_t, 64>;

// Boot-loader reports for an image: begin, data reports of three 20-byte
// sub-blocks (sequence number LE, 16 image bytes padded with 0xFF,
// CRC-16/MODBUS of those 18 bytes LE), end. Report number 0x05, unused bytes
// 0xFF.
BootReport BeginReport();
BootReport EndReport();
std::vector<BootReport> DataReports(const std::vector<uint8_t>& image);

}  // namespace mousedeck::bench
