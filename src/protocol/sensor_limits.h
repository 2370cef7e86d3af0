#pragma once

#include <optional>
#include <string_view>

namespace mousedeck::protocol {

// What a sensor code (identity byte 10) allows: the DPI range every stage
// value is bounded to before it is sent, and the DPI slider's geometry and
// end captions. Codes without a row of their own get 50..26000.
struct SensorLimits {
    int min_dpi = 50;
    int max_dpi = 26000;
    int slider_positions = 520;        // the slider's largest position
    std::optional<int> slider_offset;  // added to the position; set only for 149 and 150
    std::string_view min_caption = "50";
    std::string_view max_caption = "26000";
};

SensorLimits LimitsOf(int sensor_code);

// True when the sensor code has a row of its own (4, 5, 16, 17, 18, 25, 37,
// 38, 53, 149, 150).
bool IsKnownSensor(int sensor_code);

// `dpi` bounded to the sensor's range.
int ClampDpi(int sensor_code, int dpi);

}  // namespace mousedeck::protocol
