#include "update_terminal.h"

#include <algorithm>
#include <cstdio>

namespace mousedeck::ctl {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

std::string UpdateTerminal::AppStatus() const {
    std::lock_guard lock(mutex_);
    return app_status_;
}

std::string UpdateTerminal::MouseFirmwareStatus() const {
    std::lock_guard lock(mutex_);
    return firmware_status_;
}

std::string UpdateTerminal::LastStep() const {
    std::lock_guard lock(mutex_);
    return last_step_;
}

bool UpdateTerminal::InstallerStarted() const {
    std::lock_guard lock(mutex_);
    return installer_started_;
}

void UpdateTerminal::ShowAppUpdateStatus(const std::string& text) {
    std::lock_guard lock(mutex_);
    app_status_ = text;
}

void UpdateTerminal::ShowMouseFirmwareStatus(const std::string& text) {
    std::lock_guard lock(mutex_);
    firmware_status_ = text;
}

void UpdateTerminal::ShowAppDownloadProgress(int percent, const std::string& status) {
    std::lock_guard lock(mutex_);
    last_step_ = status;
    Draw(percent, status);
}

void UpdateTerminal::EndForInstaller() {
    std::lock_guard lock(mutex_);
    installer_started_ = true;
    EndBar();
}

void UpdateTerminal::ShowFirmwareStep(int percent, const std::string& status) {
    std::lock_guard lock(mutex_);
    last_step_ = status;
    Draw(percent, status);
}

void UpdateTerminal::CloseFirmwareDialog() {
    std::lock_guard lock(mutex_);
    EndBar();
}

// Printed whatever the output form: the user pressed Ctrl+C and must learn
// why nothing happens.
void UpdateTerminal::ShowExitWaitsForFlash() {
    std::lock_guard lock(mutex_);
    EndBar();
    std::fputs(
        "mousedeckctl: the firmware is being written; the program ends when it is done, "
        "since an interrupted flash can leave the mouse unusable\n",
        stderr);
}

// Caller holds the lock. "\r" redraws the one line in place.
void UpdateTerminal::Draw(int percent, const std::string& status) {
    if (!bar_) {
        return;
    }
    const int clamped = std::clamp(percent, 0, 100);
    const int filled = clamped * kBarWidth / 100;
    std::string line = "\r[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') + "] " +
                       std::to_string(clamped) + "%  " + status + "\x1b[K";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    bar_open_ = true;
}

void UpdateTerminal::EndBar() {
    if (bar_open_) {
        std::fputc('\n', stderr);
        bar_open_ = false;
    }
}

}  // namespace mousedeck::ctl
