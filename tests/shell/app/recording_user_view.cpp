#include "recording_user_view.h"

#include <algorithm>

namespace mousedeck::shell::app::test {
namespace {

std::string Str(int n) {
    return std::to_string(n);
}

const char* PageName(Page page) {
    switch (page) {
        case Page::kButtons:
            return "Buttons";
        case Page::kMacros:
            return "Macros";
        case Page::kPerformance:
            return "Performance";
        case Page::kDpiArea:
            return "DpiArea";
        case Page::kLighting:
            return "Lighting";
        case Page::kInformation:
            return "Information";
    }
    return "?";
}

}  // namespace

RecordingUserView::Lines RecordingUserView::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

void RecordingUserView::Clear() {
    std::lock_guard lock(mutex_);
    calls_.clear();
}

int RecordingUserView::Count(const std::string& line) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::ranges::count(calls_, line));
}

int RecordingUserView::CountPrefix(const std::string& prefix) const {
    return static_cast<int>(WithPrefix(prefix).size());
}

RecordingUserView::Lines RecordingUserView::WithPrefix(const std::string& prefix) const {
    std::lock_guard lock(mutex_);
    Lines found;
    for (const auto& line : calls_) {
        if (line.starts_with(prefix)) {
            found.push_back(line);
        }
    }
    return found;
}

bool RecordingUserView::WaitFor(const std::function<bool(const Lines&)>& done,
                                std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return done(calls_); });
}

bool RecordingUserView::WaitForLine(const std::string& line, int times, std::chrono::milliseconds timeout) {
    return WaitFor([&](const Lines& calls) { return std::ranges::count(calls, line) >= times; }, timeout);
}

void RecordingUserView::ScriptAnswer(MessageAnswer answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

void RecordingUserView::Add(std::string line) {
    if (on_call) {
        on_call(line);
    }
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(line));
    }
    changed_.notify_all();
}

std::string RecordingUserView::TaskLine(int code, TaskOutcome outcome) {
    const char* text = outcome == TaskOutcome::kAcknowledged      ? "acknowledged"
                       : outcome == TaskOutcome::kNotAcknowledged ? "not-acknowledged"
                                                                  : "nothing-sent";
    return "Task " + Str(code) + " " + text;
}

void RecordingUserView::AddDeviceCard(const std::string& name, int device_type, const std::string&) {
    Add("AddCard " + Str(device_type) + " " + name);
}
void RecordingUserView::ShowLightingTab(bool visible) {
    Add(std::string("LightingTab ") + (visible ? "1" : "0"));
}
void RecordingUserView::ShowCardState(int type, int mode, int state) {
    Add("CardState " + Str(type) + " " + Str(mode) + " " + Str(state));
}
void RecordingUserView::ShowCardBattery(int type, uint8_t first, uint8_t second) {
    Add("CardBattery " + Str(type) + " " + Str(first) + " " + Str(second));
}
void RecordingUserView::ShowSelectedCard(int type) {
    Add("SelectedCard " + Str(type));
}
void RecordingUserView::ShowConnectionCaption(int text) {
    Add("Caption " + Str(text));
}
void RecordingUserView::ShowMessage(int title, int message) {
    Add("Message " + Str(title) + " " + Str(message));
}
void RecordingUserView::ShowUnsupportedDevice(uint16_t vendor, uint16_t product) {
    Add("Unsupported " + Str(vendor) + " " + Str(product));
}
void RecordingUserView::OnDatabaseReplaced(const std::string& original, const std::string&) {
    Add("DatabaseReplaced " + original);
}
void RecordingUserView::ShowTextsInLanguage(int lcid) {
    Add("Language " + Str(lcid));
}
void RecordingUserView::RefreshPage(Page page) {
    Add(std::string("Refresh ") + PageName(page));
}
void RecordingUserView::ShowBattery(uint8_t first, uint8_t second) {
    Add("Battery " + Str(first) + " " + Str(second));
}
void RecordingUserView::ShowDpiLimits(const protocol::SensorLimits& limits) {
    Add("DpiLimits " + Str(limits.min_dpi) + " " + Str(limits.max_dpi));
}
void RecordingUserView::ShowDpiStageCount(int count) {
    Add("DpiCount " + Str(count));
}
void RecordingUserView::ShowDpiStage(int index, int dpi) {
    Add("DpiStage " + Str(index) + " " + Str(dpi));
}
void RecordingUserView::ShowDpiPopup(int dpi) {
    Add("DpiPopup " + Str(dpi));
}
MessageAnswer RecordingUserView::AskMessageBox(int title, int message, MessageButtons buttons) {
    MessageAnswer answer = MessageAnswer::kFirstButton;
    {
        std::lock_guard lock(mutex_);
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
    }
    Add("Ask " + Str(title) + " " + Str(message) +
        (buttons == MessageButtons::kOkCancel ? " ok-cancel" : " ok"));
    return answer;
}
void RecordingUserView::ShowDeviceConnected(int type, int mode) {
    Add("Connected " + Str(type) + " " + Str(mode));
}
void RecordingUserView::ShowDeviceLost(int type) {
    Add("Lost " + Str(type));
}
void RecordingUserView::OnTaskFinished(const TaskReport& report) {
    Add(TaskLine(report.code, report.outcome));
}

}  // namespace mousedeck::shell::app::test
