#include "protocol/settings_frames.h"

#include <algorithm>

#include "protocol/dpi_codec.h"

namespace mousedeck::protocol {
namespace {

constexpr uint8_t kDpiStagesLengthByte = 0x25;  // announced, though 25 bytes are filled
constexpr uint8_t kFactoryResetGuard = 0xFF;

void PutRgb(hid::CommandFrame& frame, std::size_t at, Rgb rgb) {
    frame[at] = rgb.red;
    frame[at + 1] = rgb.green;
    frame[at + 2] = rgb.blue;
}

}  // namespace

OutgoingFrame StartSetFrame(Command command, uint8_t payload_length, std::size_t write_length,
                            uint8_t page_byte) {
    OutgoingFrame out;
    out.length = write_length;
    out.frame[kCodeByte] = CodeOf(command);
    out.frame[kPageByte] = page_byte;
    out.frame[kLengthByte] = payload_length;
    return out;
}

void FinishFrame(OutgoingFrame& out) {
    hid::StoreChecksum(out.frame);
}

std::optional<OutgoingFrame> BuildReportRateFrame(int code) {
    if (!IsReportRateCode(code)) {
        return std::nullopt;
    }
    OutgoingFrame out = StartSetFrame(Command::kSetReportRate, 1, hid::CommandFrame::kSize);
    out.frame[kPayloadStart] = static_cast<uint8_t>(code);
    FinishFrame(out);
    return out;
}

OutgoingFrame BuildDpiStagesFrame(const DpiStageSettings& stages, int sensor_code) {
    OutgoingFrame out =
        StartSetFrame(Command::kSetDpiStages, kDpiStagesLengthByte, hid::CommandFrame::kShortLength);
    out.frame[kPayloadStart] = EncodeStageByte(stages.index, stages.count);
    for (std::size_t stage = 0; stage < stages.values.size(); ++stage) {
        const uint16_t code = EncodeStageDpi(sensor_code, stages.values[stage]);
        const std::size_t at = kPayloadStart + 1 + 4 * stage;
        for (std::size_t copy = 0; copy < 2; ++copy) {
            out.frame[at + 2 * copy] = static_cast<uint8_t>(code & 0xFF);
            out.frame[at + 2 * copy + 1] = static_cast<uint8_t>(code >> 8);
        }
    }
    FinishFrame(out);
    return out;
}

OutgoingFrame BuildDpiColoursFrame(const DpiColours& colours) {
    OutgoingFrame out = StartSetFrame(Command::kSetDpiColours, 18, hid::CommandFrame::kSize);
    for (std::size_t stage = 0; stage < colours.size(); ++stage) {
        PutRgb(out.frame, kPayloadStart + 3 * stage, ColourToRgb(colours[stage]));
    }
    FinishFrame(out);
    return out;
}

OutgoingFrame BuildLiftSensorFrame(const LiftSensorSettings& settings) {
    OutgoingFrame out = StartSetFrame(Command::kSetLiftSensor, 5, hid::CommandFrame::kSize);
    out.frame[kPayloadStart] = settings.liftoff_height == kLiftoffHigh ? kLiftoffHigh : kLiftoffLow;
    out.frame[kPayloadStart + 1] = (settings.sensor_flag & kSensorBit8) != 0 ? 1 : 0;
    out.frame[kPayloadStart + 2] = (settings.sensor_flag & kSensorBit4) != 0 ? 1 : 0;
    FinishFrame(out);
    return out;
}

OutgoingFrame BuildPowerFrame(const PowerSettings& settings) {
    OutgoingFrame out = StartSetFrame(Command::kSetPowerDebounce, 4, hid::CommandFrame::kSize);
    out.frame[kPayloadStart] = static_cast<uint8_t>(std::clamp(settings.sleep_light, 0, 255));
    out.frame[kPayloadStart + 1] = FlagByte(settings.move_wakeup);
    out.frame[kPayloadStart + 2] = FlagByte(settings.move_closelight);
    out.frame[kPayloadStart + 3] =
        static_cast<uint8_t>(std::clamp(settings.button_respondtime, 0, kMaxDebounce));
    FinishFrame(out);
    return out;
}

OutgoingFrame BuildFactoryResetFrame() {
    OutgoingFrame out = StartSetFrame(Command::kFactoryReset, 1, hid::CommandFrame::kShortLength);
    out.frame[kPayloadStart] = kFactoryResetGuard;
    FinishFrame(out);
    return out;
}

std::optional<OutgoingFrame> BuildReadFrame(Command command) {
    if (CodeOf(command) < CodeOf(Command::kIdentity)) {
        return std::nullopt;
    }
    OutgoingFrame out;
    out.frame[kCodeByte] = CodeOf(command);
    FinishFrame(out);
    return out;
}

}  // namespace mousedeck::protocol
