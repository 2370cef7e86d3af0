#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "devices/catalogue_loader.h"
#include "devices/discovery/device_discovery.h"
#include "devices/recording_catalogue_view.h"
#include "hid/device_manager.h"
#include "recording_discovery_view.h"
#include "shell/settings_file.h"
#include "sim/catalogue/shipped_products.h"
#include "sim/simulated_hid_backend.h"
#include "sim/simulated_mouse.h"
#include "store/settings_database.h"
#include "support/temp_home.h"

namespace mousedeck::discovery::test {

// Short waits, so that a mouse that does not answer costs milliseconds.
inline hid::ExchangeTiming FastTiming() {
    using std::chrono::milliseconds;
    hid::ExchangeTiming t;
    t.reply_attempts = 5;
    t.reply_wait = milliseconds(10);
    t.identify_retry_delay = milliseconds(5);
    t.notification_wait = milliseconds(20);
    t.receiver_wait = milliseconds(5);
    return t;
}

// The shipped catalogue's product ids (data/config.xml).
inline constexpr int kW1 = 101;  // cable 1209:0001 and receiver 1209:0002
inline constexpr int kC2 = 102;  // cable 1209:0003
inline constexpr uint16_t kVendor = 0x1209;

// Discovery over simulated mice made from a catalogue (by default the shipped
// one beside the test executable), each with cable and receiver plugged in,
// the catalogue's rules in the device manager,
// a settings file whose DeviceType is 101 as at every start, and the worker
// replaced by a recording task sink.
class DiscoveryFixture : public ::testing::Test {
protected:
    explicit DiscoveryFixture(const std::filesystem::path& application = mousedeck::test::ExecutableFolder())
        : folders{application.string(), (application / "skins" / "default").string()},
          catalogue(LoadFrom(folders, catalogue_view)),
          manager(backend, FastTiming()),
          settings(temp / "config" / "settings.ini"),
          discovery(Context(), state) {
        for (const auto& product : sim::ProductsOfCatalogue(catalogue)) {
            mice.push_back(std::make_unique<sim::SimulatedMouse>(product, sim::SimOptions{}));
            backend.Attach(*mice.back());
        }
        for (auto& rule : MatchRulesOf(catalogue)) {  // as the catalogue load does at start-up
            manager.AddRule(std::move(rule));
        }
        settings.ReadRegistryNumber(shell::kLcidValue);  // creates the file
        settings.WriteRegistryNumber(shell::kDeviceTypeValue, kW1);
    }

    sim::SimulatedMouse& Mouse(int device_type) {
        for (auto& mouse : mice) {
            if (mouse->product().device_type == device_type) {
                return *mouse;
            }
        }
        throw std::logic_error("no simulated product of type " + std::to_string(device_type));
    }
    // Plugs each product's cable and receiver as given, others out.
    void Plug(int device_type, bool cable, bool receiver) {
        Mouse(device_type).PlugCable(cable);
        Mouse(device_type).PlugReceiver(receiver);
    }
    void UnplugAll() {
        for (auto& mouse : mice) {
            mouse->PlugCable(false);
            mouse->PlugReceiver(false);
        }
    }
    int SavedType() { return settings.ReadDeviceType(); }
    std::vector<int> Tasks() {
        std::lock_guard lock(task_mutex);
        return tasks;
    }
    void ClearTasks() {
        std::lock_guard lock(task_mutex);
        tasks.clear();
    }
    std::string DatabaseName() const { return std::filesystem::path(database.path()).filename().string(); }

    DiscoveryContext Context() {
        return DiscoveryContext{
            .catalogue = catalogue,
            .folders = folders,
            .data_folder = temp / "data",
            .manager = manager,
            .settings = settings,
            .database = database,
            .description_view = description_view,
            .view = view,
            .tasks = {.push_task =
                          [this](int code) {
                              std::lock_guard lock(task_mutex);
                              tasks.push_back(code);
                          },
                      .set_polling = [this](bool on) { worker_polling = on; }},
        };
    }

    static devices::DeviceCatalogue LoadFrom(const devices::ProductFolders& f, devices::CatalogueView& v) {
        devices::DeviceCatalogue c;
        EXPECT_TRUE(devices::LoadCatalogue(
            f, [](int) { return std::string(); }, c, v));
        return c;
    }

    mousedeck::test::TempDir temp;
    devices::ProductFolders folders;
    devices::RecordingCatalogueView catalogue_view;  // the catalogue load's calls
    devices::DeviceCatalogue catalogue;
    std::vector<std::unique_ptr<sim::SimulatedMouse>> mice;
    sim::SimulatedHidBackend backend;
    hid::DeviceManager manager;
    shell::SettingsFile settings;
    store::SettingsDatabase database;
    devices::RecordingCatalogueView description_view;
    RecordingDiscoveryView view;
    DiscoveryState state;
    std::mutex task_mutex;
    std::vector<int> tasks;
    std::atomic<bool> worker_polling{false};
    DeviceDiscovery discovery;
};

}  // namespace mousedeck::discovery::test
