#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "devices/discovery/discovery_view.h"

namespace mousedeck::discovery::test {

// Records every view call as one line of text, in call order. Thread-safe,
// since the hot-plug and worker paths call it from their own threads.
class RecordingDiscoveryView : public DiscoveryView {
public:
    std::vector<std::string> Calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }
    // The last call starting with `prefix`, or "" when none.
    std::string Last(const std::string& prefix) const {
        std::lock_guard lock(mutex_);
        for (auto it = calls_.rbegin(); it != calls_.rend(); ++it) {
            if (it->rfind(prefix, 0) == 0) {
                return *it;
            }
        }
        return "";
    }

    void ShowAllCardsAbsent() override { Add("AllCardsAbsent"); }
    void ShowCardState(int type, int mode, int state) override {
        Add("CardState " + std::to_string(type) + " " + std::to_string(mode) + " " + std::to_string(state));
    }
    void ShowCardVersion(int type, int mode, int release) override {
        Add("CardVersion " + std::to_string(type) + " " + std::to_string(mode) + " " +
            std::to_string(release));
    }
    void ShowCardBattery(int type, uint8_t first, uint8_t second) override {
        Add("CardBattery " + std::to_string(type) + " " + std::to_string(first) + " " +
            std::to_string(second));
    }
    void ShowSelectedCard(int type) override { Add("SelectedCard " + std::to_string(type)); }
    void ShowConnectionCaption(int text) override {
        if (connected_probe) {
            std::lock_guard lock(mutex_);
            connected_at_caption_.push_back(connected_probe());
        }
        Add("Caption " + std::to_string(text));
    }
    // What `connected_probe` answered at each caption, when one is set: a
    // front end reacting to the caption must already see the new state.
    std::vector<bool> ConnectedAtCaption() const {
        std::lock_guard lock(mutex_);
        return connected_at_caption_;
    }
    std::function<bool()> connected_probe;
    void ShowNoDeviceView() override { Add("NoDeviceView"); }
    void ShowDeviceList() override { Add("DeviceList"); }
    void ShowDevicePages() override { Add("DevicePages"); }
    void HideSettingsPage() override { Add("HideSettingsPage"); }
    void ShowMessage(int title, int message) override {
        Add("Message " + std::to_string(title) + " " + std::to_string(message));
    }
    void ClosePopups() override { Add("ClosePopups"); }
    void ShowUnsupportedDevice(uint16_t vendor, uint16_t product) override {
        Add("Unsupported " + std::to_string(vendor) + " " + std::to_string(product));
    }

private:
    void Add(std::string call) {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }

    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    std::vector<bool> connected_at_caption_;
};

}  // namespace mousedeck::discovery::test
