#include "session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "hid/hidapi_backend.h"
#include "hid/task_code.h"
#include "pending_writes.h"
#include "shell/language_list.h"
#include "shell/startup_language.h"

namespace mousedeck::ctl {
namespace {

// Bounds a wait for the worker. A mouse that answers nothing costs up to
// 1.5 s per command, and a read-back sends about fifteen.
constexpr std::chrono::seconds kIdleTimeout{60};

// Long enough for the worker to start a notification routine it has a
// report for once its queue ran dry.
constexpr std::chrono::milliseconds kNotificationSettle{10};

// Language text of the connection caption "no mouse connected".
constexpr int kNoMouseText = 50;

// Hot-plug codes: the device refresh routines, never queued by a page.
bool IsRefreshTask(int code) {
    return code >= hid::kTaskFindAndRead && code <= hid::kTaskReadThroughReceiver;
}

// Diagnostics for MOUSEDECK_TRACE: one line each, with the bytes in hex.
void TraceToStandardError(std::string_view message, std::span<const uint8_t> bytes) {
    std::string line = "trace: " + std::string(message);
    for (const uint8_t byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", byte);
        line += hex;
    }
    line += '\n';
    std::fputs(line.c_str(), stderr);
}

}  // namespace

std::unique_ptr<Session> Session::Open(const Invocation& invocation, Report& report) {
    const auto bootstrap = shell::AppPaths::FromProcess("");
    const shell::LanguageList list = shell::LoadLanguageList(bootstrap.CatalogueFile());
    if (!list.read) {
        report.Fail(kExitNoDevice, "cannot read the product data " + bootstrap.CatalogueFile().string() +
                                       " (set MOUSEDECK_DATA_DIR to the folder holding config.xml)");
        return nullptr;
    }
    std::unique_ptr<Session> session(new Session(invocation, shell::AppPaths::FromProcess(list.device_name)));
    if (list.default_language) {
        session->language_.SetCurrent(*list.default_language);
    }
    shell::ChooseStartupLanguage(session->language_, session->settings_, list.languages,
                                 shell::UserInterfaceLanguage(shell::LocaleEnvironment::FromProcess()));
    if (invocation.simulate) {
        std::string error;
        session->simulation_ =
            Simulation::Create(session->paths_.ApplicationFolder(), *invocation.simulate, error);
        if (!session->simulation_) {
            report.Usage(error);
            return nullptr;
        }
    }
    return session;
}

Session::Session(const Invocation& invocation, shell::AppPaths paths)
    : paths_(std::move(paths)),
      settings_(paths_.SettingsFile()),
      texts_(paths_, language_),
      view_(invocation.yes) {}

Session::~Session() {
    if (controller_) {
        controller_->Stop();
    }
}

bool Session::Start(Report& report, bool hotplug) {
    hid::HidBackend* backend = nullptr;
    shell::app::HotplugFactory hotplug_factory;
    if (simulation_) {
        backend = &simulation_->Backend();
        if (hotplug) {
            hotplug_factory = simulation_->Hotplug();
        }
    } else {
        hidapi_ = std::make_unique<hid::HidapiBackend>();
        backend = hidapi_.get();
        if (hotplug) {
            hotplug_factory = shell::app::StartUdevHotplug;
        }
    }
    shell::app::ControllerSetup setup{
        .backend = *backend, .view = view_, .language = language_, .settings = settings_};
    setup.hotplug = std::move(hotplug_factory);
    if (const char* trace = std::getenv("MOUSEDECK_TRACE"); trace != nullptr && *trace != '\0') {
        setup.trace = TraceToStandardError;
    }
    controller_ = std::make_unique<shell::app::ApplicationController>(paths_, std::move(setup));
    if (!controller_->Start()) {
        report.Fail(kExitNoDevice,
                    "cannot read the product catalogue in " + paths_.ApplicationFolder().string());
        return false;
    }
    if (!WaitUntilIdle()) {
        report.Fail(kExitNotAcknowledged, "the mouse did not finish answering in time");
        return false;
    }
    ResendKept(report);
    return true;
}

std::filesystem::path Session::PendingFile() const {
    return paths_.DataFolder() /
           ("mousedeckctl-pending-" + std::to_string(controller_->CurrentDeviceType()) + ".txt");
}

void Session::ResendKept(Report& report) {
    if (!controller_->DeviceConnected() || !controller_->MouseIdentity().online) {
        return;  // they wait for a run that reaches the mouse
    }
    const PendingWrites pending(PendingFile());
    const std::vector<PendingWrites::Entry> entries = pending.Load();
    if (entries.empty()) {
        return;
    }
    const int profile = controller_->CurrentProfile();
    std::vector<PendingWrites::Entry> still;
    nlohmann::ordered_json resent = nlohmann::ordered_json::array();
    for (const PendingWrites::Entry& entry : entries) {
        // Another profile's change waits in that profile's own settings,
        // which its next activation writes whole; nothing to send now.
        if (entry.profile != profile) {
            continue;
        }
        const ActionOutcome outcome =
            Perform([&](shell::app::PageActions& actions) { return Apply(entry.operation, actions); });
        if (outcome.NotTaken()) {
            still.push_back(entry);
        } else if (outcome.accepted) {
            resent.push_back(ToText(entry.operation));
        }
    }
    pending.Save(still);
    if (!resent.empty()) {
        report.Json()["resent"] = resent;
        report.Line("Sent " + std::to_string(resent.size()) + " change(s) an earlier run could not deliver.");
    }
}

bool Session::WaitUntilIdle() {
    // The controller counts a notification as work only once its routine
    // runs, which starts a moment after the last task ends. A report waiting
    // since the interface was opened (one the mouse owed) must be handled
    // before the command reads what it changed, so look once more.
    if (!controller_->WaitUntilIdle(kIdleTimeout)) {
        return false;
    }
    std::this_thread::sleep_for(kNotificationSettle);
    return controller_->WaitUntilIdle(kIdleTimeout);
}

bool Session::RequireDevice(Report& report) {
    if (controller_->Cards().AnyPresent()) {
        return true;
    }
    std::string message = Text(kNoMouseText, "No mouse connected");
    for (const auto& [vendor, product] : view_.UnsupportedDevices()) {
        char ids[16];
        std::snprintf(ids, sizeof ids, "%04x:%04x", vendor, product);
        message += std::string("; ") + ids + " is not supported by this program";
    }
    report.Fail(kExitNoDevice, message);
    return false;
}

ActionOutcome Session::Perform(const std::function<bool(shell::app::PageActions&)>& operation) {
    const std::size_t reports_before = view_.Mark();
    const std::size_t questions_before = view_.RefusedQuestions().size();
    const std::size_t messages_before = view_.Messages().size();
    ActionOutcome outcome;
    outcome.accepted = operation(controller_->Actions());
    outcome.idle = WaitUntilIdle();
    for (const shell::app::TaskReport& task : view_.ReportsSince(reports_before)) {
        if (!IsRefreshTask(task.code)) {
            outcome.tasks.push_back(task);
        }
    }
    const auto questions = view_.RefusedQuestions();
    outcome.refused_questions.assign(questions.begin() + static_cast<std::ptrdiff_t>(questions_before),
                                     questions.end());
    const auto messages = view_.Messages();
    outcome.messages.assign(messages.begin() + static_cast<std::ptrdiff_t>(messages_before), messages.end());
    return outcome;
}

ActionOutcome Session::Perform(const Operation& operation) {
    ActionOutcome outcome =
        Perform([&](shell::app::PageActions& actions) { return Apply(operation, actions); });
    if (outcome.NotTaken()) {
        outcome.kept = Keep({operation});
    }
    return outcome;
}

bool Session::Keep(const std::vector<Operation>& operations) {
    const PendingWrites pending(PendingFile());
    std::vector<PendingWrites::Entry> entries = pending.Load();
    for (const Operation& operation : operations) {
        PendingWrites::Add(entries, {controller_->CurrentProfile(), operation});
    }
    return pending.Save(entries);
}

bool ActionOutcome::NotTaken() const {
    if (!accepted) {
        return false;
    }
    return !idle || std::any_of(tasks.begin(), tasks.end(), [](const shell::app::TaskReport& task) {
        return task.outcome != shell::app::TaskOutcome::kAcknowledged;
    });
}

bool Session::Confirm(int title_text, int message_text) {
    return view_.AskMessageBox(title_text, message_text, shell::app::MessageButtons::kOkCancel) ==
           shell::app::MessageAnswer::kFirstButton;
}

std::string Session::Text(int number, const std::string& fallback) const {
    std::string text = texts_.LangText(number);
    return text.empty() ? fallback : text;
}

}  // namespace mousedeck::ctl
