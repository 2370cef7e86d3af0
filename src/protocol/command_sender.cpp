#include "protocol/command_sender.h"

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "hid/device_manager.h"
#include "protocol/button_slots.h"
#include "protocol/command_trace.h"
#include "protocol/macro_stream.h"
#include "protocol/profile_settings.h"
#include "protocol/settings_frames.h"
#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::protocol {
namespace {

SendResult ResultOf(bool acknowledged) {
    return acknowledged ? SendResult::kSent : SendResult::kFailed;
}

bool IsMacroBinding(const store::ButtonBinding& binding) {
    return binding.macro_type == static_cast<int>(Family::kMacro);
}

}  // namespace

CommandSender::CommandSender(hid::DeviceManager& devices, store::SettingsDatabase& db, CommandTrace* trace,
                             SenderTiming timing)
    : devices_(devices), db_(db), trace_(trace), timing_(timing) {}

void CommandSender::Trace(std::string_view message, std::span<const uint8_t> bytes) {
    if (trace_ != nullptr) {
        trace_->Trace(message, bytes);
    }
}

bool CommandSender::Exchange(OutgoingFrame& out, std::string_view failure_text) {
    if (devices_.Send(out.frame, out.length)) {
        return true;
    }
    Trace(failure_text, out.frame.bytes);
    return false;
}

SendResult CommandSender::SendReportRate(int profile) {
    const int code = LoadConfigInt(db_, profile, store::config_key::kReportRate);
    auto out = BuildReportRateFrame(code);
    if (!out) {
        const auto stored = static_cast<uint8_t>(code & 0xFF);
        Trace("0x02: stored report rate " + std::to_string(code) + " is no report-rate code; not sent",
              std::span<const uint8_t>(&stored, 1));
        return SendResult::kNothingToSend;
    }
    return ResultOf(Exchange(*out, "0x02: 设置回报率失败"));
}

SendResult CommandSender::SendDpiStages(int profile, int sensor_code) {
    OutgoingFrame out = BuildDpiStagesFrame(LoadDpiStageSettings(db_, profile), sensor_code);
    return ResultOf(Exchange(out, "0x03: set DPI stages failed"));
}

SendResult CommandSender::SendDpiColours(int profile) {
    OutgoingFrame out = BuildDpiColoursFrame(LoadDpiColours(db_, profile));
    return ResultOf(Exchange(out, "0x04: 设置鼠标DPI颜色数据失败"));
}

SendResult CommandSender::SendLiftSensor(int profile) {
    OutgoingFrame out = BuildLiftSensorFrame(LoadLiftSensorSettings(db_, profile));
    return ResultOf(Exchange(out, "0x06: set lift-off and sensor options failed"));
}

SendResult CommandSender::SendPowerDebounce(int profile) {
    OutgoingFrame out = BuildPowerFrame(LoadPowerSettings(db_, profile));
    return ResultOf(Exchange(out, "0x07: 设置睡眠时间、移动关闭灯效使能"));
}

SendResult CommandSender::SendLighting(int profile, int effect) {
    db_.SetActiveLight(profile, effect);
    const auto row = db_.GetLightRow(profile, effect);
    if (!row) {
        return SendResult::kNothingToSend;
    }
    OutgoingFrame out = BuildLightingFrame(*row);
    return ResultOf(Exchange(out, "0x05: 设置灯光模式失败"));
}

SendResult CommandSender::SendButtons(int profile) {
    const std::vector<store::ButtonBinding> bindings = db_.ListBindings(profile);
    // Only macros that a binding names and that fit the transfer may give a
    // slot; a button whose macro cannot be sent keeps its default function.
    std::vector<store::MacroEntry> macros;
    if (std::ranges::any_of(bindings, IsMacroBinding)) {
        for (auto& macro : db_.ListMacros()) {
            const bool bound = std::ranges::any_of(bindings, [&](const auto& b) {
                return IsMacroBinding(b) && b.macro_value == macro.macro_id;
            });
            if (bound && MacroFits(db_.ListMacroRecords(macro.macro_id))) {
                macros.push_back(std::move(macro));
            }
        }
    }
    OutgoingFrame out = BuildButtonFunctionFrame(ComposeSlotTable(bindings, macros));
    return ResultOf(Exchange(out, "0x09: 设置按键功能失败"));
}

SendResult CommandSender::SendMacro(int profile, int key_code) {
    if (key_code < 0 || key_code > kHighestKeyCode) {
        return SendResult::kNothingToSend;
    }
    const auto bindings = db_.ListBindings(profile);
    const auto binding = std::ranges::find_if(
        bindings, [&](const auto& b) { return IsMacroBinding(b) && b.key_code == key_code; });
    if (binding == bindings.end() || !db_.GetMacro(binding->macro_value)) {
        return SendResult::kNothingToSend;
    }
    const auto records = db_.ListMacroRecords(binding->macro_value);
    if (!MacroFits(records)) {
        Trace("0x08: macro " + std::to_string(binding->macro_value) + " has more than " +
                  std::to_string(kMaxMacroEvents) + " events; not sent",
              {});
        return SendResult::kTooLong;
    }
    bool all_acknowledged = true;
    for (auto& page : BuildMacroDataFrames(BuildMacroStream(key_code, records))) {
        all_acknowledged = Exchange(page, "0x08: 设置按键宏数据失败!") && all_acknowledged;
    }
    return ResultOf(all_acknowledged);
}

bool CommandSender::FactoryReset() {
    OutgoingFrame out = BuildFactoryResetFrame();
    return Exchange(out, "0x0F: factory reset not acknowledged");
}

CommandSender::RestoreResult CommandSender::RestoreLighting(int profile) {
    RestoreResult result;
    OutgoingFrame out = BuildRestoreLightingFrame();
    result.restored = Exchange(out, "0x0E: restore lighting failed");
    std::this_thread::sleep_for(timing_.restore_settle);
    result.lighting = ReadLighting(profile);
    return result;
}

}  // namespace mousedeck::protocol
