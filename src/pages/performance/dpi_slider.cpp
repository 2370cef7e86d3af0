#include "pages/performance/dpi_slider.h"

#include <algorithm>

#include "protocol/sensor_limits.h"

namespace mousedeck::pages::performance {
namespace {

// The value of p = position + offset before the sensor's minimum applies.
int RawValue(int sensor_code, int p) {
    switch (sensor_code) {
        case 4:
            return std::min(p * 100, 8000);
        case 5:
            return std::min(p <= 128 ? p * 50 : (p - 64) * 100, 12000);
        case 16:
        case 18:
            return std::min(p * 100, 4800);
        case 17:
            if (p <= 200) {
                return p * 50;
            }
            return std::min(p <= 220 ? (p - 100) * 100 : (p - 208) * 1000, 24000);
        case 25:
            return std::min(p * 100 < 16000 ? p * 100 : (p - 144) * 1000, 30000);
        case 37:
            return std::min(p * 100 <= 5000 ? p * 100 : (p - 40) * 500, 10000);
        case 38:
            return std::min(p * 100 < 5000 ? (p + 1) * 100 : (p - 39) * 500, 10000);
        case 53:
            return std::min(p * 100, 16000);
        default:
            return std::min(p * 50, 26000);
    }
}

}  // namespace

DpiSlider SliderOf(int sensor_code) {
    const protocol::SensorLimits limits = protocol::LimitsOf(sensor_code);
    return {limits.slider_positions, limits.slider_offset.value_or(0), limits.min_caption,
            limits.max_caption};
}

int SliderValue(int sensor_code, int position) {
    const DpiSlider slider = SliderOf(sensor_code);
    const int p = std::clamp(position, 0, slider.positions) + slider.offset;
    return std::max(RawValue(sensor_code, p), protocol::LimitsOf(sensor_code).min_dpi);
}

int SliderPosition(int sensor_code, int value) {
    // Values never fall as the position rises; at most 641 positions.
    const int positions = SliderOf(sensor_code).positions;
    int position = 0;
    for (int p = 1; p <= positions && SliderValue(sensor_code, p) <= value; ++p) {
        position = p;
    }
    return position;
}

}  // namespace mousedeck::pages::performance
