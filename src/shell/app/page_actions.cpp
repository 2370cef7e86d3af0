#include "shell/app/page_actions.h"

#include <algorithm>
#include <string>

#include "devices/discovery/discovery_state.h"
#include "hid/task_code.h"
#include "protocol/button_slots.h"
#include "protocol/lighting_frames.h"
#include "protocol/lighting_rows.h"
#include "protocol/profile_settings.h"
#include "protocol/value_codecs.h"
#include "shell/app/controller_state.h"
#include "shell/app/task_runner.h"
#include "shell/app/user_view.h"
#include "store/config_defaults.h"
#include "store/profile_setup.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app {
namespace {

namespace key = store::config_key;

constexpr int kMaxSleepUnits = 255;
constexpr int kSensorBits = protocol::kSensorBit4 | protocol::kSensorBit8 | protocol::kSensorBit16;
constexpr int kMaxColour = 0xFFFFFF;
constexpr int kColourSlots = 7;

bool IsStage(int stage) {
    return stage >= 0 && stage < protocol::kMaxDpiStages;
}

}  // namespace

bool PageActions::Queue(int task) {
    context_.runner.Push(task);
    if (context_.Description().options.show_save_tips) {
        context_.view.ShowSaveWait();
    }
    return true;
}

bool PageActions::StoreAndQueue(std::string_view key_name, int value, int task) {
    const bool stored =
        context_.db.SetConfigValue(context_.state.CurrentProfile(), key_name, std::to_string(value));
    Queue(task);
    return stored;
}

bool PageActions::Ask(int title, int message) {
    return context_.view.AskMessageBox(title, message, MessageButtons::kOkCancel) !=
           MessageAnswer::kSecondButton;
}

bool PageActions::SetReportRate(int code) {
    if (!protocol::IsReportRateCode(code)) {
        return false;
    }
    const int profile = context_.state.CurrentProfile();
    const bool stored = context_.db.SetConfigValue(profile, key::kReportRateWireless, std::to_string(code));
    return StoreAndQueue(key::kReportRate, code, hid::kTaskSendReportRate) && stored;
}

bool PageActions::ResetReportRate() {
    // The report-rate capability stays what the mouse reported: the
    // description's default is a rate code, not a capability.
    const auto defaults = context_.Defaults();
    if (!defaults || !defaults->report_rate) {
        Queue(hid::kTaskSendReportRate);
        return false;
    }
    const int profile = context_.state.CurrentProfile();
    const bool wireless =
        context_.db.SetConfigValue(profile, key::kReportRateWireless, *defaults->report_rate);
    const bool wired = context_.db.SetConfigValue(profile, key::kReportRate, *defaults->report_rate);
    Queue(hid::kTaskSendReportRate);
    return wired && wireless;
}

bool PageActions::SetLiftOff(int height) {
    if (height != protocol::kLiftoffLow && height != protocol::kLiftoffHigh) {
        return false;
    }
    return StoreAndQueue(key::kLiftoffHeight, height, hid::kTaskSendLiftOff);
}

bool PageActions::SetSensorFlags(int flags) {
    if ((flags & ~kSensorBits) != 0) {
        return false;
    }
    return StoreAndQueue(key::kSensorFlag, flags, hid::kTaskSendLiftOff);
}

bool PageActions::SetSleepTime(int units) {
    if (units < 0 || units > kMaxSleepUnits) {
        return false;
    }
    return StoreAndQueue(key::kSleepLight, units, hid::kTaskSendPower);
}

bool PageActions::SetWakeOnMove(bool on) {
    return StoreAndQueue(key::kMoveWakeup, on ? 1 : 0, hid::kTaskSendPower);
}

bool PageActions::SetLightsOffOnMove(bool on) {
    return StoreAndQueue(key::kMoveCloseLight, on ? 1 : 0, hid::kTaskSendPower);
}

bool PageActions::SetDebounce(int ms) {
    if (ms < 0 || ms > protocol::kMaxDebounce) {
        return false;
    }
    return StoreAndQueue(key::kButtonRespondTime, ms, hid::kTaskSendDebounce);
}

bool PageActions::SetDpiStageValue(int stage, int dpi) {
    if (!IsStage(stage) || dpi <= 0) {
        return false;
    }
    return StoreAndQueue(store::DpiValueKey(stage), dpi, hid::kTaskSendDpiStages);
}

bool PageActions::SetDpiStageCount(int count) {
    if (count < 1 || count > protocol::kMaxDpiStages) {
        return false;
    }
    const int profile = context_.state.CurrentProfile();
    bool stored = context_.db.SetConfigValue(profile, key::kDpiCount, std::to_string(count));
    int index = protocol::LoadConfigInt(context_.db, profile, key::kDpiIndex);
    if (index > count - 1) {
        index = count - 1;
        stored = context_.db.SetConfigValue(profile, key::kDpiIndex, std::to_string(index)) && stored;
    }
    context_.state.SetShown({count, std::max(index, 0)});
    Queue(hid::kTaskSendDpiStages);
    return stored;
}

bool PageActions::SetDpiActiveStage(int stage) {
    if (!IsStage(stage)) {
        return false;
    }
    const int profile = context_.state.CurrentProfile();
    const bool stored = context_.db.SetConfigValue(profile, key::kDpiIndex, std::to_string(stage));
    if (stage != context_.state.Shown().index) {
        context_.state.SetShownIndex(stage);
        Queue(hid::kTaskSendDpiStages);
        if (context_.Description().options.show_dpi_tips) {
            context_.view.ShowDpiPopup(
                protocol::LoadConfigInt(context_.db, profile, store::DpiValueKey(stage)));
        }
    }
    return stored;
}

