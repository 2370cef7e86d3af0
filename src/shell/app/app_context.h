#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "devices/device_defaults.h"
#include "devices/device_description.h"
#include "devices/text_lookup.h"

namespace mousedeck::hid {
class DeviceManager;
}
namespace mousedeck::protocol {
class CommandSender;
}
namespace mousedeck::store {
class SettingsDatabase;
}
namespace mousedeck::discovery {
class DeviceDiscovery;
class DiscoveryState;
}  // namespace mousedeck::discovery
namespace mousedeck::shell {
class AppPaths;
class LanguageTexts;
}  // namespace mousedeck::shell

namespace mousedeck::shell::app {

class ControllerState;
class DebugTrace;
class TaskRunner;
class UserView;

// Waits of the device refresh routines. Tests shorten them.
struct AppTimings {
    std::chrono::milliseconds arrival_settle{1};    // task 2: before enumerating again
    std::chrono::milliseconds removal_settle{500};  // task 3: for the other interfaces to go too
};

// What the controller's parts work with, all owned by ApplicationController
// and living as long as it. Every member is safe to use from the threads its
// own header names.
struct AppContext {
    const AppPaths& paths;
    const LanguageTexts& texts;
    store::SettingsDatabase& db;
    hid::DeviceManager& devices;
    protocol::CommandSender& sender;
    discovery::DiscoveryState& discovery_state;
    discovery::DeviceDiscovery& discovery;
    ControllerState& state;
    TaskRunner& runner;
    UserView& view;
    DebugTrace& trace;
    AppTimings timings;

    devices::TextLookup TextLookup() const;
    // The current product's description as the last load left it.
    devices::DeviceDescription Description() const;
    // device/<attr>.xml of the current product.
    std::string DescriptionPath() const;
    // Its performance defaults; nothing when the file cannot be read.
    std::optional<devices::DeviceDefaults> Defaults() const;
    int CurrentDeviceType() const;
    void Trace(std::string_view message) const;
};

}  // namespace mousedeck::shell::app
