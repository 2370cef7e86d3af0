#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "command_line.h"
#include "hid/hid_backend.h"
#include "operation.h"
#include "report.h"
#include "shell/app/application_controller.h"
#include "shell/app_paths.h"
#include "shell/lang_text.h"
#include "shell/language_state.h"
#include "shell/settings_file.h"
#include "simulation.h"
#include "terminal_view.h"

namespace mousedeck::ctl {

// What became of a page operation: its own answer, the tasks it queued with
// their outcomes, and what the user was asked or told meanwhile.
struct ActionOutcome {
    bool accepted = false;  // the operation's result (stored, or allowed)
    bool idle = true;       // the queue ran dry in time
    std::vector<shell::app::TaskReport> tasks;
    std::vector<TerminalView::Question> refused_questions;
    std::vector<TerminalView::Message> messages;
    // The change was written down for the next run to send (PendingWrites).
    bool kept = false;

    // Accepted, but the mouse did not acknowledge every task, was not
    // connected, or did not finish in time.
    bool NotTaken() const;
};

// One run of the program as the GUI starts it: product data, language,
// per-user settings, the HID backend (hidraw or the simulated mouse) and
// the application controller with its worker.
class Session {
public:
    // Reads config.xml and chooses the language; makes the simulated mouse
    // for --simulate. Null, with the failure in `report`, when that fails.
    static std::unique_ptr<Session> Open(const Invocation& invocation, Report& report);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Starts the controller (catalogue, enumeration, read-back) and waits
    // until its queue is empty. `hotplug` also follows arrivals and
    // removals (the udev monitor, or the simulated mouse's plug events).
    // False, with the failure in `report`, when the catalogue cannot be read.
    bool Start(Report& report, bool hotplug = false);

    // True when a supported device is connected in some mode; otherwise
    // fails `report` with exit code 3 and says so.
    bool RequireDevice(Report& report);

    // Runs a page operation on this (the user-interface) thread and waits
    // until the tasks it queued have run.
    ActionOutcome Perform(const std::function<bool(shell::app::PageActions&)>& operation);
    // The same for a change of one setting; when the mouse does not take it,
    // it is kept for the next run that reaches the mouse (Keep).
    ActionOutcome Perform(const Operation& operation);
    // Writes changes the mouse did not take, made in the current profile of
    // the current product, for the next run to send again.
    bool Keep(const std::vector<Operation>& operations);
    // Asks as the GUI's page would before an operation the controller does
    // not ask about itself; true when the answer is yes (--yes).
    bool Confirm(int title_text, int message_text);
    bool WaitUntilIdle();

    shell::app::ApplicationController& Controller() { return *controller_; }
    TerminalView& View() { return view_; }
    const shell::LanguageTexts& Texts() const { return texts_; }
    // Language text `number`, or `fallback` when the language file lacks it.
    std::string Text(int number, const std::string& fallback = {}) const;
    int Language() const { return language_.Current(); }
    // The simulated mouse; null without --simulate.
    Simulation* Simulated() { return simulation_.get(); }

private:
    Session(const Invocation& invocation, shell::AppPaths paths);
    // Sends the changes earlier runs kept for the current product, when its
    // mouse is reachable and they were made in the current profile.
    void ResendKept(Report& report);
    std::filesystem::path PendingFile() const;

    shell::AppPaths paths_;
    shell::LanguageState language_;
    shell::SettingsFile settings_;
    shell::LanguageTexts texts_;
    TerminalView view_;
    std::unique_ptr<Simulation> simulation_;
    std::unique_ptr<hid::HidBackend> hidapi_;
    std::unique_ptr<shell::app::ApplicationController> controller_;  // last: stops first
};

}  // namespace mousedeck::ctl
