#pragma once

#include <array>
#include <optional>

#include "protocol/command_codes.h"
#include "protocol/value_codecs.h"

namespace mousedeck::protocol {

// The stored DPI stages of a profile: `dpi_count`, `dpi_index` and
// `dpi_group0_value` .. `dpi_group5_value`.
struct DpiStageSettings {
    int count = 0;
    int index = 0;
    std::array<int, kMaxDpiStages> values{};

    bool operator==(const DpiStageSettings&) const = default;
};

// `dpi_group0_rgb` .. `dpi_group5_rgb`, each 0x00BBGGRR.
using DpiColours = std::array<int64_t, kMaxDpiStages>;

// `liftoff_height` and `sensor_flag`.
struct LiftSensorSettings {
    int liftoff_height = kLiftoffLow;
    int sensor_flag = 0;

    bool operator==(const LiftSensorSettings&) const = default;
};

// `sleep_light`, `move_wakeup`, `move_closelight`, `button_respondtime`.
struct PowerSettings {
    int sleep_light = 0;
    int move_wakeup = 0;
    int move_closelight = 0;
    int button_respondtime = 0;

    bool operator==(const PowerSettings&) const = default;
};

// 0x02 set report rate, 65 bytes written, payload length 1:
//   5  report-rate code
// Nothing for a value that is no report-rate code: the mouse would be left
// with a rate it does not have.
std::optional<OutgoingFrame> BuildReportRateFrame(int code);

// 0x03 set DPI stages, 33 bytes written, payload length byte 0x25:
//   5       stage byte (index << 4 | count; count bounded to 1..6, an index
//           outside the stages becomes 0)
//   6..29   six stages, four bytes each: DPI code low, high, then the same
//           two bytes again; every value is bounded to the sensor's range
//   30, 31  0
// All six stages are sent whatever the count.
OutgoingFrame BuildDpiStagesFrame(const DpiStageSettings& stages, int sensor_code);

// 0x04 set DPI colours, 65 bytes written, payload length 18:
//   5..22   six stages, three bytes each: red, green, blue
OutgoingFrame BuildDpiColoursFrame(const DpiColours& colours);

// 0x06 set lift-off and sensor options, 65 bytes written, payload length 5:
//   5      lift-off: 2 when `liftoff_height` is 2, otherwise 1
//   6      1 when `sensor_flag` has bit 8
//   7      1 when `sensor_flag` has bit 4
//   8, 9   0 (bit 16 is not sent)
OutgoingFrame BuildLiftSensorFrame(const LiftSensorSettings& settings);

// 0x07 set power and debounce, 65 bytes written, payload length 4:
//   5  sleep time in units of 10 s, bounded to 0..255
//   6  wake on movement: 1 when stored as 1, else 0
//   7  light off while moving: 1 when stored as 1, else 0
//   8  button response time in ms, bounded to 0..20
OutgoingFrame BuildPowerFrame(const PowerSettings& settings);

// 0x0F factory reset, 33 bytes written: page 0x01, length 1, byte 5 = 0xFF.
OutgoingFrame BuildFactoryResetFrame();

// A read command (0x10..0x20), 33 bytes written: the code, every other byte
// 0 (page and length included). Set codes are not reads: nothing for them.
std::optional<OutgoingFrame> BuildReadFrame(Command command);

// A set frame with bytes 1, 3, 4 filled, the payload left to the caller and
// `length` bytes to write. The checksum is stored by FinishFrame.
OutgoingFrame StartSetFrame(Command command, uint8_t payload_length, std::size_t write_length,
                            uint8_t page_byte = kSinglePage);
// Stores the checksum into byte 32.
void FinishFrame(OutgoingFrame& out);

}  // namespace mousedeck::protocol
