#include "terminal_view.h"

namespace mousedeck::ctl {

using shell::app::MessageAnswer;
using shell::app::MessageButtons;
using shell::app::TaskReport;

std::size_t TerminalView::Mark() const {
    std::lock_guard lock(mutex_);
    return reports_.size();
}

std::vector<TaskReport> TerminalView::ReportsSince(std::size_t mark) const {
    std::lock_guard lock(mutex_);
    if (mark >= reports_.size()) {
        return {};
    }
    return {reports_.begin() + static_cast<std::ptrdiff_t>(mark), reports_.end()};
}

std::vector<TerminalView::Question> TerminalView::RefusedQuestions() const {
    std::lock_guard lock(mutex_);
    return refused_;
}

std::vector<TerminalView::Message> TerminalView::Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::optional<int> TerminalView::CardVersion(int device_type, int connection_mode) const {
    std::lock_guard lock(mutex_);
    const auto it = versions_.find({device_type, connection_mode});
    if (it == versions_.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::optional<std::pair<int, int>> TerminalView::CardBattery(int device_type) const {
    std::lock_guard lock(mutex_);
    const auto it = card_batteries_.find(device_type);
    if (it == card_batteries_.end()) {
        return std::nullopt;
    }
    return it->second;
}

int TerminalView::ConnectionCaption() const {
    std::lock_guard lock(mutex_);
    return caption_;
}

std::vector<std::pair<uint16_t, uint16_t>> TerminalView::UnsupportedDevices() const {
    std::lock_guard lock(mutex_);
    return unsupported_;
}

std::vector<std::string> TerminalView::ReplacedDatabases() const {
    std::lock_guard lock(mutex_);
    return replaced_;
}

void TerminalView::Listen(std::function<void(const MonitorEvent&)> listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

void TerminalView::Emit(const MonitorEvent& event) {
    std::function<void(const MonitorEvent&)> listener;
    {
        std::lock_guard lock(mutex_);
        listener = listener_;
    }
    if (listener) {
        listener(event);
    }
}

MessageAnswer TerminalView::AskMessageBox(int title_text, int message_text, MessageButtons buttons) {
    if (answer_yes_ || buttons == MessageButtons::kOk) {
        return MessageAnswer::kFirstButton;
    }
    std::lock_guard lock(mutex_);
    refused_.push_back({title_text, message_text});
    return MessageAnswer::kSecondButton;
}

void TerminalView::OnTaskFinished(const TaskReport& report) {
    std::lock_guard lock(mutex_);
    reports_.push_back(report);
}

void TerminalView::ShowBattery(uint8_t first, uint8_t second) {
    // A read-back first shows the previous level with a placeholder second
    // byte, then the mouse's own: only a new level is news.
    bool changed = false;
    {
        std::lock_guard lock(mutex_);
        changed = battery_level_ >= 0 && battery_level_ != first;
        battery_level_ = first;
    }
    if (changed) {
        Emit({MonitorEvent::Kind::kBattery, 0, second, first});
    }
}

void TerminalView::ShowDpiStageCount(int count) {
    Emit({MonitorEvent::Kind::kDpiStageCount, 0, 0, count});
}

void TerminalView::ShowDpiStage(int index, int dpi) {
    Emit({MonitorEvent::Kind::kDpiStage, 0, index, dpi});
}

void TerminalView::ShowDeviceConnected(int device_type, int connection_mode) {
    // Every connection report says "connected", also one that only carries
    // a new battery level: only a return is news.
    bool back = false;
    {
        std::lock_guard lock(mutex_);
        back = lost_.erase(device_type) > 0;
    }
    if (back) {
        Emit({MonitorEvent::Kind::kMouseBack, device_type, connection_mode, 0});
    }
}

void TerminalView::ShowDeviceLost(int device_type) {
    bool lost = false;
    {
        std::lock_guard lock(mutex_);
        lost = lost_.insert(device_type).second;
    }
    if (lost) {
        Emit({MonitorEvent::Kind::kMouseLost, device_type, 0, 0});
    }
}

void TerminalView::ShowCardVersion(int device_type, int connection_mode, int release_number) {
    std::lock_guard lock(mutex_);
    versions_[{device_type, connection_mode}] = release_number;
}

void TerminalView::ShowCardBattery(int device_type, uint8_t first, uint8_t second) {
    std::lock_guard lock(mutex_);
    card_batteries_[device_type] = {first, second};
}

void TerminalView::ShowConnectionCaption(int text_number) {
    bool changed = false;
    {
        std::lock_guard lock(mutex_);
        changed = caption_ != text_number;
        caption_ = text_number;
    }
    if (changed) {
        Emit({MonitorEvent::Kind::kConnection, 0, 0, text_number});
    }
}

void TerminalView::ShowMessage(int title_text, int message_text) {
    std::lock_guard lock(mutex_);
    messages_.push_back({title_text, message_text});
}

void TerminalView::ShowUnsupportedDevice(uint16_t vendor_id, uint16_t product_id) {
    {
        std::lock_guard lock(mutex_);
        unsupported_.emplace_back(vendor_id, product_id);
    }
    Emit({MonitorEvent::Kind::kUnsupported, 0, vendor_id, product_id});
}

void TerminalView::OnDatabaseReplaced(const std::string& original, const std::string& moved_to) {
    std::lock_guard lock(mutex_);
    replaced_.push_back(original + " (moved to " + moved_to + ")");
}

}  // namespace mousedeck::ctl
