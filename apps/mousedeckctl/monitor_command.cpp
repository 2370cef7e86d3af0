#include <csignal>
#include <cstdio>
#include <ctime>
#include <mutex>

#include "commands.h"
#include "pages/performance/value_words.h"
#include "profile_text.h"

namespace mousedeck::ctl {
namespace {

// How often a monitor of the simulated mouse looks at its state file for
// what other runs did to it.
constexpr long kPollNanoseconds = 100'000'000;

// One event as a line of text and as a JSON object.
std::pair<std::string, nlohmann::ordered_json> Describe(const MonitorEvent& event, Session& session) {
    using Kind = MonitorEvent::Kind;
    switch (event.kind) {
        case Kind::kDpiStage:
            return {
                "DPI stage " + std::to_string(event.index + 1) + ": " + std::to_string(event.value) + " DPI",
                {{"event", "dpi_stage"}, {"stage", event.index + 1}, {"dpi", event.value}}};
        case Kind::kDpiStageCount:
            return {"DPI stages: " + std::to_string(event.value),
                    {{"event", "dpi_stage_count"}, {"count", event.value}}};
        case Kind::kBattery:
            return {"Battery: " + std::to_string(event.value) + " %",
                    {{"event", "battery"}, {"percent", event.value}}};
        case Kind::kConnection:
            return {session.Text(event.value, ConnectionWord(event.value)),
                    {{"event", "connection"},
                     {"connection", ConnectionWord(event.value)},
                     {"text", session.Text(event.value)}}};
        case Kind::kMouseLost:
            return {ProductName(session, event.device_type) + ": the receiver lost the mouse",
                    {{"event", "mouse_lost"}, {"device_type", event.device_type}}};
        case Kind::kMouseBack:
            return {ProductName(session, event.device_type) + ": the mouse is back",
                    {{"event", "mouse_back"}, {"device_type", event.device_type}}};
        case Kind::kUnsupported: {
            char ids[16];
            std::snprintf(ids, sizeof ids, "%04x:%04x", event.index, event.value);
            return {std::string(ids) + " is not supported by this program",
                    {{"event", "unsupported"}, {"device", ids}}};
        }
    }
    return {};
}

class EventPrinter {
public:
    EventPrinter(Session& session, bool json) : session_(session), json_(json) {}

    void Print(const std::string& line, const nlohmann::ordered_json& object) {
        std::lock_guard lock(mutex_);
        const std::string text =
            json_ ? object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) : line;
        std::fputs(text.c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
        ++count_;
    }
    void operator()(const MonitorEvent& event) {
        const auto [line, object] = Describe(event, session_);
        Print(line, object);
    }
    int Count() const {
        std::lock_guard lock(mutex_);
        return count_;
    }

private:
    Session& session_;
    const bool json_;
    mutable std::mutex mutex_;
    int count_ = 0;
};

}  // namespace

void RunMonitor(const Invocation& invocation, std::span<const std::string> args, Report& report) {
    if (!args.empty()) {
        UsageOf("monitor", "monitor takes no arguments but --seconds N", report);
        return;
    }
    std::optional<int> seconds;
    if (const auto word = invocation.Option("seconds")) {
        seconds = pages::performance::ParseWholeNumber(*word);
        if (!seconds || *seconds <= 0) {
            UsageOf("monitor", "--seconds takes a whole number of seconds from 1", report);
            return;
        }
    }
    // Blocked before any thread starts, so every thread inherits the mask
    // and the signals wait for the loop below.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    sigaddset(&stop_signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    const auto session = Session::Open(invocation, report);
    if (!session || !session->Start(report, /*hotplug=*/true)) {
        return;
    }
    auto printer = std::make_shared<EventPrinter>(*session, invocation.json);
    const int caption = session->View().ConnectionCaption();
    printer->Print("Monitoring " + ProductName(*session, session->Controller().CurrentDeviceType()) + ": " +
                       session->Text(caption, ConnectionWord(caption)),
                   {{"event", "start"},
                    {"device_type", session->Controller().CurrentDeviceType()},
                    {"connection", ConnectionWord(caption)}});
    session->View().Listen([printer](const MonitorEvent& event) { (*printer)(event); });

    const timespec slice{0, kPollNanoseconds};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds.value_or(0));
    for (;;) {
        if (Simulation* simulation = session->Simulated()) {
            simulation->Mouse().FollowStateFile();
        }
        if (sigtimedwait(&stop_signals, nullptr, &slice) > 0) {
            break;
        }
        if (seconds && std::chrono::steady_clock::now() >= deadline) {
            break;
        }
    }
    session->View().Listen({});
    report.Json()["events"] = printer->Count() - 1;
    report.Compact();
}

}  // namespace mousedeck::ctl
