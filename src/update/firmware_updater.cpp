#include "update/firmware_updater.h"

#include <optional>

#include "hid/device_manager.h"
#include "update/http_client.h"
#include "update/update_observer.h"
#include "update/version_compare.h"
#include "update/version_text.h"

namespace mousedeck::update {
namespace {

constexpr int kWired = 0;
constexpr int kDongle = 1;

std::string VersionOfMode(const hid::DeviceManager& manager, int mode) {
    const std::optional<int> release = manager.ReleaseNumberOf(mode);
    return release ? ReleaseText(*release) : std::string();
}

}  // namespace

FirmwareUpdater::FirmwareUpdater(UpdateObserver& observer, devices::TextLookup text, HttpOptions http)
    : observer_(observer), text_(std::move(text)), http_(std::move(http)) {}

void FirmwareUpdater::SetFirmwareAddress(std::string url) {
    std::lock_guard lock(mutex_);
    firmware_url_ = std::move(url);
}

std::string FirmwareUpdater::FirmwareAddress() const {
    std::lock_guard lock(mutex_);
    return firmware_url_;
}

void FirmwareUpdater::SetMouseVersion(std::string version) {
    std::lock_guard lock(mutex_);
    mouse_version_ = std::move(version);
}

std::string FirmwareUpdater::MouseVersion() const {
    std::lock_guard lock(mutex_);
    return mouse_version_;
}

std::string FirmwareUpdater::ReceiverVersion() const {
    std::lock_guard lock(mutex_);
    return receiver_version_;
}

std::string FirmwareUpdater::LatestVersion() const {
    std::lock_guard lock(mutex_);
    return latest_version_;
}

UpdateState FirmwareUpdater::State() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void FirmwareUpdater::ShowVersions(const hid::DeviceManager& manager) {
    const std::string caption = Text(texts::kMouseFirmware);
    observer_.ShowMouseFirmwareCaption(caption);
    observer_.ShowReceiverFirmwareCaption(Text(texts::kReceiverFirmware));
    observer_.ShowMouseFirmwareStatus("");
    observer_.ShowReceiverFirmwareStatus("");

    const bool through_receiver = manager.ConnectionKind() == kDongle;
    const std::string version = VersionOfMode(manager, through_receiver ? kDongle : kWired);
    {
        std::lock_guard lock(mutex_);
        (through_receiver ? receiver_version_ : mouse_version_) = version;
    }
    const std::string line = version.empty() ? caption : FirmwareVersionLine(caption, version);
    if (through_receiver) {
        observer_.ShowReceiverFirmwareCaption(line);
        observer_.ShowReceiverFirmwareStatus(Text(texts::kUpToDate));
    } else {
        observer_.ShowMouseFirmwareCaption(line);
        observer_.ShowMouseFirmwareStatus(Text(texts::kUpToDate));
    }
    observer_.EnableFirmwareButton(!through_receiver);
    observer_.EnableReceiverFirmwareButton(through_receiver);
}

void FirmwareUpdater::Check() {
    std::string url;
    {
        std::lock_guard lock(mutex_);
        latest_version_.clear();
        url = firmware_url_;
    }
    if (url.empty()) {
        return;
    }
    const TextAnswer answer = FetchText(url + "/mouse/version", http_);
    const std::optional<std::string> latest = VersionFromAnswer(answer.text, kMaxFirmwareVersionChars);

    bool newer = false;
    {
        std::lock_guard lock(mutex_);
        if (latest) {
            latest_version_ = *latest;
        }
        if (!latest || mouse_version_.empty()) {
            return;
        }
        newer = CompareVersions(mouse_version_, *latest) > 0;
        state_ = newer ? UpdateState::kNewer : UpdateState::kUpToDate;
    }
    if (newer) {
        observer_.ShowMouseFirmwareStatus(FirmwareVersionLine(Text(texts::kNewVersion), *latest));
        observer_.EnableFirmwareButton(true);
        observer_.OfferFirmwareUpdate(*latest);
    } else {
        observer_.ShowMouseFirmwareStatus(Text(texts::kUpToDate));
        observer_.EnableFirmwareButton(false);
    }
}

void FirmwareUpdater::PressFirmwareButton(const std::function<void()>& queue_check) {
    if (FirmwareAddress().empty()) {
        observer_.ShowUpdateNotice(Text(texts::kMouseFirmware), Text(texts::kUpToDate));
    } else if (queue_check) {
        queue_check();
    }
}

void FirmwareUpdater::PressReceiverButton() {
    observer_.ShowUpdateNotice(Text(texts::kReceiverFirmware), Text(texts::kUpToDate));
}

bool FirmwareUpdater::Prompt(const std::function<void()>& queue_upgrade) {
    const std::string latest = LatestVersion();
    const std::string message =
        Text(texts::kNewVersion) + ":v" + VersionLabel(latest) + ", " + Text(texts::kUpdateQuestion);
    if (!observer_.AskToInstallUpdate(Text(texts::kMouseFirmware), message)) {
        return false;
    }
    if (queue_upgrade) {
        queue_upgrade();
    }
    observer_.OpenFirmwareDialog();
    return true;
}

}  // namespace mousedeck::update
