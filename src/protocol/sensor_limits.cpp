#include "protocol/sensor_limits.h"

#include <algorithm>
#include <array>

namespace mousedeck::protocol {
namespace {

struct Row {
    int code;
    SensorLimits limits;
};

// Sensor 150 is bounded to 38000 while its caption says 32000: the caption is
// what the slider shows, the bound what the mouse accepts.
const std::array<Row, 11>& Rows() {
    static const std::array<Row, 11> rows = {{
        {4, {100, 8000, 80, std::nullopt, "100", "8000"}},
        {5, {50, 12000, 184, std::nullopt, "50", "12000"}},
        {16, {100, 4800, 48, std::nullopt, "100", "4800"}},
        {17, {50, 24000, 232, std::nullopt, "50", "24000"}},
        {18, {100, 4800, 48, std::nullopt, "100", "4800"}},
        {25, {100, 30000, 173, std::nullopt, "100", "30000"}},
        {37, {100, 10000, 60, std::nullopt, "100", "10000"}},
        {38, {200, 10000, 59, std::nullopt, "200", "10000"}},
        {53, {100, 16000, 160, std::nullopt, "100", "16000"}},
        {149, {100, 26000, 520, 2, "100", "26000"}},
        {150, {100, 38000, 640, 2, "100", "32000"}},
    }};
    return rows;
}

const Row* Find(int sensor_code) {
    const auto& rows = Rows();
    const auto it = std::ranges::find(rows, sensor_code, &Row::code);
    return it == rows.end() ? nullptr : &*it;
}

}  // namespace

SensorLimits LimitsOf(int sensor_code) {
    const Row* row = Find(sensor_code);
    return row != nullptr ? row->limits : SensorLimits{};
}

bool IsKnownSensor(int sensor_code) {
    return Find(sensor_code) != nullptr;
}

int ClampDpi(int sensor_code, int dpi) {
    const SensorLimits limits = LimitsOf(sensor_code);
    return std::clamp(dpi, limits.min_dpi, limits.max_dpi);
}

}  // namespace mousedeck::protocol
