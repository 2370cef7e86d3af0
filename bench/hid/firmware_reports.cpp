#include "firmware_reports.h"

#include <algorithm>

namespace mousedeck::bench {

namespace {

uint16_t Crc16Modbus(const uint8_t* data, size_t size) {
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
        }
    }
    return crc;
}

BootReport Filled(std::initializer_list<uint8_t> head) {
    BootReport r;
    r.fill(0xFF);
    std::copy(head.begin(), head.end(), r.begin());
    return r;
}

}  // namespace

BootReport BeginReport() { return Filled({0x05, 0x02, 0x02, 0x00, 0x01}); }
BootReport EndReport() { return Filled({0x05, 0x02, 0x06, 0x00, 0x02}); }

std::vector<BootReport> DataReports(const std::vector<uint8_t>& image) {
    std::vector<BootReport> reports;
    uint16_t sequence = 0;
    for (size_t offset = 0; offset < image.size(); offset += 48) {
        const size_t blocks = std::min<size_t>(3, (image.size() - offset + 15) / 16);
        BootReport r = Filled({0x05, 0x02, static_cast<uint8_t>(20 * blocks), 0x00});
        for (size_t j = 0; j < blocks; ++j, ++sequence) {
            uint8_t* block = &r[4 + 20 * j];
            block[0] = static_cast<uint8_t>(sequence & 0xFF);
            block[1] = static_cast<uint8_t>(sequence >> 8);
            const size_t from = offset + 16 * j;
            const size_t n = std::min<size_t>(16, image.size() - from);
            std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(from), n, block + 2);
            const uint16_t crc = Crc16Modbus(block, 18);
            block[18] = static_cast<uint8_t>(crc & 0xFF);
            block[19] = static_cast<uint8_t>(crc >> 8);
        }
        reports.push_back(r);
    }
    return reports;
}

}  // namespace mousedeck::bench
