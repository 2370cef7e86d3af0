#include "update/update_service.h"

#include <utility>

#include "hid/task_code.h"

namespace mousedeck::update {
namespace {

HttpOptions Cancellable(HttpOptions http, const std::atomic<bool>& cancel) {
    http.cancel = &cancel;
    return http;
}

UpgradeResult ResultOf(FlashOutcome outcome) {
    switch (outcome) {
        case FlashOutcome::kImageRefused:
            return UpgradeResult::kImageRefused;
        case FlashOutcome::kNoBootLoader:
            return UpgradeResult::kNoBootLoader;
        case FlashOutcome::kBeginFailed:
            return UpgradeResult::kBeginFailed;
        case FlashOutcome::kTransferFailed:
            return UpgradeResult::kTransferFailed;
        case FlashOutcome::kDone:
            return UpgradeResult::kFlashed;
    }
    return UpgradeResult::kTransferFailed;
}

constexpr int kUpdateCodes[] = {hid::kTaskCheckAppUpdate, hid::kTaskCheckFirmware, hid::kTaskDownloadApp,
                                hid::kTaskUpgradeFirmware};

}  // namespace

UpdateService::UpdateService(UpdateHooks hooks, UpdateSettings settings)
    : hooks_(std::move(hooks)),
      observer_(settings.observer),
      app_(settings.observer, settings.text, Cancellable(settings.http, network_.CancelFlag()),
           UpdateFolder(settings.data_folder), guard_, settings.starter),
      firmware_(settings.observer, settings.text, Cancellable(settings.http, network_.CancelFlag())),
      upgrade_(settings.observer, settings.text, Cancellable(settings.http, network_.CancelFlag()),
               UpdateFolder(settings.data_folder), guard_, settings.timing) {
    Register();
}

UpdateService::~UpdateService() {
    PrepareExit();
    for (const int code : kUpdateCodes) {
        hooks_.register_routine(code, {});
    }
}

void UpdateService::Register() {
    hooks_.register_routine(hid::kTaskCheckAppUpdate, [this] { CheckApp(); });
    hooks_.register_routine(hid::kTaskCheckFirmware, [this] { CheckFirmware(); });
    hooks_.register_routine(hid::kTaskDownloadApp, [this] { DownloadApp(); });
    hooks_.register_routine(hid::kTaskUpgradeFirmware, [this] { Upgrade(); });
    if (hooks_.set_stop_guard) {
        hooks_.set_stop_guard([this] { PrepareExit(); });
    }
}

void UpdateService::PrepareExit() {
    {
        std::lock_guard lock(mutex_);
        if (exited_) {
            return;
        }
        exited_ = true;
    }
    if (hooks_.set_stop_guard) {
        hooks_.set_stop_guard({});
    }
    WaitForFlashBeforeExit(guard_, observer_);
    network_.Stop();
}

bool UpdateService::QueueLocalImage(std::vector<uint8_t> image) {
    {
        std::lock_guard lock(mutex_);
        pending_image_ = std::move(image);
    }
    return hooks_.push_task(hid::kTaskUpgradeFirmware);
}

UpgradeResult UpdateService::LastUpgrade() const {
    std::lock_guard lock(mutex_);
    return last_upgrade_;
}

AppDownloadOutcome UpdateService::LastDownload() const {
    std::lock_guard lock(mutex_);
    return last_download_;
}

// Worker. The address and version are read here, not when the service was
// made: the catalogue is loaded by the controller's Start.
void UpdateService::CheckApp() {
    app_.Configure(hooks_.update_address(), hooks_.running_version());
    network_.Post([this] { app_.Check(); });
}

// Worker, as task 24 and at the end of every connection: the versions first,
// so that the check posted behind them compares with what this read found.
void UpdateService::CheckFirmware() {
    firmware_.SetFirmwareAddress(hooks_.firmware_address());
    firmware_.SetMouseVersion(hooks_.mouse_version());
    firmware_.ShowVersions(hooks_.devices);
    network_.Post([this] { firmware_.Check(); });
}

void UpdateService::DownloadApp() {
    network_.Post([this] {
        const AppDownloadOutcome outcome = app_.Download();
        std::lock_guard lock(mutex_);
        last_download_ = outcome;
    });
}

void UpdateService::EndUpgrade(UpgradeResult result) {
    upgrade_.Finish();
    std::lock_guard lock(mutex_);
    last_upgrade_ = result;
}

// Worker. An image at hand (a local one, or one the download left) is
// flashed here, so no other task touches the mouse meanwhile; otherwise the
// download runs on the network thread and queues this task again.
void UpdateService::Upgrade() {
    std::unique_lock lock(mutex_);
    if (pending_image_) {
        const std::vector<uint8_t> image = std::move(*pending_image_);
        pending_image_.reset();
        lock.unlock();
        EndUpgrade(ResultOf(upgrade_.Flash(hooks_.devices, image)));
        return;
    }
    if (downloading_) {
        return;  // that download queues the flash
    }
    downloading_ = true;
    lock.unlock();
    network_.Post([this, url = firmware_.FirmwareAddress(), version = firmware_.LatestVersion()] {
        std::optional<std::vector<uint8_t>> image = upgrade_.Download(url, version);
        const bool found = image.has_value();
        {
            std::lock_guard relock(mutex_);
            downloading_ = false;
            pending_image_ = std::move(image);
        }
        if (!found) {
            EndUpgrade(UpgradeResult::kNoImage);
        } else if (!hooks_.push_task(hid::kTaskUpgradeFirmware)) {
            std::lock_guard relock(mutex_);
            pending_image_.reset();
            last_upgrade_ = UpgradeResult::kNoImage;
        }
    });
}

}  // namespace mousedeck::update
