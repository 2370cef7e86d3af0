#pragma once

#include <functional>
#include <mutex>
#include <string>

#include "devices/text_lookup.h"
#include "update/http_client.h"
#include "update/http_options.h"
#include "update/installer_launcher.h"
#include "update/update_folder.h"
#include "update/update_state.h"

namespace mousedeck::update {

class FlashGuard;
class UpdateObserver;

enum class AppDownloadOutcome {
    kNoVersion,         // no check has found a usable version
    kNoInstaller,       // no installer in the temporary folder after the download
    kStartFailed,       // the installer is there but could not be started
    kInstallerStarted,  // the installer runs; EndForInstaller was called
};

// The application's own update: the check against the update server
// (task 23), the prompt, and the download that starts the installer
// (task 26). Owned by the application controller, one per main window.
//
// The server answers "<update address>version" with the version text and
// serves "<update address>//Mouse-Setup-<version>.zip", a zip archive
// holding "Mouse-Setup-<version>.run", the installer (see README.md).
//
// Threads: Check and Download wherever the network may block (the
// NetworkQueue, or the worker), one at a time; Prompt on the user-interface
// thread; Configure before the first check; the getters anywhere.
class AppUpdater {
public:
    AppUpdater(UpdateObserver& observer, devices::TextLookup text, HttpOptions http, UpdateFolder folder,
               const FlashGuard& guard, ProgramStarter starter = StartDetached);

    // The `upgrade` url of config.xml's `software` (ending in its own
    // separator: "version" is appended directly) and the running version.
    void Configure(std::string update_url, std::string current_version);
    std::string LatestVersion() const;
    UpdateState State() const;

    // Forgets the latest version, then asks the server. An answer of 1 to 10
    // version characters is compared with the current version: newer
    // enables the update button, shows the version and offers the update
    // (OfferAppUpdate); otherwise the status says up to date and the button
    // is disabled. Without a usable answer nothing else changes.
    void Check();

    // UI thread, after OfferAppUpdate: asks the user; on yes calls
    // `queue_download` (task 26) and opens the download dialog. True on yes.
    bool Prompt(const std::function<void()>& queue_download);

    // Downloads the archive into the temporary folder with progress in the
    // download dialog, unpacks it (the archive is deleted once opened) and,
    // when the installer is there, waits for a running firmware flash,
    // starts the installer and calls EndForInstaller. Otherwise the dialog
    // stays at its last step.
    AppDownloadOutcome Download();

private:
    std::string Text(int number) const { return TextOf(text_, number); }

    UpdateObserver& observer_;
    const devices::TextLookup text_;
    const HttpOptions http_;
    const UpdateFolder folder_;
    const FlashGuard& guard_;
    const ProgramStarter starter_;
    // The one progress memory of the download dialog, kept across downloads.
    DownloadProgress progress_;

    mutable std::mutex mutex_;
    std::string update_url_;
    std::string current_version_;
    std::string latest_version_;
    UpdateState state_ = UpdateState::kUnchecked;
};

}  // namespace mousedeck::update
