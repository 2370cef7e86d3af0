#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "shell/app/user_view.h"

namespace mousedeck::shell::app::test {

// Records every call as one line of text, in call order, from whichever
// thread makes it; answers message boxes from a script (first button when the
// script is empty).
class RecordingUserView : public UserView {
public:
    using Lines = std::vector<std::string>;

    Lines Calls() const;
    void Clear();
    // Calls equal to `line`, or starting with `prefix`.
    int Count(const std::string& line) const;
    int CountPrefix(const std::string& prefix) const;
    // The calls starting with `prefix`, in order.
    Lines WithPrefix(const std::string& prefix) const;
    // Waits until `done` holds for the calls so far; false after `timeout`.
    bool WaitFor(const std::function<bool(const Lines&)>& done,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Waits until `line` was recorded at least `times` times.
    bool WaitForLine(const std::string& line, int times = 1,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10));

    void ScriptAnswer(MessageAnswer answer);
    // Called with each line just before it is recorded, on the calling
    // thread: lets a test read the model at the moment the view hears of a
    // change. Set it before the controller starts.
    std::function<void(const std::string& line)> on_call;

    // Diagnostics, recorded as "Trace <message>" among the calls.
    void RecordTrace(std::string_view message) { Add("Trace " + std::string(message)); }

    // devices::CatalogueView
    void AddDeviceCard(const std::string& name, int device_type, const std::string&) override;
    void ShowLightingTab(bool visible) override;
    // discovery::DiscoveryView
    void ShowAllCardsAbsent() override { Add("AllCardsAbsent"); }
    void ShowCardState(int type, int mode, int state) override;
    void ShowCardBattery(int type, uint8_t first, uint8_t second) override;
    void ShowSelectedCard(int type) override;
    void ShowConnectionCaption(int text) override;
    void ShowNoDeviceView() override { Add("NoDeviceView"); }
    void ShowDeviceList() override { Add("DeviceList"); }
    void ShowDevicePages() override { Add("DevicePages"); }
    void ShowMessage(int title, int message) override;
    void ClosePopups() override { Add("ClosePopups"); }
    void ShowUnsupportedDevice(uint16_t vendor, uint16_t product) override;
    // store::StoreEvents, store::ProfileView
    void OnDatabaseReplaced(const std::string& original, const std::string& moved_to) override;
    void ShowProfileName(const std::string& name) override { Add("ProfileName " + name); }
    // shell::LanguageObserver
    void ShowTextsInLanguage(int lcid) override;
    // UserView
    void RefreshPage(Page page) override;
    void ShowBattery(uint8_t first, uint8_t second) override;
    void ShowDpiLimits(const protocol::SensorLimits& limits) override;
    void ShowDpiStageCount(int count) override;
    void ShowDpiStage(int index, int dpi) override;
    void ShowDpiPopup(int dpi) override;
    void ShowSaveWait() override { Add("SaveWait"); }
    MessageAnswer AskMessageBox(int title, int message, MessageButtons buttons) override;
    void ShowDeviceConnected(int type, int mode) override;
    void ShowDeviceLost(int type) override;
    void OnTaskFinished(const TaskReport& report) override;

    static std::string TaskLine(int code, TaskOutcome outcome);

private:
    void Add(std::string line);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    Lines calls_;
    std::deque<MessageAnswer> answers_;
};

}  // namespace mousedeck::shell::app::test
