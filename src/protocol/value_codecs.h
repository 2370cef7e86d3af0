#pragma once

#include <cstdint>
#include <optional>

namespace mousedeck::protocol {

// Report-rate code, one byte, not ordered by rate:
// 8 = 125 Hz, 4 = 250 Hz, 2 = 500 Hz, 1 = 1000 Hz, 0x10 = 2000 Hz,
// 0x20 = 4000 Hz, 0x40 = 8000 Hz. Anything else is not a rate.
std::optional<int> ReportRateHz(int code);
std::optional<uint8_t> ReportRateCode(int hz);
inline bool IsReportRateCode(int code) {
    return ReportRateHz(code).has_value();
}

// Report-rate capability from identity byte 11: 0x10 -> 5 (2000 Hz),
// 0x20 -> 6 (4000 Hz), 0x40 -> 7 (8000 Hz), anything else -> 4 (1000 Hz).
int ReportRateCapability(uint8_t identity_byte_11);

// Colour 0x00BBGGRR travels as red, green, blue bytes in that order.
struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};
// Bits above 23 are ignored, so a stored value out of range still yields
// three bytes.
Rgb ColourToRgb(int64_t colour);
// red + green * 256 + blue * 65536.
int ColourFromRgb(Rgb rgb);

// The stage byte of the DPI stages command, its reply and the 0xC2
// notification: active stage index (0-based) in the high nibble, number of
// stages in the low nibble.
inline constexpr int kMaxDpiStages = 6;
struct StageByte {
    int index = 0;
    int count = 0;

    bool operator==(const StageByte&) const = default;
};
StageByte DecodeStageByte(uint8_t byte);
// A stage byte the page can show: 1..6 stages and the index below the count.
bool IsValidStage(StageByte stage);
// The byte sent for stored values: the count is bounded to 1..6 and an index
// outside 0..count-1 becomes 0, the stage the page falls back to.
uint8_t EncodeStageByte(int index, int count);

// Flag byte: 1 = on, 0 = off. A stored value counts as on only when it is 1,
// as the page shows it.
inline uint8_t FlagByte(int stored) {
    return stored == 1 ? 1 : 0;
}

// Sleep time byte in units of 10 s (6 = 1 minute, 180 = 30 minutes).
inline constexpr int kSleepUnitSeconds = 10;
inline int SleepSeconds(uint8_t units) {
    return units * kSleepUnitSeconds;
}
// Seconds rounded down to whole units, bounded to one byte.
uint8_t SleepUnits(int seconds);

// Bits of `sensor_flag`. Only 8 and 4 travel to the mouse; 16 stays local.
inline constexpr int kSensorBit8 = 8;
inline constexpr int kSensorBit4 = 4;
inline constexpr int kSensorBit16 = 16;

// Button response (debounce) time, `button_respondtime`.
inline constexpr int kMaxDebounce = 20;

// Lift-off distance, `liftoff_height`: 1 (1.0 mm) or 2 (2.0 mm).
inline constexpr int kLiftoffLow = 1;
inline constexpr int kLiftoffHigh = 2;

}  // namespace mousedeck::protocol
