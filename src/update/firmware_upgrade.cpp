#include "update/firmware_upgrade.h"

#include <system_error>
#include <thread>

#include "shell/file_system.h"
#include "update/firmware_reports.h"
#include "update/flash_guard.h"
#include "update/http_client.h"
#include "update/network_queue.h"
#include "update/unpack.h"
#include "update/update_observer.h"
#include "update/update_state.h"
#include "update/version_compare.h"
#include "update/version_text.h"

namespace mousedeck::update {
namespace {

// True for a regular file (not a link) of 1 to kMaxImageBytes bytes.
bool ImageFileUsable(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (error || !std::filesystem::is_regular_file(status)) {
        return false;
    }
    const auto size = std::filesystem::file_size(file, error);
    return !error && size > 0 && size <= kMaxImageBytes;
}

}  // namespace

FirmwareUpgrade::FirmwareUpgrade(UpdateObserver& observer, devices::TextLookup text, HttpOptions http,
                                 UpdateFolder folder, FlashGuard& guard, UpgradeTiming timing)
    : observer_(observer),
      text_(std::move(text)),
      http_(std::move(http)),
      folder_(std::move(folder)),
      guard_(guard),
      timing_(timing) {}

void FirmwareUpgrade::Step(int percent, int text) {
    observer_.ShowFirmwareStep(percent, ProgressLine(TextOf(text_, text), percent));
}

std::optional<std::vector<uint8_t>> FirmwareUpgrade::Download(const std::string& firmware_url,
                                                              const std::string& version) {
    Step(5, texts::kDownloading);
    // The version names files and the address: only a checked one will do.
    if (firmware_url.empty() || !IsSafeVersionText(version) || !folder_.Recreate()) {
        return std::nullopt;
    }
    const std::string archive_name = "firmware-" + version + ".zip";
    const std::filesystem::path archive = folder_.File(archive_name);
    if (FetchFile(firmware_url + "//mouse//" + archive_name, archive, http_, nullptr) != FetchStatus::kOk) {
        return std::nullopt;
    }
    Step(7, texts::kUnpacking);
    std::error_code ignored;
    if (Unpack(archive, folder_.Path())) {
        std::filesystem::remove(archive, ignored);
    }
    const std::filesystem::path image_file = folder_.File("firmware     -" + version + ".bin");
    if (!ImageFileUsable(image_file)) {
        return std::nullopt;
    }
    const shell::FileBytes read = shell::ReadFileBytes(image_file);
    std::filesystem::remove(image_file, ignored);
    if (read.status != shell::ReadStatus::kOk || read.bytes.empty()) {
        return std::nullopt;
    }
    Step(10, texts::kUnpacking);
    return std::vector<uint8_t>(read.bytes.begin(), read.bytes.end());
}

FlashOutcome FirmwareUpgrade::Flash(hid::DeviceManager& manager, std::span<const uint8_t> image) {
    FlashOutcome outcome;
    {
        const FlashGuard::Scope flashing(guard_);
        outcome = FlashImage(
            manager, image, [this](int percent) { Step(percent, texts::kWriting); }, timing_.flash);
    }
    Step(100, texts::kFinished);
    return outcome;
}

void FirmwareUpgrade::Finish() {
    std::this_thread::sleep_for(timing_.dialog_close_pause);
    observer_.CloseFirmwareDialog();
    std::this_thread::sleep_for(timing_.dialog_close_pause);
}

void FirmwareUpgrade::Run(hid::DeviceManager& manager, const std::string& firmware_url,
                          const std::string& version) {
    const std::optional<std::vector<uint8_t>> image = Download(firmware_url, version);
    if (image) {
        Flash(manager, *image);
    }
    Finish();
}

void FirmwareUpgrade::RunTask(hid::DeviceManager& manager, const std::string& firmware_url,
                              const std::string& version, NetworkQueue& network,
                              std::function<void()> queue_flash) {
    std::unique_lock lock(mutex_);
    if (pending_) {
        const std::vector<uint8_t> image = std::move(*pending_);
        pending_.reset();
        lock.unlock();
        Flash(manager, image);
        Finish();
        return;
    }
    if (downloading_) {
        return;
    }
    downloading_ = true;
    lock.unlock();
    network.Post([this, firmware_url, version, queue_flash = std::move(queue_flash)] {
        std::optional<std::vector<uint8_t>> image = Download(firmware_url, version);
        const bool found = image.has_value();
        {
            std::lock_guard relock(mutex_);
            downloading_ = false;
            pending_ = std::move(image);
        }
        if (!found) {
            Finish();
        } else if (queue_flash) {
            queue_flash();
        }
    });
}

}  // namespace mousedeck::update
