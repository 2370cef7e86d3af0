#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "devices/device_catalogue.h"
#include "devices/discovery/device_discovery.h"
#include "devices/discovery/discovery_state.h"
#include "hid/device_manager.h"
#include "hid/exchange_timing.h"
#include "hid/hid_backend.h"
#include "protocol/command_sender.h"
#include "shell/app/app_context.h"
#include "shell/app/controller_state.h"
#include "shell/app/debug_trace.h"
#include "shell/app/device_refresh.h"
#include "shell/app/hotplug_source.h"
#include "shell/app/notification_handler.h"
#include "shell/app/page_actions.h"
#include "shell/app/page_refresher.h"
#include "shell/app/reset_routines.h"
#include "shell/app/settings_writer.h"
#include "shell/app/task_runner.h"
#include "shell/app/user_view.h"
#include "shell/app_paths.h"
#include "shell/lang_text.h"
#include "shell/language_state.h"
#include "shell/settings_file.h"
#include "store/settings_database.h"

namespace mousedeck::shell::app {

// What the front end hands the controller. The references must outlive it.
struct ControllerSetup {
    hid::HidBackend& backend;  // hidapi, or the simulated mouse
    UserView& view;
    LanguageState& language;  // chosen at start-up (ChooseStartupLanguage)
    SettingsFile& settings;   // the per-user settings (DeviceType, LCID, ...)
    // Hot-plug events; empty for none. Without a source an interface that
    // vanishes queues the removal task itself.
    HotplugFactory hotplug{};
    DebugTraceSink trace{};  // may be empty
    std::string skin_theme = "default";
    hid::ExchangeTiming exchange{};
    protocol::SenderTiming sender{};
    AppTimings timings{};
};

// The window-free half of the main window: owns the catalogue, the device
// channel, the settings database, discovery, the task queue with its worker
// and the hot-plug source, and runs the task routines:
//   1 find and read the mouse (start-up), 2 the same after an arrival,
//   3 refresh after a removal, 4 read a mouse chosen behind its receiver,
//   5 write every setting of the profile, 6 buttons and macro, 8 lighting,
//   9 DPI stages, 10 DPI colours, 11 report rate, 12 lift-off and sensor,
//   13 and 14 power and debounce, 17 restore lighting, 18 DPI reset,
//   20 factory reset.
// The update codes (23, 24, 26, 27) do nothing until a routine is
// registered for them; the firmware check (24) is also run at the end of
// every successful connection.
//
// Threads: construct, Start, Stop, the entry points (Actions(),
// ChooseDeviceCard, ChooseLanguage) and PushTask on the user-interface
// thread; the queries from any thread. Routines run on the device worker;
// what they show arrives at the UserView as its header describes.
class ApplicationController {
public:
    ApplicationController(AppPaths paths, ControllerSetup setup);
    ~ApplicationController();  // Stop
    ApplicationController(const ApplicationController&) = delete;
    ApplicationController& operator=(const ApplicationController&) = delete;

    // Start-up: DeviceType is reset to 101, the database folder created, the
    // catalogue loaded (device cards and title), tasks 1 and 23 queued, the
    // hot-plug source and the worker started. False when the catalogue
    // could not be read; the application then runs with no device.
    bool Start();
    // Stops the hot-plug source (joining its thread), then the worker:
    // queued tasks are dropped, the routine in progress finishes and the
    // thread is joined. True when the worker left within `wait`. Never from
    // the worker thread (nor from a view call made there).
    bool Stop(std::chrono::milliseconds wait = std::chrono::milliseconds(1000));

    // Returns true once no task is queued and no routine runs, false when
    // `timeout` passed first (a front end waits here before it exits).
    bool WaitUntilIdle(std::chrono::milliseconds timeout);
    bool PushTask(int code);
    // A routine for a code this controller does not run itself (the update
    // codes); runs on the worker. Any time.
    bool RegisterTaskRoutine(int code, std::function<void()> routine);
    // Runs first in Stop, on Stop's thread: the update layer waits there for
    // a running firmware flash, which must not be cut short. Empty removes it.
    void SetStopGuard(std::function<void()> guard);
    // The device channel, for routines registered above (worker thread).
    hid::DeviceManager& Devices() { return devices_; }

    // The pages' operations (store first, then queue).
    PageActions& Actions() { return actions_; }
    // The user clicked a device card.
    void ChooseDeviceCard(int device_type);
    // The user picked an interface language on the settings page.
    void ChooseLanguage(int lcid);

    // Queries, any thread.
    int CurrentDeviceType() const { return discovery_state_.CurrentDeviceType(); }
    int CurrentProfile() const { return state_.CurrentProfile(); }
    int CurrentEffect() const { return state_.CurrentEffect(); }
    bool DeviceConnected() const { return discovery_state_.DeviceConnected(); }
    ControllerState::MouseIdentity MouseIdentity() const { return state_.Identity(); }
    ControllerState::ShownStages ShownStages() const { return state_.Shown(); }
    bool WasReadBack(int device_type) const { return state_.WasReadBack(device_type); }
    // The mouse firmware: the cable's release number when a cable is
    // connected, else what the receiver read reported ("" before any).
    std::string MouseFirmwareVersion() const;
    devices::DeviceDescription Description() const { return discovery_state_.Description(); }
    discovery::DeviceCards Cards() const { return discovery_state_.Cards(); }
    // Loaded by Start and unchanged afterwards.
    const devices::DeviceCatalogue& Catalogue() const { return catalogue_; }
    // The current product's settings; the pages read what they show here.
    store::SettingsDatabase& Database() { return db_; }
    const LanguageTexts& Texts() const { return texts_; }
    const AppPaths& Paths() const { return paths_; }

private:
    void RegisterRoutines();
    void Routine(int code, std::function<TaskOutcome()> routine);

    const AppPaths paths_;
    UserView& view_;
    LanguageState& language_;
    SettingsFile& settings_;
    HotplugFactory hotplug_factory_;
    const std::string skin_theme_;

    LanguageTexts texts_;
    DebugTrace trace_;
    devices::DeviceCatalogue catalogue_;
    store::SettingsDatabase db_;
    hid::DeviceManager devices_;
    protocol::CommandSender sender_;
    discovery::DiscoveryState discovery_state_;
    TaskRunner runner_;
    discovery::DeviceDiscovery discovery_;
    ControllerState state_;
    AppContext context_;

    PageRefresher pages_;
    DeviceRefresh refresh_;
    SettingsWriter writer_;
    ResetRoutines resets_;
    NotificationHandler notifications_;
    PageActions actions_;

    bool started_ = false;
    std::mutex stop_guard_mutex_;
    std::function<void()> stop_guard_;
    std::unique_ptr<HotplugSource> hotplug_;  // last: stops first
};

}  // namespace mousedeck::shell::app
