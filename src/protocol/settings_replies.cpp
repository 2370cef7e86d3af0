#include "protocol/settings_replies.h"

#include "protocol/command_codes.h"
#include "protocol/dpi_codec.h"
#include "protocol/firmware_version.h"
#include "protocol/sensor_limits.h"
#include "store/config_defaults.h"

namespace mousedeck::protocol {
namespace {

// The smallest stage value the read-back stores.
constexpr int kMinStoredDpi = 50;

class ReplyBytes {
public:
    explicit ReplyBytes(std::span<const uint8_t> reply) : reply_(reply) {}
    // Reply payload byte `offset` (reply byte 4 + offset); 0 beyond the reply.
    uint8_t operator[](std::size_t offset) const {
        const std::size_t i = kReplyPayloadStart + offset;
        return i < reply_.size() ? reply_[i] : 0;
    }
    uint16_t Word(std::size_t offset) const {
        return static_cast<uint16_t>((*this)[offset] | ((*this)[offset + 1] << 8));
    }

private:
    std::span<const uint8_t> reply_;
};

std::optional<int> ZeroOrOne(uint8_t byte) {
    return byte <= 1 ? std::optional<int>(byte) : std::nullopt;
}

void AddRow(std::vector<store::ConfigRow>& rows, std::string_view key, const std::optional<int>& value) {
    if (value) {
        rows.push_back({std::string(key), std::to_string(*value)});
    }
}

}  // namespace

ReportRateReply DecodeReportRateReply(std::span<const uint8_t> reply) {
    ReportRateReply out;
    out.raw = ReplyBytes(reply)[0];
    if (IsReportRateCode(out.raw)) {
        out.code = out.raw;
    }
    return out;
}

std::vector<store::ConfigRow> ReportRateRows(const ReportRateReply& reply) {
    std::vector<store::ConfigRow> rows;
    if (reply.code) {
        AddRow(rows, store::config_key::kReportRate, *reply.code);
        AddRow(rows, store::config_key::kReportRateWireless, *reply.code);
    }
    return rows;
}

DpiStagesReply DecodeDpiStagesReply(std::span<const uint8_t> reply, int sensor_code) {
    const ReplyBytes bytes(reply);
    DpiStagesReply out;
    out.raw_stage = bytes[0];
    const StageByte stage = DecodeStageByte(out.raw_stage);
    if (IsValidStage(stage)) {
        out.stage = stage;
    }
    const int max_dpi = LimitsOf(sensor_code).max_dpi;
    for (std::size_t k = 0; k < out.codes.size(); ++k) {
        // Stage 0 from its second copy (payload 3, 4), the others from their
        // first (payload 1 + 4k, 2 + 4k).
        out.codes[k] = k == 0 ? bytes.Word(3) : bytes.Word(1 + 4 * k);
        const int value = DecodeDpi(sensor_code, out.codes[k]);
        if (value >= kMinStoredDpi && value <= max_dpi) {
            out.values[k] = value;
        }
    }
    return out;
}

std::vector<store::ConfigRow> DpiStagesRows(const DpiStagesReply& reply) {
    std::vector<store::ConfigRow> rows;
    if (reply.stage) {
        AddRow(rows, store::config_key::kDpiFlag, reply.stage->count);
        AddRow(rows, store::config_key::kDpiCount, reply.stage->count);
        AddRow(rows, store::config_key::kDpiIndex, reply.stage->index);
    }
    for (std::size_t k = 0; k < reply.values.size(); ++k) {
        AddRow(rows, store::DpiValueKey(static_cast<int>(k)), reply.values[k]);
    }
    return rows;
}

DpiColoursReply DecodeDpiColoursReply(std::span<const uint8_t> reply) {
    const ReplyBytes bytes(reply);
    DpiColoursReply out;
    for (std::size_t k = 0; k < out.colours.size(); ++k) {
        out.colours[k] = ColourFromRgb(Rgb{bytes[3 * k], bytes[3 * k + 1], bytes[3 * k + 2]});
    }
    return out;
}

std::vector<store::ConfigRow> DpiColoursRows(const DpiColoursReply& reply) {
    std::vector<store::ConfigRow> rows;
    for (std::size_t k = 0; k < reply.colours.size(); ++k) {
        AddRow(rows, store::DpiColourKey(static_cast<int>(k)), reply.colours[k]);
    }
    return rows;
}

LiftSensorReply DecodeLiftSensorReply(std::span<const uint8_t> reply) {
    const ReplyBytes bytes(reply);
    LiftSensorReply out;
    if (bytes[0] == kLiftoffLow || bytes[0] == kLiftoffHigh) {
        out.liftoff_height = bytes[0];
    }
    const auto bit8 = ZeroOrOne(bytes[1]);
    const auto bit4 = ZeroOrOne(bytes[2]);
    if (bit8 && bit4) {
        out.sensor_flag = (*bit8 != 0 ? kSensorBit8 : 0) + (*bit4 != 0 ? kSensorBit4 : 0);
    }
    return out;
}

std::vector<store::ConfigRow> LiftSensorRows(const LiftSensorReply& reply) {
    std::vector<store::ConfigRow> rows;
    AddRow(rows, store::config_key::kLiftoffHeight, reply.liftoff_height);
    AddRow(rows, store::config_key::kSensorFlag, reply.sensor_flag);
    return rows;
}

PowerReply DecodePowerReply(std::span<const uint8_t> reply) {
    const ReplyBytes bytes(reply);
    PowerReply out;
    out.sleep_light = bytes[0];
    out.move_wakeup = ZeroOrOne(bytes[1]);
    out.move_closelight = ZeroOrOne(bytes[2]);
    if (bytes[3] <= kMaxDebounce) {
        out.button_respondtime = bytes[3];
    }
    return out;
}

std::vector<store::ConfigRow> PowerRows(const PowerReply& reply) {
    std::vector<store::ConfigRow> rows;
    AddRow(rows, store::config_key::kSleepLight, reply.sleep_light);
    AddRow(rows, store::config_key::kMoveWakeup, reply.move_wakeup);
    AddRow(rows, store::config_key::kMoveCloseLight, reply.move_closelight);
    AddRow(rows, store::config_key::kButtonRespondTime, reply.button_respondtime);
    return rows;
}

std::string DecodeFirmwareVersionReply(std::span<const uint8_t> reply) {
    const ReplyBytes bytes(reply);
    return FirmwareVersionText(bytes[0], bytes[1]);
}

}  // namespace mousedeck::protocol
