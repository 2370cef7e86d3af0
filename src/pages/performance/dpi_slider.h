#pragma once

#include <string_view>

namespace mousedeck::pages::performance {

// The DPI slider of the sensor code (identity byte 10): positions 0 to
// `positions`, end captions, and the offset added to a position before a
// value is computed from it (2 for sensors 149 and 150, 0 for all others,
// so a mouse with another sensor never inherits an offset).
struct DpiSlider {
    int positions = 0;
    int offset = 0;
    std::string_view min_caption;
    std::string_view max_caption;

    bool operator==(const DpiSlider&) const = default;
};
DpiSlider SliderOf(int sensor_code);

// The stage value at a slider position (bounded to 0..positions). With
// p = position + offset:
//   4            p * 100, at most 8000
//   5            p <= 128: p * 50; else (p - 64) * 100; at most 12000
//   16, 18       p * 100, at most 4800
//   17           p <= 200: p * 50; 201..220: (p - 100) * 100;
//                from 221: (p - 208) * 1000; at most 24000
//   25           p * 100 below 16000, else (p - 144) * 1000; at most 30000
//   37           p * 100 up to 5000, else (p - 40) * 500; at most 10000
//   38           (p + 1) * 100 while p * 100 is below 5000,
//                else (p - 39) * 500; at most 10000
//   53           p * 100, at most 16000
//   any other    p * 50, at most 26000
// and never below the sensor's minimum (position 0 of sensor 4 is 100, not
// 0), so the slider never stores a value the mouse is not sent.
int SliderValue(int sensor_code, int position);

// The position a stage value is shown at: the highest position whose value
// is not above it (0 for values below the first). Computed from SliderValue
// so that moving the slider onto a shown value reads that same value back.
int SliderPosition(int sensor_code, int value);

}  // namespace mousedeck::pages::performance
