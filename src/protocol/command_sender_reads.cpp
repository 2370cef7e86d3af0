#include <cstdio>
#include <string>

#include "hid/device_manager.h"
#include "protocol/command_sender.h"
#include "protocol/profile_settings.h"
#include "protocol/settings_frames.h"
#include "store/settings_database.h"

namespace mousedeck::protocol {

std::optional<hid::CommandFrame> CommandSender::Read(Command command) {
    auto out = BuildReadFrame(command);
    if (!out) {
        return std::nullopt;
    }
    char text[48];
    std::snprintf(text, sizeof text, "0x%02X: read failed", CodeOf(command));
    if (!Exchange(*out, text)) {
        return std::nullopt;
    }
    return out->frame;
}

bool CommandSender::BeginReadBack() {
    return Read(Command::kBeginReadBack).has_value();
}

std::optional<ReportRateReply> CommandSender::ReadReportRate(int profile) {
    const auto reply = Read(Command::kReadReportRate);
    if (!reply) {
        return std::nullopt;
    }
    const ReportRateReply decoded = DecodeReportRateReply(reply->bytes);
    StoreConfigRows(db_, profile, ReportRateRows(decoded));
    return decoded;
}

std::optional<DpiStagesReply> CommandSender::ReadDpiStages(int profile, int sensor_code) {
    const auto reply = Read(Command::kReadDpiStages);
    if (!reply) {
        return std::nullopt;
    }
    const DpiStagesReply decoded = DecodeDpiStagesReply(reply->bytes, sensor_code);
    StoreConfigRows(db_, profile, DpiStagesRows(decoded));
    return decoded;
}

std::optional<DpiColoursReply> CommandSender::ReadDpiColours(int profile) {
    const auto reply = Read(Command::kReadDpiColours);
    if (!reply) {
        return std::nullopt;
    }
    const DpiColoursReply decoded = DecodeDpiColoursReply(reply->bytes);
    StoreConfigRows(db_, profile, DpiColoursRows(decoded));
    return decoded;
}

std::optional<LightingReply> CommandSender::ReadLighting(int profile) {
    const auto reply = Read(Command::kReadLighting);
    if (!reply) {
        return std::nullopt;
    }
    const LightingReply decoded = DecodeLightingReply(reply->bytes);
    if (decoded.effect) {
        db_.SetActiveLight(profile, *decoded.effect);
        auto row = db_.GetLightRow(profile, *decoded.effect);
        if (row && decoded.brightness && decoded.speed) {
            row->brightness = *decoded.brightness;
            row->speed = *decoded.speed;
            db_.UpdateLightRow(*row, *decoded.effect);
        }
    }
    return decoded;
}

std::optional<LiftSensorReply> CommandSender::ReadLiftSensor(int profile) {
    const auto reply = Read(Command::kReadLiftSensor);
    if (!reply) {
        return std::nullopt;
    }
    const LiftSensorReply decoded = DecodeLiftSensorReply(reply->bytes);
    StoreConfigRows(db_, profile, LiftSensorRows(decoded));
    return decoded;
}

std::optional<PowerReply> CommandSender::ReadPowerDebounce(int profile) {
    const auto reply = Read(Command::kReadPowerDebounce);
    if (!reply) {
        return std::nullopt;
    }
    const PowerReply decoded = DecodePowerReply(reply->bytes);
    StoreConfigRows(db_, profile, PowerRows(decoded));
    return decoded;
}

std::optional<std::string> CommandSender::ReadFirmwareVersion() {
    const auto reply = Read(Command::kReadFirmwareVersion);
    if (!reply) {
        return std::nullopt;
    }
    return DecodeFirmwareVersionReply(reply->bytes);
}

}  // namespace mousedeck::protocol
