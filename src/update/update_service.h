#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "devices/text_lookup.h"
#include "update/app_updater.h"
#include "update/firmware_updater.h"
#include "update/firmware_upgrade.h"
#include "update/flash_guard.h"
#include "update/http_options.h"
#include "update/installer_launcher.h"
#include "update/network_queue.h"

namespace mousedeck::hid {
class DeviceManager;
}

namespace mousedeck::update {

class UpdateObserver;

// What the service needs of the application controller, as plain calls so
// that the update layer does not depend on it. Every function must stay
// callable for the service's lifetime.
struct UpdateHooks {
    // ApplicationController::RegisterTaskRoutine; an empty routine removes one.
    std::function<bool(int code, std::function<void()> routine)> register_routine;
    // ApplicationController::PushTask.
    std::function<bool(int code)> push_task;
    // Runs the stop guard first in ApplicationController::Stop; an empty
    // function removes it. May be empty when the front end calls
    // PrepareExit on every way out itself.
    std::function<void(std::function<void()> guard)> set_stop_guard;
    hid::DeviceManager& devices;
    // The current product's `firmware` url (worker thread).
    std::function<std::string()> firmware_address;
    // The mouse firmware as the last read reported it (for a mouse behind its
    // receiver, whose interface carries the receiver's release).
    std::function<std::string()> mouse_version;
    // config.xml's update address and the running version.
    std::function<std::string()> update_address;
    std::function<std::string()> running_version;
};

struct UpdateSettings {
    UpdateObserver& observer;
    devices::TextLookup text;
    std::filesystem::path data_folder;  // AppPaths::DataFolder()
    HttpOptions http{};                 // `cancel` is set by the service
    UpgradeTiming timing{};
    ProgramStarter starter = StartDetached;
};

// How the last firmware upgrade of task 27 ended.
enum class UpgradeResult {
    kNone,            // none has ended yet
    kNoImage,         // the download, the archive or the image failed: nothing flashed
    kImageRefused,    // the FlashOutcome values from here on
    kNoBootLoader,
    kBeginFailed,
    kTransferFailed,
    kFlashed,
};

// The update routines wired to the task queue, one object for every front
// end: task 23 (application check), 24 (firmware versions and check, also
// run after every connection), 26 (application download) and 27 (firmware
// upgrade, from the firmware server or from an image handed over with
// FlashImageFile), with the network thread they share and the exit path
// that waits for a running flash.
//
// Threads: construct, PrepareExit and destroy on the user-interface thread
// (not from a routine); QueueLocalImage anywhere; the routines run on the
// device worker and the network thread.
//
// Lifetime: registering the routines makes the controller's worker call
// into this object, so the worker must be stopped (ApplicationController
// Stop) before it is destroyed; the destructor removes the routines and the
// stop guard in case it is not.
class UpdateService {
public:
    UpdateService(UpdateHooks hooks, UpdateSettings settings);
    ~UpdateService();
    UpdateService(const UpdateService&) = delete;
    UpdateService& operator=(const UpdateService&) = delete;

    // Every way out of the program: when a flash runs, tells the observer
    // why the program does not end yet and waits for it; then stops the
    // network thread (a transfer in progress ends at once). Idempotent.
    void PrepareExit();

    // Queues task 27 to flash `image` as it is, without the firmware server.
    bool QueueLocalImage(std::vector<uint8_t> image);
    // True once no network job runs or waits (the worker is the caller's).
    bool NetworkIdle() const { return network_.Idle(); }
    bool WaitForNetwork(std::chrono::milliseconds limit) const { return network_.WaitUntilIdle(limit); }

    AppUpdater& App() { return app_; }
    FirmwareUpdater& Firmware() { return firmware_; }
    const FlashGuard& Guard() const { return guard_; }
    UpgradeResult LastUpgrade() const;
    AppDownloadOutcome LastDownload() const;

private:
    void Register();
    void CheckApp();
    void CheckFirmware();
    void DownloadApp();
    void Upgrade();
    void EndUpgrade(UpgradeResult result);

    UpdateHooks hooks_;
    UpdateObserver& observer_;
    NetworkQueue network_;
    FlashGuard guard_;
    AppUpdater app_;
    FirmwareUpdater firmware_;
    FirmwareUpgrade upgrade_;

    mutable std::mutex mutex_;
    std::optional<std::vector<uint8_t>> pending_image_;
    bool downloading_ = false;
    UpgradeResult last_upgrade_ = UpgradeResult::kNone;
    AppDownloadOutcome last_download_ = AppDownloadOutcome::kNoVersion;
    bool exited_ = false;
};

}  // namespace mousedeck::update