bool PageActions::SetDpiStageColour(int stage, int colour) {
    if (!IsStage(stage) || colour < 0 || colour > kMaxColour) {
        return false;
    }
    const bool stored = StoreAndQueue(store::DpiColourKey(stage), colour, hid::kTaskSendDpiColours);
    if (context_.Description().options.show_dpi_tips) {
        const int profile = context_.state.CurrentProfile();
        context_.view.ShowDpiPopup(protocol::LoadConfigInt(context_.db, profile, store::DpiValueKey(stage)));
    }
    return stored;
}

bool PageActions::ResetDpi() {
    if (!Ask(kDpiResetTitle, kDpiResetMessage)) {
        return false;
    }
    return Queue(hid::kTaskResetDpi);
}

template <class Change>
bool PageActions::ChangeLightRow(Change change) {
    const int profile = context_.state.CurrentProfile();
    const int effect = context_.state.CurrentEffect();
    auto row = context_.db.GetLightRow(profile, effect);
    if (!row) {
        return false;
    }
    change(*row);
    const bool stored = context_.db.UpdateLightRow(*row, effect);
    Queue(hid::kTaskSendLighting);
    return stored;
}

bool PageActions::SetLightingEffect(int effect) {
    if (effect < 0 || effect > protocol::kHighestLightEffect) {
        return false;
    }
    const int profile = context_.state.CurrentProfile();
    context_.state.SetCurrentEffect(effect);
    const bool has_row = context_.db.GetLightRow(profile, effect).has_value();
    if (has_row) {
        context_.db.SetActiveLight(profile, effect);
    }
    Queue(hid::kTaskSendLighting);
    return has_row;
}

bool PageActions::SetLightingBrightness(int brightness) {
    if (brightness < 0 || brightness > protocol::kMaxLightLevel) {
        return false;
    }
    return ChangeLightRow([&](store::LightSetting& row) { row.brightness = brightness; });
}

bool PageActions::SetLightingSpeed(int speed) {
    if (speed < 0 || speed > protocol::kMaxLightLevel) {
        return false;
    }
    return ChangeLightRow([&](store::LightSetting& row) { row.speed = speed; });
}

bool PageActions::SetLightingColour(int slot, int colour) {
    if (slot < 0 || slot >= kColourSlots || colour < 0 || colour > kMaxColour) {
        return false;
    }
    return ChangeLightRow([&](store::LightSetting& row) {
        const bool slots = (row.config_func & protocol::kLightShowColourSlots) != 0;
        row.color_values[static_cast<std::size_t>(slots ? slot : 0)] = colour;
    });
}

bool PageActions::ResetLighting() {
    if (!Ask(kLightingResetTitle, kLightingResetMessage)) {
        return false;
    }
    return Queue(hid::kTaskRestoreLighting);
}

bool PageActions::SetButtonBinding(store::ButtonBinding binding) {
    if (binding.key_code < 0 || binding.key_code > protocol::kHighestKeyCode) {
        return false;
    }
    binding.profile = context_.state.CurrentProfile();
    binding.fn_layer = 0;
    if (binding.macro_type == static_cast<int>(protocol::Family::kMacro)) {
        // Read and cleared by the worker when it runs the task queued below.
        context_.state.SetPendingMacroKey(binding.key_code);
    }
    const bool removes = binding.macro_value == 0 && binding.macro_value2 == 0;
    const bool stored = context_.db.SaveBinding(binding) != 0 || removes;
    Queue(hid::kTaskSendButtons);
    return stored;
}

bool PageActions::ResetButton(int key_code) {
    store::ButtonBinding binding;
    binding.key_code = key_code;
    binding.macro_type = static_cast<int>(protocol::Family::kMouse);
    return SetButtonBinding(binding);
}

bool PageActions::ResetAllButtons() {
    const bool stored = context_.db.DeleteBindings(context_.state.CurrentProfile());
    Queue(hid::kTaskSendButtons);
    return stored;
}

bool PageActions::OpenProfileList() {
    if (!context_.discovery_state.DeviceConnected()) {
        context_.view.ShowMessage(kNoDeviceTitle, kNoDeviceMessage);
        return false;
    }
    return true;
}

bool PageActions::MakeProfileActive(int profile) {
    // A number without a row would leave no profile active at all.
    if (profile < 1 || !context_.db.GetProfileName(profile)) {
        return false;
    }
    context_.state.SetCurrentProfile(profile);
    const bool stored = context_.db.SetActiveProfile(profile);
    store::ShowProfileName(context_.db, profile, context_.TextLookup(), context_.view);
    context_.runner.Push(hid::kTaskWriteAllSettings);
    return stored;
}

bool PageActions::RenameProfile(int profile, std::string_view name) {
    if (name.empty() || !context_.db.RenameProfile(profile, name)) {
        return false;
    }
    if (profile == context_.state.CurrentProfile()) {
        store::ShowProfileName(context_.db, profile, context_.TextLookup(), context_.view);
    }
    return true;
}

bool PageActions::FactoryReset() {
    if (!context_.discovery_state.DeviceConnected()) {
        context_.view.ShowMessage(kNoDeviceTitle, kNoDeviceMessage);
        return false;
    }
    if (!Ask(kFactoryResetTitle, kFactoryResetMessage)) {
        return false;
    }
    context_.state.ClearReadBack();
    return Queue(hid::kTaskFactoryReset);
}

}  // namespace mousedeck::shell::app
