#include "update/firmware_reports.h"

#include <algorithm>

namespace mousedeck::update {
namespace {

constexpr uint8_t kReportId = 0x05;

UpgradeReport ControlReport(uint8_t byte2, uint8_t byte4) {
    UpgradeReport report;
    report.fill(0xFF);
    report[0] = kReportId;
    report[1] = 0x02;
    report[2] = byte2;
    report[3] = 0x00;
    report[4] = byte4;
    return report;
}

}  // namespace

uint16_t Crc16Modbus(std::span<const uint8_t> bytes) {
    uint16_t crc = 0xFFFF;
    for (const uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc =
                (crc & 1) != 0 ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
        }
    }
    return crc;
}

UpgradeReport BeginReport() {
    return ControlReport(0x02, 0x01);
}

UpgradeReport EndReport() {
    return ControlReport(0x06, 0x02);
}

std::size_t DataReportCount(std::size_t image_bytes) {
    return (image_bytes + kImageBytesPerReport - 1) / kImageBytesPerReport;
}

UpgradeReport DataReport(std::span<const uint8_t> image, std::size_t index) {
    UpgradeReport report;
    report.fill(0xFF);
    const std::size_t start = index * kImageBytesPerReport;
    const std::size_t left = start < image.size() ? image.size() - start : 0;
    const std::size_t blocks =
        std::min<std::size_t>(3, (left + kSubBlockImageBytes - 1) / kSubBlockImageBytes);
    report[0] = kReportId;
    report[1] = 0x02;
    report[2] = static_cast<uint8_t>(kSubBlockBytes * blocks);
    report[3] = 0x00;
    for (std::size_t j = 0; j < blocks; ++j) {
        uint8_t* block = report.data() + 4 + kSubBlockBytes * j;
        const auto sequence = static_cast<uint16_t>(index * 3 + j);
        block[0] = static_cast<uint8_t>(sequence & 0xFF);
        block[1] = static_cast<uint8_t>(sequence >> 8);
        const std::size_t from = start + kSubBlockImageBytes * j;
        const std::size_t count = std::min(kSubBlockImageBytes, image.size() - from);
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(from), count, block + 2);
        const uint16_t crc = Crc16Modbus(std::span<const uint8_t>(block, 18));
        block[18] = static_cast<uint8_t>(crc & 0xFF);
        block[19] = static_cast<uint8_t>(crc >> 8);
    }
    return report;
}

}  // namespace mousedeck::update
