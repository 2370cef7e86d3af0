#include "sim/boot_loader.h"

#include <algorithm>
#include <string_view>

namespace mousedeck::sim {
namespace {

constexpr std::size_t kFirstSubBlock = 4;

bool IsBegin(const BootReport& r) {
    return r[2] == 0x02 && r[3] == 0x00 && r[4] == 0x01;
}

bool IsEnd(const BootReport& r) {
    return r[2] == 0x06 && r[3] == 0x00 && r[4] == 0x02;
}

int HexDigit(uint8_t c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

uint16_t Crc16Modbus(std::span<const uint8_t> bytes) {
    uint16_t crc = 0xFFFF;
    for (const uint8_t b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
        }
    }
    return crc;
}

uint16_t ReleaseFromImage(std::span<const uint8_t> image, uint16_t current_release) {
    constexpr std::string_view kTag = "MDVER=";
    const auto it = std::search(image.begin(), image.end(), kTag.begin(), kTag.end(),
                                [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); });
    if (it != image.end() && image.end() - it >= static_cast<std::ptrdiff_t>(kTag.size() + 4)) {
        unsigned release = 0;
        bool valid = true;
        for (std::size_t i = 0; i < 4; ++i) {
            const int digit = HexDigit(*(it + static_cast<std::ptrdiff_t>(kTag.size() + i)));
            valid = valid && digit >= 0;
            release = (release << 4) | static_cast<unsigned>(digit < 0 ? 0 : digit);
        }
        if (valid) {
            return static_cast<uint16_t>(release);
        }
    }
    return static_cast<uint16_t>(current_release + 1);
}

BootLoader::Outcome BootLoader::Take(const BootReport& report) {
    Outcome out;
    out.answer.fill(0xFF);
    out.answer[0] = kBootReportId;
    uint8_t status = kBootOk;
    if (report[0] != kBootReportId || report[1] != 0x02) {
        status = kBootBadReport;
    } else if (IsBegin(report)) {
        in_transfer_ = true;
        status_ = kBootOk;
        next_sequence_ = 0;
        image_.clear();
    } else if (!in_transfer_) {
        status = kBootNotStarted;
    } else if (IsEnd(report)) {
        in_transfer_ = false;
        status = status_;
        if (status == kBootOk && image_.empty()) {
            status = kBootEmptyImage;
        }
        if (status == kBootOk) {
            out.image = image_;
        }
    } else {
        status = TakeData(report);
    }
    out.answer[1] = status;
    out.answer[2] = static_cast<uint8_t>(next_sequence_ & 0xFF);
    out.answer[3] = static_cast<uint8_t>(next_sequence_ >> 8);
    return out;
}

uint8_t BootLoader::TakeData(const BootReport& report) {
    if (status_ != kBootOk) {
        return status_;  // the transfer is spoilt; wait for the next begin
    }
    const uint8_t length = report[2];
    if (report[3] != 0x00 || length == 0 || length > 3 * kSubBlockSize || length % kSubBlockSize != 0) {
        status_ = kBootBadReport;
        return status_;
    }
    for (std::size_t j = 0; j < length / kSubBlockSize; ++j) {
        const auto block =
            std::span<const uint8_t>(report).subspan(kFirstSubBlock + j * kSubBlockSize, kSubBlockSize);
        const uint16_t sequence = static_cast<uint16_t>(block[0] | (block[1] << 8));
        const uint16_t crc = static_cast<uint16_t>(block[18] | (block[19] << 8));
        if (Crc16Modbus(block.first(18)) != crc) {
            status_ = kBootBadCrc;
            return status_;
        }
        if (sequence != next_sequence_) {
            status_ = kBootBadSequence;
            return status_;
        }
        image_.insert(image_.end(), block.begin() + 2, block.begin() + 2 + kSubBlockData);
        ++next_sequence_;
    }
    return kBootOk;
}

}  // namespace mousedeck::sim
