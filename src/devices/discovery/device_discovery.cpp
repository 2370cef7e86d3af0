#include "devices/discovery/device_discovery.h"

#include <utility>

#include "devices/description_loader.h"
#include "hid/task_code.h"

namespace mousedeck::discovery {

std::vector<hid::MatchRule> MatchRulesOf(const devices::DeviceCatalogue& catalogue) {
    std::vector<hid::MatchRule> rules;
    for (const auto& rule : catalogue.MatchRules()) {
        if (rule.vendor_id > 0xFFFF || rule.product_id > 0xFFFF) {
            continue;
        }
        rules.push_back({static_cast<uint16_t>(rule.vendor_id), static_cast<uint16_t>(rule.product_id),
                         rule.device_type, rule.mode, rule.dev_id});
    }
    return rules;
}

DeviceDiscovery::DeviceDiscovery(DiscoveryContext context, DiscoveryState& state)
    : context_(std::move(context)), state_(state) {}

void DeviceDiscovery::RebuildAndEnumerate() {
    hid::DeviceManager& manager = context_.manager;
    manager.ClearRules();
    for (auto& rule : MatchRulesOf(context_.catalogue)) {
        manager.AddRule(std::move(rule));
    }
    manager.ClearSelection();
    manager.CloseAll();
    manager.Enumerate();
    MakeCurrent(context_.settings.ReadDeviceType(), false);
}

int DeviceDiscovery::RefreshAndSelect() {
    hid::DeviceManager& manager = context_.manager;
    DiscoveryView& view = context_.view;

    const int saved = context_.settings.ReadDeviceType();
    manager.CloseAll();
    manager.Enumerate();
    manager.SetCurrentDeviceType(0);
    const std::vector<hid::HidInterface> interfaces = manager.InterfacesOfCurrentType();
    if (saved != state_.CurrentDeviceType()) {
        MakeCurrent(saved, false);
    } else {
        manager.SetCurrentDeviceType(saved);
    }

    DeviceCards cards;
    cards.Reset(context_.catalogue.Mice());
    view.ShowAllCardsAbsent();
    bool identified = false;
    for (const auto& interface : interfaces) {
        if (interface.device_type <= 0) {
            continue;
        }
        identified = true;
        cards.SetState(interface.device_type, interface.connection_mode, interface.online_state);
        view.ShowCardState(interface.device_type, interface.connection_mode, interface.online_state);
        view.ShowCardVersion(interface.device_type, interface.connection_mode, interface.release_number);
    }
    state_.SetCards(cards);

    if (identified) {
        const int chosen = ChooseCard(cards, saved);
        view.ShowSelectedCard(chosen);
        MakeCurrent(chosen, true);
    }

    const int kind = manager.ConnectionKind();
    SetPolling(!interfaces.empty());
    if (kind < 0) {
        state_.SetDeviceConnected(false);
        view.ShowConnectionCaption(kCaptionNoDevice);
        view.ShowNoDeviceView();
    } else {
        // State before the view: an observer that reacts to the caption may ask for it.
        state_.SetDeviceConnected(true);
        view.ShowConnectionCaption(kind == hid::kWiredMode ? kCaptionWired : kCaptionReceiver);
        view.ShowDeviceList();
    }
    view.HideSettingsPage();
    view.ClosePopups();
    return kind;
}

void DeviceDiscovery::OnDeviceCardChosen(int device_type) {
    hid::DeviceManager& manager = context_.manager;
    DiscoveryView& view = context_.view;
    if (!manager.IsIdentified(device_type)) {
        view.ShowMessage(kNotIdentifiedTitle, kNotIdentifiedMessage);
        return;
    }
    if (device_type != state_.CurrentDeviceType()) {
        MakeCurrent(device_type, true);
    }
    if (manager.ConnectionKind() == hid::kDongleMode) {
        view.ShowConnectionCaption(kCaptionReceiver);
        PushTask(hid::kTaskReadThroughReceiver);
    } else {
        view.ShowConnectionCaption(kCaptionWired);
    }
    view.ShowDevicePages();
}

int DeviceDiscovery::MarkReceiverConnected() {
    const int kind = context_.manager.ConnectionKind();
    if (kind != hid::kDongleMode) {
        return kind;
    }
    context_.view.ClosePopups();
    SetCardState(context_.manager.CurrentDeviceType(), hid::kDongleMode, hid::kOnline);
    if (state_.DeviceConnected()) {
        return kind;
    }
    state_.SetDeviceConnected(true);
    context_.view.ShowConnectionCaption(kCaptionReceiver);
    return kind;
}

HotplugAction DeviceDiscovery::UpdateUSBDevice(const HotplugEvent& event) {
    const HotplugAction action = DecideHotplug(event, context_.catalogue.Modes(), state_.Polling());
    switch (action) {
        case HotplugAction::kQueueArrival:
            PushTask(hid::kTaskDeviceArrived);
            break;
        case HotplugAction::kQueueRemoval:
            PushTask(hid::kTaskDeviceRemoved);
            break;
        case HotplugAction::kReportUnsupported:
            context_.view.ShowUnsupportedDevice(event.vendor_id, event.product_id);
            break;
        case HotplugAction::kNothing:
            break;
    }
    return action;
}

void DeviceDiscovery::SelectDeviceType(int device_type) {
    MakeCurrent(device_type, true);
}

void DeviceDiscovery::SetCardState(int device_type, int connection_mode, int state) {
    state_.SetCardState(device_type, connection_mode, state);
    context_.view.ShowCardState(device_type, connection_mode, state);
}

void DeviceDiscovery::MakeCurrent(int device_type, bool save) {
    std::lock_guard lock(selection_mutex_);
    context_.manager.SetCurrentDeviceType(device_type);
    if (save) {
        context_.settings.WriteRegistryNumber(shell::kDeviceTypeValue, device_type);
    }
    devices::DeviceDescription description = state_.Description();
    const devices::DescriptionLoad load = devices::LoadDeviceDescription(
        context_.catalogue, device_type, context_.folders, description, context_.description_view);
    context_.database.OpenForDevice(context_.data_folder, load.product.device_attr, device_type);
    state_.SetCurrent(device_type, load.product, std::move(description));
}

void DeviceDiscovery::SetPolling(bool on) {
    state_.SetPolling(on);
    if (context_.tasks.set_polling) {
        context_.tasks.set_polling(on);
    }
}

void DeviceDiscovery::PushTask(int code) const {
    if (context_.tasks.push_task) {
        context_.tasks.push_task(code);
    }
}

}  // namespace mousedeck::discovery
