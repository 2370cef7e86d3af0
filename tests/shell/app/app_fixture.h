#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "recording_user_view.h"
#include "shell/app/application_controller.h"
#include "shell/app_paths.h"
#include "shell/language_state.h"
#include "shell/settings_file.h"
#include "sim/simulated_hid_backend.h"
#include "sim/simulated_mouse.h"
#include "support/temp_home.h"

namespace mousedeck::shell::app::test {

using Bytes = std::vector<uint8_t>;

// The shipped products (data/config.xml): W1 by cable and receiver, with
// lighting; C2 by cable only, without lighting.
inline constexpr int kW1 = 101;
inline constexpr int kC2 = 102;

// What the simulated mice hold when the test starts, chosen to differ from
// every description default so that a read-back shows in the database.
inline constexpr uint8_t kMouseReportRate = 2;  // 500 Hz
inline constexpr uint8_t kMouseStageIndex = 3;
inline constexpr uint8_t kMouseDebounce = 7;
inline constexpr uint8_t kMouseEffect = 3;  // steady

// The application controller over simulated mice of the shipped catalogue,
// with their hot-plug events, a private data folder and settings file, and a
// recording view. Each test plugs what it needs and then calls Start().
// Every write a mouse receives is in its traffic log (TakeWrites).
class AppFixture : public ::testing::Test {
protected:
    // `application`: where config.xml, device/ and language/ are read from.
    explicit AppFixture(const std::filesystem::path& application = mousedeck::test::ExecutableFolder());
    ~AppFixture() override;

    // Builds the controller; `hotplug` false leaves it without hot-plug
    // events. Start builds it when needed and starts it.
    void Create(bool hotplug = true);
    void Start(bool hotplug = true);
    // Only `device_type` plugged in (cable and receiver as given), started,
    // read, and what that wrote and showed forgotten.
    void StartConnected(int device_type, bool cable = true, bool receiver = false);
    // Waits for the controller's queue to run dry.
    void Idle();
    // Waits until the task report line was recorded `times` times.
    bool WaitForTask(int code, TaskOutcome outcome, int times = 1);

    sim::SimulatedMouse& Mouse(int device_type);
    void Plug(int device_type, bool cable, bool receiver);

    // Every report the host wrote to the mouse since the last call, as written.
    std::vector<Bytes> TakeWrites(int device_type);
    // Their command codes (byte 1).
    std::vector<int> TakeCommands(int device_type);

    // A key of `profile` (0: the current one); "<none>" when absent.
    std::string Key(std::string_view key, int profile = 0);
    void SetKey(std::string_view key, std::string_view value, int profile = 0);
    store::SettingsDatabase& Db() { return controller->Database(); }
    PageActions& Actions() { return controller->Actions(); }

    mousedeck::test::TempDir temp;
    RecordingUserView view;
    std::vector<std::unique_ptr<sim::SimulatedMouse>> mice;
    sim::SimulatedHidBackend backend;
    AppPaths paths;
    LanguageState language;
    SettingsFile settings;
    std::unique_ptr<ApplicationController> controller;

private:
    std::string LogPath(int device_type) const;
    std::vector<std::size_t> log_lines_read_;
};

}  // namespace mousedeck::shell::app::test
