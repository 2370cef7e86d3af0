#include "shell/app/device_read_back.h"

#include "devices/discovery/device_discovery.h"
#include "hid/device_manager.h"
#include "protocol/command_sender.h"
#include "protocol/device_identity.h"
#include "protocol/sensor_limits.h"
#include "shell/app/controller_state.h"
#include "shell/app/debug_trace.h"
#include "shell/app/user_view.h"

namespace mousedeck::shell::app {
namespace {

// What the battery displays are given before the mouse has answered.
constexpr uint8_t kBatteryUnknown = 100;

}  // namespace

bool DeviceReadBack::Read(ReadBackKind kind) {
    ControllerState& state = context_.state;
    UserView& view = context_.view;
    const int device_type = context_.CurrentDeviceType();

    if (kind == ReadBackKind::kFull) {
        const auto previous = state.Identity().battery;
        state.SetOnline(false);
        view.ShowBattery(previous[1], kBatteryUnknown);
        view.ShowCardBattery(device_type, previous[0], kBatteryUnknown);
    }

    bool online = false;
    int sensor_code = 0;
    const auto selected = context_.devices.SelectInterface();
    if (selected) {
        const protocol::DeviceIdentity identity = protocol::DecodeIdentity(selected->identity_reply);
        ControllerState::MouseIdentity mouse;
        mouse.sensor_code = identity.sensor_code;
        mouse.limits = protocol::LimitsOf(identity.sensor_code);
        mouse.report_rate_capability = identity.report_rate_capability;
        mouse.online = identity.online;
        mouse.battery = identity.battery;
        state.SetIdentity(mouse);
        view.ShowDpiLimits(mouse.limits);
        view.ShowBattery(mouse.battery[1], mouse.battery[0]);
        view.ShowCardBattery(device_type, mouse.battery[0], mouse.battery[1]);
        online = identity.online;
        sensor_code = identity.sensor_code;
    }

    if (!online) {
        if (selected && selected->connection_mode == hid::kDongleMode) {
            // The receiver answered for a mouse that is off. Its identity is
            // only taken again when the receiver reports the mouse back
            // through the unselected path; a cached selection would keep
            // this reply and fail every read-back until the next plug.
            context_.devices.SetOnlineState(device_type, hid::kDongleMode, hid::kOfflineByPoll);
            context_.devices.ClearSelection();
        }
        context_.Trace("无线设备未连接");
        context_.discovery.MarkReceiverConnected();
        return false;
    }
    // Once per device type and run: the set keeps the type even when some
    // reads fail, so a replug or a profile switch does not read again.
    if (!state.AddReadBack(device_type)) {
        return true;
    }
    ReadSettings(kind, sensor_code);
    return true;
}

void DeviceReadBack::ReadSettings(ReadBackKind kind, int sensor_code) {
    protocol::CommandSender& sender = context_.sender;
    const int profile = context_.state.CurrentProfile();

    sender.BeginReadBack();
    sender.ReadReportRate(profile);
    sender.ReadDpiStages(profile, sensor_code);
    sender.ReadDpiColours(profile);
    if (const auto lighting = sender.ReadLighting(profile); lighting && lighting->effect) {
        context_.state.SetCurrentEffect(*lighting->effect);
    }
    sender.ReadLiftSensor(profile);
    sender.ReadPowerDebounce(profile);
    if (kind == ReadBackKind::kFull && context_.devices.ConnectionKind() == hid::kDongleMode) {
        if (auto version = sender.ReadFirmwareVersion()) {
            context_.state.SetMouseFirmwareVersion(std::move(*version));
        }
    }
}

}  // namespace mousedeck::shell::app
