#include "update/app_updater.h"

#include <optional>
#include <system_error>

#include "update/flash_guard.h"
#include "update/unpack.h"
#include "update/update_observer.h"
#include "update/version_compare.h"
#include "update/version_text.h"

namespace mousedeck::update {

AppUpdater::AppUpdater(UpdateObserver& observer, devices::TextLookup text, HttpOptions http,
                       UpdateFolder folder, const FlashGuard& guard, ProgramStarter starter)
    : observer_(observer),
      text_(std::move(text)),
      http_(std::move(http)),
      folder_(std::move(folder)),
      guard_(guard),
      starter_(std::move(starter)),
      progress_([this](int percent) {
          observer_.ShowAppDownloadProgress(percent, ProgressLine(Text(texts::kDownloading), percent));
      }) {}

void AppUpdater::Configure(std::string update_url, std::string current_version) {
    std::lock_guard lock(mutex_);
    update_url_ = std::move(update_url);
    current_version_ = std::move(current_version);
}

std::string AppUpdater::LatestVersion() const {
    std::lock_guard lock(mutex_);
    return latest_version_;
}

UpdateState AppUpdater::State() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void AppUpdater::Check() {
    std::string url;
    {
        std::lock_guard lock(mutex_);
        latest_version_.clear();
        url = update_url_;
    }
    if (url.empty()) {
        return;
    }
    const TextAnswer answer = FetchText(url + "version", http_);
    const std::optional<std::string> latest = VersionFromAnswer(answer.text, kMaxAppVersionChars);
    if (!latest) {
        return;
    }
    bool newer = false;
    {
        std::lock_guard lock(mutex_);
        latest_version_ = *latest;
        newer = CompareVersions(current_version_, *latest) > 0;
        state_ = newer ? UpdateState::kNewer : UpdateState::kUpToDate;
    }
    if (newer) {
        observer_.EnableAppUpdateButton(true);
        observer_.ShowAppUpdateStatus(Text(texts::kNewVersion) + ": v" + *latest);
        observer_.OfferAppUpdate(*latest);
    } else {
        observer_.ShowAppUpdateStatus(Text(texts::kUpToDate));
        observer_.EnableAppUpdateButton(false);
    }
}

bool AppUpdater::Prompt(const std::function<void()>& queue_download) {
    const std::string message =
        Text(texts::kNewVersion) + ":v" + LatestVersion() + ", " + Text(texts::kUpdateQuestion);
    if (!observer_.AskToInstallUpdate(Text(texts::kUpdateTitle), message)) {
        return false;
    }
    if (queue_download) {
        queue_download();
    }
    observer_.OpenAppDownloadDialog();
    return true;
}

AppDownloadOutcome AppUpdater::Download() {
    std::string url;
    std::string latest;
    {
        std::lock_guard lock(mutex_);
        url = update_url_;
        latest = latest_version_;
    }
    if (url.empty() || !IsSafeVersionText(latest)) {
        return AppDownloadOutcome::kNoVersion;
    }
    const std::string stem = "Mouse-Setup-" + latest;
    folder_.Create();
    const std::filesystem::path archive = folder_.File(stem + ".zip");
    std::error_code ignored;
    std::filesystem::remove(archive, ignored);
    if (FetchFile(url + "//" + stem + ".zip", archive, http_, &progress_) == FetchStatus::kOk &&
        Unpack(archive, folder_.Path())) {
        std::filesystem::remove(archive, ignored);
    }
    const std::filesystem::path installer = folder_.File(stem + ".run");
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(installer, ignored))) {
        return AppDownloadOutcome::kNoInstaller;
    }
    // The installer may replace this program: no flash may be running then.
    WaitForFlashBeforeExit(guard_, observer_);
    if (!starter_ || !starter_(installer)) {
        return AppDownloadOutcome::kStartFailed;
    }
    observer_.EndForInstaller();
    return AppDownloadOutcome::kInstallerStarted;
}

}  // namespace mousedeck::update
