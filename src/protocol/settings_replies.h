#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "protocol/value_codecs.h"
#include "store/records.h"

namespace mousedeck::protocol {

// Decoders of the read replies 0x12..0x17 (but 0x15, see lighting_frames.h)
// and 0x20. Input: the reply as the exchange left it, no report id; bytes
// beyond the span read as 0. A field the mouse reports out of range is
// nullopt and is not stored: a damaged reply never overwrites a good value.
// ...Rows() give the configuration keys to store, values as decimal text.

// 0x12, reply byte 4: report-rate code; nullopt when no known code.
struct ReportRateReply {
    uint8_t raw = 0;
    std::optional<uint8_t> code;

    bool operator==(const ReportRateReply&) const = default;
};
ReportRateReply DecodeReportRateReply(std::span<const uint8_t> reply);
// `report_rate` and `report_rate_wireless`, both the same code.
std::vector<store::ConfigRow> ReportRateRows(const ReportRateReply& reply);

// 0x13: byte 4 stage byte; bytes 7, 8 stage 0's code (its second copy);
// bytes 5+4k, 6+4k stage k's code (its first copy) for k = 1..5.
struct DpiStagesReply {
    uint8_t raw_stage = 0;
    std::optional<StageByte> stage;  // nullopt unless 1..6 stages, index below count
    std::array<uint16_t, kMaxDpiStages> codes{};
    // Decoded with the sensor code; nullopt below 50 or above the sensor's
    // maximum (codes 0 and 0xFFFF of a confused mouse land here).
    std::array<std::optional<int>, kMaxDpiStages> values{};

    bool operator==(const DpiStagesReply&) const = default;
};
DpiStagesReply DecodeDpiStagesReply(std::span<const uint8_t> reply, int sensor_code);
// `dpi_flag` and `dpi_count` (the count), `dpi_index`, and each
// `dpi_group<k>_value` that decoded in range.
std::vector<store::ConfigRow> DpiStagesRows(const DpiStagesReply& reply);

// 0x14: bytes 4+3k, 5+3k, 6+3k red, green, blue of stage k = 0..5.
struct DpiColoursReply {
    std::array<int, kMaxDpiStages> colours{};  // 0x00BBGGRR

    bool operator==(const DpiColoursReply&) const = default;
};
DpiColoursReply DecodeDpiColoursReply(std::span<const uint8_t> reply);
// `dpi_group<k>_rgb` = red + green * 256 + blue * 65536.
std::vector<store::ConfigRow> DpiColoursRows(const DpiColoursReply& reply);

// 0x16: byte 4 lift-off (1 or 2), byte 5 1 = bit 8, byte 6 1 = bit 4.
struct LiftSensorReply {
    std::optional<int> liftoff_height;  // nullopt unless 1 or 2
    std::optional<int> sensor_flag;     // 8 and 4 only; nullopt unless bytes 5, 6 are 0 or 1

    bool operator==(const LiftSensorReply&) const = default;
};
LiftSensorReply DecodeLiftSensorReply(std::span<const uint8_t> reply);
// `liftoff_height`, `sensor_flag` (bit 16 and every other bit cleared).
std::vector<store::ConfigRow> LiftSensorRows(const LiftSensorReply& reply);

// 0x17: bytes 4..7 sleep units, wake on move, light off on move, debounce.
struct PowerReply {
    std::optional<int> sleep_light;         // any byte
    std::optional<int> move_wakeup;         // 0 or 1
    std::optional<int> move_closelight;     // 0 or 1
    std::optional<int> button_respondtime;  // 0..20

    bool operator==(const PowerReply&) const = default;
};
PowerReply DecodePowerReply(std::span<const uint8_t> reply);
std::vector<store::ConfigRow> PowerRows(const PowerReply& reply);

// 0x20: bytes 4 and 5 major, minor; the version text "%X%02X".
std::string DecodeFirmwareVersionReply(std::span<const uint8_t> reply);

}  // namespace mousedeck::protocol
