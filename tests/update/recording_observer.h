#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "update/update_observer.h"

namespace mousedeck::update::test {

// Text number n reads "T<n>", so a test sees which text was chosen.
inline std::string NumberedText(int number) {
    return "T" + std::to_string(number);
}

// Records every call as "Method(argument)"; thread-safe, since checks and
// downloads call from other threads.
class RecordingObserver : public UpdateObserver {
public:
    void ShowAppUpdateStatus(const std::string& text) override { Add("AppStatus(" + text + ")"); }
    void EnableAppUpdateButton(bool enabled) override {
        Add(std::string("AppButton(") + Flag(enabled) + ")");
    }
    void OfferAppUpdate(const std::string& latest) override { Add("OfferApp(" + latest + ")"); }
    bool AskToInstallUpdate(const std::string& title, const std::string& message) override {
        Add("Ask(" + title + "|" + message + ")");
        return consent;
    }
    void ShowUpdateNotice(const std::string& title, const std::string& message) override {
        Add("Notice(" + title + "|" + message + ")");
    }
    void OpenAppDownloadDialog() override { Add("OpenAppDialog()"); }
    void ShowAppDownloadProgress(int percent, const std::string& status) override {
        Add("AppProgress(" + std::to_string(percent) + "|" + status + ")");
    }
    void EndForInstaller() override { Add("EndForInstaller()"); }
    void ShowMouseFirmwareCaption(const std::string& text) override { Add("MouseCaption(" + text + ")"); }
    void ShowReceiverFirmwareCaption(const std::string& text) override {
        Add("ReceiverCaption(" + text + ")");
    }
    void ShowMouseFirmwareStatus(const std::string& text) override { Add("MouseStatus(" + text + ")"); }
    void ShowReceiverFirmwareStatus(const std::string& text) override { Add("ReceiverStatus(" + text + ")"); }
    void EnableFirmwareButton(bool enabled) override {
        Add(std::string("FirmwareButton(") + Flag(enabled) + ")");
    }
    void EnableReceiverFirmwareButton(bool enabled) override {
        Add(std::string("ReceiverButton(") + Flag(enabled) + ")");
    }
    void OfferFirmwareUpdate(const std::string& latest) override { Add("OfferFirmware(" + latest + ")"); }
    void OpenFirmwareDialog() override { Add("OpenFirmwareDialog()"); }
    void ShowFirmwareStep(int percent, const std::string& status) override {
        Add("Step(" + std::to_string(percent) + "|" + status + ")");
    }
    void CloseFirmwareDialog() override { Add("CloseFirmwareDialog()"); }
    void ShowExitWaitsForFlash() override { Add("ExitWaitsForFlash()"); }

    std::vector<std::string> Events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    // The recorded calls whose text starts with `prefix`.
    std::vector<std::string> EventsStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& event : Events()) {
            if (event.rfind(prefix, 0) == 0) {
                found.push_back(event);
            }
        }
        return found;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        events_.clear();
    }

    bool consent = true;

protected:
    void Add(std::string event) {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }

private:
    static const char* Flag(bool on) { return on ? "on" : "off"; }

    mutable std::mutex mutex_;
    std::vector<std::string> events_;
};

}  // namespace mousedeck::update::test
