#pragma once

#include <string>

namespace mousedeck::update {

// What the user sees of the application update and the firmware upgrade.
// The front ends implement it; every method does nothing by default, so
// each implements what it shows. Texts arrive ready to show, in the current
// language.
//
// Threads. Methods marked "UI" are called on the user-interface thread by
// the prompt and button routines (AppUpdater::Prompt, FirmwareUpdater's
// Prompt and Press*Button), which the front end calls there. Every other
// method is called by the checks, downloads and the flash, which run on the
// device worker or on the network queue's thread (NetworkQueue), so a GUI
// must hand those calls to its own thread, queued and in order. No lock of
// this library is held during a call.
class UpdateObserver {
public:
    virtual ~UpdateObserver() = default;

    // Settings page: the application's update status line.
    virtual void ShowAppUpdateStatus(const std::string& /*text*/) {}
    virtual void EnableAppUpdateButton(bool /*enabled*/) {}
    // A newer application exists: run AppUpdater::Prompt on the UI thread.
    virtual void OfferAppUpdate(const std::string& /*latest_version*/) {}

    // UI: the two-button box asking whether to update now; true for the
    // first button (yes). The default declines.
    virtual bool AskToInstallUpdate(const std::string& /*title*/, const std::string& /*message*/) {
        return false;
    }
    // UI: a one-button message box.
    virtual void ShowUpdateNotice(const std::string& /*title*/, const std::string& /*message*/) {}

    // UI: the application download dialog opens (modal in a GUI).
    virtual void OpenAppDownloadDialog() {}
    // The download dialog's bar and status line ("<text>: <percent>%").
    virtual void ShowAppDownloadProgress(int /*percent*/, const std::string& /*status*/) {}
    // The installer has started: the program must end now with exit code 0,
    // without its usual close routine. A running flash has already finished.
    virtual void EndForInstaller() {}

    // Information page: firmware captions, status lines and buttons.
    virtual void ShowMouseFirmwareCaption(const std::string& /*text*/) {}
    virtual void ShowReceiverFirmwareCaption(const std::string& /*text*/) {}
    virtual void ShowMouseFirmwareStatus(const std::string& /*text*/) {}
    virtual void ShowReceiverFirmwareStatus(const std::string& /*text*/) {}
    virtual void EnableFirmwareButton(bool /*enabled*/) {}
    virtual void EnableReceiverFirmwareButton(bool /*enabled*/) {}
    // A newer mouse firmware exists: run FirmwareUpdater::Prompt on the UI
    // thread.
    virtual void OfferFirmwareUpdate(const std::string& /*latest_version*/) {}

    // UI: the firmware progress dialog opens, replacing one still open
    // (modal in a GUI, until CloseFirmwareDialog).
    virtual void OpenFirmwareDialog() {}
    // The firmware dialog's bar and status line ("<text>: <percent>%"). May
    // come before the dialog is open; a front end without one ignores it.
    virtual void ShowFirmwareStep(int /*percent*/, const std::string& /*status*/) {}
    // The upgrade is over: the firmware dialog closes (with OK) if open.
    virtual void CloseFirmwareDialog() {}

    // The program was asked to end while a firmware flash runs: it ends
    // when the flash is done (called on the thread of the exit path).
    virtual void ShowExitWaitsForFlash() {}
};

}  // namespace mousedeck::update
