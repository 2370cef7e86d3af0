#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "shell/app/user_view.h"

namespace mousedeck::ctl {

// Something the mouse or the system did on its own, for `monitor`.
struct MonitorEvent {
    enum class Kind {
        kDpiStage,       // stage `index` (0-based) is active, `value` its DPI
        kDpiStageCount,  // the mouse now has `value` stages
        kBattery,        // `value` level, `index` the second battery byte
        kConnection,     // the connection caption became text `value` (50, 51, 52)
        kMouseLost,      // the receiver lost its mouse (`device_type`)
        kMouseBack,      // the receiver's mouse is back after it was lost (`device_type`)
        kUnsupported,    // a device of a known vendor with an unknown product id
    };
    Kind kind = Kind::kDpiStage;
    int device_type = 0;
    int index = 0;
    int value = 0;
};

// The application's observer for a terminal. It shows nothing by itself:
// it records what the controller reports (task outcomes, messages, the
// device cards' versions and batteries, the connection caption) for the
// command to print, answers questions from --yes, and hands notifications
// to a listener while `monitor` runs.
//
// Calls arrive on the controller's threads (see shell::app::UserView); every
// member takes one lock, and the listener is called outside it.
class TerminalView final : public shell::app::UserView {
public:
    explicit TerminalView(bool answer_yes) : answer_yes_(answer_yes) {}

    struct Question {
        int title_text = 0;
        int message_text = 0;
    };
    struct Message {
        int title_text = 0;
        int message_text = 0;
    };

    // Task reports in arrival order; Mark() is the count so far, so a
    // command can take those that arrived after it acted.
    std::size_t Mark() const;
    std::vector<shell::app::TaskReport> ReportsSince(std::size_t mark) const;
    // The questions refused for want of --yes, and the one-button messages.
    std::vector<Question> RefusedQuestions() const;
    std::vector<Message> Messages() const;

    // Release number per (device type, connection mode) of the last refresh.
    std::optional<int> CardVersion(int device_type, int connection_mode) const;
    // Battery bytes the card of a device type was last shown (first, second).
    std::optional<std::pair<int, int>> CardBattery(int device_type) const;
    int ConnectionCaption() const;
    std::vector<std::pair<uint16_t, uint16_t>> UnsupportedDevices() const;
    std::vector<std::string> ReplacedDatabases() const;

    // Events from now on go to `listener` (an empty one stops them).
    void Listen(std::function<void(const MonitorEvent&)> listener);

    // UserView
    shell::app::MessageAnswer AskMessageBox(int title_text, int message_text,
                                            shell::app::MessageButtons buttons) override;
    void OnTaskFinished(const shell::app::TaskReport& report) override;
    void ShowBattery(uint8_t first, uint8_t second) override;
    void ShowDpiStageCount(int count) override;
    void ShowDpiStage(int index, int dpi) override;
    void ShowDeviceConnected(int device_type, int connection_mode) override;
    void ShowDeviceLost(int device_type) override;
    void ShowCardVersion(int device_type, int connection_mode, int release_number) override;
    void ShowCardBattery(int device_type, uint8_t first, uint8_t second) override;
    void ShowConnectionCaption(int text_number) override;
    void ShowMessage(int title_text, int message_text) override;
    void ShowUnsupportedDevice(uint16_t vendor_id, uint16_t product_id) override;
    void OnDatabaseReplaced(const std::string& original, const std::string& moved_to) override;

private:
    void Emit(const MonitorEvent& event);

    const bool answer_yes_;
    mutable std::mutex mutex_;
    std::vector<shell::app::TaskReport> reports_;
    std::vector<Question> refused_;
    std::vector<Message> messages_;
    std::map<std::pair<int, int>, int> versions_;
    std::map<int, std::pair<int, int>> card_batteries_;
    int caption_ = 0;
    int battery_level_ = -1;  // none shown yet
    std::set<int> lost_;      // device types whose receiver reported the mouse gone
    std::vector<std::pair<uint16_t, uint16_t>> unsupported_;
    std::vector<std::string> replaced_;
    std::function<void(const MonitorEvent&)> listener_;
};

}  // namespace mousedeck::ctl
