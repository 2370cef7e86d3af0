#include "protocol/dpi_codec.h"

#include <algorithm>
#include <cstdint>

#include "protocol/sensor_limits.h"

namespace mousedeck::protocol {
namespace {

// Sensor 17's largest code of the 100-DPI steps: 220 = 12000 DPI.
constexpr int64_t kSensor17LastHundredsCode = 220;

int64_t EncodeWide(int sensor_code, int64_t v) {
    switch (sensor_code) {
        case 4:
        case 16:
        case 18:
        case 53:
            return v / 100;
        case 5:
            return v <= 6400 ? v / 50 : (v - 6400) / 100 + 128;
        case 17:
            if (v <= 10000) {
                return v / 50;
            }
            if (v < 13000) {
                return std::min((v - 10000) / 100 + 200, kSensor17LastHundredsCode);
            }
            return (v - 13000) / 1000 + 221;
        case 25:
            return v <= 16000 ? v / 100 - 1 : (v - 16000) / 1000 + 160;
        case 37:
            return v <= 5000 ? v / 100 : (v - 5000) / 500 + 50;
        case 38:
            return v <= 5000 ? v / 100 - 1 : (v - 5000) / 500 + 50;
        default:
            return v / 50 - 1;
    }
}

}  // namespace

uint16_t EncodeDpi(int sensor_code, int dpi) {
    return static_cast<uint16_t>(std::clamp<int64_t>(EncodeWide(sensor_code, dpi), 0, 0xFFFF));
}

int DecodeDpi(int sensor_code, uint16_t code) {
    const int c = code;
    switch (sensor_code) {
        case 4:
        case 16:
        case 18:
        case 53:
            return c * 100;
        case 5:
            return c < 129 ? c * 50 : (c - 64) * 100;
        case 17:
            if (c < 200) {
                return c * 50;
            }
            return c <= 220 ? (c - 100) * 100 : (c - 208) * 1000;
        case 25:
            return c < 160 ? c * 100 : (c - 144) * 1000;
        case 37:
            return c < 50 ? c * 100 : (c - 40) * 500;
        case 38:
            return c < 50 ? c * 100 : (c - 39) * 500;
        case 150:
            return c * 50;
        default:
            return (c + 1) * 50;
    }
}

uint16_t EncodeStageDpi(int sensor_code, int dpi) {
    return EncodeDpi(sensor_code, ClampDpi(sensor_code, dpi));
}

}  // namespace mousedeck::protocol
