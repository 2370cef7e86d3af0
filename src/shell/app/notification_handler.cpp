#include "shell/app/notification_handler.h"

#include <array>
#include <cstdio>
#include <string>

#include "devices/discovery/device_discovery.h"
#include "devices/discovery/discovery_state.h"
#include "hid/device_manager.h"
#include "protocol/profile_settings.h"
#include "shell/app/controller_state.h"
#include "shell/app/debug_trace.h"
#include "shell/app/user_view.h"
#include "store/config_defaults.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app {

NotificationHandler::NotificationHandler(const AppContext& context, DeviceRefresh& refresh)
    : context_(context), refresh_(refresh) {}

void NotificationHandler::Poll() {
    std::array<uint8_t, 65> buffer{};
    int device_type = 0;
    // Through the receivers (nothing selected) the report is delivered but
    // the call answers false, so the buffer is what counts.
    context_.devices.ReadNotification(buffer, device_type);
    if (buffer[0] == 0) {
        return;
    }
    char text[64];
    std::snprintf(text, sizeof text, "mouse notify data: %02X %02X %02X %02X %02X %02X", buffer[0], buffer[1],
                  buffer[2], buffer[3], buffer[4], buffer[5]);
    context_.trace.Trace(text, std::span<const uint8_t>(buffer).first(6));

    const protocol::Notification report = protocol::DecodeNotification(buffer);
    switch (report.kind) {
        case protocol::Notification::Kind::kDpiStage:
            OnDpiStage(report.stage, device_type);
            break;
        case protocol::Notification::Kind::kConnection:
            OnConnection(report, device_type);
            break;
        case protocol::Notification::Kind::kBadDpiStage:
            context_.Trace("DPI notification with a stage byte no page can show; ignored");
            break;
        case protocol::Notification::Kind::kNone:
        case protocol::Notification::Kind::kOther:
            break;
    }
}

void NotificationHandler::OnDpiStage(const protocol::StageByte& stage, int device_type) {
    // Another product's receiver may report while nothing of the current
    // product is selected; its stages do not belong in this database.
    if (device_type != context_.CurrentDeviceType()) {
        context_.Trace("DPI notification of device type " + std::to_string(device_type) +
                       "; not the current one");
        return;
    }
    ControllerState& state = context_.state;
    UserView& view = context_.view;
    const int profile = state.CurrentProfile();
    const ControllerState::ShownStages shown = state.Shown();

    if (stage.count != shown.count) {
        state.SetShownCount(stage.count);
        if (!context_.db.SetConfigValue(profile, store::config_key::kDpiCount, std::to_string(stage.count))) {
            context_.Trace("DPI notification: dpi_count not stored");
        }
        view.ShowDpiStageCount(stage.count);
        // The rebuilt list selects the stored active stage.
        state.SetShownIndex(protocol::LoadConfigInt(context_.db, profile, store::config_key::kDpiIndex));
    }
    if (stage.index != state.Shown().index) {
        state.SetShownIndex(stage.index);
        if (!context_.db.SetConfigValue(profile, store::config_key::kDpiIndex, std::to_string(stage.index))) {
            context_.Trace("DPI notification: dpi_index not stored");
        }
        const int dpi = protocol::LoadConfigInt(context_.db, profile, store::DpiValueKey(stage.index));
        view.ShowDpiStage(stage.index, dpi);
        if (context_.Description().options.show_dpi_tips) {
            view.ShowDpiPopup(dpi);
        }
    }
}

void NotificationHandler::OnConnection(const protocol::Notification& report, int device_type) {
    UserView& view = context_.view;
    hid::DeviceManager& devices = context_.devices;
    discovery::DiscoveryState& discovery_state = context_.discovery_state;

    context_.Trace("上报dongle和设备的连接状态: " + std::to_string(report.connection_detail));
    view.ClosePopups();
    if (report.connected) {
        // The model changes before the view hears of it, so a front end that
        // reacts to a call reads the new state.
        discovery_state.SetDeviceConnected(true);
        const bool receiver = devices.ConnectionKind() == hid::kDongleMode;
        const int mode = receiver ? hid::kDongleMode : hid::kWiredMode;
        devices.SetOnlineState(device_type, mode, hid::kOnline);
        view.ShowConnectionCaption(receiver ? discovery::kCaptionReceiver : discovery::kCaptionWired);
        context_.discovery.SetCardState(device_type, mode, hid::kOnline);
        view.ShowDevicePages();
        view.ShowDeviceConnected(device_type, mode);
        refresh_.AfterReconnect();
    } else {
        discovery_state.SetDeviceConnected(false);
        devices.SetOnlineState(device_type, hid::kDongleMode, hid::kOfflineByNotification);
        view.ShowConnectionCaption(discovery::kCaptionNoDevice);
        view.ShowDeviceLost(device_type);
        context_.discovery.SetCardState(device_type, hid::kDongleMode, hid::kOfflineByNotification);
        // Not selected any more, so the receiver's report of the mouse's
        // return takes the path that identifies it again (fresh battery and
        // online bytes for the read-back).
        devices.ClearSelection();
        devices.PollDongleState();
        if (discovery_state.AnyCardPresent()) {
            view.ShowDeviceList();
        } else {
            view.ShowNoDeviceView();
        }
    }
    if (report.battery) {
        view.ShowBattery((*report.battery)[0], (*report.battery)[1]);
    }
}

}  // namespace mousedeck::shell::app
