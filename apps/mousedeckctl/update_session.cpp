#include "update_session.h"

#include <unistd.h>
#include <csignal>
#include <ctime>

namespace mousedeck::ctl {
namespace {

// Bounds the whole of one update command: a download stalls out after 15 s,
// a 1 MiB flash takes well under a minute.
constexpr std::chrono::minutes kUpdateTimeout{5};
constexpr std::chrono::milliseconds kSlice{50};

sigset_t StopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

// True when one of the stop signals is waiting (it is taken).
bool TakeStopSignal() {
    const sigset_t set = StopSignals();
    const timespec none{0, 0};
    return sigtimedwait(&set, nullptr, &none) > 0;
}

}  // namespace

std::unique_ptr<UpdateSession> UpdateSession::Start(const Invocation& invocation, Report& report,
                                                    bool device) {
    // Before any thread starts, so that every thread inherits the mask and a
    // signal can only be taken in Wait.
    const sigset_t set = StopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);

    std::unique_ptr<Session> session = Session::Open(invocation, report);
    if (!session || !session->Start(report) || (device && !session->RequireDevice(report))) {
        return nullptr;
    }
    const bool bar = !invocation.json && isatty(STDERR_FILENO) == 1;
    return std::unique_ptr<UpdateSession>(new UpdateSession(std::move(session), bar));
}

UpdateSession::UpdateSession(std::unique_ptr<Session> session, bool bar)
    : terminal_(bar), session_(std::move(session)) {
    auto& controller = session_->Controller();
    update::UpdateHooks hooks{
        .register_routine =
            [&controller](int code, std::function<void()> routine) {
                return controller.RegisterTaskRoutine(code, std::move(routine));
            },
        .push_task = [&controller](int code) { return controller.PushTask(code); },
        .set_stop_guard =
            [&controller](std::function<void()> guard) { controller.SetStopGuard(std::move(guard)); },
        .devices = controller.Devices(),
        .firmware_address = [&controller] { return controller.Description().firmware_url; },
        .mouse_version = [&controller] { return controller.MouseFirmwareVersion(); },
        .update_address = [&controller] { return controller.Catalogue().Software().upgrade_url; },
        .running_version = [&controller] { return controller.Catalogue().Software().version; },
    };
    const shell::LanguageTexts& texts = controller.Texts();
    update::UpdateSettings settings{
        .observer = terminal_,
        .text = [&texts](int number) { return texts.LangText(number); },
        .data_folder = controller.Paths().DataFolder(),
    };
    service_ = std::make_unique<update::UpdateService>(std::move(hooks), std::move(settings));
}

UpdateSession::~UpdateSession() {
    service_->PrepareExit();
    session_->Controller().Stop();
    service_.reset();
    session_.reset();
}

bool UpdateSession::Run(int code) {
    if (!session_->Controller().PushTask(code)) {
        return false;
    }
    return Wait();
}

bool UpdateSession::Wait() {
    auto& controller = session_->Controller();
    const auto deadline = std::chrono::steady_clock::now() + kUpdateTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (TakeStopSignal()) {
            interrupted_ = true;
            // The exit path: waits for a running flash, saying why.
            service_->PrepareExit();
            return false;
        }
        // Both idle in one pass: a job of either could still queue work on
        // the other only while it runs.
        if (controller.WaitUntilIdle(kSlice) && service_->WaitForNetwork(kSlice) &&
            controller.WaitUntilIdle(std::chrono::milliseconds(0))) {
            return true;
        }
    }
    return false;
}

}  // namespace mousedeck::ctl
