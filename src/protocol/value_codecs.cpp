#include "protocol/value_codecs.h"

#include <algorithm>
#include <array>
#include <utility>

namespace mousedeck::protocol {
namespace {

constexpr std::array<std::pair<int, int>, 7> kRates = {{
    {0x08, 125},
    {0x04, 250},
    {0x02, 500},
    {0x01, 1000},
    {0x10, 2000},
    {0x20, 4000},
    {0x40, 8000},
}};

}  // namespace

std::optional<int> ReportRateHz(int code) {
    for (const auto& [c, hz] : kRates) {
        if (c == code) {
            return hz;
        }
    }
    return std::nullopt;
}

std::optional<uint8_t> ReportRateCode(int hz) {
    for (const auto& [c, rate] : kRates) {
        if (rate == hz) {
            return static_cast<uint8_t>(c);
        }
    }
    return std::nullopt;
}

int ReportRateCapability(uint8_t identity_byte_11) {
    switch (identity_byte_11) {
        case 0x10:
            return 5;
        case 0x20:
            return 6;
        case 0x40:
            return 7;
        default:
            return 4;
    }
}

Rgb ColourToRgb(int64_t colour) {
    const auto bits = static_cast<uint64_t>(colour);
    return Rgb{static_cast<uint8_t>(bits & 0xFF), static_cast<uint8_t>((bits >> 8) & 0xFF),
               static_cast<uint8_t>((bits >> 16) & 0xFF)};
}

int ColourFromRgb(Rgb rgb) {
    return rgb.red + rgb.green * 256 + rgb.blue * 65536;
}

StageByte DecodeStageByte(uint8_t byte) {
    return StageByte{byte >> 4, byte & 0x0F};
}

bool IsValidStage(StageByte stage) {
    return stage.count >= 1 && stage.count <= kMaxDpiStages && stage.index >= 0 && stage.index < stage.count;
}

uint8_t EncodeStageByte(int index, int count) {
    const int n = std::clamp(count, 1, kMaxDpiStages);
    const int i = (index >= 0 && index < n) ? index : 0;
    return static_cast<uint8_t>((i << 4) | n);
}

uint8_t SleepUnits(int seconds) {
    return static_cast<uint8_t>(std::clamp(seconds / kSleepUnitSeconds, 0, 255));
}

}  // namespace mousedeck::protocol
