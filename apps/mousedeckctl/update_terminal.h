#pragma once

#include <mutex>
#include <string>

#include "update/update_observer.h"

namespace mousedeck::ctl {

// What the update routines show, for a terminal: the download and flash
// steps as a progress bar on standard error when it is a terminal (never
// in the JSON form), the reason an exit waits for a flash, and the last
// status lines and offers for the command to report.
//
// Calls arrive on the device worker and the network thread; every member
// takes one lock.
class UpdateTerminal final : public update::UpdateObserver {
public:
    // `bar`: draw the progress bar (standard error is a terminal and the
    // output is not JSON).
    explicit UpdateTerminal(bool bar) : bar_(bar) {}

    std::string AppStatus() const;
    std::string MouseFirmwareStatus() const;
    std::string LastStep() const;
    bool InstallerStarted() const;

    void ShowAppUpdateStatus(const std::string& text) override;
    void ShowMouseFirmwareStatus(const std::string& text) override;
    void ShowAppDownloadProgress(int percent, const std::string& status) override;
    void EndForInstaller() override;
    void ShowFirmwareStep(int percent, const std::string& status) override;
    void CloseFirmwareDialog() override;
    void ShowExitWaitsForFlash() override;

private:
    void Draw(int percent, const std::string& status);
    void EndBar();

    const bool bar_;
    mutable std::mutex mutex_;
    std::string app_status_;
    std::string firmware_status_;
    std::string last_step_;
    bool installer_started_ = false;
    bool bar_open_ = false;
};

}  // namespace mousedeck::ctl
