#pragma once

#include <filesystem>
#include <mutex>
#include <vector>

#include "devices/catalogue_view.h"
#include "devices/device_catalogue.h"
#include "devices/discovery/discovery_state.h"
#include "devices/discovery/discovery_view.h"
#include "devices/discovery/hotplug_decision.h"
#include "devices/discovery/hotplug_event.h"
#include "devices/discovery/task_sink.h"
#include "hid/device_manager.h"
#include "hid/match_rule.h"
#include "shell/settings_file.h"
#include "store/settings_database.h"

namespace mousedeck::discovery {

// Everything discovery works with; all owned by the application controller
// and outliving the DeviceDiscovery. The catalogue is loaded before the
// first operation and before any hot-plug source starts, and not changed
// afterwards.
struct DiscoveryContext {
    const devices::DeviceCatalogue& catalogue;
    devices::ProductFolders folders;    // description files and pictures
    std::filesystem::path data_folder;  // the settings databases live in its db/
    hid::DeviceManager& manager;
    shell::SettingsFile& settings;  // the saved DeviceType
    store::SettingsDatabase& database;
    devices::CatalogueView& description_view;  // what loading a description shows
    DiscoveryView& view;
    TaskSink tasks;
};

// The device manager's rules for the catalogue: one per mode, in file order.
// A mode whose ids do not fit 16 bits is left out; no USB device has them.
std::vector<hid::MatchRule> MatchRulesOf(const devices::DeviceCatalogue& catalogue);

// Keeps the open interfaces in step with what is plugged in and decides
// which product the user works on.
//
// Making a device type current always does four things together: the
// state's and the manager's current type (emptying the manager's selection),
// the saved DeviceType, the product's description and the product's
// settings database. The card choice on the UI thread and a refresh on the
// worker may do this at the same time; a lock keeps the four consistent.
class DeviceDiscovery {
public:
    DeviceDiscovery(DiscoveryContext context, DiscoveryState& state);
    DeviceDiscovery(const DeviceDiscovery&) = delete;
    DeviceDiscovery& operator=(const DeviceDiscovery&) = delete;

    // Worker (first step of tasks 1 and 2): sets the manager's rules from
    // the catalogue, enumerates afresh and makes the saved type current
    // without writing it (description and database included).
    void RebuildAndEnumerate();

    // Worker (tasks 1 to 3): enumerates afresh, marks the cards, selects a
    // card (the saved type's, else the first present one) and makes it
    // current and saved when any interface was identified, then sets the
    // polling switch, the connected flag, the caption and the view. Ends by
    // closing pop-ups. Returns the connection kind: 0 cable, 1 receiver,
    // -1 no interface of the current type.
    int RefreshAndSelect();

    // UI thread: the user clicked the card of `device_type`. A product whose
    // mouse is not identified gets the message box (57, 56) and nothing
    // else. Otherwise it becomes current (and saved) if it was not, the
    // caption shows how it is connected, a receiver connection queues task 4
    // (read the mouse), and the device pages open on the button page.
    void OnDeviceCardChosen(int device_type);

    // Worker: after a failed command, or when the read-back finds the mouse
    // behind the receiver offline. When the current type is reached through
    // its receiver only, pop-ups close, its receiver card shows present and,
    // unless the connected view is already up, the caption becomes
    // "receiver" and the connected flag is set. Returns the connection kind.
    int MarkReceiverConnected();

    // Any thread (see DiscoveryView for where the calls then go): acts on
    // one hot-plug event as DecideHotplug says, queueing task 2 or 3 or
    // reporting an unsupported product; returns what it decided.
    HotplugAction UpdateUSBDevice(const HotplugEvent& event);

    // Makes `device_type` current and saves it (see the class comment).
    void SelectDeviceType(int device_type);
    // One card's state, for the notification handling: the state and the view.
    void SetCardState(int device_type, int connection_mode, int state);

private:
    // Makes the type current in the state and the manager and loads its
    // description and database; `save` also writes DeviceType.
    void MakeCurrent(int device_type, bool save);
    void SetPolling(bool on);
    void PushTask(int code) const;

    DiscoveryContext context_;
    DiscoveryState& state_;
    std::mutex selection_mutex_;  // one MakeCurrent at a time
};

}  // namespace mousedeck::discovery
